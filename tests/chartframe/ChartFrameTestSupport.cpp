#include "ChartFrameTestSupport.h"

#include "support/FramesTestSupport.h"

namespace cframetest {

namespace {
// The program's art for every test of this folder.
[[maybe_unused]] const bool g_art = framestest::useProgramArt();
} // namespace

} // namespace cframetest
