#pragma once
// The base of every graphic an indicator paints into a zone: named input
// roles, each bound to a series id, whose series are fetched from a
// calculator at setup() and painted through two scales at display(), an
// optional colour scheme, the drawable's XML element and its cached value
// range. Concrete drawables are made by cloning a prototype of
// QxDrawableRegistry.
#include "chart/QxRange.h"
#include "chart/QxSeriesBindings.h"
#include "core/QxAtom.h"
#include "core/QxDataInfo.h"
#include "core/QxObject.h"
#include "core/QxSeries.h"
#include "core/QxSeriesId.h"

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <map>
#include <vector>

class QxCalculator;
class QxColorScheme;
class QxIndicator;
class QxScale;
class wxDC;
class wxXmlNode;

// Fetches the series of one role of a drawable or colour scheme from the
// calculator's current period: an indicator-kind role takes its binding,
// any other role the price field of its kind, and an invalid id the close.
int qxFetchRoleSeries(QxCalculator* calculator, const QxDataInfo& role, const QxSeriesId& binding,
                      QxSeries& out);

class QxDrawable : public QxObject {
public:
    ~QxDrawable() override;

    virtual QxDrawable* clone() const = 0;
    // The type name ("SOLIDLINE", "HISTOGRAM" ...), also the XML element name.
    virtual const QxAtom& getName() const = 0;
    virtual const wxString& getDisplayText() const = 0;
    // The roles of the drawable: name, description, series kind.
    virtual const std::vector<QxDataInfo>& getParamInfos() const = 0;
    // Paints bars first..last: xScale maps a bar index to x, yScale a value
    // to y; highlight asks for an emphasised form. The base paints nothing
    // and returns eNotImplemented.
    virtual int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                        bool highlight) const;
    // The room in pixels (in y) needed above (top) and below (bottom) the
    // zone's value range; eNotImplemented in the base, which sets nothing.
    virtual int getMargins(unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                           wxPoint& top, wxPoint& bottom) const;
    // A sample of the drawable with the text of its series, for legends;
    // the null bitmap in the base.
    virtual wxBitmap getLegend(const wxFont& font, const wxColour& textColour, const wxColour& backgroundColour,
                               int sampleLength) const;
    // Links the drawable's element under parent: "Params" with the role
    // bindings stored in files, then the colour scheme's element.
    virtual wxXmlNode* toXml(const QxIndicator* owner, wxXmlNode* parent) const;
    virtual int fromXml(const QxIndicator* owner, const wxXmlNode* node);
    // Fetches the series of every role from the calculator's current period,
    // then sets up the colour scheme.
    virtual int setup(QxCalculator* calculator);

    int setSeries(const QxAtom& role, const QxSeriesId& id);
    // The bound id, or the null id when the role is not bound.
    const QxSeriesId& getSeries(const QxAtom& role) const;
    // eSeriesNotAvailable when setup() fetched nothing for the role.
    int getDataSeries(const QxAtom& role, QxSeries& out) const;

    // eInvalidObject for null (the held scheme stays); otherwise holds the scheme.
    int setColorScheme(QxColorScheme* scheme);
    // The held scheme. Without one and with createDefault, a clone of the
    // registered "UniColorScheme" is made, held and returned.
    QxColorScheme* getColorScheme(bool createDefault = false) const;

    // The value range over bars first..last of the data series and constant
    // bindings, cached for the same bars; it only widens until the next
    // setup() or stored series. Empty (upper below lower) when nothing
    // contributed.
    QxRange<double> getDataRange(unsigned first, unsigned last) const;
    // Whether the zone's scale must reach down (or up) to 0 for what this
    // draws: bars of amounts read their lengths from the zero line.
    virtual bool rangeIncludesZero() const { return false; }

    // A clone of the registered prototype named exactly by the element,
    // having read the element; null for an unknown or empty name, and null
    // with the code in rc when the element is damaged. The caller takes
    // ownership.
    static QxDrawable* createFromXml(const QxIndicator* owner, const wxXmlNode* node, int* rc = nullptr);

protected:
    QxDrawable();
    // Copies the bindings and shares the colour scheme; fetched series are
    // not copied and the value range starts empty.
    QxDrawable(const QxDrawable& other);
    QxDrawable& operator=(const QxDrawable& other);

    // eInvalidInput for a series without values or valid bars; otherwise
    // stores it and empties the cached value range.
    int setDataSeries(const QxAtom& role, const QxSeries& series);
    void reset();

    // For painters. The scheme that colours bar by bar, or null when one
    // colour serves all (no scheme, or a uniform one).
    const QxColorScheme* perBarScheme() const;
    // The colour when one serves all bars: the scheme's colour of bar 0, or
    // fallback without a scheme.
    wxColour uniformColour(const wxColour& fallback) const;
    // The value range of a scale; empty when the scale does not tell it.
    static QxRange<double> scaleRange(const QxScale& scale);
    // The pixel of value, kept between the pixels of the scale's ends.
    static int clampedPixel(const QxScale& scale, double value);

private:
    QxSeriesBindings m_bindings;
    std::map<QxAtom, QxSeries> m_dataSeries;
    mutable QxRange<double> m_range;
    mutable unsigned m_rangeFirst;
    mutable unsigned m_rangeLast;
    mutable QxObjectSmartPtr<QxColorScheme> m_colorScheme;
};
