#include "ui/x11.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <xcb/xcb.h>

namespace ui::x11 {

namespace {

xcb_connection_t* connection()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, true, std::strlen(name), name), nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

class DestroyWatch : public QObject, public QAbstractNativeEventFilter {
public:
    DestroyWatch(QWidget& window, std::function<void()> lost) : window_(&window), lost_(std::move(lost)) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t" || !window_) return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY) return false;
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        if (!window_->internalWinId() || destroyed->window != window_->internalWinId()) return false;
        // Later: Qt is still handling the event that told it
        QMetaObject::invokeMethod(window_, lost_, Qt::QueuedConnection);
        return false;
    }

private:
    QPointer<QWidget> window_;
    std::function<void()> lost_;
};

}  // namespace

void flush()
{
    if (xcb_connection_t* c = connection()) xcb_flush(c);
}

bool fullScreenIsKept()
{
    xcb_connection_t* c = connection();
    if (!c) return true;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t supported = atom(c, "_NET_SUPPORTED"), fullScreen = atom(c, "_NET_WM_STATE_FULLSCREEN");
    if (supported == XCB_ATOM_NONE || fullScreen == XCB_ATOM_NONE) return false;
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, false, root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr),
        &std::free);
    if (!reply || reply->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const auto* end = atoms + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t);
    return std::find(atoms, end, fullScreen) != end;
}

std::unique_ptr<QObject> watchDestruction(QWidget& window, std::function<void()> lost)
{
    if (!connection()) return nullptr;
    auto watch = std::make_unique<DestroyWatch>(window, std::move(lost));
    QCoreApplication::instance()->installNativeEventFilter(watch.get());
    return watch;
}

}  // namespace ui::x11
