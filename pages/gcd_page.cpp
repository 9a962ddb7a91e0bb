// Placeholder until the page is built: an empty frame.
#include "app/page_context.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildGcdPage(PageContext&) { return makePageFrame("Frame14", QStringLiteral("计算最大公约数和最小公倍数")); }
