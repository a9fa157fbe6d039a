#pragma once
// The chart document frame. Only the command that opens a saved chart is
// here so far; chart files are not read yet, so it says so.
class QxChartFrame {
public:
    // Asks for a chart file and opens it in a new chart frame, reporting its
    // own failures.
    static void openChartFile();
};
