#pragma once
// The chart document frame: one top-level frame per chart view, the view
// filling its centre pane, with the shared menu bar and the one-field status
// bar in which the view shows the values under the pointer.
#include "app/QxChildFrameForMenuTrick.h"

#include <wx/pen.h>

class QxChartView;

class QxChartFrame : public QxChildFrameForMenuTrick {
public:
    // Sized from the global settings; not shown yet.
    QxChartFrame();
    ~QxChartFrame() override;

    // Attaches the view as the centre pane; only the first call acts.
    void setChartView(QxChartView* view);
    QxChartView* getChartView() const { return m_view; }

    // The pen new annotations get.
    virtual wxPen getDefaultPen() const;

    // Number of chart frames alive.
    static unsigned openFrameCount() { return s_openFrames; }

    // Asks for a chart file and opens it in a new chart frame, reporting its
    // own failures.
    static void openChartFile();

private:
    void onSetFocus(wxFocusEvent& event);

    QxChartView* m_view = nullptr; // a child window, destroyed with the frame
    static unsigned s_openFrames;
};
