#include "core/TaLibIndicator.h"

#include "chart/QxColorScheme.h"
#include "chart/QxDrawable.h"
#include "core/QxErrorCode.h"
#include "core/ta/QxTaFunctionSet.h"

#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

// What every instance of one function shares: made with the indicator and
// never changed, so any thread reads it without a lock.
struct TaLibIndicator::FunctionLists {
    std::vector<uint32_t> inputs;
    std::vector<QxParamInfo> params;
    std::vector<QxAtom> outputs;
};

namespace {

using FunctionLists = TaLibIndicator::FunctionLists;

const uint32_t kPriceKinds[] = {QxSeriesId::eSeriesOpen,   QxSeriesId::eSeriesHigh,
                                QxSeriesId::eSeriesLow,    QxSeriesId::eSeriesClose,
                                QxSeriesId::eSeriesVolume, QxSeriesId::eSeriesOpenInterest};
const int kPriceFlags[] = {TA_IN_PRICE_OPEN,  TA_IN_PRICE_HIGH,   TA_IN_PRICE_LOW,
                           TA_IN_PRICE_CLOSE, TA_IN_PRICE_VOLUME, TA_IN_PRICE_OPENINTEREST};

wxString outputName(const char* paramName, const char* functionName)
{
    wxString name(paramName ? paramName : "");
    if (name.StartsWith("out"))
        name.Remove(0, 3);
    if (name.StartsWith("Real"))
        name.Remove(0, 4);
    return name.empty() ? wxString(functionName) : name;
}

FunctionLists buildLists(const TA_FuncInfo* info)
{
    FunctionLists lists;
    for (unsigned i = 0; i < info->nbInput; ++i) {
        const TA_InputParameterInfo* input = nullptr;
        if (QxTaFunctionSet::getInputParameterInfo(info->handle, i, &input) != TA_SUCCESS || !input)
            continue;
        if (input->type == TA_Input_Price) {
            for (int f = 0; f < 6; ++f)
                if (input->flags & kPriceFlags[f])
                    lists.inputs.push_back(kPriceKinds[f]);
        } else if (input->type == TA_Input_Real) {
            lists.inputs.push_back(QxSeriesId::eSeriesIndicator);
        }
    }
    for (unsigned i = 0; i < info->nbOptInput; ++i) {
        const TA_OptInputParameterInfo* opt = nullptr;
        if (QxTaFunctionSet::getOptInputParameterInfo(info->handle, i, &opt) != TA_SUCCESS || !opt)
            continue;
        const bool real = opt->type == TA_OptInput_RealRange || opt->type == TA_OptInput_RealList;
        const QxValue value = real ? QxValue(static_cast<double>(opt->defaultValue))
                                   : QxValue(static_cast<int32_t>(opt->defaultValue + 0.5));
        lists.params.emplace_back(QxAtom(opt->displayName), wxString(opt->hint ? opt->hint : ""), value);
    }
    if (std::strcmp(info->name, "ADX") == 0) {
        // One output in the function's record; compute() adds the two
        // directional lines.
        lists.outputs = {QxAtom("ADX"), QxAtom("+DI"), QxAtom("-DI")};
        return lists;
    }
    for (unsigned i = 0; i < info->nbOutput; ++i) {
        const TA_OutputParameterInfo* out = nullptr;
        if (QxTaFunctionSet::getOutputParameterInfo(info->handle, i, &out) != TA_SUCCESS || !out)
            continue;
        lists.outputs.emplace_back(outputName(out->paramName, info->name));
    }
    return lists;
}

void makeEmpty(QxSeries& out)
{
    out.first = std::max<int32_t>(1, out.base);
    out.last = 0;
}

// Room of an output array that covers bars base..last.
int64_t capacity(const QxSeries& s)
{
    return s.values ? static_cast<int64_t>(s.last) - s.base + 1 : 0;
}

const wxXmlNode* findChildNoCase(const wxXmlNode* node, const char* name)
{
    for (const wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE && child->GetName().IsSameAs(name, false))
            return child;
    return nullptr;
}

// Frees the parameter holder on every path.
struct HolderGuard {
    QxTaParamHolder* holder = nullptr;
    ~HolderGuard() { QxTaFunctionSet::paramHolderFree(holder); }
};

} // namespace

