// kumoji-first-screen: starts a program and times, as the X server shows them, the mapping and
// first exposure of its main window and of the first transient window (a prompt or dialog).
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

const char* const Usage =
    R"(usage: kumoji-first-screen [--settle MS] [--timeout MS] -- PROGRAM [ARGS...]

Watches the display in $DISPLAY, starts PROGRAM and prints one line: the milliseconds since
the start at which its main window (the first of its windows to be mapped) was mapped and
first exposed, then the same for its first window that names another as WM_TRANSIENT_FOR (a
prompt or dialog), then the program's peak resident memory in KiB. The program's windows are
told by their _NET_WM_PID. MS after that exposure (--settle, 1500 by default) the program is
sent SIGTERM; after --timeout MS (10000) it is ended anyway, and a time that never came
prints as -1. Exit status 0 when both windows came, 1 when not, 2 for wrong arguments.
)";

using TClock = std::chrono::steady_clock;

struct TWatched {
    xcb_window_t Window = XCB_NONE;
    double Mapped = -1;
    double Exposed = -1;
};

double Since(TClock::time_point Start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - Start).count();
}

// The first 32-bit value of a window's property, or -1.
long Property(xcb_connection_t* X, xcb_window_t Window, xcb_atom_t Name, xcb_atom_t Type) {
    xcb_get_property_reply_t* Reply =
        xcb_get_property_reply(X, xcb_get_property(X, 0, Window, Name, Type, 0, 1), nullptr);
    long Value = -1;
    if (Reply && Reply->format == 32 && xcb_get_property_value_length(Reply) >= 4)
        Value = *static_cast<const uint32_t*>(xcb_get_property_value(Reply));
    std::free(Reply);
    return Value;
}

pid_t Start(char** Argv) {
    const pid_t Child = ::fork();
    if (Child == 0) {
        ::execvp(Argv[0], Argv);
        std::fprintf(stderr, "kumoji-first-screen: cannot run %s: %s\n", Argv[0],
                     std::strerror(errno));
        ::_exit(127);
    }
    return Child;
}

} // namespace

int main(int argc, char** argv) {
    int SettleMs = 1500;
    int TimeoutMs = 10000;
    int First = 1;
    for (; First < argc; ++First) {
        const std::string Arg = argv[First];
        if (Arg == "--") {
            ++First;
            break;
        }
        if ((Arg == "--settle" || Arg == "--timeout") && First + 1 < argc) {
            (Arg == "--settle" ? SettleMs : TimeoutMs) = std::atoi(argv[++First]);
            continue;
        }
        std::fputs(Usage, Arg == "--help" ? stdout : stderr);
        return Arg == "--help" ? 0 : 2;
    }
    if (First >= argc) {
        std::fputs(Usage, stderr);
        return 2;
    }

    xcb_connection_t* X = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(X)) {
        std::fprintf(stderr, "kumoji-first-screen: cannot open the display\n");
        return 1;
    }
    const xcb_window_t Root = xcb_setup_roots_iterator(xcb_get_setup(X)).data->root;
    // New top-level windows are announced on the root; each is then watched itself, so that
    // its map and exposure are seen even after a window manager has reparented it.
    const uint32_t RootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(X, Root, XCB_CW_EVENT_MASK, &RootMask);
    xcb_intern_atom_reply_t* PidAtom =
        xcb_intern_atom_reply(X, xcb_intern_atom(X, 0, 11, "_NET_WM_PID"), nullptr);
    const xcb_atom_t NetWmPid = PidAtom ? PidAtom->atom : XCB_NONE;
    std::free(PidAtom);

    const TClock::time_point Begin = TClock::now();
    const pid_t Child = Start(argv + First);
    TWatched Main;
    TWatched Dialog;
    double SettledAt = -1;
    while (Since(Begin) < TimeoutMs && (SettledAt < 0 || Since(Begin) < SettledAt + SettleMs)) {
        pollfd Poll{xcb_get_file_descriptor(X), POLLIN, 0};
        ::poll(&Poll, 1, 5);
        while (xcb_generic_event_t* Event = xcb_poll_for_event(X)) {
            const double Now = Since(Begin);
            switch (Event->response_type & 0x7f) {
            case XCB_CREATE_NOTIFY: {
                const auto* Created = reinterpret_cast<xcb_create_notify_event_t*>(Event);
                if (Created->parent == Root && !Created->override_redirect) {
                    const uint32_t Mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_EXPOSURE;
                    xcb_change_window_attributes(X, Created->window, XCB_CW_EVENT_MASK, &Mask);
                    xcb_flush(X);
                }
                break;
            }
            case XCB_MAP_NOTIFY: {
                const auto* Mapped = reinterpret_cast<xcb_map_notify_event_t*>(Event);
                const xcb_window_t W = Mapped->window;
                // The program's own windows carry its process id; a manager's frames do not.
                if (Mapped->override_redirect || W == Main.Window || W == Dialog.Window ||
                    Property(X, W, NetWmPid, XCB_ATOM_CARDINAL) != Child)
                    break;
                if (Main.Window == XCB_NONE)
                    Main = {W, Now, -1};
                else if (Dialog.Window == XCB_NONE &&
                         Property(X, W, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW) > 0)
                    Dialog = {W, Now, -1};
                break;
            }
            case XCB_EXPOSE: {
                const auto* Exposed = reinterpret_cast<xcb_expose_event_t*>(Event);
                for (TWatched* W : {&Main, &Dialog})
                    if (W->Window == Exposed->window && W->Exposed < 0)
                        W->Exposed = Now;
                if (Dialog.Exposed >= 0 && SettledAt < 0)
                    SettledAt = Now;
                break;
            }
            default:
                break;
            }
            std::free(Event);
        }
        int Status = 0;
        if (::waitpid(Child, &Status, WNOHANG) == Child) {
            std::fprintf(stderr, "kumoji-first-screen: the program ended early\n");
            return 1;
        }
    }
    ::kill(Child, SIGTERM);
    int Status = 0;
    rusage Usage{};
    ::wait4(Child, &Status, 0, &Usage);
    std::printf("%.1f %.1f %.1f %.1f %ld\n", Main.Mapped, Main.Exposed, Dialog.Mapped,
                Dialog.Exposed, Usage.ru_maxrss);
    xcb_disconnect(X);
    return Dialog.Exposed >= 0 ? 0 : 1;
}
