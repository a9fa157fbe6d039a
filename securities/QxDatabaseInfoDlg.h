#pragma once
// Shows which history database is in use: the data format (the display
// name of the reader that opened it) and its location.
#include "securities/FBDatabaseInfoDlg.h"

class QxDatabaseInfoDlg : public FBDatabaseInfoDlg {
public:
    explicit QxDatabaseInfoDlg(wxWindow* parent);

    wxString formatText() const { return m_format->GetValue(); }
    wxString locationText() const { return m_location->GetValue(); }

protected:
    void OnHelp(wxCommandEvent& event) override;
};
