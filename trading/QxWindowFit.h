#pragma once
// Dialogs whose generated sizes are too small for the fonts in use grow to
// what their sizer needs; they never shrink.
class wxWindow;

void growToFittingSize(wxWindow* window);
