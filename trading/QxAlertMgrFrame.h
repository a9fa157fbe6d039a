#pragma once
// The alert manager's top-level window; at most one is open.
#include "app/QxCommonFrame.h"
#include "core/platform/QxFramePlacement.h"

class QxAlertMgrPanel;

class QxAlertMgrFrame : public QxCommonFrame {
public:
    QxAlertMgrFrame();
    ~QxAlertMgrFrame() override;

    // The open frame, or null.
    static QxAlertMgrFrame* instance() { return s_instance; }
    // Opens the frame when none is open, then gives it the focus.
    static QxAlertMgrFrame* showFrame();

    QxAlertMgrPanel* panel() const { return m_panel; }

protected:
    void OnSize(wxSizeEvent& event) override;

private:
    static inline QxAlertMgrFrame* s_instance = nullptr;
    QxAlertMgrPanel* m_panel = nullptr;
    QxFramePlacement m_placement;
};
