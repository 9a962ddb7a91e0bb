// Placeholder until the page is built: an empty frame.
#include "app/page_context.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildComplexPage(PageContext&) { return makePageFrame("Frame13", QStringLiteral("")); }
