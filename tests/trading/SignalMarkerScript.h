#pragma once
// Steps of a scripted user in the signal-marker dialog: opening the
// trading-system manager from it, and choosing a system there.
#include "trading/DlgSystemManager.h"
#include "trading/QxSignalMarkerConfigDlg.h"

#include "support/ModalScript.h"

#include <wx/listctrl.h>

namespace tradingtest {

// Clicks "Select System..." once the current step has returned: the click
// opens the manager modally, which the next step handles.
inline void openManagerLater(QxSignalMarkerConfigDlg* dlg)
{
    dlg->CallAfter([dlg] { TestSupport::ModalScript::press(dlg, dlg->selectSystemButton()->GetId()); });
}

// Selects the row of name in the manager and presses OK.
inline void chooseInManager(DlgSystemManager* manager, const wxString& name)
{
    for (wxWindow* child : manager->GetChildren())
        if (auto* list = dynamic_cast<wxListView*>(child))
            for (long row = 0; row < list->GetItemCount(); ++row)
                list->Select(row, list->GetItemText(row) == name);
    TestSupport::ModalScript::press(manager, wxID_OK);
}

} // namespace tradingtest
