#pragma once
// Dialogs whose generated sizes are too small for the fonts in use grow to
// what their sizer needs; they never shrink.
class wxWindow;

// Sets the window's size to the larger, in each dimension, of its current
// size and the fitting size its sizer computes; nothing without a sizer.
void growToFittingSize(wxWindow* window);
