// Starts the program as a user does and times it from outside, on the X display
// of $DISPLAY: from the start to the start window painted, then, through
// "Continua" and the main menu, from "Chiudi" to the process's end. A window
// counts as painted at the first drawing into it the X server reports (DAMAGE);
// the keys go in through XTEST, as typed.
//
// Usage: time_start PROGRAM DATA_FOLDER [BUTTON]
// Prints one line: start_ms start_cpu_ms close_ms cpu_ms (the CPU of the start up
// to the painted window, and of the whole run, every thread of the process).
// With BUTTON, a main menu button ("Scadenze"), that button is pressed instead of
// "Chiudi" and the line is: start_ms start_cpu_ms open_ms open_cpu_ms, from the
// press to its window painted; the program is then ended as the system ends it
// (SIGTERM), through the same shutdown as "Chiudi".

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kStartTitle = "Brisvel Lavoratore  Autonomo";
constexpr const char* kMenuTitle = "Brisvel";
constexpr auto kPatience = std::chrono::seconds(60);

// The main menu's area buttons in its tab chain, first the focused one, and the
// windows they show.
struct MenuButton {
    const char* caption;
    int tabs;
    const char* window;
};
constexpr MenuButton kMenuButtons[] = {
    {"Brisvel", 0, "Brisvel Lavoratore Autonomo"},
    {"Gestione Clienti", 1, "Gestione  Clienti"},
    {"Posizione Cliente", 2, "Gestione Incassi"},
    {"Gestione Incassi", 3, "Gestione Incassi"},
    {"Scadenze", 4, "Scadenze"},
    {"Andamento", 5, "Andamento dell'anno - Brisvel"},
};

// X keysyms of the keys typed.
constexpr xcb_keysym_t kSpace = 0x20;
constexpr xcb_keysym_t kTab = 0xff09;
constexpr xcb_keysym_t kShift = 0xffe1;

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "time_start: %s\n", why.c_str());
    std::exit(1);
}

double millisecondsSince(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// The CPU the process has used so far, every thread of it, those ended included.
double cpuMilliseconds(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), {});
    // The fields after the command's name, which may hold blanks, closed by ')'.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::stoull(field);
        if (i == 15)
            system = std::stoull(field);
    }
    return double(user + system) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

