#include "trading/QxCondition.h"

#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxSeries.h"
#include "trading/QxConditionFactory.h"
#include "trading/QxSeriesText.h"

#include <wx/intl.h>
#include <wx/xml/xml.h>

namespace {

wxString text(const QxSeriesId& id)
{
    wxString out;
    seriesIdText(id, out);
    return out;
}

wxString describe(const QxCondition& condition, const wxString& generic, const wxString& between,
                  const wxString& after)
{
    const QxSeriesId& first = condition.getFirstSeries();
    if (!first.isValid())
        return generic;
    if (condition.isSingleSeries())
        return text(first) + between;
    const QxSeriesId& second = condition.getSecondSeries();
    if (!second.isValid())
        return generic;
    return text(first) + between + text(second) + after;
}

const wxXmlNode* childNamed(const wxXmlNode* node, const char* name)
{
    for (const wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE && child->GetName().IsSameAs(name, false))
            return child;
    return nullptr;
}

} // namespace

QxCondition::~QxCondition() = default;

void QxCondition::testBars(const double* a, const double* b, double value, size_t n, unsigned char* out) const
{
    for (size_t i = 0; i < n; ++i)
        out[i] = b ? holds(a[i], a[i - 1], b[i], b[i - 1]) : holds(a[i], a[i - 1], value, value);
}

bool QxCondition::barValues(const QxSeries& series, unsigned bar, double& now, double& before)
{
    // A series' first valid bar is never evaluated.
    if (!series.values || !(static_cast<uint32_t>(series.first) < bar) || !(bar <= static_cast<uint32_t>(series.last)))
        return false;
    // Values before base are not stored; a view that claims them is not read.
    if (static_cast<int64_t>(bar) - 1 < series.base)
        return false;
    now = *series.at(static_cast<int32_t>(bar));
    before = *series.at(static_cast<int32_t>(bar) - 1);
    return true;
}

wxString QxCondition::getDisplayName() const { return wxGetTranslation(getName().string()); }

int QxCondition::setFirstSeries(const QxSeriesId& id)
{
    if (!id.isValid())
        return eInvalidSeriesId;
    m_first = id;
    m_unread.reset();
    return eNoError;
}

int QxCondition::setSecondSeries(const QxSeriesId& id)
{
    if (!id.isValid())
        return eInvalidSeriesId;
    m_second = id;
    m_unread.reset();
    return eNoError;
}

bool QxCondition::evaluate(QxCalculator* calculator, unsigned bar) const
{
    if (!calculator)
        return false;
    QxSeries first;
    double a = 0, a1 = 0;
    if (calculator->getDataSeries(m_first, first) != eNoError || !barValues(first, bar, a, a1))
        return false;
    double b = 0, b1 = 0;
    if (!isSingleSeries()) {
        if (m_second.kind() == QxSeriesId::eSeriesConstant) {
            b = b1 = m_second.value();
        } else {
            QxSeries second;
            if (calculator->getDataSeries(m_second, second) != eNoError || !barValues(second, bar, b, b1))
                return false;
        }
    }
    // Every comparison below is false with a NaN operand.
    return holds(a, a1, b, b1);
}

wxXmlNode* QxCondition::toXml(wxXmlNode* parent) const
{
    if (m_unread) {
        auto* node = new wxXmlNode(*m_unread);
        if (parent)
            parent->AddChild(node);
        return node;
    }
    if (!m_first.isValid())
        return nullptr;
    auto* node = new wxXmlNode(parent, wxXML_ELEMENT_NODE, "Condition");
    node->AddAttribute("Name", getName().string());
    m_first.toXml(node)->SetName("FirstSeries");
    if (!isSingleSeries())
        m_second.toXml(node)->SetName("SecondSeries");
    return node;
}

