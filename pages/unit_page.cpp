// Placeholder until the page is built: an empty frame.
#include "app/page_context.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildUnitPage(PageContext&) { return makePageFrame("Frame_units", QStringLiteral("")); }
