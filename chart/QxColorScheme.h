#pragma once
// Decides the colour in which a drawable paints each bar. A scheme has named
// colour entries that the user edits and, like a drawable, named data roles
// bound to series and fetched from the calculator at setup(). Schemes are
// made by cloning a prototype of QxColorSchemeRegistry and persist as a
// "ColorScheme" element inside their drawable's element.
#include "chart/QxSeriesBindings.h"
#include "core/QxAtom.h"
#include "core/QxDataInfo.h"
#include "core/QxObject.h"
#include "core/QxSeries.h"
#include "core/QxSeriesId.h"

#include <wx/colour.h>
#include <wx/string.h>

#include <map>
#include <vector>

class QxCalculator;
class QxIndicator;
class wxXmlNode;

// One named colour of a scheme.
struct QxColorEntry {
    QxColorEntry() = default;
    QxColorEntry(const QxAtom& name_, const wxString& description_, const wxColour& colour_)
        : name(name_), description(description_), colour(colour_)
    {
    }

    QxAtom name;          // key of setColor, getColor and the XML
    wxString description; // translated, shown by the configuration panel
    wxColour colour;
};

class QxColorScheme : public QxObject {
public:
    ~QxColorScheme() override;

    virtual QxColorScheme* clone() const = 0;
    virtual const QxAtom& getName() const = 0;
    virtual const wxString& getDisplayText() const = 0;
    // True when one colour serves every bar.
    virtual bool isUniform() const;
    virtual const std::vector<QxDataInfo>& getDataParamInfos() const = 0;
    // The colour entries in their order; none in the base.
    virtual const std::vector<QxColorEntry>& getColorParamInfos() const;
    // Links a "ColorScheme" element named by getName() under parent.
    virtual wxXmlNode* toXml(const QxIndicator* owner, wxXmlNode* parent) const;
    virtual int fromXml(const QxIndicator* owner, const wxXmlNode* node);
    // eInvalidInput (nothing changed) for a name the scheme has no entry for.
    virtual int setColor(const QxAtom& name, const wxColour& colour);
    virtual int getColor(const QxAtom& name, wxColour& colour) const;
    // The colour of one bar; black in the base.
    virtual const wxColour& colorAt(unsigned bar) const;
    // Fetches every data role from the calculator's current period; every
    // fetched series is kept, whether or not it has values.
    virtual int setup(QxCalculator* calculator);

    int setSeries(const QxAtom& role, const QxSeriesId& id);
    const QxSeriesId& getSeries(const QxAtom& role) const;
    // eSeriesNotAvailable when setup() fetched nothing for the role.
    int getDataSeries(const QxAtom& role, QxSeries& out) const;

    // A clone of the registered prototype named by the element's "Name",
    // having read the element; null for an empty or unknown name, and null
    // with the code in rc when the element is damaged. The caller takes
    // ownership.
    static QxColorScheme* createFromXml(const QxIndicator* owner, const wxXmlNode* node, int* rc = nullptr);

protected:
    QxColorScheme();
    // Copies the bindings and the colour entries; fetched series are not
    // copied, so a clone needs its own setup().
    QxColorScheme(const QxColorScheme& other);
    QxColorScheme& operator=(const QxColorScheme& other);

    // The entries setColor() and getColor() work on.
    std::vector<QxColorEntry> m_colors;

private:
    QxSeriesBindings m_bindings;
    std::map<QxAtom, QxSeries> m_dataSeries;
};
