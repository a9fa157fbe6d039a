#include "trading/FBDlgConditionEditor.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBDlgConditionEditor::FBDlgConditionEditor(wxWindow* parent, wxWindowID id, const wxString& title,
                                           const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    m_heading = new wxStaticText(this, wxID_ANY, _("This Condition will be said to have occurred if:"));
    top->Add(m_heading, 0, wxALL, 5);

    auto* lists = new wxBoxSizer(wxHORIZONTAL);
    m_firstSeries = new wxChoice(this, wxID_ANY);
    lists->Add(m_firstSeries, 1, wxALL | wxEXPAND, 5);
    m_condition = new wxChoice(this, wxID_ANY);
    lists->Add(m_condition, 1, wxALL | wxEXPAND, 5);
    m_secondSeries = new wxChoice(this, wxID_ANY);
    lists->Add(m_secondSeries, 1, wxALL | wxEXPAND, 5);
    top->Add(lists, 0, wxEXPAND, 5);

    auto* hint = new wxBoxSizer(wxHORIZONTAL);
    m_bitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap);
    hint->Add(m_bitmap, 0, wxALL, 5);
    m_explanation = new wxStaticText(
        this, wxID_ANY,
        _("In most cases a Condition is a relationship between two data-series and a relationship is a Condition "
          "Operator.\nFirst and last drop down lists are for first and second data respectively.\nSecond drop "
          "down list is for Condition Operator that defines the relationship between the two data-series."));
    hint->Add(m_explanation, 1, wxALL, 5);
    top->Add(hint, 1, wxEXPAND, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    m_firstSeries->Bind(wxEVT_CHOICE, &FBDlgConditionEditor::onFirstSeriesChanged, this);
    m_condition->Bind(wxEVT_CHOICE, &FBDlgConditionEditor::onConditionChanged, this);
    m_secondSeries->Bind(wxEVT_CHOICE, &FBDlgConditionEditor::onSecondSeriesChanged, this);
    m_help->Bind(wxEVT_BUTTON, &FBDlgConditionEditor::onHelp, this);
    m_ok->Bind(wxEVT_BUTTON, &FBDlgConditionEditor::onOk, this);
}

FBDlgConditionEditor::~FBDlgConditionEditor()
{
    m_firstSeries->Unbind(wxEVT_CHOICE, &FBDlgConditionEditor::onFirstSeriesChanged, this);
    m_condition->Unbind(wxEVT_CHOICE, &FBDlgConditionEditor::onConditionChanged, this);
    m_secondSeries->Unbind(wxEVT_CHOICE, &FBDlgConditionEditor::onSecondSeriesChanged, this);
    m_help->Unbind(wxEVT_BUTTON, &FBDlgConditionEditor::onHelp, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBDlgConditionEditor::onOk, this);
}
