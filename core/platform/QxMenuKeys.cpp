#include "core/platform/QxMenuKeys.h"

#include <wx/accel.h>
#include <wx/menu.h>
#include <wx/utils.h>
#include <wx/window.h>

#ifdef __WXGTK__
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#endif

#include <cctype>
#include <memory>

namespace {

#ifdef __WXGTK__
Display* xDisplay()
{
    const wxDisplayInfo info = wxGetDisplayInfo();
    return info.type == wxDisplayX11 ? static_cast<Display*>(info.dpy) : nullptr;
}

// The key code the program compares for an X key symbol: printable ASCII as
// the character (letters in upper case, as the toolkit gives them), the
// keypad's + and - as their own codes; 0 for anything else.
int codeOfKeysym(KeySym sym)
{
    if (sym == XK_KP_Add)
        return WXK_NUMPAD_ADD;
    if (sym == XK_KP_Subtract)
        return WXK_NUMPAD_SUBTRACT;
    if (sym >= 0x20 && sym <= 0x7e)
        return std::toupper(static_cast<int>(sym));
    return 0;
}

int digitOfKeysym(KeySym sym) { return sym >= XK_0 && sym <= XK_9 ? int('0' + (sym - XK_0)) : 0; }
#endif

} // namespace

QxKeyPress QxKeyPress::of(const wxKeyEvent& event)
{
    QxKeyPress press;
    press.modifiers = event.GetModifiers() & (wxMOD_CONTROL | wxMOD_SHIFT | wxMOD_ALT);
    const int code = event.GetKeyCode();
    press.typed = press.unshifted = code;
    press.digit = code >= '0' && code <= '9' ? code : 0;
#ifdef __WXGTK__
    // The toolkit's key event carries the hardware key and the symbol it
    // typed; the key map tells what else that key gives.
    Display* display = xDisplay();
    const unsigned keycode = event.GetRawKeyFlags();
    if (!display || keycode < 8 || keycode > 255)
        return press;
    XkbStateRec state;
    const int group = XkbGetState(display, XkbUseCoreKbd, &state) == Success ? state.group : 0;
    const KeySym plain = XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), group, 0);
    const KeySym shifted = XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), group, 1);
    if (const int typed = codeOfKeysym(event.GetRawKeyCode()))
        press.typed = typed;
    if (const int unshifted = codeOfKeysym(plain))
        press.unshifted = unshifted;
    press.shifted = codeOfKeysym(shifted);
    press.digit = digitOfKeysym(plain) ? digitOfKeysym(plain) : digitOfKeysym(shifted);
#endif
    return press;
}

QxMenuKeys::QxMenuKeys(const wxMenu* menu)
{
    if (!menu)
        return;
    for (const wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSubMenu()) {
            const QxMenuKeys sub(item->GetSubMenu());
            m_shortcuts.insert(m_shortcuts.end(), sub.m_shortcuts.begin(), sub.m_shortcuts.end());
            continue;
        }
        std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        if (!accel)
            continue;
        const int key = accel->GetKeyCode();
        const int flags = accel->GetFlags();
        const bool digit = key >= '0' && key <= '9';
        if (!digit && key != '+' && key != '-' && key != WXK_ADD && key != WXK_SUBTRACT)
            continue;
        int modifiers = 0;
        if (flags & wxACCEL_CTRL)
            modifiers |= wxMOD_CONTROL;
        if (flags & wxACCEL_SHIFT)
            modifiers |= wxMOD_SHIFT;
        if (flags & wxACCEL_ALT)
            modifiers |= wxMOD_ALT;
        const int name = key == WXK_ADD ? '+' : key == WXK_SUBTRACT ? '-' : key;
        m_shortcuts.push_back({modifiers, name, item->GetId()});
    }
}

int QxMenuKeys::commandFor(const QxKeyPress& press) const
{
    // Whether a key code is what a shortcut's key names: "+" is also the
    // keypad's plus and the "=" of a key whose Shift gives "+" (or of an
    // unknown key map), "-" also the keypad's minus.
    auto names = [&press](int key, int code) {
        if (code == key)
            return true;
        if (key == '+')
            return code == WXK_NUMPAD_ADD || (code == '=' && (press.shifted == '+' || press.shifted == 0));
        if (key == '-')
            return code == WXK_NUMPAD_SUBTRACT;
        return false;
    };
    auto find = [this](int modifiers, auto&& matches) {
        for (const Shortcut& s : m_shortcuts)
            if (s.modifiers == modifiers && matches(s.key))
                return s.command;
        return int(wxID_NONE);
    };
    // The digit on the key, with every modifier held: Ctrl+Shift+1 is the
    // "1" key with Ctrl and Shift on any layout.
    if (press.digit) {
        const int command = find(press.modifiers, [&](int key) { return key == press.digit; });
        if (command != wxID_NONE)
            return command;
    }
    // What the key typed, the Shift it needed not counted: "Ctrl++" is
    // Ctrl with the key that types "+".
    int typedModifiers = press.modifiers;
    if (press.typed != press.unshifted)
        typedModifiers &= ~wxMOD_SHIFT;
    int command = find(typedModifiers, [&](int key) { return key >= '0' && key <= '9' ? false : names(key, press.typed); });
    if (command != wxID_NONE)
        return command;
    // The key's unshifted value with every modifier: "Ctrl+Shift+-" is the
    // "-" key with Ctrl and Shift, although it types "_".
    return find(press.modifiers, [&](int key) { return key >= '0' && key <= '9' ? false : names(key, press.unshifted); });
}

bool qxRunMenuCommand(wxWindow* frame, int command)
{
    if (!frame || command == wxID_NONE)
        return false;
    // A shortcut does what its menu item would: nothing while the item is
    // disabled.
    wxUpdateUIEvent update(command);
    update.SetEventObject(frame);
    frame->ProcessWindowEvent(update);
    if (update.GetSetEnabled() && !update.GetEnabled())
        return false;
    wxCommandEvent run(wxEVT_MENU, command);
    run.SetEventObject(frame);
    frame->ProcessWindowEvent(run);
    return true;
}
