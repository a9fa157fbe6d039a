#include "chartframe/FBChartExportDlg.h"

FBChartExportDlg::FBChartExportDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                   const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    m_mainSizer = new wxBoxSizer(wxVERTICAL);
    auto* range = new wxBoxSizer(wxHORIZONTAL);
    m_startLabel = new wxStaticText(this, wxID_ANY, _("&Start Date:"));
    range->Add(m_startLabel, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_startDate = new wxDatePickerCtrl(this, wxID_ANY, wxDefaultDateTime);
    range->Add(m_startDate, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_endLabel = new wxStaticText(this, wxID_ANY, _("&End Date:"));
    range->Add(m_endLabel, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_endDate = new wxDatePickerCtrl(this, wxID_ANY, wxDefaultDateTime);
    range->Add(m_endDate, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_updatePreview = new wxButton(this, wxID_ANY, _("&Update preview"));
    range->Add(m_updatePreview, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_mainSizer->Add(range, 0, wxEXPAND, 5);
    m_previewLabel = new wxStaticText(this, wxID_ANY, _("Preview:"));
    m_mainSizer->Add(m_previewLabel, 0, wxLEFT | wxRIGHT | wxTOP, 5);
    SetSizer(m_mainSizer);

    Bind(wxEVT_INIT_DIALOG, &FBChartExportDlg::onInitDialog, this);
    m_updatePreview->Bind(wxEVT_BUTTON, &FBChartExportDlg::onUpdatePreview, this);
}

FBChartExportDlg::~FBChartExportDlg()
{
    Unbind(wxEVT_INIT_DIALOG, &FBChartExportDlg::onInitDialog, this);
    m_updatePreview->Unbind(wxEVT_BUTTON, &FBChartExportDlg::onUpdatePreview, this);
}
