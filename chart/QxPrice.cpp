#include "chart/QxPrice.h"

#include "chart/QxPriceObj.h"
#include "core/QxErrorCode.h"

#include <wx/intl.h>

QxPrice::QxPrice() : m_graphic(new QxPriceObj())
{
    m_drawables.emplace_back(m_graphic.get());
}

QxPrice::QxPrice(const QxPrice& other)
    : QxIndicator(other), m_graphic(static_cast<QxPriceObj*>(other.m_graphic->clone()))
{
    m_drawables.emplace_back(m_graphic.get());
}

QxPrice::~QxPrice() = default;

QxIndicator* QxPrice::clone(unsigned) const
{
    return new QxPrice(*this);
}

QxAtom QxPrice::getName() const
{
    static const QxAtom name("PRICE");
    return name;
}

QxAtom QxPrice::getGroup() const
{
    static const QxAtom group("BASIC");
    return group;
}

wxString QxPrice::getDescription() const
{
    static const wxString text = _("Price History");
    return text;
}

int QxPrice::getPlacement() const
{
    return ePlaceOverPrice;
}

const std::vector<uint32_t>& QxPrice::inputInfos() const
{
    static const std::vector<uint32_t> inputs{QxSeriesId::eSeriesOpen,   QxSeriesId::eSeriesHigh,
                                              QxSeriesId::eSeriesLow,    QxSeriesId::eSeriesClose,
                                              QxSeriesId::eSeriesVolume, QxSeriesId::eSeriesOpenInterest};
    return inputs;
}

const std::vector<QxParamInfo>& QxPrice::defaultParamInfos() const
{
    static const std::vector<QxParamInfo> none;
    return none;
}

const std::vector<QxParamInfo>& QxPrice::paramInfos() const
{
    return defaultParamInfos();
}

int QxPrice::setParam(unsigned, const QxValue&)
{
    return eNoError;
}

const std::vector<QxAtom>& QxPrice::outputInfos() const
{
    static const std::vector<QxAtom> none;
    return none;
}

int QxPrice::compute(const std::vector<QxSeries>&, std::vector<QxSeries>&)
{
    return eNoError;
}

const QxDrawableList& QxPrice::drawables(bool)
{
    return m_drawables;
}

void QxPrice::setDrawables(const QxDrawableList&) {}

wxXmlNode* QxPrice::toXml(wxXmlNode*, unsigned) const
{
    return nullptr;
}

int QxPrice::fromXml(const wxXmlNode*)
{
    return eNoError;
}
