#pragma once
// Indicators of the tests: one that computes nothing, for tests that only
// look at its name, group, inputs or outputs, and the parameter, drawable
// and XML plumbing the calculating stand-ins share.
#include "chart/QxDrawable.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"

#include <wx/xml/xml.h>

#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

// Placed in its own zone, with no parameters and no XML form; it keeps the
// drawables it is given.
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

// Parameters set by index, default drawables made when first asked for,
// and the XML form
// <NAME><OptionalParameters><OptParam Name=".." Value=".."/>...</OptionalParameters></NAME>.
class ParamsIndicator : public QxIndicator {
public:
    const std::vector<QxParamInfo>& paramInfos() const override { return m_params; }
    int setParam(unsigned index, const QxValue& value) override
    {
        if (index >= m_params.size())
            return eInvalidIndex;
        m_params[index].value = value;
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
            // A node made with a parent goes first among its children.
            for (size_t i = m_params.size(); i-- > 0;) {
                auto* p = new wxXmlNode(params, wxXML_ELEMENT_NODE, "OptParam");
                p->AddAttribute("Name", m_params[i].name.string());
                p->AddAttribute("Value", m_params[i].value.toString());
            }
        }
        return node;
    }

protected:
    ParamsIndicator(const wxString& name, std::vector<QxParamInfo> params)
        : m_name(name), m_params(std::move(params))
    {
    }
    // What clone copies of this part, by its flags: the parameters and
    // clones of the drawables.
    void copyParamsAndDrawables(ParamsIndicator& copy, unsigned flags) const
    {
        if (flags & eCloneParams)
            copy.m_params = m_params;
        if (flags & eCloneDrawables)
            for (const auto& d : m_drawables)
                copy.m_drawables.emplace_back(d->clone());
    }

    wxString m_name;
    std::vector<QxParamInfo> m_params;
    QxDrawableList m_drawables;
};

} // namespace TestSupport
