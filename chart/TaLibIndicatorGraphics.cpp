// TaLibIndicator: its default graphics and the XML of its drawables, made
// of the chart's graphic classes, so they live with them.
#include "core/TaLibIndicator.h"

#include "core/QxErrorCode.h"

#include "chart/QxDottedCurve.h"
#include "chart/QxDrawableRegistry.h"
#include "chart/QxHistogram.h"
#include "chart/QxHorzLine.h"
#include "chart/QxInvertedMountain.h"
#include "chart/QxLongDashCurve.h"
#include "chart/QxMarks.h"
#include "chart/QxMountain.h"
#include "chart/QxMountainBand.h"
#include "chart/QxSarColorScheme.h"
#include "chart/QxShortDashCurve.h"
#include "chart/QxSolidCurve.h"
#include "chart/QxUniColorScheme.h"
#include "core/ta/QxTaFunctionSet.h"

#include <wx/xml/xml.h>

#include <cstdlib>
#include <ctime>
#include <map>

namespace {

const QxAtom& role(const char* name)
{
    // Role names are few and fixed: intern each once.
    static std::map<std::string, QxAtom> atoms;
    auto it = atoms.find(name);
    if (it == atoms.end())
        it = atoms.emplace(name, QxAtom(name)).first;
    return it->second;
}

// A colour the generator picks, kept dark enough to read on white. The
// generator is seeded with the time in seconds each time, so outputs
// coloured within one second share their colour.
wxColour randomColour()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    const int r = std::rand() % 175;
    const int g = std::rand() % 175;
    const int b = std::rand() % 175;
    return wxColour(r, g, b);
}

// Builds the default drawables of one indicator.
class Builder {
public:
    explicit Builder(TaLibIndicator* indicator) : m_indicator(indicator) {}

    // Appends drawable in colour with one binding per (role, id) pair.
    QxDrawable* add(QxDrawable* drawable, const wxColour& colour,
                    std::initializer_list<std::pair<const char*, QxSeriesId>> bindings)
    {
        QxObjectSmartPtr<QxColorScheme> scheme(new QxUniColorScheme(*wxBLACK));
        scheme->setColor(role("COLOR"), colour);
        drawable->setColorScheme(scheme.get());
        for (const auto& b : bindings)
            drawable->setSeries(role(b.first), b.second);
        m_list.emplace_back(drawable);
        return drawable;
    }
    // Marks of output 0 in the SAR scheme, which compares it with the close.
    void addSarMarks()
    {
        auto* marks = new QxMarks;
        QxObjectSmartPtr<QxColorScheme> scheme(new QxSarColorScheme);
        scheme->setSeries(role("SAR"), output(0));
        marks->setColorScheme(scheme.get());
        marks->setSeries(role("DATA"), output(0));
        m_list.emplace_back(marks);
    }

    // The null id when k is beyond the indicator's outputs.
    QxSeriesId output(uint32_t k) const { return QxSeriesId(m_indicator, k); }
    static QxSeriesId constant(double v) { return QxSeriesId::constant(v); }

    QxDrawableList take() { return std::move(m_list); }

private:
    TaLibIndicator* m_indicator;
    QxDrawableList m_list;
};

} // namespace

