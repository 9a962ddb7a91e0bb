// Placeholder until the page is built: an empty frame.
#include "app/page_context.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildBigAddPage(PageContext&) { return makePageFrame("Frame1", QStringLiteral("特大数加减")); }
