#pragma once
// Fakes shared by the drawable and colour-scheme tests: an indicator that
// owns drawables (for the XML form), a security whose history lives in
// memory (for setup through a real calculator), and drawables whose data
// series a test can store directly.
#include "chart/QxDrawable.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "support/ChartFixtures.h"
#include "support/MemData.h"

#include <wx/xml/xml.h>

#include <vector>

namespace drawtest {

// An indicator with a given number of outputs that computes nothing.
class OwnerIndicator : public QxIndicator {
public:
    explicit OwnerIndicator(unsigned outputs = 2)
    {
        for (unsigned i = 0; i < outputs; ++i)
            m_outputs.push_back(QxAtom(wxString::Format("Out%u", i)));
    }
    QxIndicator* clone(unsigned) const override { return new OwnerIndicator(unsigned(m_outputs.size())); }
    QxAtom getName() const override { return QxAtom("DRAWTEST_OWNER"); }
    QxAtom getGroup() const override { return QxAtom("Tests"); }
    wxString getDescription() const override { return "owner"; }
    int getPlacement() const override { return ePlaceOwnZone; }
    const std::vector<uint32_t>& inputInfos() const override { return m_inputs; }
    const std::vector<QxParamInfo>& defaultParamInfos() const override { return m_params; }
    const std::vector<QxParamInfo>& paramInfos() const override { return m_params; }
    int setParam(unsigned, const QxValue&) override { return eInvalidIndex; }
    const std::vector<QxAtom>& outputInfos() const override { return m_outputs; }
    int compute(const std::vector<QxSeries>&, std::vector<QxSeries>&) override { return eNotImplemented; }
    const QxDrawableList& drawables(bool) override { return m_drawables; }
    void setDrawables(const QxDrawableList& list) override { m_drawables = list; }
    wxXmlNode* toXml(wxXmlNode* parent, unsigned) const override
    {
        return new wxXmlNode(parent, wxXML_ELEMENT_NODE, "DRAWTEST_OWNER");
    }
    int fromXml(const wxXmlNode*) override { return eNoError; }

private:
    std::vector<uint32_t> m_inputs;
    std::vector<QxParamInfo> m_params;
    std::vector<QxAtom> m_outputs;
    QxDrawableList m_drawables;
};

// Daily bars from Monday 2014-08-04 with the given opens and closes; high
// and low span both, volume 1000.
inline QxPriceHistory* makeHistory(const std::vector<double>& opens, const std::vector<double>& closes)
{
    return charttest::makeBars(opens, closes, 0.0);
}

// The tests' memory security, as the drawable tests name it; it refuses
// to save.
class MemSecurity : public TestSupport::MemSecurity {
public:
    MemSecurity(unsigned id, QxPriceHistory* history)
        : TestSupport::MemSecurity(id, history, {"Drawables", "DRAW", nullptr, false, false})
    {
    }
};

// A drawable of class D whose data series a test stores directly.
template <class D>
class Fed : public D {
public:
    using D::D;
    using D::setDataSeries;
};

} // namespace drawtest
