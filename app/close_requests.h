#pragma once
// Close requests that reach the window whatever is open in front of it.
class QWidget;

// Ctrl+Q closes `window`, also from one of its boxes or the progress dialog
// in front of it; and on X11 the window manager's close button works while
// a modal box blocks the window (the toolkit drops that request otherwise).
// The routing lives as long as the window.
void routeCloseRequests(QWidget* window);
