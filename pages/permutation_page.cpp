// Placeholder until the page is built: an empty frame.
#include "app/page_context.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildPermutationPage(PageContext&) { return makePageFrame("Frame16", QStringLiteral("排列组合（支持大数计算）")); }