TaLibIndicator::TaLibIndicator(const TA_FuncHandle* handle)
{
    const TA_FuncInfo* info = nullptr;
    if (QxTaFunctionSet::getFuncInfo(handle, &info) != TA_SUCCESS || !info)
        return;
    m_function = info;
    m_name = QxAtom(info->name);
    m_group = QxAtom(info->group);
    m_description = wxString(info->hint ? info->hint : "");
    m_lists = std::make_shared<const FunctionLists>(buildLists(info));
}

TaLibIndicator::TaLibIndicator(const TaLibIndicator& other)
    : QxIndicator(other), m_name(other.m_name), m_group(other.m_group), m_description(other.m_description),
      m_function(other.m_function), m_lists(other.m_lists)
{
}

TaLibIndicator::~TaLibIndicator() = default;

const TaLibIndicator::FunctionLists& TaLibIndicator::lists() const
{
    static const FunctionLists none;
    return m_lists ? *m_lists : none;
}

const std::vector<uint32_t>& TaLibIndicator::inputInfos() const
{
    return lists().inputs;
}

const std::vector<QxParamInfo>& TaLibIndicator::defaultParamInfos() const
{
    return lists().params;
}

const std::vector<QxAtom>& TaLibIndicator::outputInfos() const
{
    return lists().outputs;
}

void TaLibIndicator::takeParams() const
{
    if (m_paramsTaken)
        return;
    m_params = defaultParamInfos();
    m_paramsTaken = true;
}

const std::vector<QxParamInfo>& TaLibIndicator::paramInfos() const
{
    takeParams();
    return m_params;
}

int TaLibIndicator::setParam(unsigned index, const QxValue& value)
{
    takeParams();
    if (!m_function || index >= m_function->nbOptInput || index >= m_params.size())
        return eInvalidIndex;
    if (value.type() != m_params[index].value.type())
        return eTypeMismatch;
    m_params[index].value = value;
    return eNoError;
}

int TaLibIndicator::getPlacement() const
{
    if (!m_function || !(m_function->flags & TA_FUNC_FLG_OVERLAP))
        return m_function && (m_function->flags & TA_FUNC_FLG_VOLUME) ? ePlaceOverVolume : ePlaceOwnZone;
    const std::vector<uint32_t>& kinds = inputInfos();
    for (unsigned i = 0; i < kinds.size(); ++i) {
        if (kinds[i] != QxSeriesId::eSeriesIndicator)
            continue;
        // An overlap over another indicator's output sits where that one does.
        const QxSeriesId& id = getInputSeries(i);
        if (id.isValid() && id.kind() == QxSeriesId::eSeriesIndicator && id.indicator())
            return id.indicator()->getPlacement();
        return ePlaceOverPrice;
    }
    return ePlaceOverPrice;
}

int TaLibIndicator::compute(const std::vector<QxSeries>& inputs, std::vector<QxSeries>& outputs)
{
    // The window every input covers; an input without values leaves none.
    bool usable = m_function && !inputs.empty() && inputs.size() >= inputInfos().size() &&
                  outputs.size() >= outputInfos().size();
    int32_t s = 0;
    int32_t e = 0;
    for (size_t i = 0; usable && i < inputs.size(); ++i) {
        if (inputs[i].empty()) {
            usable = false;
            break;
        }
        s = i == 0 ? inputs[i].first : std::max(s, inputs[i].first);
        e = i == 0 ? inputs[i].last : std::min(e, inputs[i].last);
    }
    if (!usable || e < s || !callFunction(inputs, s, e, outputs)) {
        for (QxSeries& out : outputs)
            makeEmpty(out);
        return eNoError;
    }
    if (m_name == "ADX")
        computeDirectional(inputs, s, e, outputs);
    return eNoError;
}

