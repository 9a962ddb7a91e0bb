// Placeholder until the page is built: an empty frame.
#include "app/page_context.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildCalculusPage(PageContext&) { return makePageFrame("Frame10", QStringLiteral("计算函数定积分和微分计算")); }
