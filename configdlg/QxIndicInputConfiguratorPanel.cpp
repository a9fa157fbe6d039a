#include "configdlg/QxIndicInputConfiguratorPanel.h"

#include "app/QxApplication.h"
#include "configdlg/QxGraphicConfigRules.h"
#include "configdlg/QxIndicatorSelectionDlg.h"
#include "core/QxIndicator.h"
#include "trading/QxSeriesText.h"

#include <wx/button.h>

#include <algorithm>
#include <wx/choice.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

QxIndicInputConfiguratorPanel::QxIndicInputConfiguratorPanel(QxIndicator* indicator, unsigned inputIndex,
                                                             wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL), m_indicator(indicator),
      m_inputIndex(inputIndex)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY,
                                _("You can use price field or output of another indicator as input to this "
                                  "indicator.")),
               0, wxALL, 5);
    auto* grid = new wxFlexGridSizer(0, 2, 0, 0);
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(this, wxID_ANY, _("Input &Series:")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_choice = new wxChoice(this, wxID_ANY);
    grid->Add(m_choice, 1, wxEXPAND | wxALL, 5);
    sizer->Add(grid, 0, wxEXPAND);
    m_add = new wxButton(this, wxID_ANY, _("Add series from indicator output..."));
    sizer->Add(m_add, 0, wxALL, 5);
    SetSizer(sizer);

    for (uint32_t kind : inputPriceKinds()) {
        wxString text;
        priceFieldName(kind, text);
        appendEntry(text, kind);
    }
    const QxSeriesId current = indicator->getInputSeries(inputIndex);
    if (current.kind() == QxSeriesId::eSeriesIndicator && current.isValid())
        addIndicatorOutputs(current.indicator());
    selectSeries(current);

    m_choice->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { applySelection(); });
    m_add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { addFromIndicatorOutput(); });
}

void QxIndicInputConfiguratorPanel::appendEntry(const wxString& text, uint32_t value)
{
    m_choice->Append(text);
    m_values.push_back(value);
}

bool QxIndicInputConfiguratorPanel::addIndicatorOutputs(QxIndicator* source)
{
    if (!source || m_sources.size() >= kMaxInputSources)
        return false;
    const unsigned position = static_cast<unsigned>(m_sources.size());
    m_sources.push_back(QxObjectSmartPtr<QxIndicator>(source));
    const size_t outputs = std::min<size_t>(source->outputInfos().size(), kMaxInputSources);
    for (unsigned i = 0; i < outputs; ++i) {
        wxString text;
        indicatorSeriesText(source, i, text);
        appendEntry(text, inputEntryValue(position, i));
    }
    // Past the last position an entry value can name, nothing more is added.
    m_add->Enable(m_sources.size() < kMaxInputSources);
    Layout();
    return true;
}

void QxIndicInputConfiguratorPanel::selectSeries(const QxSeriesId& id)
{
    const uint32_t value = inputEntryValueOf(id, m_sources);
    if (value == 0)
        return;
    for (size_t i = 0; i < m_values.size(); ++i)
        if (m_values[i] == value) {
            m_choice->SetSelection(static_cast<int>(i));
            return;
        }
}

void QxIndicInputConfiguratorPanel::applySelection()
{
    const int sel = m_choice->GetSelection();
    if (sel == wxNOT_FOUND || static_cast<size_t>(sel) >= m_values.size())
        return;
    // A refused input (a cycle) leaves the indicator's as it was.
    m_indicator->setInputSeries(m_inputIndex, inputEntrySeries(m_values[sel], m_sources));
}

bool QxIndicInputConfiguratorPanel::TransferDataFromWindow()
{
    applySelection();
    return true;
}

void QxIndicInputConfiguratorPanel::addFromIndicatorOutput()
{
    if (m_sources.size() >= kMaxInputSources)
        return;
    QxApplication* app = QxApplication::getApp();
    // A private dialog: the shared one may be running already.
    QxIndicatorSelectionDlg dlg(app ? app->activeFrame() : nullptr);
    QxObjectSmartPtr<QxIndicator> chosen(dlg.chooseIndicator(5, false));
    if (!chosen || chosen->outputInfos().empty())
        return;
    if (!addIndicatorOutputs(chosen.get()))
        return;
    m_choice->SetSelection(static_cast<int>(m_choice->GetCount()) - 1);
    applySelection();
}
