#include "app/FBStartupDlg.h"

#include <wx/artprov.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

FBStartupDlg::FBStartupDlg(wxWindow* parent, wxWindowID id, const wxString& title,
                           const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    SetBackgroundColour(wxColour(222, 233, 244));

    auto* column = new wxBoxSizer(wxVERTICAL);

    m_bitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap, wxDefaultPosition, wxSize(128, 128), 0);
    column->Add(m_bitmap, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    m_title = new wxStaticText(this, wxID_ANY, _("Corvane Trendoria 2014"));
    m_title->Wrap(-1);
    m_title->SetFont(wxFont(15, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD));
    column->Add(m_title, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* labels = new wxBoxSizer(wxVERTICAL);
    const int pointSize = wxNORMAL_FONT->GetPointSize();
    const wxColour textColour(164, 0, 0);

    m_pleaseWait = new wxStaticText(this, wxID_ANY, _("Please wait ..."));
    m_pleaseWait->Wrap(-1);
    m_pleaseWait->SetFont(wxFont(pointSize, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
    m_pleaseWait->SetForegroundColour(textColour);
    labels->Add(m_pleaseWait, 1, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    m_status = new wxStaticText(this, wxID_ANY, _("Trendoria is initializing ..."));
    m_status->Wrap(-1);
    m_status->SetFont(wxFont(pointSize, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
    m_status->SetForegroundColour(textColour);
    labels->Add(m_status, 1, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    row->Add(labels, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    column->Add(row, 1, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    SetSizer(column);
    Layout();
    Centre(wxBOTH);
}

FBStartupDlg::~FBStartupDlg() = default;
