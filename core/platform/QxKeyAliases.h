#pragma once
// Menu accelerators written with "+" or "-" name characters, but a GTK
// keyboard sends keys: on most layouts "+" is Shift with "=", and Shift with
// "-" gives "_"; GTK menus register no accelerator on "+" or "-" at all;
// and Shift with a digit arrives as the character it types ("!" for 1).
// These helpers give the frame's accelerator table the keys a user presses.
#include <wx/accel.h>

#include <vector>

// The entries that make accelerator (flags, key) reachable, all running
// command: for '+' the key itself, the "=" key and the keypad plus with the
// same modifiers; for '-' the key itself, the keypad minus and, with Shift,
// the "_" key; for a digit with Shift the digit itself and the character
// Shift makes of it on a US keyboard. Other keys need none (the menu's own accelerator works).
std::vector<wxAcceleratorEntry> qxKeyAliases(int flags, int keyCode, int command);

// The aliases of every item of menu (and its submenus) whose accelerator
// needs them.
std::vector<wxAcceleratorEntry> qxMenuKeyAliases(const class wxMenu* menu);
