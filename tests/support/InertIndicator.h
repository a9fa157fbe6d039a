#pragma once
// An indicator that computes nothing, for tests that only look at its name,
// group, inputs or outputs: it is placed in its own zone, has no parameters,
// takes no XML form and keeps the drawables it is given.
#include "core/QxIndicator.h"

#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

class InertIndicator : public QxIndicator {
public:
    InertIndicator(const wxString& name, const wxString& group, const wxString& description,
                   std::vector<uint32_t> inputs = {}, std::vector<QxAtom> outputs = {})
        : m_name(name), m_group(group), m_description(description), m_inputs(std::move(inputs)),
          m_outputs(std::move(outputs))
    {
    }
    // A copy of everything but the drawables.
    QxIndicator* clone(unsigned) const override { return new InertIndicator(*this); }
    QxAtom getName() const override { return QxAtom(m_name); }
    QxAtom getGroup() const override { return QxAtom(m_group); }
    wxString getDescription() const override { return m_description; }
    int getPlacement() const override { return ePlaceOwnZone; }
    const std::vector<uint32_t>& inputInfos() const override { return m_inputs; }
    const std::vector<QxParamInfo>& defaultParamInfos() const override { return m_params; }
    const std::vector<QxParamInfo>& paramInfos() const override { return m_params; }
    int setParam(unsigned, const QxValue&) override { return 0; }
    const std::vector<QxAtom>& outputInfos() const override { return m_outputs; }
    int compute(const std::vector<QxSeries>&, std::vector<QxSeries>&) override { return 0; }
    const QxDrawableList& drawables(bool) override { return m_drawables; }
    void setDrawables(const QxDrawableList& list) override { m_drawables = list; }
    wxXmlNode* toXml(wxXmlNode*, unsigned) const override { return nullptr; }
    int fromXml(const wxXmlNode*) override { return 0; }

private:
    InertIndicator(const InertIndicator& other)
        : QxIndicator(other), m_name(other.m_name), m_group(other.m_group), m_description(other.m_description),
          m_inputs(other.m_inputs), m_outputs(other.m_outputs)
    {
    }

    wxString m_name, m_group, m_description;
    std::vector<uint32_t> m_inputs;
    std::vector<QxParamInfo> m_params;
    std::vector<QxAtom> m_outputs;
    QxDrawableList m_drawables;
};

} // namespace TestSupport