QxCondition* QxCondition::fromXml(const wxXmlNode* node)
{
    if (!node || node->GetType() != wxXML_ELEMENT_NODE)
        return nullptr;
    const wxString name = node->GetAttribute("Name");
    if (name.empty())
        return nullptr;
    const QxCondition* prototype = QxConditionFactory::instance()->findByText(name);
    if (!prototype)
        return nullptr;
    QxCondition* condition = prototype->clone();
    if (!condition)
        return nullptr;
    // Unreadable or invalid ids leave the null id: such a condition is
    // kept and evaluates to false.
    const wxXmlNode* first = childNamed(node, "FirstSeries");
    const wxXmlNode* second = condition->isSingleSeries() ? nullptr : childNamed(node, "SecondSeries");
    condition->setFirstSeries(QxSeriesId::fromXml(first));
    if (second)
        condition->setSecondSeries(QxSeriesId::fromXml(second));
    // A series that is there but could not be read is not dropped from the
    // file when the system is written again.
    if ((first && !condition->m_first.isValid()) || (second && !condition->m_second.isValid())) {
        auto* copy = new wxXmlNode(*node);
        copy->SetParent(nullptr);
        copy->SetNext(nullptr);
        condition->m_unread.reset(copy);
    }
    return condition;
}

// The kinds. Names are interned once per process; generic descriptions are
// translated once.
#define QX_DEFINE_CONDITION(Class, Name, Generic, Between, After, Test)                                           \
    QxAtom Class::getName() const                                                                                \
    {                                                                                                            \
        static const QxAtom name(Name);                                                                          \
        return name;                                                                                             \
    }                                                                                                            \
    wxString Class::getDescription() const                                                                       \
    {                                                                                                            \
        static const wxString generic = wxGetTranslation(Generic);                                               \
        return describe(*this, generic, Between, After);                                                         \
    }                                                                                                            \
    bool Class::holds(double a, double a1, double b, double b1) const                                            \
    {                                                                                                            \
        (void)a1;                                                                                                \
        (void)b;                                                                                                 \
        (void)b1;                                                                                                \
        return Test;                                                                                             \
    }                                                                                                            \
    void Class::testBars(const double* as, const double* bs, double value, size_t n,                             \
                         unsigned char* out) const                                                               \
    {                                                                                                            \
        const auto holdsAt = [](double a, double a1, double b, double b1) {                                      \
            (void)a1;                                                                                            \
            (void)b;                                                                                             \
            (void)b1;                                                                                            \
            return Test;                                                                                         \
        };                                                                                                       \
        if (bs)                                                                                                  \
            for (size_t i = 0; i < n; ++i)                                                                       \
                out[i] = holdsAt(as[i], as[i - 1], bs[i], bs[i - 1]);                                           \
        else                                                                                                     \
            for (size_t i = 0; i < n; ++i)                                                                       \
                out[i] = holdsAt(as[i], as[i - 1], value, value);                                                \
    }

QX_DEFINE_CONDITION(QxAbove, wxTRANSLATE("Above"), wxTRANSLATE("Tests if first series is above second one."),
                    " is Above ", ".", a > b)
QX_DEFINE_CONDITION(QxBelow, wxTRANSLATE("Below"), wxTRANSLATE("Tests if first series is Below second one."),
                    " is Below ", ".", a < b)
QX_DEFINE_CONDITION(QxEqual, wxTRANSLATE("Equal"), wxTRANSLATE("Tests if first series is equal to second one."),
                    " is Equal to ", ".", a == b)
// The crossovers fire when the bar before was level, on the other side or
// unordered, and the bar itself is strictly across (both compared, without
// a branch: a stretch of bars is then one straight loop).
QX_DEFINE_CONDITION(QxCrossOverUp, wxTRANSLATE("CrossOverUp"),
                    wxTRANSLATE("Tests if first series CrossOverUp second series from below"), " CrossOverUp ",
                    " from below.", !(a1 > b1) & (a > b))
QX_DEFINE_CONDITION(QxCrossOverDown, wxTRANSLATE("CrossOverDown"),
                    wxTRANSLATE("Tests if first series CrossOverDown second series from above"), " CrossOverDown ",
                    " from above.", !(b1 > a1) & (b > a))
QX_DEFINE_CONDITION(QxMovesUp, wxTRANSLATE("MovesUp"), wxTRANSLATE("Tests if first series MovesUp."), " MovesUp.",
                    "", a > a1)
QX_DEFINE_CONDITION(QxMovesDown, wxTRANSLATE("MovesDown"), wxTRANSLATE("Tests if first series MovesDown."),
                    " MovesDown.", "", a1 > a)

#undef QX_DEFINE_CONDITION
