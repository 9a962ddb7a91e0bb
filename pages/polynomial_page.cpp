// Placeholder until the page is built: an empty frame.
#include "app/page_context.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildPolynomialPage(PageContext&) { return makePageFrame("Frame20", QStringLiteral("解一元N次方程")); }
