#include "platform/detectable_auto_repeat.h"

#include <QGuiApplication>

#if defined(LUCKYDRAW_HAVE_XCB_XKB)
#include <xcb/xcb.h>
// The XKB header names a field `explicit`, a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>
#include <memory>
#endif

bool enableDetectableAutoRepeat()
{
#if defined(LUCKYDRAW_HAVE_XCB_XKB)
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    struct FreeReply {
        void operator()(void *reply) const { std::free(reply); }
    };
    const std::unique_ptr<xcb_xkb_use_extension_reply_t, FreeReply> use(xcb_xkb_use_extension_reply(
        connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION),
        nullptr));
    if (!use || !use->supported)
        return false;
    const uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    const std::unique_ptr<xcb_xkb_per_client_flags_reply_t, FreeReply> flags(
        xcb_xkb_per_client_flags_reply(
            connection,
            xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
            nullptr));
    return flags && (flags->value & flag);
#else
    return false;
#endif
}
