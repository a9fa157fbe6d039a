#include "configdlg/QxGraphicConfigRules.h"

#include "chart/QxDrawable.h"
#include "chart/QxDrawableRegistry.h"
#include "core/QxIndicator.h"
#include "trading/QxSeriesText.h"

namespace {

bool isSingleBit(uint32_t kind) { return kind != 0 && (kind & (kind - 1)) == 0; }

size_t outputCountOf(const QxIndicator* indicator) { return indicator ? indicator->outputInfos().size() : 0; }

} // namespace

const std::vector<uint32_t>& inputPriceKinds()
{
    static const std::vector<uint32_t> kinds{QxSeriesId::eSeriesOpen, QxSeriesId::eSeriesHigh,
                                             QxSeriesId::eSeriesLow, QxSeriesId::eSeriesClose,
                                             QxSeriesId::eSeriesVolume};
    return kinds;
}

uint32_t inputEntryValue(unsigned position, unsigned output)
{
    if (position >= kMaxInputSources || output >= kMaxInputSources)
        return 0;
    return QxSeriesId::eSeriesIndicator + (position << 16) + (output << 24);
}

QxSeriesId inputEntrySeries(uint32_t value, const QxIndicatorList& sources)
{
    if (value < QxSeriesId::eSeriesIndicator)
        return QxSeriesId(value);
    const size_t position = (value >> 16) & 255;
    const uint32_t output = value >> 24;
    if (position >= sources.size())
        return QxSeriesId();
    // The constructor leaves the id null for a missing indicator or output.
    return QxSeriesId(sources[position].get(), output);
}

uint32_t inputEntryValueOf(const QxSeriesId& id, const QxIndicatorList& sources)
{
    const uint32_t kind = id.kind();
    if (!isSingleBit(kind))
        return QxSeriesId::eSeriesClose;
    if (kind < QxSeriesId::eSeriesIndicator) {
        for (uint32_t price : inputPriceKinds())
            if (price == kind)
                return kind;
        return 0;
    }
    if (kind == QxSeriesId::eSeriesIndicator) {
        if (!id.indicator() || id.outputIndex() >= outputCountOf(id.indicator()))
            return QxSeriesId::eSeriesClose;
        for (size_t p = 0; p < sources.size(); ++p)
            if (sources[p].get() == id.indicator())
                return inputEntryValue(static_cast<unsigned>(p), id.outputIndex());
        return 0;
    }
    if (kind == QxSeriesId::eSeriesConstant)
        return 0;
    return QxSeriesId::eSeriesClose;
}

size_t dataRoleCount(const QxDrawable& drawable)
{
    size_t count = 0;
    for (const QxDataInfo& role : drawable.getParamInfos())
        if (role.kind == QxSeriesId::eSeriesIndicator)
            ++count;
    return count;
}

std::vector<QxAtom> offeredGraphicKinds(size_t outputCount)
{
    std::vector<QxAtom> kinds;
    QxDrawableRegistry& registry = QxDrawableRegistry::instance();
    for (const QxAtom& name : registry.getNames()) {
        if (name.isNull())
            continue;
        const QxDrawable* prototype = registry.find(name);
        if (prototype && dataRoleCount(*prototype) <= outputCount)
            kinds.push_back(name);
    }
    return kinds;
}

void bindNewGraphicRoles(QxDrawable& drawable, QxIndicator* indicator)
{
    const size_t outputs = outputCountOf(indicator);
    size_t next = 0;
    for (const QxDataInfo& role : drawable.getParamInfos()) {
        if (role.kind == QxSeriesId::eSeriesIndicator) {
            drawable.setSeries(role.name, next < outputs ? QxSeriesId(indicator, static_cast<uint32_t>(next))
                                                         : QxSeriesId());
            if (outputs > 0)
                next = (next + 1) % outputs;
        } else if (role.kind > QxSeriesId::eSeriesIndicator) {
            drawable.setSeries(role.name, QxSeriesId::constant(0.0));
        }
    }
}

QxGraphicButtonStates graphicButtonStates(long selected, size_t count)
{
    QxGraphicButtonStates states;
    if (selected < 0 || static_cast<size_t>(selected) >= count)
        return states;
    const size_t i = static_cast<size_t>(selected);
    states.modify = true;
    states.remove = count > 1;
    states.moveUp = count > 1 && i > 0;
    states.moveDown = count > 1 && i + 1 < count;
    return states;
}

wxString describeGraphic(const QxDrawable& drawable)
{
    wxString text;
    for (const QxDataInfo& role : drawable.getParamInfos()) {
        if (role.kind < QxSeriesId::eSeriesIndicator)
            continue;
        const QxSeriesId& id = drawable.getSeries(role.name);
        wxString value;
        if (role.kind == QxSeriesId::eSeriesIndicator) {
            // No reference of our own: releasing it would set off the
            // teardown of an indicator that only its own graphics hold.
            indicatorSeriesText(id.indicator(), id.outputIndex(), value);
        } else {
            value = wxString::Format("%.2lf", id.value());
        }
        if (!text.empty())
            text << ", ";
        text << role.text << "= " << value;
    }
    return text;
}
