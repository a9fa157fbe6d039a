#pragma once
// The start of a benchmark that opens the program's windows: the benchmark
// library takes its arguments, the settings the application writes go to a
// scratch home, and the toolkit starts as the tests start it.
#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The scratch home, for the benchmark to remove at its end; empty (said on
// standard error where it helps) when the run cannot go on.
inline std::string startBenchmarkGui(int& argc, char** argv, const char* name)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return std::string();
    const std::string pattern = std::string("/tmp/") + name + "-home-XXXXXX";
    std::vector<char> home(pattern.begin(), pattern.end());
    home.push_back('\0');
    if (!mkdtemp(home.data()))
        return std::string();
    const std::string path(home.data());
    setenv("HOME", path.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (path + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (path + "/.local/share").c_str(), 1);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot start the GUI toolkit (is DISPLAY set?)\n");
        return std::string();
    }
    return path;
}
