#include "qt/windowplacement.h"

#include <QAbstractNativeEventFilter>
#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <memory>

#if defined(ZERKAN_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace zerkan {
namespace {

// Centres a frame of the window's size plus `frame` on the screen's work area. On a screen
// too small for it the title bar stays on the screen.
void Centre(QWidget& window, const QMargins& frame) {
    const QRect work = window.screen()->availableGeometry();
    QRect outer(QPoint(0, 0), window.size().grownBy(frame));
    outer.moveCenter(work.center());
    const QPoint topLeft(std::max(outer.left(), work.left()), std::max(outer.top(), work.top()));
    window.windowHandle()->setPosition(topLeft + QPoint(frame.left(), frame.top()));
}

#if defined(ZERKAN_HAVE_XCB)
// An X11 window manager announces the frame it has put around a window in the window's
// _NET_FRAME_EXTENTS; the toolkit does not always learn of it, so the window listens itself.
class FrameWatcher final : public QObject, public QAbstractNativeEventFilter {
  public:
    FrameWatcher(QWidget& window, xcb_connection_t* connection)
        : QObject(&window), window_(window), connection_(connection) {
        // Asked now, the answer taken when the first property changes: waiting for it here
        // would hold up the window's first appearance by a round trip to the server.
        static constexpr char name[] = "_NET_FRAME_EXTENTS";
        atomCookie_ = xcb_intern_atom(connection, 0, sizeof name - 1, name);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~FrameWatcher() override {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        if (!atomKnown_)
            xcb_discard_reply(connection_, atomCookie_.sequence);
    }
    FrameWatcher(const FrameWatcher&) = delete;
    FrameWatcher& operator=(const FrameWatcher&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY || Atom() == XCB_ATOM_NONE)
            return false;
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->atom == atom_ && notify->window == window_.winId() && window_.isVisible()) {
            // Placed after the toolkit has handled the event, once: later frame changes (a
            // theme switch) must not move a window the user may have placed.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    Centre(window_, ReadExtents());
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    xcb_atom_t Atom() {
        if (!atomKnown_) {
            atomKnown_ = true;
            const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
                xcb_intern_atom_reply(connection_, atomCookie_, nullptr), &std::free);
            if (reply)
                atom_ = reply->atom;
        }
        return atom_;
    }

    QMargins ReadExtents() const {
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection_, 0, static_cast<xcb_window_t>(window_.winId()), atom_,
                             XCB_ATOM_CARDINAL, 0, 4);
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(connection_, cookie, nullptr), &std::free);
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
            return {};
        const auto* v = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
        // left, right, top, bottom
        return QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                        static_cast<int>(v[3]));
    }

    QWidget& window_;
    xcb_connection_t* connection_;
    xcb_intern_atom_cookie_t atomCookie_{};
    bool atomKnown_ = false;
    xcb_atom_t atom_ = XCB_ATOM_NONE;
};
#endif

class CentreOnShow final : public QObject {
  public:
    explicit CentreOnShow(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            const QRect frame = window_.frameGeometry();
            const QRect client = window_.geometry();
            Centre(window_,
                   QMargins(client.left() - frame.left(), client.top() - frame.top(),
                            frame.right() - client.right(), frame.bottom() - client.bottom()));
#if defined(ZERKAN_HAVE_XCB)
            auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
            if (x11 != nullptr && x11->connection() != nullptr)
                new FrameWatcher(window_, x11->connection());
#endif
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
};

}  // namespace

void CentreWhenShown(QWidget& window) {
    new CentreOnShow(window);
}

}  // namespace zerkan
