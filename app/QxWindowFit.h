#pragma once
// Growing a window so that its sizer's contents fit, never shrinking it.
class wxWindow;

// Sets the window's size to the larger, in each dimension, of its current
// size and the fitting size its sizer computes; nothing without a sizer.
void fitWindowToSizer(wxWindow* window);
