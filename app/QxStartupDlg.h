#pragma once
// The splash shown while the program starts: the product icon and name and
// a status line ("Trendoria is initializing ...", or the first-launch text
// the application puts there).
#include "app/FBStartupDlg.h"

class QxStartupDlg : public FBStartupDlg {
public:
    explicit QxStartupDlg(wxWindow* parent = nullptr);

    void setStatus(const wxString& text);
    wxString status() const;
    wxString titleText() const;
    // The icon shown (for checks of its size).
    wxBitmap iconBitmap() const;
};
