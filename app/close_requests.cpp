#include "app/close_requests.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#ifdef NUMERELLE_HAVE_XCB
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>
#endif

namespace {

// True for `window` itself and for every window opened on top of it.
bool belongsTo(const QWidget* widget, const QWidget* window) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == window) return true;
    return false;
}

class QuitKey final : public QObject {
public:
    explicit QuitKey(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        // Ctrl+Q on every desktop (the platform's own Quit key may be unset).
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool quitKey =
            key->matches(QKeySequence::Quit) ||
            (key->key() == Qt::Key_Q && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier);
        if (!quitKey) return false;
        if (!belongsTo(static_cast<QWidget*>(watched), window_)) return false;
        window_->close();
        return true;
    }

private:
    QWidget* window_;
};

#ifdef NUMERELLE_HAVE_XCB
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// The window manager asks a window to close with a WM_DELETE_WINDOW client
// message. While a modal box is open the toolkit ignores it for the window
// behind; this filter passes it on as a close of the window.
class WindowManagerClose final : public QObject, public QAbstractNativeEventFilter {
public:
    WindowManagerClose(QWidget* window, xcb_connection_t* connection)
        : QObject(window),
          window_(window),
          protocols_(internAtom(connection, "WM_PROTOCOLS")),
          deleteWindow_(internAtom(connection, "WM_DELETE_WINDOW")) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~WindowManagerClose() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || protocols_ == XCB_ATOM_NONE) return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
        const auto* client = reinterpret_cast<const xcb_client_message_event_t*>(event);
        if (client->type != protocols_ || client->data.data32[0] != deleteWindow_) return false;
        if (!window_ || !window_->testAttribute(Qt::WA_WState_Created) ||
            client->window != static_cast<xcb_window_t>(window_->winId()))
            return false;
        // Unblocked, the toolkit delivers the close as usual.
        if (!QApplication::activeModalWidget()) return false;
        // Not from inside the native event dispatch: closing runs event loops.
        QTimer::singleShot(0, window_, [window = window_] {
            if (window) window->close();
        });
        return true;
    }

private:
    QPointer<QWidget> window_;
    xcb_atom_t protocols_;
    xcb_atom_t deleteWindow_;
};
#endif

}  // namespace

void routeCloseRequests(QWidget* window) {
    QCoreApplication::instance()->installEventFilter(new QuitKey(window));
#ifdef NUMERELLE_HAVE_XCB
    // Only on the X11 platform itself (others may answer the interface
    // without a connection).
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && x11 && x11->connection())
        new WindowManagerClose(window, x11->connection());
#endif
}
