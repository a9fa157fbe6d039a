#include "core/QxIndicSeriesSelector.h"

#include "trading/QxSeriesText.h"

namespace {

void addOutputs(QxIndicator* indicator, QxIndicatorList& indicators, std::vector<QxSeriesChoiceEntry>& entries)
{
    const uint32_t position = static_cast<uint32_t>(indicators.size());
    indicators.emplace_back(indicator);
    const size_t outputs = indicator->outputInfos().size();
    for (uint32_t i = 0; i < outputs; ++i) {
        QxSeriesChoiceEntry entry{wxString(), (i << 16) | position};
        indicatorSeriesText(indicator, i, entry.text);
        entries.push_back(entry);
    }
}

} // namespace

void listIndicatorSeries(QxIndicator* indicator, QxIndicatorList& indicators,
                         std::vector<QxSeriesChoiceEntry>& entries)
{
    if (!indicator)
        return;
    // Holds the indicator while its texts are made, whoever else holds it.
    QxObjectSmartPtr<QxIndicator> keep(indicator);
    addOutputs(indicator, indicators, entries);

    const std::vector<uint32_t>& inputs = indicator->inputInfos();
    for (unsigned i = 0; i < inputs.size(); ++i) {
        if (inputs[i] != QxSeriesId::eSeriesIndicator)
            continue;
        const QxSeriesId& source = indicator->getInputSeries(i);
        if (!source.isValid())
            continue;
        if (source.kind() == QxSeriesId::eSeriesIndicator && source.indicator())
            addOutputs(source.indicator(), indicators, entries);
        break; // only the first assigned input, one level deep
    }
}

QxIndicSeriesSelector::QxIndicSeriesSelector(QxIndicator* indicator, wxWindow* parent, const wxPoint& pos,
                                             const wxSize& size, const wxValidator& validator,
                                             const wxString& name)
    : wxChoice(parent, wxID_ANY, pos, size, 0, nullptr, 0, validator, name)
{
    std::vector<QxSeriesChoiceEntry> entries;
    listIndicatorSeries(indicator, m_indicators, entries);
    for (const QxSeriesChoiceEntry& entry : entries)
        Append(entry.text, reinterpret_cast<void*>(static_cast<uintptr_t>(entry.clientData)));
}

QxIndicSeriesSelector::~QxIndicSeriesSelector() = default;

void QxIndicSeriesSelector::addPriceFields()
{
    for (uint32_t kind : {QxSeriesId::eSeriesOpen, QxSeriesId::eSeriesHigh, QxSeriesId::eSeriesLow,
                          QxSeriesId::eSeriesClose, QxSeriesId::eSeriesVolume}) {
        wxString text;
        priceFieldName(kind, text);
        Append(text, reinterpret_cast<void*>(static_cast<uintptr_t>((kind << 16) | kPricePosition)));
    }
}

uint32_t QxIndicSeriesSelector::entryData(unsigned entry) const
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetClientData(entry)));
}

void QxIndicSeriesSelector::setSelectedSeries(const QxSeriesId& id)
{
    if (id.kind() < QxSeriesId::eSeriesIndicator) {
        const uint32_t wanted = (id.kind() << 16) | kPricePosition;
        for (unsigned i = 0; i < GetCount(); ++i)
            if (entryData(i) == wanted) {
                SetSelection(static_cast<int>(i));
                return;
            }
        return;
    }
    if (!id.isValid() || id.kind() != QxSeriesId::eSeriesIndicator || !id.indicator())
        return;
    uint32_t position = 0;
    while (position < m_indicators.size() && m_indicators[position].get() != id.indicator())
        ++position;
    if (position == m_indicators.size())
        return;
    const uint32_t wanted = (id.outputIndex() << 16) | position;
    for (unsigned i = 0; i < GetCount(); ++i) {
        if (entryData(i) == wanted) {
            SetSelection(static_cast<int>(i));
            return;
        }
    }
}

QxSeriesId QxIndicSeriesSelector::getSelectedSeries() const
{
    const int selection = GetSelection();
    if (selection == wxNOT_FOUND)
        return QxSeriesId::null();
    const uint32_t data = entryData(static_cast<unsigned>(selection));
    const uint32_t position = data & 0xFFFFu;
    if (position == kPricePosition)
        return QxSeriesId(data >> 16);
    if (position >= m_indicators.size())
        return QxSeriesId::null();
    return QxSeriesId(m_indicators[position].get(), data >> 16);
}
