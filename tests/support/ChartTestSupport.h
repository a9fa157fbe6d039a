#pragma once
// Stand-ins for the chart tests: an indicator with one int32 parameter and
// its own XML form, registered under a name of the test's choice.
#include "app/QxIndicatorRegistry.h"
#include "core/QxErrorCode.h"
#include "chart/QxDrawable.h"
#include "core/QxIndicator.h"
#include "support/StandInIndicators.h"

#include <wx/xml/xml.h>

namespace charttest {

// Computes nothing; writes "<NAME><OptionalParameters><OptParam Name Value/>".
class ParamIndicator : public TestSupport::ParamsIndicator {
public:
    explicit ParamIndicator(const wxString& name, int placement = ePlaceOverPrice, int32_t period = 14)
        : ParamsIndicator(name, {QxParamInfo(QxAtom("optInTimePeriod"), "Period", QxValue(period))}),
          m_placement(placement)
    {
    }

    // Registers a prototype under name unless one exists.
    static void registerPrototype(const wxString& name, int placement = ePlaceOverPrice)
    {
        QxIndicatorRegistry* registry = QxIndicatorRegistry::instance();
        if (!registry->getIndicator(QxAtom(name)))
            registry->addIndicator(new ParamIndicator(name, placement));
    }

    int32_t period() const { return m_params[0].value.toInt32(); }

    QxIndicator* clone(unsigned flags) const override
    {
        auto* copy = new ParamIndicator(m_name, m_placement);
        copyParamsAndDrawables(*copy, flags);
        return copy;
    }
    QxAtom getName() const override { return QxAtom(m_name); }
    QxAtom getGroup() const override { return QxAtom("Chart Test"); }
    wxString getDescription() const override { return "Test indicator"; }
    int getPlacement() const override { return m_placement; }
    const std::vector<uint32_t>& inputInfos() const override
    {
        static const std::vector<uint32_t> inputs{QxSeriesId::eSeriesClose};
        return inputs;
    }
    const std::vector<QxParamInfo>& defaultParamInfos() const override
    {
        static const std::vector<QxParamInfo> defaults{
            QxParamInfo(QxAtom("optInTimePeriod"), "Period", QxValue(int32_t(14)))};
        return defaults;
    }
    const std::vector<QxAtom>& outputInfos() const override
    {
        static const std::vector<QxAtom> outputs{QxAtom("Real")};
        return outputs;
    }
    int compute(const std::vector<QxSeries>&, std::vector<QxSeries>& outputs) override
    {
        for (QxSeries& out : outputs) {
            out.first = 0;
            out.last = -1;
        }
        return eNoError;
    }
    int fromXml(const wxXmlNode* element) override
    {
        for (const wxXmlNode* c = element->GetChildren(); c; c = c->GetNext()) {
            if (!c->GetName().IsSameAs("OptionalParameters", false))
                continue;
            for (const wxXmlNode* p = c->GetChildren(); p; p = p->GetNext()) {
                QxValue value;
                if (QxValue::fromString(p->GetAttribute("Value"), value))
                    setParam(0, value.convert(QxValue::eInt32));
            }
        }
        return eNoError;
    }

private:
    int m_placement;
};

} // namespace charttest
