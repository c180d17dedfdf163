// A window manager with just what the end-to-end tests need from one: it maps
// what asks to be mapped, passes configure requests on, iconifies a window on
// WM_CHANGE_STATE (what xdotool windowminimize and a title bar's minimise
// button ask for) and keeps WM_STATE up to date, so programs see themselves
// normal, minimised or withdrawn as under a real desktop. No frames, no focus
// policy: the tests focus windows themselves. Alt+F4 asks the focused window
// to close (WM_DELETE_WINDOW), as a desktop's close box would.
//
// A panel that reserves a strip of the screen (_NET_WM_STRUT) is left out of
// the work area it publishes (_NET_WORKAREA), as a desktop does, so programs
// place windows clear of it.
//
// It also puts the letters of a Spanish keyboard (ñ, the accented vowels,
// ¿ and ¡...) on spare keys. Otherwise xdotool types each of them by
// remapping a spare key just for that key press, which races with the
// program reading the new map: under load the letter is lost.
//
// Prints "ready" once it owns the screen; exits 1 when another window manager
// does, 0 when the X server goes away.

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <array>
#include <map>
#include <iterator>
#include <memory>
#include <set>
#include <vector>

namespace {

enum WmState : uint32_t { Withdrawn = 0, Normal = 1, Iconic = 3 };

constexpr uint32_t kF4 = 0xffc1; // the keysym

struct Atoms {
    xcb_atom_t wmState = XCB_ATOM_NONE;
    xcb_atom_t wmChangeState = XCB_ATOM_NONE;
    xcb_atom_t wmProtocols = XCB_ATOM_NONE;
    xcb_atom_t wmDeleteWindow = XCB_ATOM_NONE;
    xcb_atom_t strut = XCB_ATOM_NONE;
    xcb_atom_t strutPartial = XCB_ATOM_NONE;
    xcb_atom_t workArea = XCB_ATOM_NONE;
};

// Left, right, top and bottom.
using Strut = std::array<uint32_t, 4>;

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie
        = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

class MiniWm
{
public:
    MiniWm(xcb_connection_t *connection, xcb_window_t root)
        : m_connection(connection)
        , m_root(root)
    {
        m_atoms.wmState = internAtom(connection, "WM_STATE");
        m_atoms.wmChangeState = internAtom(connection, "WM_CHANGE_STATE");
        m_atoms.wmProtocols = internAtom(connection, "WM_PROTOCOLS");
        m_atoms.wmDeleteWindow = internAtom(connection, "WM_DELETE_WINDOW");
        m_atoms.strut = internAtom(connection, "_NET_WM_STRUT");
        m_atoms.strutPartial = internAtom(connection, "_NET_WM_STRUT_PARTIAL");
        m_atoms.workArea = internAtom(connection, "_NET_WORKAREA");
    }

    bool takeScreen()
    {
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        const xcb_void_cookie_t cookie
            = xcb_change_window_attributes_checked(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_generic_error_t *error = xcb_request_check(m_connection, cookie);
        std::free(error);
        if (error != nullptr)
            return false;
        grabAltF4();
        addSpanishLetters();
        publishWorkArea();
        xcb_flush(m_connection);
        return true;
    }

    void run()
    {
        while (xcb_generic_event_t *event = xcb_wait_for_event(m_connection)) {
            handle(event);
            std::free(event);
            xcb_flush(m_connection);
        }
    }

private:
    std::vector<xcb_keycode_t> keycodesOf(uint32_t keysym)
    {
        std::vector<xcb_keycode_t> found;
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> mapping(
            xcb_get_keyboard_mapping_reply(
                m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, static_cast<uint8_t>(count)),
                nullptr),
            &std::free);
        if (!mapping)
            return found;
        const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
        const int perKeycode = mapping->keysyms_per_keycode;
        for (int code = 0; code < count; ++code) {
            for (int column = 0; column < perKeycode; ++column) {
                if (keysyms[code * perKeycode + column] == keysym) {
                    found.push_back(static_cast<xcb_keycode_t>(setup->min_keycode + code));
                    break;
                }
            }
        }
        return found;
    }

