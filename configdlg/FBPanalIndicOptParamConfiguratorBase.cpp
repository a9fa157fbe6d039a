#include "configdlg/FBPanalIndicOptParamConfiguratorBase.h"

#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

FBPanalIndicOptParamConfiguratorBase::FBPanalIndicOptParamConfiguratorBase(wxWindow* parent, wxWindowID id,
                                                                           const wxPoint& pos, const wxSize& size,
                                                                           long style)
    : wxPanel(parent, id, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* header = new wxBoxSizer(wxHORIZONTAL);
    m_bitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap);
    header->Add(m_bitmap, 0, wxALL, 5);
    auto* texts = new wxBoxSizer(wxVERTICAL);
    m_fullName = new wxStaticText(this, wxID_ANY, _("<Full name of indicator>"), wxDefaultPosition,
                                  wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL);
    m_fullName->SetFont(wxFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetPointSize(),
                               wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
    texts->Add(m_fullName, 0, wxALL | wxEXPAND, 5);
    m_explanation = new wxStaticText(this, wxID_ANY, _("Configure partameters of indicator."));
    texts->Add(m_explanation, 0, wxALL, 5);
    header->Add(texts, 1, wxEXPAND, 5);
    top->Add(header, 0, wxEXPAND, 5);

    m_paramGrid = new wxFlexGridSizer(0, 2, 0, 0);
    m_paramGrid->AddGrowableCol(1);
    m_paramGrid->SetFlexibleDirection(wxBOTH);
    top->Add(m_paramGrid, 0, wxEXPAND, 5);

    SetSizer(top);
    Layout();

    Bind(wxEVT_INIT_DIALOG, &FBPanalIndicOptParamConfiguratorBase::onInitDialog, this);
}

FBPanalIndicOptParamConfiguratorBase::~FBPanalIndicOptParamConfiguratorBase()
{
    Unbind(wxEVT_INIT_DIALOG, &FBPanalIndicOptParamConfiguratorBase::onInitDialog, this);
}
