#pragma once
// The one export of a plug-in (a shared library named "*.trdx"):
//
//   TRDX_ENTRY bool trdxMain(int command);
//
// command 1: create the plug-in's object (on the first call) and register it;
// command 2: unregister it. The executable ignores the returned value.

#define TRDX_ENTRY extern "C" __attribute__((visibility("default")))

namespace QxPluginCommand {
enum : int {
    eLoad = 1,
    eUnload = 2,
};
}

using QxPluginEntryFn = bool (*)(int command);

// The symbol the loader looks for.
inline constexpr const char* kPluginEntryName = "trdxMain";