    void addSpanishLetters()
    {
        // Lower and upper case on one key; Latin-1 keysyms are the code points.
        static constexpr xcb_keysym_t kLetters[][2] = {
            {0xf1, 0xd1}, {0xe1, 0xc1}, {0xe9, 0xc9}, {0xed, 0xcd}, {0xf3, 0xd3},
            {0xfa, 0xda}, {0xfc, 0xdc}, {0xe7, 0xc7}, {0xbf, 0xa1}, {0xba, 0xaa},
        };
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> mapping(
            xcb_get_keyboard_mapping_reply(
                m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, static_cast<uint8_t>(count)),
                nullptr),
            &std::free);
        if (!mapping)
            return;
        const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
        const int perKeycode = mapping->keysyms_per_keycode;
        if (perKeycode < 2)
            return;
        std::size_t next = 0;
        // Spare keys from the top down, clear of the ones a keyboard uses.
        for (int code = count - 1; code >= 0 && next < std::size(kLetters); --code) {
            bool spare = true;
            for (int column = 0; column < perKeycode; ++column)
                spare = spare && keysyms[code * perKeycode + column] == 0;
            if (!spare)
                continue;
            std::vector<xcb_keysym_t> row(static_cast<std::size_t>(perKeycode), 0);
            row[0] = kLetters[next][0];
            row[1] = kLetters[next][1];
            xcb_change_keyboard_mapping(m_connection, 1, static_cast<xcb_keycode_t>(setup->min_keycode + code),
                                        static_cast<uint8_t>(perKeycode), row.data());
            ++next;
        }
    }

