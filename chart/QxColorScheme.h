#pragma once
// Decides the colour in which a drawable paints each bar. Like a drawable it
// has named data roles bound to series and fetched at setup().
#include "core/QxAtom.h"
#include "core/QxDataInfo.h"
#include "core/QxObject.h"
#include "core/QxSeries.h"
#include "core/QxSeriesId.h"

#include <wx/string.h>

#include <map>
#include <vector>

class QxCalculator;

class QxColorScheme : public QxObject {
public:
    ~QxColorScheme() override;

    virtual QxColorScheme* clone() const = 0;
    virtual const QxAtom& getName() const = 0;
    virtual const wxString& getDisplayText() const = 0;
    virtual const std::vector<QxDataInfo>& getDataParamInfos() const = 0;
    // Fetches every data role from the calculator's current period; every
    // fetched series is kept, whether or not it has values.
    virtual int setup(QxCalculator* calculator);

    int setSeries(const QxAtom& role, const QxSeriesId& id);
    const QxSeriesId& getSeries(const QxAtom& role) const;
    // eSeriesNotAvailable when setup() fetched nothing for the role.
    int getDataSeries(const QxAtom& role, QxSeries& out) const;

protected:
    QxColorScheme();
    // Copies the bindings; fetched series are not copied.
    QxColorScheme(const QxColorScheme& other);
    QxColorScheme& operator=(const QxColorScheme& other);

private:
    std::map<QxAtom, QxSeriesId> m_bindings;
    std::map<QxAtom, QxSeries> m_dataSeries;
};
