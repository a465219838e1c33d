// Start-up time of a windowed program, watched from outside it: from just before the program is
// started to the first drawing into one of its top-level windows, as the X server sees it. The
// program needs no code of its own for this. The X server's DAMAGE extension reports the first
// drawing into a window; libxcb carries no binding for it in this build, so its two requests are
// sent as raw extension requests.
// Usage: bench_startup PROGRAM [ARGUMENTS...]  prints the milliseconds, then ends the program.
#include <X11/extensions/damagewire.h>
#include <poll.h>
#include <signal.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kDeadline = std::chrono::seconds(20);

xcb_extension_t damageExtension{DAMAGE_NAME, 0};

// The requests as on the wire; libxcb fills in the opcodes and the length.
struct DamageQueryVersion {
    uint8_t majorOpcode = 0, minorOpcode = 0;
    uint16_t length = 0;
    uint32_t clientMajor = DAMAGE_MAJOR, clientMinor = DAMAGE_MINOR;
};
struct DamageCreate {
    uint8_t majorOpcode = 0, minorOpcode = 0;
    uint16_t length = 0;
    uint32_t damage, drawable;
    uint8_t level = XDamageReportNonEmpty;  // one event, at the first drawing
    uint8_t pad[3] = {};
};

template <class Request>
unsigned sendDamageRequest(xcb_connection_t* x, uint8_t opcode, bool hasReply, Request& request)
{
    iovec parts[3];  // libxcb writes into the two parts before the request
    parts[2] = {&request, sizeof request};
    xcb_protocol_request_t info{1, &damageExtension, opcode, uint8_t(hasReply ? 0 : 1)};
    return xcb_send_request(x, hasReply ? XCB_REQUEST_CHECKED : 0, parts + 2, &info);
}

[[noreturn]] void fail(const char* why)
{
    std::fprintf(stderr, "bench_startup: %s\n", why);
    std::exit(1);
}

// The DAMAGE extension's first event code, after the version handshake it requires
uint8_t initDamage(xcb_connection_t* x)
{
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x, &damageExtension);
    if (!damage || !damage->present) fail("the X server has no DAMAGE extension");
    DamageQueryVersion query;
    xcb_generic_error_t* error = nullptr;
    void* reply = xcb_wait_for_reply(x, sendDamageRequest(x, X_DamageQueryVersion, true, query), &error);
    if (!reply) fail("the DAMAGE extension did not answer");
    std::free(reply);
    return damage->first_event;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) fail("usage: bench_startup PROGRAM [ARGUMENTS...]");
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) fail("cannot reach the X server ($DISPLAY)");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint8_t damageNotify = initDamage(x) + XDamageNotify;

    // Every new top-level window is reported, so a damage object can watch it before it is mapped.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));  // in place before the start

    const Clock::time_point start = Clock::now();
    const pid_t program = fork();
    if (program < 0) fail("cannot start a process");
    if (program == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }

    bool drawn = false;
    while (!drawn) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (created->parent == root) {
                    DamageCreate watch{.damage = xcb_generate_id(x), .drawable = created->window};
                    sendDamageRequest(x, X_DamageCreate, false, watch);
                    xcb_flush(x);
                }
            }
            // Errors (type 0) are let pass: a window may be gone before its damage object is made.
            drawn = drawn || type == damageNotify;
            std::free(event);
        }
        if (drawn) break;
        if (xcb_connection_has_error(x)) fail("lost the X server");
        if (waitpid(program, nullptr, WNOHANG) == program) fail("the program ended before drawing a window");
        if (Clock::now() - start > kDeadline) fail("no window was drawn within 20 s");
        pollfd socket{xcb_get_file_descriptor(x), POLLIN, 0};
        poll(&socket, 1, 100);
    }
    const std::chrono::duration<double, std::milli> startup = Clock::now() - start;

    kill(program, SIGTERM);
    waitpid(program, nullptr, 0);
    xcb_disconnect(x);
    std::printf("%.2f\n", startup.count());
    return 0;
}
