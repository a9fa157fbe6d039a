#include "configdlg/QxIndicConfigDlg.h"

#include "configdlg/QxIndicOptParamConfiguratorPanal.h"
#include "trading/QxSeriesText.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

QxIndicInputSeriesPanel::QxIndicInputSeriesPanel(wxWindow* parent, QxIndicator* indicator, unsigned inputIndex)
    : wxPanel(parent, wxID_ANY), m_indicator(indicator), m_inputIndex(inputIndex)
{
    m_choice = new wxChoice(this, wxID_ANY);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_choice, 0, wxEXPAND | wxALL, 10);
    SetSizer(sizer);
}

bool QxIndicInputSeriesPanel::TransferDataToWindow()
{
    m_choice->Clear();
    m_ids.clear();
    const QxSeriesId& current = m_indicator->getInputSeries(m_inputIndex);
    wxString text;
    // An assigned indicator output stays on offer as the first entry.
    if (current.isValid() && !current.isPriceField() && seriesIdText(current, text)) {
        m_choice->Append(text);
        m_ids.push_back(current);
    }
    for (uint32_t kind = QxSeriesId::eSeriesOpen; kind <= QxSeriesId::eSeriesOpenInterest; kind <<= 1) {
        if (!priceFieldName(kind, text))
            continue;
        m_choice->Append(text);
        m_ids.push_back(QxSeriesId(kind));
    }
    // Unassigned, the input is fed the close.
    const uint32_t shown = current.isValid() ? current.kind() : uint32_t(QxSeriesId::eSeriesClose);
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i].kind() == shown) {
            m_choice->SetSelection(static_cast<int>(i));
            break;
        }
    return true;
}

bool QxIndicInputSeriesPanel::TransferDataFromWindow()
{
    const int sel = m_choice->GetSelection();
    if (sel == wxNOT_FOUND || static_cast<size_t>(sel) >= m_ids.size())
        return true;
    return m_indicator->setInputSeries(m_inputIndex, m_ids[sel]) == 0;
}

QxIndicGraphicsPanel::QxIndicGraphicsPanel(wxWindow* parent, QxIndicator* indicator)
    : wxPanel(parent, wxID_ANY), m_drawables(indicator->drawables(true))
{
    m_list = new wxListBox(this, wxID_ANY);
    auto* remove = new wxButton(this, wxID_ANY, _("&Remove"));
    remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        const int sel = m_list->GetSelection();
        if (sel != wxNOT_FOUND)
            removeDrawable(static_cast<unsigned>(sel));
    });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_list, 1, wxEXPAND | wxALL, 10);
    sizer->Add(remove, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(sizer);
    fillList();
}

void QxIndicGraphicsPanel::fillList()
{
    m_list->Clear();
    for (const auto& d : m_drawables)
        m_list->Append(d ? d->getDisplayText() : wxString());
}

bool QxIndicGraphicsPanel::removeDrawable(unsigned index)
{
    if (index >= m_drawables.size())
        return false;
    m_drawables.erase(m_drawables.begin() + index);
    fillList();
    return true;
}

QxIndicConfigDlg::QxIndicConfigDlg(QxIndicator* indicator, unsigned flags, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Indicator Configuration"), wxDefaultPosition, wxSize(420, 380),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    m_notebook = new wxNotebook(this, wxID_ANY);
    if ((flags & ePageParams) && !indicator->paramInfos().empty()) {
        m_paramPanel = new QxIndicOptParamConfiguratorPanal(m_notebook, indicator);
        m_notebook->AddPage(m_paramPanel, _("Parameters"));
    }
    if (flags & ePageInput) {
        const std::vector<uint32_t>& kinds = indicator->inputInfos();
        unsigned count = 0, index = 0;
        for (unsigned i = 0; i < kinds.size(); ++i)
            if (kinds[i] == QxSeriesId::eSeriesIndicator) {
                if (count++ == 0)
                    index = i;
            }
        if (count == 1) {
            m_inputPanel = new QxIndicInputSeriesPanel(m_notebook, indicator, index);
            m_notebook->AddPage(m_inputPanel, _("Input Series"));
        }
    }
    if (flags & ePageGraphics) {
        m_graphicsPanel = new QxIndicGraphicsPanel(m_notebook, indicator);
        m_notebook->AddPage(m_graphicsPanel, _("Graphics"));
    }

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_notebook, 1, wxEXPAND | wxALL, 8);
    sizer->Add(CreateSeparatedButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 8);
    SetSizer(sizer);
}

// The pages are filled, checked and read here, not by the framework's
// recursion over the children, so that each runs once and in page order.
bool QxIndicConfigDlg::TransferDataToWindow()
{
    // The parameter controls are made after construction, so the values are
    // shown when the dialog is about to appear.
    if (m_paramPanel) {
        m_paramPanel->Layout();
        m_paramPanel->TransferDataToWindow();
    }
    if (m_inputPanel)
        m_inputPanel->TransferDataToWindow();
    return true;
}

bool QxIndicConfigDlg::Validate()
{
    if (m_paramPanel && !m_paramPanel->Validate()) {
        m_notebook->SetSelection(static_cast<size_t>(m_notebook->FindPage(m_paramPanel)));
        return false;
    }
    return true;
}

bool QxIndicConfigDlg::TransferDataFromWindow()
{
    if (m_paramPanel && !m_paramPanel->TransferDataFromWindow())
        return false;
    if (m_inputPanel && !m_inputPanel->TransferDataFromWindow())
        return false;
    return true;
}
