#pragma once
// The home ("gateway") frame the program opens at start-up. At most one
// exists; closing it while no other frame is open ends the program.
#include <wx/frame.h>

class QxGatewayFrame : public wxFrame {
public:
    // Builds the frame, registers it with the application and shows it.
    QxGatewayFrame();
    // Clears the process-wide pointer and leaves the application's frame list.
    ~QxGatewayFrame() override;

    // The home frame, or null when none is open.
    static QxGatewayFrame* instance();

protected:
    virtual void OnActivate(wxActivateEvent& event);
    virtual void OnClose(wxCloseEvent& event);
    virtual void OnSize(wxSizeEvent& event);
};
