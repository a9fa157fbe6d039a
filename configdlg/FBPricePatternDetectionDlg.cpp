#include "configdlg/FBPricePatternDetectionDlg.h"

#include "configdlg/wxPenPicker.h"
#include "ui/QxDialogLayout.h"

#include <wx/artprov.h>
#include <wx/sizer.h>

FBPricePatternDetectionDlg::FBPricePatternDetectionDlg(wxWindow* parent, wxWindowID id, const wxString& title,
                                                       const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* header = new wxBoxSizer(wxHORIZONTAL);
    m_icon = new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_OTHER));
    header->Add(m_icon, 0, wxALL, 5);
    m_message = new wxStaticText(
        this, wxID_ANY, _("Please provide configuration parameters for detecting patterns\nin price movement."));
    header->Add(m_message, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(header, 0, wxEXPAND, 5);

    auto* grid = new wxFlexGridSizer(3, 2, 0, 0);
    grid->AddGrowableCol(1);
    const auto row = [&](const wxString& label, wxWindow* field, wxWindow* beside) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
        auto* line = new wxBoxSizer(wxHORIZONTAL);
        line->Add(field, 1, wxALIGN_CENTER_VERTICAL, 0);
        line->Add(beside, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, 5);
        grid->Add(line, 1, wxALL | wxEXPAND, 5);
    };
    m_filter = new wxSpinCtrlDouble(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                    wxSP_ARROW_KEYS);
    row(_("Noise &filter:"), m_filter, new wxStaticText(this, wxID_ANY, "%"));
    m_topPenPicker = new wxPenPicker(this, wxID_ANY);
    m_topColour = new wxColourPickerCtrl(this, wxID_ANY, *wxBLACK);
    row(_("Line style for &uptrend reversal pattern:"), m_topPenPicker, m_topColour);
    m_bottomPenPicker = new wxPenPicker(this, wxID_ANY);
    m_bottomColour = new wxColourPickerCtrl(this, wxID_ANY, *wxBLACK);
    row(_("Line style for &down-trend reversal pattern:"), m_bottomPenPicker, m_bottomColour);
    top->Add(grid, 1, wxEXPAND, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    m_topColour->Bind(wxEVT_COLOURPICKER_CHANGED, &FBPricePatternDetectionDlg::onTopColourChanged, this);
    m_bottomColour->Bind(wxEVT_COLOURPICKER_CHANGED, &FBPricePatternDetectionDlg::onBottomColourChanged, this);
    m_ok->Bind(wxEVT_BUTTON, &FBPricePatternDetectionDlg::onOK, this);
    m_help->Bind(wxEVT_BUTTON, &FBPricePatternDetectionDlg::onHelp, this);
}

FBPricePatternDetectionDlg::~FBPricePatternDetectionDlg()
{
    m_topColour->Unbind(wxEVT_COLOURPICKER_CHANGED, &FBPricePatternDetectionDlg::onTopColourChanged, this);
    m_bottomColour->Unbind(wxEVT_COLOURPICKER_CHANGED, &FBPricePatternDetectionDlg::onBottomColourChanged, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBPricePatternDetectionDlg::onOK, this);
    m_help->Unbind(wxEVT_BUTTON, &FBPricePatternDetectionDlg::onHelp, this);
}
