// Asks windows whether their program still handles its events: sends each the window manager's
// ping (_NET_WM_PING, which Qt answers from its event loop) and waits for any answer.
//
//   x_ping <timeout in ms> <window id>...
//
// Exit status 0: an answer came; 1: none within the timeout; 2: no display or bad arguments.
// Windows that no longer exist are no error (a program may close one at any moment): their pings
// are lost, and an answer from any other window counts.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include <poll.h>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <timeout ms> <window id>...\n", argv[0]);
        return 2;
    }
    const long timeoutMs = std::strtol(argv[1], nullptr, 10);
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "x_ping: cannot open the display\n");
        return 2;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;
    // Answers go to the root window for whoever listens to its structure (Qt 6) or substructure
    // (most other toolkits).
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t protocols = Atom(c, "WM_PROTOCOLS");
    const xcb_atom_t ping = Atom(c, "_NET_WM_PING");

    // A stamp of our own, so that another client's pings are not taken for answers.
    const std::uint32_t stamp = std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count()) | 1u;
    std::set<xcb_window_t> asked;
    for (int i = 2; i < argc; ++i) {
        const xcb_window_t window = xcb_window_t(std::strtoul(argv[i], nullptr, 0));
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = protocols;
        event.data.data32[0] = ping;
        event.data.data32[1] = stamp;
        event.data.data32[2] = window;
        xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
        asked.insert(window);
    }
    xcb_flush(c);

    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            bool answered = false;
            if ((e->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(e);
                answered = m->type == protocols && m->data.data32[0] == ping
                           && m->data.data32[1] == stamp && asked.count(m->data.data32[2]);
            }
            std::free(e);
            if (answered) {
                xcb_disconnect(c);
                return 0;
            }
        }
        if (xcb_connection_has_error(c))
            return 2;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            break;
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&fd, 1, int(left));
    }
    xcb_disconnect(c);
    return 1;
}