QxDrawableList TaLibIndicator::createDefaultDrawables()
{
    Builder b(this);
    const wxString name = m_name.string();
    if (name == "BBANDS" || name == "ACCBANDS") {
        const bool bollinger = name == "BBANDS";
        b.add(new QxMountainBand, bollinger ? wxColour(231, 231, 190) : wxColour(220, 220, 0),
              {{"LOWER_CLIFF", b.output(2)}, {"UPPER_CLIFF", b.output(0)}});
        b.add(new QxShortDashCurve, wxColour(175, 175, 145), {{"DATA", b.output(1)}});
        if (bollinger) {
            b.add(new QxSolidCurve, *wxRED, {{"DATA", b.output(0)}});
            b.add(new QxSolidCurve, *wxBLUE, {{"DATA", b.output(2)}});
        }
    } else if (name == "ADX") {
        b.add(new QxMountain, wxColour(228, 228, 200), {{"BASE", b.constant(0.0)}, {"CLIFF", b.output(0)}});
        b.add(new QxMountain, wxColour(255, 255, 0), {{"BASE", b.constant(20.0)}, {"CLIFF", b.output(0)}});
        b.add(new QxSolidCurve, *wxBLACK, {{"DATA", b.output(0)}});
        b.add(new QxSolidCurve, *wxGREEN, {{"DATA", b.output(1)}});
        b.add(new QxSolidCurve, *wxRED, {{"DATA", b.output(2)}});
    } else if (name == "RSI") {
        b.add(new QxHorzLine(wxPENSTYLE_DOT), wxColour(10, 0, 0), {{"YOffset", b.constant(70.0)}});
        b.add(new QxMountain, wxColour(255, 0, 0), {{"BASE", b.constant(70.0)}, {"CLIFF", b.output(0)}});
        b.add(new QxHorzLine(wxPENSTYLE_DOT), wxColour(0, 10, 0), {{"YOffset", b.constant(30.0)}});
        b.add(new QxInvertedMountain, wxColour(0, 255, 0), {{"BASE", b.constant(30.0)}, {"CLIFF", b.output(0)}});
        b.add(new QxSolidCurve, *wxBLACK, {{"DATA", b.output(0)}});
    } else if (name == "SAR" || name == "SAREXT") {
        b.addSarMarks();
    } else if (name == "STOCH" || name == "STOCHF") {
        b.add(new QxSolidCurve, *wxBLUE, {{"DATA", b.output(0)}});
        b.add(new QxSolidCurve, *wxRED, {{"DATA", b.output(1)}});
    } else if (m_function) {
        // The rest by the output's drawing hint and name.
        for (unsigned k = 0; k < m_function->nbOutput; ++k) {
            const TA_OutputParameterInfo* out = nullptr;
            if (QxTaFunctionSet::getOutputParameterInfo(m_function->handle, k, &out) != TA_SUCCESS || !out)
                continue;
            const int flags = out->flags;
            const wxString raw(out->paramName ? out->paramName : "");
            QxDrawable* drawable;
            if (flags & TA_OUT_LINE)
                drawable = new QxSolidCurve;
            else if (flags & TA_OUT_DOT_LINE)
                drawable = new QxDottedCurve;
            else if (flags & TA_OUT_DASH_LINE)
                drawable = new QxLongDashCurve;
            else if (flags & TA_OUT_DOT)
                drawable = new QxDottedCurve;
            else if (flags & TA_OUT_HISTO)
                drawable = new QxHistogram;
            else
                drawable = new QxSolidCurve;
            wxColour colour;
            if (raw.Contains("Signal"))
                colour = wxColour(255, 0, 0);
            else if (raw.Contains("Up"))
                colour = wxColour(0, 255, 0);
            else if (raw.Contains("Down"))
                colour = wxColour(255, 0, 0);
            else if (flags & TA_OUT_HISTO)
                colour = wxColour(88, 168, 208);
            else if (raw.Contains("Lead"))
                colour = wxColour(255, 0, 0);
            else if (flags & (TA_OUT_DOT_LINE | TA_OUT_DASH_LINE | TA_OUT_DOT))
                colour = wxColour(255, 0, 0);
            else
                colour = randomColour();
            b.add(drawable, colour, {{"DATA", b.output(k)}});
        }
    }
    return b.take();
}

void TaLibIndicator::drawablesToXml(wxXmlNode* element) const
{
    auto* list = new wxXmlNode(element, wxXML_ELEMENT_NODE, "Drawables");
    // Each drawable's element becomes the list's first child: written from
    // the back, the document keeps the list order.
    for (size_t i = m_drawables.size(); i-- > 0;) {
        if (!m_drawables[i])
            continue;
        if (wxXmlNode* node = m_drawables[i]->toXml(this, list))
            node->AddAttribute("Index", wxString::Format("%d", static_cast<int>(i)));
    }
}

int TaLibIndicator::drawablesFromXml(const wxXmlNode* element)
{
    const wxXmlNode* list = nullptr;
    for (const wxXmlNode* child = element->GetChildren(); child && !list; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE && child->GetName().IsSameAs("Drawables", false))
            list = child;
    if (!list)
        return eNoError;
    // The element that stands for each index, a later one replacing an
    // earlier; drawables are made only for these, so none made here is
    // dropped again (each would hold and release this indicator).
    std::map<long, const wxXmlNode*> byIndex;
    for (const wxXmlNode* child = list->GetChildren(); child; child = child->GetNext()) {
        wxString text;
        long index = 0;
        if (child->GetType() != wxXML_ELEMENT_NODE || !child->GetAttribute("Index", &text) ||
            !text.ToLong(&index, 10) || !QxDrawableRegistry::instance().find(QxAtom(child->GetName())))
            continue;
        byIndex[index] = child;
    }
    QxDrawableList read;
    for (const auto& entry : byIndex) {
        int rc = eNoError;
        QxObjectSmartPtr<QxDrawable> drawable(QxDrawable::createFromXml(this, entry.second, &rc));
        if (rc != eNoError)
            return rc; // a damaged drawable: the indicator is refused
        if (drawable)
            read.push_back(drawable);
    }
    if (!read.empty())
        setDrawables(read);
    return eNoError;
}
