#include "app/FBAboutBoxBase.h"

#include <wx/sizer.h>

FBAboutBoxBase::FBAboutBoxBase(wxWindow* parent, wxWindowID id, const wxString& title,
                               const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    SetBackgroundColour(wxColour(222, 233, 244));

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    m_icon = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap, wxDefaultPosition, wxSize(128, 128));
    top->Add(m_icon, 0, wxALL, 20);

    auto* right = new wxBoxSizer(wxVERTICAL);
    m_title = new wxStaticText(this, wxID_ANY, _("Corvane Trendoria 2012"));
    wxFont titleFont = m_title->GetFont();
    titleFont.SetPointSize(15);
    titleFont.SetWeight(wxFONTWEIGHT_BOLD);
    m_title->SetFont(titleFont);
    right->Add(m_title, 0, wxTOP | wxRIGHT, 20);
    m_build = new wxStaticText(this, wxID_ANY, "<build#>");
    right->Add(m_build, 0, wxTOP | wxBOTTOM, 5);
    right->AddStretchSpacer(1);

    auto* maker = new wxBoxSizer(wxHORIZONTAL);
    m_logo = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap, wxDefaultPosition, wxSize(64, 64));
    maker->Add(m_logo, 0, wxTOP | wxBOTTOM | wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);
    m_notice = new wxStaticText(this, wxID_ANY,
                                _("Copyright (C) 2014 Corvane. All rights reserved.\n"
                                  "Provided as is, without warranty of any kind."));
    maker->Add(m_notice, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    right->Add(maker, 0, wxEXPAND | wxTOP | wxBOTTOM, 5);
    right->AddStretchSpacer(1);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer(1);
    m_thirdPartyLicense = new wxButton(this, wxID_ANY, _("Third party license ..."));
    buttons->Add(m_thirdPartyLicense, 0, wxALL, 5);
    m_close = new wxButton(this, wxID_OK, _("Close"));
    buttons->Add(m_close, 0, wxALL, 5);
    right->Add(buttons, 0, wxEXPAND | wxBOTTOM | wxRIGHT, 15);

    top->Add(right, 1, wxEXPAND, 5);
    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &FBAboutBoxBase::OnInitDialog, this);
    m_thirdPartyLicense->Bind(wxEVT_BUTTON, &FBAboutBoxBase::OnThirdPartyLicense, this);
}

FBAboutBoxBase::~FBAboutBoxBase()
{
    Unbind(wxEVT_INIT_DIALOG, &FBAboutBoxBase::OnInitDialog, this);
    m_thirdPartyLicense->Unbind(wxEVT_BUTTON, &FBAboutBoxBase::OnThirdPartyLicense, this);
}
