#pragma once
// Menu shortcuts as a user's hands mean them, whatever the keyboard layout.
// A GTK keyboard sends what a key types, not what is printed in the menu:
// "+" needs Shift on most layouts, Shift with a digit types "!" or "\"" or,
// on a French keyboard, the digit itself (the unshifted key types "&"),
// and GTK menus match none of these reliably. QxMenuKeys reads the key
// press against the active key map instead: a digit shortcut matches the
// key that carries that digit; "+" and "-" match the key that types them,
// with the Shift it took not counted, the keypad's + and -, and "=" (the
// "+" key of US-like layouts); and a shifted shortcut also matches the key
// whose unshifted value it names ("Ctrl+Shift+-" is Ctrl+Shift with the
// "-" key, which types "_").
#include <wx/event.h>

#include <utility>
#include <vector>

class wxMenu;

// One key press as the active layout has it.
struct QxKeyPress {
    int modifiers = 0;      // wxMOD_CONTROL, wxMOD_SHIFT, wxMOD_ALT held
    int typed = 0;          // what the key typed: a character or a WXK_ code
    int unshifted = 0;      // what the same key types without Shift
    int shifted = 0;        // what it types with Shift; 0 when not known
    int digit = 0;          // '0'..'9' when the key carries a digit (number row), else 0

    // What the event's key map says; without an X key map, the event's
    // own key code stands for all three.
    static QxKeyPress of(const wxKeyEvent& event);
};

class QxMenuKeys {
public:
    QxMenuKeys() = default;
    // The shortcuts of the menu and its submenus that name a digit, "+" or
    // "-"; other shortcuts work through the toolkit's own menus.
    explicit QxMenuKeys(const wxMenu* menu);

    struct Shortcut {
        int modifiers; // wxMOD_ flags
        int key;       // '0'..'9', '+' or '-'
        int command;
    };
    explicit QxMenuKeys(std::vector<Shortcut> shortcuts) : m_shortcuts(std::move(shortcuts)) {}

    // The command of the shortcut the press means, wxID_NONE for none.
    int commandFor(const QxKeyPress& press) const;
    const std::vector<Shortcut>& shortcuts() const { return m_shortcuts; }

private:
    std::vector<Shortcut> m_shortcuts;
};

// Sends the command of a shortcut to a frame as its menu item would, when
// the item is enabled (asked through the frame's update handlers); true
// when the command was sent.
bool qxRunMenuCommand(wxWindow* frame, int command);
