#pragma once
// Mouse and key input on a chart view for the tests that draw annotations.
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "chartview/QxPoint.h"

#include <wx/event.h>

namespace viewtest {

// Mouse and key input on a chart view as the user gives it, at device points.
struct Hand {
    QxChartView* view;

    void send(wxEventType type, const wxPoint& at, bool leftDown) const
    {
        wxMouseEvent e(type);
        e.SetPosition(at);
        e.SetLeftDown(leftDown);
        e.SetEventObject(view);
        view->ProcessWindowEvent(e);
    }
    void move(const wxPoint& at) const { send(wxEVT_MOTION, at, false); }
    void click(const wxPoint& at) const
    {
        move(at);
        send(wxEVT_LEFT_DOWN, at, true);
        send(wxEVT_LEFT_UP, at, false);
    }
    void drag(const wxPoint& from, const wxPoint& to) const
    {
        move(from);
        send(wxEVT_LEFT_DOWN, from, true);
        send(wxEVT_MOTION, (from + to) / 2, true);
        send(wxEVT_MOTION, to, true);
        send(wxEVT_LEFT_UP, to, false);
    }
    void key(int code) const
    {
        wxKeyEvent e(wxEVT_KEY_DOWN);
        e.m_keyCode = code;
        e.SetEventObject(view);
        view->ProcessWindowEvent(e);
    }
    // Where a device point lands in chart coordinates of the main zone, as
    // the handler places points there.
    QxPoint chart(const wxPoint& at) const
    {
        return view->deviceToChart(0, view->adjustY(at), QxChartFrame::snapTolerance());
    }
    wxPoint device(const QxPoint& p) const { return view->chartToDevice(0, p) - wxPoint(0, view->vertPos()); }
    // A device point at fractions of the main zone's plotting area.
    wxPoint at(double u, double v) const
    {
        const wxRect plot = view->getZoneInnerRect(0);
        return wxPoint(plot.x + int(u * plot.width), plot.y + int(v * plot.height) - view->vertPos());
    }
};

} // namespace viewtest
