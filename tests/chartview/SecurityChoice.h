#pragma once
// Runs a command of a frame that starts by asking for a security, choosing
// the given one in the selection dialog as a user would.
#include "support/FramesTestSupport.h"
#include "core/QxDatabase.h"
#include "core/QxSecurity.h"
#include "securities/QxSecurityListCtrl.h"
#include "securities/QxSymbolSelectionDlg.h"

#include <wx/app.h>
#include <wx/timer.h>

// The id the dialog ended with, 0 when the choice failed.
inline unsigned runCommandChoosing(wxWindow* frame, int command, QxDatabase* database, unsigned securityId)
{
    unsigned chosen = 0;
    // The selection dialog runs modally; the choice is made inside its loop.
    framestest::DialogCatcher catcher([&](wxDialog* dialog) {
        auto* selector = dynamic_cast<QxSymbolSelectionDlg*>(dialog);
        if (!selector)
            return int(wxID_CANCEL);
        wxTheApp->CallAfter([&, selector] {
            QxObjectSmartPtr<QxSecurity> security(database->getSecurity(securityId));
            if (!selector->selectCategory(security->category()))
                return selector->EndModal(wxID_CANCEL);
            QxSecurityListCtrl* list = selector->securityList();
            for (long row = 0; row < list->GetItemCount(); ++row) {
                QxSecurity* at = list->securityAt(row);
                list->Select(row, at && at->id() == securityId);
            }
            if (selector->confirmSelection())
                chosen = selector->getSelectedIds().front();
            else
                selector->EndModal(wxID_CANCEL);
        });
        return int(wxID_NONE);
    });
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
        if (QxSymbolSelectionDlg::instance() && QxSymbolSelectionDlg::instance()->IsModal())
            QxSymbolSelectionDlg::instance()->EndModal(wxID_CANCEL);
    });
    guard.StartOnce(10000);
    wxCommandEvent event(wxEVT_MENU, command);
    event.SetEventObject(frame);
    frame->ProcessWindowEvent(event);
    return chosen;
}
