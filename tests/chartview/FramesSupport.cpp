// The frame tests' helpers (running application, dialog catcher, screen
// shots), built into this test program as well.
#include "app/frames/FramesTestSupport.cpp"