class Display {
  public:
    Display() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_))
            fail("no X display (DISPLAY)");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const auto* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
        const auto* xtest = xcb_get_extension_data(connection_, &xcb_test_id);
        if (!damage || !damage->present || !xtest || !xtest->present)
            fail("the X server lacks DAMAGE or XTEST");
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(connection_,
                                            xcb_damage_query_version(connection_, 1, 1), nullptr));
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~Display() { xcb_disconnect(connection_); }

    // Waits until a window titled `title` has been mapped and drawn into; false
    // when the process `pid` ended first or the patience ran out.
    xcb_window_t waitForPainted(const char* title, pid_t pid) {
        const auto deadline = Clock::now() + kPatience;
        while (Clock::now() < deadline) {
            std::unique_ptr<xcb_generic_event_t, decltype(&free)> event(
                xcb_poll_for_event(connection_), &free);
            if (!event) {
                if (xcb_connection_has_error(connection_))
                    fail("the X connection broke");
                if (waitpid(pid, nullptr, WNOHANG) == pid)
                    fail("the program ended before its window showed");
                usleep(200);
                continue;
            }
            const int type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                // Watched from its creation, so no drawing is missed.
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event.get());
                if (created->parent == root_) {
                    const xcb_damage_damage_t damage = xcb_generate_id(connection_);
                    xcb_damage_create(connection_, damage, created->window,
                                      XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                    xcb_flush(connection_);
                }
            } else if (type == XCB_MAP_NOTIFY) {
                mapped_.insert(reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window);
            } else if (type == XCB_UNMAP_NOTIFY) {
                mapped_.erase(reinterpret_cast<xcb_unmap_notify_event_t*>(event.get())->window);
            } else if (type == damageEvent_) {
                const auto* drawn = reinterpret_cast<xcb_damage_notify_event_t*>(event.get());
                xcb_damage_subtract(connection_, drawn->damage, XCB_NONE, XCB_NONE);
                xcb_flush(connection_);
                if (mapped_.count(drawn->drawable) && name(drawn->drawable) == title)
                    return drawn->drawable;
            }
        }
        fail(std::string("no window \"") + title + "\" painted in time");
    }

    // Types `keys` into `window`, each pressed in order and released in reverse.
    void type(xcb_window_t window, std::initializer_list<xcb_keysym_t> keys) {
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
        for (xcb_keysym_t key : keys)
            xcb_test_fake_input(connection_, XCB_KEY_PRESS, keycode(key), XCB_CURRENT_TIME, root_,
                                0, 0, 0);
        for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
            xcb_test_fake_input(connection_, XCB_KEY_RELEASE, keycode(*key), XCB_CURRENT_TIME,
                                root_, 0, 0, 0);
        free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }

  private:
    std::string name(xcb_window_t window) {
        auto* reply = xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 256),
            nullptr);
        if (!reply)
            return {};
        std::string text(static_cast<const char*>(xcb_get_property_value(reply)),
                         std::size_t(xcb_get_property_value_length(reply)));
        free(reply);
        return text;
    }

    xcb_keycode_t keycode(xcb_keysym_t keysym) {
        if (keycodes_.empty()) {
            const xcb_setup_t* setup = xcb_get_setup(connection_);
            const int count = setup->max_keycode - setup->min_keycode + 1;
            auto* reply = xcb_get_keyboard_mapping_reply(
                connection_,
                xcb_get_keyboard_mapping(connection_, setup->min_keycode, std::uint8_t(count)),
                nullptr);
            if (!reply)
                fail("no keyboard mapping");
            const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
            for (int k = 0; k < count; ++k) {
                for (int s = 0; s < reply->keysyms_per_keycode; ++s)
                    keycodes_.try_emplace(syms[k * reply->keysyms_per_keycode + s],
                                          xcb_keycode_t(setup->min_keycode + k));
            }
            free(reply);
        }
        const auto found = keycodes_.find(keysym);
        if (found == keycodes_.end())
            fail("a key is missing from the keyboard");
        return found->second;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
    int damageEvent_ = 0;
    std::set<xcb_window_t> mapped_;
    std::map<xcb_keysym_t, xcb_keycode_t> keycodes_;
};

}  // namespace

int main(int argc, char** argv) {
    const MenuButton* button = nullptr;
    if (argc == 4) {
        for (const MenuButton& known : kMenuButtons) {
            if (std::strcmp(known.caption, argv[3]) == 0)
                button = &known;
        }
    }
    if (argc < 3 || argc > 4 || (argc == 4 && !button)) {
        std::fprintf(stderr, "Uso: time_start PROGRAMMA CARTELLA [PULSANTE]\n");
        return 2;
    }
    Display display;
    const auto started = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        const std::string option = std::string("--cartella=") + argv[2];
        execl(argv[1], argv[1], option.c_str(), static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    const xcb_window_t start = display.waitForPainted(kStartTitle, pid);
    const double startMs = millisecondsSince(started);
    const double startCpuMs = cpuMilliseconds(pid);

    display.type(start, {kSpace});  // "Continua", focused
    const xcb_window_t menu = display.waitForPainted(kMenuTitle, pid);
    if (button) {
        for (int i = 0; i < button->tabs; ++i)
            display.type(menu, {kTab});
        const double cpuBefore = cpuMilliseconds(pid);
        const auto pressed = Clock::now();
        display.type(menu, {kSpace});
        display.waitForPainted(button->window, pid);
        const double openMs = millisecondsSince(pressed);
        const double openCpuMs = cpuMilliseconds(pid) - cpuBefore;
        kill(pid, SIGTERM);
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            fail("the program did not end cleanly");
        std::printf("%.1f %.0f %.1f %.0f\n", startMs, startCpuMs, openMs, openCpuMs);
        return 0;
    }
    // The first area button has the focus; "Chiudi" is the last of the tab chain.
    display.type(menu, {kShift, kTab});
    display.type(menu, {kSpace});
    const auto closing = Clock::now();
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        fail("lost the program");
    const double closeMs = millisecondsSince(closing);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail("the program did not end cleanly");
    const auto cpuMs = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    std::printf("%.1f %.0f %.1f %.0f\n", startMs, startCpuMs, closeMs,
                cpuMs(usage.ru_utime) + cpuMs(usage.ru_stime));
    return 0;
}
