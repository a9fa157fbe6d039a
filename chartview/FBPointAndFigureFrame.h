#pragma once
// Layout of the point-and-figure frame: the "&Point and Figure" menu with
// "&Modify chart parameter", recorded as a menu the frame adds to its copy
// of the shared menu bar, and its command wired to a handler that passes the
// event on unless a subclass overrides it.
#include "app/QxChildFrameForMenuTrick.h"

#include <wx/menu.h>

enum QxPnfCommandId : int {
    QxID_PNF_MODIFY = 1000,
    QxID_PNF_ZOOM_IN = 1018,
    QxID_PNF_ZOOM_OUT = 1019,
    QxID_PNF_ZOOM_NORMAL = 1020,
    QxID_PNF_ZOOM_MAX_OUT = 1021,
    QxID_PNF_ZOOM_MAX_IN = 1022,
};

class FBPointAndFigureFrame : public QxChildFrameForMenuTrick {
public:
    FBPointAndFigureFrame();
    ~FBPointAndFigureFrame() override;

protected:
    wxMenu* m_pnfMenu;

    virtual void onModifyParams(wxCommandEvent& event) { event.Skip(); }
};