bool TaLibIndicator::callFunction(const std::vector<QxSeries>& inputs, int32_t s, int32_t e,
                                  std::vector<QxSeries>& outputs) const
{
    const TA_Integer endIdx = e - s;
    HolderGuard guard;
    if (QxTaFunctionSet::paramHolderAlloc(m_function->handle, &guard.holder) != TA_SUCCESS)
        return false;
    QxTaParamHolder* holder = guard.holder;

    size_t next = 0;
    for (unsigned i = 0; i < m_function->nbInput; ++i) {
        const TA_InputParameterInfo* input = nullptr;
        if (QxTaFunctionSet::getInputParameterInfo(m_function->handle, i, &input) != TA_SUCCESS || !input)
            return false;
        TA_RetCode rc = TA_BAD_PARAM;
        if (input->type == TA_Input_Price) {
            const double* fields[6] = {};
            for (int f = 0; f < 6; ++f)
                if (input->flags & kPriceFlags[f]) {
                    if (next >= inputs.size())
                        return false;
                    fields[f] = inputs[next++].at(s);
                }
            rc = QxTaFunctionSet::setInputParamPricePtr(holder, i, fields[0], fields[1], fields[2], fields[3],
                                                        fields[4], fields[5]);
        } else if (input->type == TA_Input_Real) {
            if (next >= inputs.size())
                return false;
            rc = QxTaFunctionSet::setInputParamRealPtr(holder, i, inputs[next++].at(s));
        }
        if (rc != TA_SUCCESS)
            return false;
    }

    const std::vector<QxParamInfo>& params = paramInfos();
    for (unsigned i = 0; i < params.size(); ++i) {
        const QxValue& v = params[i].value;
        const TA_RetCode rc = v.type() == QxValue::eInt32
                                  ? QxTaFunctionSet::setOptInputParamInteger(holder, i, v.toInt32())
                                  : QxTaFunctionSet::setOptInputParamReal(holder, i, v.toDouble());
        if (rc != TA_SUCCESS)
            return false;
    }

    // The function writes one value per bar of the window at most; an array
    // too short for that is not handed over.
    for (unsigned k = 0; k < m_function->nbOutput; ++k) {
        if (k >= outputs.size() || capacity(outputs[k]) < static_cast<int64_t>(endIdx) + 1)
            return false;
        if (QxTaFunctionSet::setOutputParamRealPtr(holder, k, outputs[k].values) != TA_SUCCESS)
            return false;
    }

    TA_Integer outBeg = 0;
    TA_Integer outNb = 0;
    if (QxTaFunctionSet::callFunc(holder, 0, endIdx, &outBeg, &outNb) != TA_SUCCESS || outNb <= 0)
        return false;
    // Only the bars the call wrote are handed out as valid.
    for (unsigned k = 0; k < m_function->nbOutput; ++k) {
        outputs[k].first = outputs[k].base = s + outBeg;
        outputs[k].last = s + outBeg + outNb - 1;
    }
    return true;
}

void TaLibIndicator::computeDirectional(const std::vector<QxSeries>& inputs, int32_t s, int32_t e,
                                        std::vector<QxSeries>& outputs) const
{
    if (inputs.size() < 3 || outputs.size() < 3)
        return;
    const int endIdx = e - s;
    const std::vector<QxParamInfo>& params = paramInfos();
    const int period = params.empty() ? TA_INTEGER_DEFAULT : params[0].value.toInt32();
    const double* high = inputs[0].at(s);
    const double* low = inputs[1].at(s);
    const double* close = inputs[2].at(s);
    for (int k = 1; k <= 2; ++k) {
        QxSeries& out = outputs[k];
        int outBeg = 0;
        int outNb = 0;
        TA_RetCode rc = TA_BAD_PARAM;
        if (capacity(out) >= static_cast<int64_t>(endIdx) + 1)
            rc = k == 1 ? QxTaFunctionSet::plusDI(0, endIdx, high, low, close, period, &outBeg, &outNb, out.values)
                        : QxTaFunctionSet::minusDI(0, endIdx, high, low, close, period, &outBeg, &outNb, out.values);
        // A line that could not be had is empty, not whatever the array held.
        if (rc != TA_SUCCESS || outNb <= 0) {
            makeEmpty(out);
            continue;
        }
        out.first = out.base = s + outBeg;
        out.last = s + outBeg + outNb - 1;
    }
}

