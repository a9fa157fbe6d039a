#include "configdlg/QxIndicInputConfiguratorPanel.h"

#include "core/QxIndicator.h"
#include "trading/QxSeriesText.h"

#include <wx/choice.h>
#include <wx/sizer.h>

QxIndicInputConfiguratorPanel::QxIndicInputConfiguratorPanel(QxIndicator* indicator, unsigned inputIndex,
                                                             wxWindow* parent)
    : wxPanel(parent, wxID_ANY), m_indicator(indicator), m_inputIndex(inputIndex)
{
    m_choice = new wxChoice(this, wxID_ANY);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_choice, 0, wxEXPAND | wxALL, 10);
    SetSizer(sizer);
    fill();
}

void QxIndicInputConfiguratorPanel::fill()
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
}

bool QxIndicInputConfiguratorPanel::TransferDataFromWindow()
{
    const int sel = m_choice->GetSelection();
    if (sel == wxNOT_FOUND || static_cast<size_t>(sel) >= m_ids.size())
        return true;
    return m_indicator->setInputSeries(m_inputIndex, m_ids[sel]) == 0;
}