    void grabAltF4()
    {
        // With and without Caps Lock and Num Lock.
        const uint16_t alt = XCB_MOD_MASK_1;
        const uint16_t variants[] = {alt, uint16_t(alt | XCB_MOD_MASK_LOCK), uint16_t(alt | XCB_MOD_MASK_2),
                                     uint16_t(alt | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2)};
        for (const xcb_keycode_t code : keycodesOf(kF4)) {
            for (const uint16_t modifiers : variants)
                xcb_grab_key(m_connection, 1, m_root, modifiers, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        }
    }

    // The child of the root that holds the window.
    xcb_window_t topLevelOf(xcb_window_t window)
    {
        while (window != XCB_WINDOW_NONE && window != m_root) {
            std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
                xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr), &std::free);
            if (!tree)
                return XCB_WINDOW_NONE;
            if (tree->parent == m_root)
                return window;
            window = tree->parent;
        }
        return XCB_WINDOW_NONE;
    }

    void closeRequest(const xcb_key_press_event_t *press)
    {
        std::unique_ptr<xcb_get_input_focus_reply_t, decltype(&std::free)> focus(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr), &std::free);
        xcb_window_t window = focus ? focus->focus : xcb_window_t(XCB_WINDOW_NONE);
        if (window == XCB_WINDOW_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT || window == m_root)
            window = press->child;
        window = topLevelOf(window);
        if (!m_managed.count(window))
            return;
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = m_atoms.wmProtocols;
        message.data.data32[0] = m_atoms.wmDeleteWindow;
        message.data.data32[1] = press->time;
        xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&message));
    }

    void handle(xcb_generic_event_t *event)
    {
        switch (event->response_type & 0x7f) {
        case XCB_MAP_REQUEST:
            mapRequest(reinterpret_cast<xcb_map_request_event_t *>(event));
            break;
        case XCB_CONFIGURE_REQUEST:
            configureRequest(reinterpret_cast<xcb_configure_request_event_t *>(event));
            break;
        case XCB_CLIENT_MESSAGE:
            clientMessage(reinterpret_cast<xcb_client_message_event_t *>(event));
            break;
        case XCB_KEY_PRESS:
            closeRequest(reinterpret_cast<xcb_key_press_event_t *>(event));
            break;
        case XCB_UNMAP_NOTIFY:
            unmapNotify(reinterpret_cast<xcb_unmap_notify_event_t *>(event));
            break;
        case XCB_REPARENT_NOTIFY: {
            // Embedded elsewhere (a tray icon): no longer ours to manage.
            const auto *reparent = reinterpret_cast<xcb_reparent_notify_event_t *>(event);
            if (reparent->parent != m_root)
                forget(reparent->window);
            break;
        }
        case XCB_DESTROY_NOTIFY:
            forget(reinterpret_cast<xcb_destroy_notify_event_t *>(event)->window);
            break;
        case XCB_PROPERTY_NOTIFY: {
            const auto *change = reinterpret_cast<xcb_property_notify_event_t *>(event);
            if (change->atom == m_atoms.strut || change->atom == m_atoms.strutPartial)
                readStrut(change->window);
            break;
        }
        default:
            break; // errors included: windows vanish while we look at them
        }
    }

    void mapRequest(const xcb_map_request_event_t *request)
    {
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(m_connection, request->window, XCB_CW_EVENT_MASK, &mask);
        readStrut(request->window);
        m_managed.insert(request->window);
        setState(request->window, Normal);
        xcb_map_window(m_connection, request->window);
    }

    void configureRequest(const xcb_configure_request_event_t *request)
    {
        uint32_t values[7];
        int count = 0;
        const uint16_t mask = request->value_mask;
        if (mask & XCB_CONFIG_WINDOW_X)
            values[count++] = static_cast<uint32_t>(request->x);
        if (mask & XCB_CONFIG_WINDOW_Y)
            values[count++] = static_cast<uint32_t>(request->y);
        if (mask & XCB_CONFIG_WINDOW_WIDTH)
            values[count++] = request->width;
        if (mask & XCB_CONFIG_WINDOW_HEIGHT)
            values[count++] = request->height;
        if (mask & XCB_CONFIG_WINDOW_BORDER_WIDTH)
            values[count++] = request->border_width;
        if (mask & XCB_CONFIG_WINDOW_SIBLING)
            values[count++] = request->sibling;
        if (mask & XCB_CONFIG_WINDOW_STACK_MODE)
            values[count++] = request->stack_mode;
        xcb_configure_window(m_connection, request->window, mask, values);
    }

    void clientMessage(const xcb_client_message_event_t *message)
    {
        if (message->type != m_atoms.wmChangeState || message->data.data32[0] != Iconic)
            return;
        if (!m_managed.count(message->window) || m_iconifying.count(message->window))
            return;
        // Our own unmap is no withdrawal: its notify is skipped once.
        m_iconifying.insert(message->window);
        setState(message->window, Iconic);
        xcb_unmap_window(m_connection, message->window);
    }

    void unmapNotify(const xcb_unmap_notify_event_t *notify)
    {
        const bool synthetic = notify->response_type & 0x80;
        if (!m_managed.count(notify->window))
            return;
        if (!synthetic && m_iconifying.erase(notify->window))
            return;
        // The client hid the window itself.
        m_iconifying.erase(notify->window);
        setState(notify->window, Withdrawn);
    }

    void forget(xcb_window_t window)
    {
        m_managed.erase(window);
        m_iconifying.erase(window);
        if (m_struts.erase(window) > 0)
            publishWorkArea();
    }

    void readStrut(xcb_window_t window)
    {
        Strut strut{};
        for (xcb_atom_t atom : {m_atoms.strutPartial, m_atoms.strut}) {
            std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
                xcb_get_property_reply(
                    m_connection, xcb_get_property(m_connection, 0, window, atom, XCB_ATOM_CARDINAL, 0, 4), nullptr),
                &std::free);
            if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) >= 16) {
                std::memcpy(strut.data(), xcb_get_property_value(reply.get()), sizeof(strut));
                break;
            }
        }
        if (strut == Strut{})
            m_struts.erase(window);
        else
            m_struts[window] = strut;
        publishWorkArea();
    }

    void publishWorkArea()
    {
        Strut reserved{};
        for (const auto &[window, strut] : m_struts) {
            for (size_t side = 0; side < reserved.size(); ++side)
                reserved[side] = std::max(reserved[side], strut[side]);
        }
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const uint32_t area[4] = {reserved[0], reserved[2], screen->width_in_pixels - reserved[0] - reserved[1],
                                  screen->height_in_pixels - reserved[2] - reserved[3]};
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_root, m_atoms.workArea, XCB_ATOM_CARDINAL, 32, 4,
                            area);
    }

    void setState(xcb_window_t window, WmState state)
    {
        const uint32_t data[2] = {state, XCB_WINDOW_NONE};
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, m_atoms.wmState, m_atoms.wmState, 32, 2,
                            data);
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_root;
    Atoms m_atoms;
    std::set<xcb_window_t> m_managed;
    std::set<xcb_window_t> m_iconifying;
    std::map<xcb_window_t, Strut> m_struts;
};

} // namespace

int main()
{
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "miniwm: cannot open the display\n");
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);

    MiniWm wm(connection, screens.data->root);
    if (!wm.takeScreen()) {
        std::fprintf(stderr, "miniwm: another window manager is running\n");
        xcb_disconnect(connection);
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    wm.run();
    xcb_disconnect(connection);
    return 0;
}
