// Placeholder until the page is built: an empty frame.
#include "app/page_context.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildSquareRootPage(PageContext&) { return makePageFrame("Frame9", QStringLiteral("")); }
