// Placeholder until the page is built: an empty frame.
#include "app/page_context.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildHessenbergPage(PageContext&) { return makePageFrame("Frame21", QStringLiteral("")); }
