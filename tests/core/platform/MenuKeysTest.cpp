// Which menu shortcut a key press means, from what the keyboard's layout
// says of the key: the presses of a US, a German and a French keyboard.
#include "core/platform/QxMenuKeys.h"

#include <gtest/gtest.h>

#include <wx/defs.h>

namespace {

QxKeyPress press(int modifiers, int typed, int unshifted, int shifted, int digit = 0)
{
    QxKeyPress p;
    p.modifiers = modifiers;
    p.typed = typed;
    p.unshifted = unshifted;
    p.shifted = shifted;
    p.digit = digit;
    return p;
}

} // namespace

TEST(MenuKeys, PressesMeanTheShortcutsTheirKeysShow)
{
    const int ctrl = wxMOD_CONTROL, ctrlShift = wxMOD_CONTROL | wxMOD_SHIFT;
    // The chart menu's shortcuts that name a digit, "+" or "-".
    const QxMenuKeys keys(std::vector<QxMenuKeys::Shortcut>{
        {ctrl, '1', 1010}, {ctrlShift, '1', 1015}, {ctrlShift, '9', 1014}, {ctrl, '+', 1018},
        {ctrl, '-', 1019}, {ctrl, '0', 1020}, {ctrlShift, '-', 1021}, {ctrlShift, '+', 1022}});
    const int kpAdd = WXK_NUMPAD_ADD, kpSub = WXK_NUMPAD_SUBTRACT;
    struct Case {
        const char* what;
        QxKeyPress press;
        int command;
    };
    const Case cases[] = {
        {"US Ctrl+1", press(ctrl, '1', '1', '!', '1'), 1010},
        {"US Ctrl+Shift+1 types !", press(ctrlShift, '!', '1', '!', '1'), 1015},
        {"German Ctrl+Shift+9 types )", press(ctrlShift, ')', '9', ')', '9'), 1014},
        {"French Ctrl with the 1 key types &", press(ctrl, '&', '&', '1', '1'), 1010},
        {"French Ctrl+Shift+1 types 1", press(ctrlShift, '1', '&', '1', '1'), 1015},
        {"French Ctrl with the 0 key", press(ctrl, 0xE0, 0xE0, '0', '0'), 1020},
        {"US Ctrl+= ", press(ctrl, '=', '=', '+', 0), 1018},
        {"US Ctrl++ is Ctrl+Shift+=", press(ctrlShift, '+', '=', '+', 0), 1018},
        {"German Ctrl++ has its own key", press(ctrl, '+', '+', '*', 0), 1018},
        {"German Ctrl+Shift++ types *", press(ctrlShift, '*', '+', '*', 0), 1022},
        {"German Ctrl+Shift+0 types = but is no plus key", press(ctrlShift, '=', '0', '=', '0'), wxID_NONE},
        {"keypad plus", press(ctrl, kpAdd, kpAdd, kpAdd, 0), 1018},
        {"keypad plus with Shift", press(ctrlShift, kpAdd, kpAdd, kpAdd, 0), 1022},
        {"Ctrl+-", press(ctrl, '-', '-', '_', 0), 1019},
        {"keypad minus", press(ctrl, kpSub, kpSub, kpSub, 0), 1019},
        {"Ctrl+Shift+- types _", press(ctrlShift, '_', '-', '_', 0), 1021},
        {"French Ctrl+Shift with the - key types 6", press(ctrlShift, '6', '-', '6', '6'), 1021},
        {"no Ctrl", press(0, '+', '+', '*', 0), wxID_NONE},
        {"Alt as well", press(ctrl | wxMOD_ALT, '1', '1', '!', '1'), wxID_NONE},
        // Without a key map (the event's own code for everything) the
        // toolkit's US reading still works.
        {"no key map: Ctrl+=", press(ctrl, '=', '=', 0, 0), 1018},
        {"no key map: Ctrl+Shift+1", press(ctrlShift, '1', '1', 0, '1'), 1015},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keys.commandFor(c.press), c.command) << c.what;
}