QxIndicator* TaLibIndicator::clone(unsigned flags) const
{
    auto* copy = new TaLibIndicator(*this);
    if (flags & eCloneParams) {
        copy->m_params = m_params;
        copy->m_paramsTaken = m_paramsTaken;
        if (flags == eCloneParams)
            return copy;
    }

    // One clone per source indicator for the whole operation, so that inputs
    // and drawables naming the same indicator name the same clone.
    std::map<const QxIndicator*, QxIndicator*> clones;
    std::vector<QxObjectSmartPtr<QxIndicator>> made; // held until the ids hold them
    auto repoint = [&](const QxSeriesId& id) -> QxSeriesId {
        QxIndicator* source = id.kind() == QxSeriesId::eSeriesIndicator ? id.indicator() : nullptr;
        if (!source)
            return id;
        auto it = clones.find(source);
        if (it == clones.end()) {
            QxIndicator* fresh = source->clone(eCloneParams | eCloneInputs);
            made.emplace_back(fresh);
            it = clones.emplace(source, fresh).first;
        }
        return QxSeriesId(it->second, id.outputIndex());
    };

    if (flags & eCloneInputs) {
        // Every assigned series input is carried, not only the first: the
        // calculation cache tells MAVPs apart by their second input too.
        const std::vector<uint32_t>& kinds = inputInfos();
        for (unsigned i = 0; i < kinds.size(); ++i) {
            const QxSeriesId& id = getInputSeries(i);
            if (kinds[i] == QxSeriesId::eSeriesIndicator && id.isValid())
                copy->setInputSeries(i, repoint(id));
        }
    }

    if (flags & eCloneDrawables) {
        clones[this] = copy;
        for (const auto& source : m_drawables) {
            if (!source)
                continue;
            QxObjectSmartPtr<QxDrawable> drawable(source->clone());
            if (!drawable)
                continue;
            for (const QxDataInfo& role : source->getParamInfos()) {
                const QxSeriesId& id = source->getSeries(role.name);
                drawable->setSeries(role.name, id.isValid() ? repoint(id) : QxSeriesId::null());
            }
            if (QxColorScheme* sourceScheme = source->getColorScheme()) {
                QxObjectSmartPtr<QxColorScheme> scheme(sourceScheme->clone());
                if (scheme) {
                    for (const QxDataInfo& role : sourceScheme->getDataParamInfos()) {
                        const QxSeriesId& id = sourceScheme->getSeries(role.name);
                        scheme->setSeries(role.name, id.isValid() ? repoint(id) : QxSeriesId::null());
                    }
                    drawable->setColorScheme(scheme.get());
                }
            }
            copy->m_drawables.push_back(drawable);
        }
    }
    return copy;
}

const QxDrawableList& TaLibIndicator::drawables(bool create)
{
    if (m_drawables.empty() && create)
        m_drawables = createDefaultDrawables();
    return m_drawables;
}

void TaLibIndicator::setDrawables(const QxDrawableList& list)
{
    // The old list may hold the last references to this indicator (its own
    // drawables bind its outputs): release it only after the swap.
    QxDrawableList old(list);
    old.swap(m_drawables);
}

wxXmlNode* TaLibIndicator::toXml(wxXmlNode* parent, unsigned flags) const
{
    if (!parent)
        return nullptr;
    // Each node made with a parent becomes its first child: lists are
    // written from the back so that the document keeps their order.
    auto* element = new wxXmlNode(parent, wxXML_ELEMENT_NODE, m_name.string());
    if (flags & eXmlParams) {
        auto* list = new wxXmlNode(element, wxXML_ELEMENT_NODE, "OptionalParameters");
        const std::vector<QxParamInfo>& params = paramInfos();
        for (size_t i = params.size(); i-- > 0;) {
            auto* param = new wxXmlNode(list, wxXML_ELEMENT_NODE, "OptParam");
            param->AddAttribute("Name", params[i].name.string());
            param->AddAttribute("Value", params[i].value.toString());
        }
    }
    // Made after the parameters so that it ends up before them.
    if (flags & eXmlDrawables)
        drawablesToXml(element);
    return element;
}

int TaLibIndicator::fromXml(const wxXmlNode* element)
{
    if (!element)
        return eNoError;
    if (const wxXmlNode* list = findChildNoCase(element, "OptionalParameters")) {
        const std::vector<QxParamInfo>& params = paramInfos();
        std::map<wxString, unsigned> byName;
        for (unsigned i = 0; i < params.size(); ++i)
            byName.emplace(params[i].name.string(), i); // the lower index wins
        for (const wxXmlNode* child = list->GetChildren(); child; child = child->GetNext()) {
            if (child->GetType() != wxXML_ELEMENT_NODE)
                continue;
            wxString name;
            wxString text;
            if (!child->GetAttribute("Name", &name) || !child->GetAttribute("Value", &text))
                continue; // incomplete parameter
            QxValue value;
            if (!QxValue::fromString(text, value))
                continue; // unreadable value
            auto it = byName.find(name);
            if (it == byName.end())
                continue;
            setParam(it->second, value.convert(params[it->second].value.type()));
        }
    }
    return drawablesFromXml(element);
}

wxString TaLibIndicator::drawablesText() const
{
    wxXmlNode holder(wxXML_ELEMENT_NODE, "Holder");
    toXml(&holder, eXmlDrawables);
    wxXmlDocument doc;
    doc.SetRoot(new wxXmlNode(holder));
    wxStringOutputStream text;
    doc.Save(text, 0);
    return text.GetString();
}
