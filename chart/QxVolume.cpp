#include "chart/QxVolume.h"

#include "chart/QxVolumeObj.h"
#include "core/QxErrorCode.h"

#include <wx/intl.h>

QxVolume::QxVolume() : m_graphic(new QxVolumeObj())
{
    m_graphic->setSeries(QxAtom("DATA"), QxSeriesId(QxSeriesId::eSeriesVolume));
    m_drawables.emplace_back(m_graphic.get());
}

QxVolume::QxVolume(const QxVolume& other)
    : QxIndicator(other), m_graphic(static_cast<QxVolumeObj*>(other.m_graphic->clone()))
{
    m_drawables.emplace_back(m_graphic.get());
}

QxVolume::~QxVolume() = default;

QxIndicator* QxVolume::clone(unsigned) const
{
    return new QxVolume(*this);
}

QxAtom QxVolume::getName() const
{
    static const QxAtom name("VOLUME");
    return name;
}

QxAtom QxVolume::getGroup() const
{
    static const QxAtom group("BASIC");
    return group;
}

wxString QxVolume::getDescription() const
{
    static const wxString text = _("Price Volume History");
    return text;
}

int QxVolume::getPlacement() const
{
    return ePlaceOverVolume;
}

const std::vector<uint32_t>& QxVolume::inputInfos() const
{
    static const std::vector<uint32_t> inputs{QxSeriesId::eSeriesVolume};
    return inputs;
}

const std::vector<QxParamInfo>& QxVolume::defaultParamInfos() const
{
    static const std::vector<QxParamInfo> none;
    return none;
}

const std::vector<QxParamInfo>& QxVolume::paramInfos() const
{
    return defaultParamInfos();
}

int QxVolume::setParam(unsigned, const QxValue&)
{
    return eNoError;
}

const std::vector<QxAtom>& QxVolume::outputInfos() const
{
    static const std::vector<QxAtom> none;
    return none;
}

int QxVolume::compute(const std::vector<QxSeries>&, std::vector<QxSeries>&)
{
    return eNoError;
}

const QxDrawableList& QxVolume::drawables(bool)
{
    return m_drawables;
}

void QxVolume::setDrawables(const QxDrawableList&) {}

wxXmlNode* QxVolume::toXml(wxXmlNode*, unsigned) const
{
    return nullptr;
}

int QxVolume::fromXml(const wxXmlNode*)
{
    return eNoError;
}
