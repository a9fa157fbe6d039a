#pragma once
// The base of every graphic an indicator paints: named input roles, each
// bound to a series id, whose series are fetched from a calculator at
// setup(), and an optional colour scheme.
#include "core/QxAtom.h"
#include "core/QxDataInfo.h"
#include "core/QxObject.h"
#include "core/QxSeries.h"
#include "core/QxSeriesId.h"

#include <wx/string.h>

#include <map>
#include <vector>

class QxCalculator;
class QxColorScheme;

// Fetches the series of one role of a drawable or colour scheme from the
// calculator's current period: an indicator-kind role takes its binding,
// any other role the price field of its kind, and an invalid id the close.
int qxFetchRoleSeries(QxCalculator* calculator, const QxDataInfo& role, const QxSeriesId& binding,
                      QxSeries& out);

class QxDrawable : public QxObject {
public:
    ~QxDrawable() override;

    virtual QxDrawable* clone() const = 0;
    virtual const QxAtom& getName() const = 0;
    virtual const wxString& getDisplayText() const = 0;
    // The roles of the drawable: name, description, series kind.
    virtual const std::vector<QxDataInfo>& getParamInfos() const = 0;
    // Fetches the series of every role from the calculator's current period,
    // then sets up the colour scheme.
    virtual int setup(QxCalculator* calculator);

    int setSeries(const QxAtom& role, const QxSeriesId& id);
    // The bound id, or the null id when the role is not bound.
    const QxSeriesId& getSeries(const QxAtom& role) const;
    // eSeriesNotAvailable when setup() fetched nothing for the role.
    int getDataSeries(const QxAtom& role, QxSeries& out) const;

    // eInvalidObject for null; otherwise holds the scheme.
    int setColorScheme(QxColorScheme* scheme);
    QxColorScheme* getColorScheme() const { return m_colorScheme.get(); }

protected:
    QxDrawable();
    // Copies the bindings and shares the colour scheme; fetched series are
    // not copied.
    QxDrawable(const QxDrawable& other);
    QxDrawable& operator=(const QxDrawable& other);

    // eInvalidInput for a series without values or valid bars.
    int setDataSeries(const QxAtom& role, const QxSeries& series);
    void reset();

private:
    std::map<QxAtom, QxSeriesId> m_bindings;
    std::map<QxAtom, QxSeries> m_dataSeries;
    QxObjectSmartPtr<QxColorScheme> m_colorScheme;
};
