#pragma once
// The smallest piece of a trading system: a test of one bar that compares a
// first series with a second series or a constant, or looks at the first
// series alone. Signals hold lists of them; every evaluation of a trading
// system ends in QxCondition::evaluate.
#include "core/QxAtom.h"
#include "core/QxObject.h"
#include "core/QxSeriesId.h"

#include <wx/string.h>

#include <cstddef>
#include <memory>
#include <typeinfo>

class QxCalculator;
struct QxSeries;
class wxXmlNode;

class QxCondition : public QxObject {
public:
    ~QxCondition() override;

    // The kind's name as files store it ("CrossOverUp"); never translated,
    // so a file reads back under any interface language.
    virtual QxAtom getName() const = 0;
    // The generic text of the kind, or the specific one naming both series
    // once they are valid.
    virtual wxString getDescription() const = 0;
    // A new condition of the same kind with copies of both ids (the
    // indicators are shared, not cloned); reference count 0.
    virtual QxCondition* clone() const = 0;
    // True only for the kinds that look at the first series alone.
    virtual bool isSingleSeries() const { return false; }
    // Whether the condition holds at bar. Never an error: whatever cannot
    // be computed (no series, bar outside the valid range, NaN) is false.
    virtual bool evaluate(QxCalculator* calculator, unsigned bar) const;

    // Whether evaluate is the one of the seven kinds, which reads nothing but
    // the two series: then a caller that evaluates many bars of one history
    // may fetch the series once and test the bars over their arrays
    // (QxResolvedSystem). False for kinds that evaluate bars their own way.
    virtual bool evaluatesOverSeries() const { return false; }
    // The comparison of the kind, for such callers.
    bool test(double a, double a1, double b, double b1) const { return holds(a, a1, b, b1); }
    // The same over n bars in a row: out[i] = test(a[i], a[i - 1], b[i],
    // b[i - 1]), with a[-1] and b[-1] read; without b (a single series, or a
    // constant) b and b1 are value.
    virtual void testBars(const double* a, const double* b, double value, size_t n, unsigned char* out) const;
    // The values of bar and bar - 1 of a series the calculator gave, as
    // evaluate reads them; false when the bar is not strictly after the
    // first valid bar, or beyond the last one.
    static bool barValues(const QxSeries& series, unsigned bar, double& now, double& before);

    // The kind's name in the interface language, for lists and texts.
    wxString getDisplayName() const;

    const QxSeriesId& getFirstSeries() const { return m_first; }
    const QxSeriesId& getSecondSeries() const { return m_second; }
    // eInvalidSeriesId (nothing changed) for an invalid id, else 0.
    int setFirstSeries(const QxSeriesId& id);
    int setSecondSeries(const QxSeriesId& id);

    // A "Condition" element under parent, or null (nothing written) while
    // the first series is invalid. A condition read from a file with a series
    // this run could not make (an indicator of a plug-in not loaded, say)
    // writes back the element it was read from, until a series is set.
    wxXmlNode* toXml(wxXmlNode* parent) const;
    // A new condition of the kind the element names, or null.
    static QxCondition* fromXml(const wxXmlNode* node);

protected:
    QxCondition() = default;
    QxCondition(const QxCondition& other) = default;

    // The comparison of the kind: a and b at the bar, a1 and b1 at the bar
    // before it (b and b1 undefined for single-series kinds).
    virtual bool holds(double a, double a1, double b, double b1) const = 0;

private:
    QxSeriesId m_first;
    QxSeriesId m_second;
    // The element as read, kept while one of its series could not be read;
    // shared by clones, never changed.
    std::shared_ptr<const wxXmlNode> m_unread;
};

// The seven kinds; each adds no field.
#define QX_DECLARE_CONDITION(Class, SingleSeries)                                                                \
    class Class : public QxCondition {                                                                           \
    public:                                                                                                      \
        Class() = default;                                                                                       \
        QxAtom getName() const override;                                                                         \
        wxString getDescription() const override;                                                                \
        QxCondition* clone() const override { return new Class(*this); }                                          \
        bool isSingleSeries() const override { return SingleSeries; }                                            \
        bool evaluatesOverSeries() const override { return typeid(*this) == typeid(Class); }                     \
                                                                                                                 \
        void testBars(const double* a, const double* b, double value, size_t n,                                  \
                      unsigned char* out) const override;                                                        \
                                                                                                                 \
    protected:                                                                                                   \
        bool holds(double a, double a1, double b, double b1) const override;                                     \
    };

QX_DECLARE_CONDITION(QxAbove, false)
QX_DECLARE_CONDITION(QxBelow, false)
QX_DECLARE_CONDITION(QxEqual, false)
QX_DECLARE_CONDITION(QxCrossOverUp, false)
QX_DECLARE_CONDITION(QxCrossOverDown, false)
QX_DECLARE_CONDITION(QxMovesUp, true)
QX_DECLARE_CONDITION(QxMovesDown, true)

#undef QX_DECLARE_CONDITION
