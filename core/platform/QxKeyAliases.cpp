#include "core/platform/QxKeyAliases.h"

#include <wx/menu.h>

#include <memory>

std::vector<wxAcceleratorEntry> qxKeyAliases(int flags, int keyCode, int command)
{
    std::vector<wxAcceleratorEntry> out;
    // The key itself is listed too: GTK menus do not register accelerators
    // on "+" and "-" (nothing happens when they are pressed).
    if (keyCode == '+' || keyCode == WXK_ADD) {
        out.emplace_back(flags, '+', command);
        out.emplace_back(flags, '=', command);
        out.emplace_back(flags, WXK_NUMPAD_ADD, command);
    } else if (keyCode == '-' || keyCode == WXK_SUBTRACT) {
        out.emplace_back(flags, '-', command);
        if (flags & wxACCEL_SHIFT)
            out.emplace_back(flags, '_', command);
        out.emplace_back(flags, WXK_NUMPAD_SUBTRACT, command);
    } else if ((flags & wxACCEL_SHIFT) && keyCode >= '0' && keyCode <= '9') {
        // GTK menus never match Shift with a digit (they see the character
        // it types); the frame then gets the digit or that character.
        static const char shifted[] = ")!@#$%^&*(";
        out.emplace_back(flags, keyCode, command);
        out.emplace_back(flags, shifted[keyCode - '0'], command);
    }
    return out;
}

std::vector<wxAcceleratorEntry> qxMenuKeyAliases(const wxMenu* menu)
{
    std::vector<wxAcceleratorEntry> out;
    if (!menu)
        return out;
    for (const wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSubMenu()) {
            const auto sub = qxMenuKeyAliases(item->GetSubMenu());
            out.insert(out.end(), sub.begin(), sub.end());
            continue;
        }
        std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        if (!accel)
            continue;
        const auto aliases = qxKeyAliases(accel->GetFlags(), accel->GetKeyCode(), item->GetId());
        out.insert(out.end(), aliases.begin(), aliases.end());
    }
    return out;
}
