#include "chart/QxUniColorScheme.h"

#include <wx/intl.h>

QxUniColorScheme::QxUniColorScheme(const wxColour& colour)
{
    m_colors.emplace_back(QxAtom("COLOR"), _("Color"), colour);
}

QxColorScheme* QxUniColorScheme::clone() const
{
    return new QxUniColorScheme(*this);
}

const QxAtom& QxUniColorScheme::getName() const
{
    static const QxAtom name("UniColorScheme");
    return name;
}

const wxString& QxUniColorScheme::getDisplayText() const
{
    static const wxString text = _("Uni Color Scheme");
    return text;
}

bool QxUniColorScheme::isUniform() const
{
    return true;
}

const std::vector<QxDataInfo>& QxUniColorScheme::getDataParamInfos() const
{
    static const std::vector<QxDataInfo> none;
    return none;
}

const wxColour& QxUniColorScheme::colorAt(unsigned) const
{
    return m_colors.front().colour;
}
