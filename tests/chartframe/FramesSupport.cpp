// The frame tests' helpers (running application, dialog catcher), built into
// this test program as well for the chart file tests.
#include "app/frames/FramesTestSupport.cpp"
