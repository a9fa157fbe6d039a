#pragma once
// Stand-ins for the chart tests: an indicator with one int32 parameter and
// its own XML form, registered under a name of the test's choice.
#include "app/QxIndicatorRegistry.h"
#include "core/QxErrorCode.h"
#include "chart/QxDrawable.h"
#include "core/QxIndicator.h"

#include <wx/xml/xml.h>

namespace charttest {

// Computes nothing; writes "<NAME><OptionalParameters><OptParam Name Value/>".
class ParamIndicator : public QxIndicator {
public:
    explicit ParamIndicator(const wxString& name, int placement = ePlaceOverPrice, int32_t period = 14)
        : m_name(name), m_placement(placement),
          m_params{QxParamInfo(QxAtom("optInTimePeriod"), "Period", QxValue(period))}
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
        if (flags & eCloneParams)
            copy->m_params = m_params;
        if (flags & eCloneDrawables)
            for (const auto& d : m_drawables)
                copy->m_drawables.emplace_back(d->clone());
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
    const std::vector<QxParamInfo>& paramInfos() const override { return m_params; }
    int setParam(unsigned index, const QxValue& value) override
    {
        if (index >= m_params.size())
            return eInvalidIndex;
        m_params[index].value = value;
        return eNoError;
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
    const QxDrawableList& drawables(bool create) override
    {
        if (create && m_drawables.empty())
            m_drawables = createDefaultDrawables();
        return m_drawables;
    }
    void setDrawables(const QxDrawableList& list) override { m_drawables = list; }
    wxXmlNode* toXml(wxXmlNode* parent, unsigned flags) const override
    {
        auto* node = new wxXmlNode(parent, wxXML_ELEMENT_NODE, m_name);
        if (flags & eXmlParams) {
            auto* params = new wxXmlNode(node, wxXML_ELEMENT_NODE, "OptionalParameters");
            auto* p = new wxXmlNode(params, wxXML_ELEMENT_NODE, "OptParam");
            p->AddAttribute("Name", m_params[0].name.string());
            p->AddAttribute("Value", m_params[0].value.toString());
        }
        return node;
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
    wxString m_name;
    int m_placement;
    std::vector<QxParamInfo> m_params;
    QxDrawableList m_drawables;
};

} // namespace charttest
