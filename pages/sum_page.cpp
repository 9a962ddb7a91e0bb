// Placeholder until the page is built: an empty frame.
#include "app/page_context.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildSumPage(PageContext&) { return makePageFrame("Frame8", QStringLiteral("累乘与累加")); }
