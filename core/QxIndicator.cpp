#include "core/QxIndicator.h"

#include "app/QxIndicatorRegistry.h"
#include "chart/QxColorScheme.h"
#include "chart/QxDrawable.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicatorLinks.h"
#include "trading/QxSeriesText.h"

#include <wx/xml/xml.h>

#include <set>

QxIndicator::QxIndicator(const QxIndicator& other) : QxObject(other) {}

QxIndicator::~QxIndicator() = default;

QxDrawableList QxIndicator::createDefaultDrawables()
{
    return QxDrawableList();
}

bool QxIndicator::configure(unsigned)
{
    return true;
}

wxString QxIndicator::getDisplayName() const
{
    wxString text = getName().string();
    const std::vector<QxParamInfo>& params = paramInfos();
    if (params.empty())
        return text;
    text += "(";
    for (const QxParamInfo& p : params)
        text << p.displayText() << ", ";
    text.RemoveLast(2);
    text += ")";

    const std::vector<uint32_t>& inputs = inputInfos();
    for (unsigned i = 0; i < inputs.size(); ++i) {
        if (inputs[i] != QxSeriesId::eSeriesIndicator)
            continue;
        const QxSeriesId& id = getInputSeries(i);
        wxString series;
        if (!id.isValid() || !seriesIdText(id, series))
            continue;
        text << "[" << series << "]";
        break;
    }
    return text;
}

bool QxIndicator::isEquivalent(const QxIndicator* other) const
{
    if (other == this)
        return true;
    if (!other)
        return false;
    if (getName() != other->getName())
        return false;
    const std::vector<QxParamInfo>& mine = paramInfos();
    const std::vector<QxParamInfo>& theirs = other->paramInfos();
    if (mine.size() != theirs.size())
        return false;
    for (size_t i = 0; i < mine.size(); ++i)
        if (mine[i].value != theirs[i].value)
            return false;
    // Only the first assignable input decides; the others are price fields.
    const std::vector<uint32_t>& inputs = inputInfos();
    for (unsigned i = 0; i < inputs.size(); ++i) {
        if (inputs[i] != QxSeriesId::eSeriesIndicator)
            continue;
        if (getInputSeries(i).differsFrom(other->getInputSeries(i)))
            return false;
        break;
    }
    return true;
}

int QxIndicator::setupDrawables(QxCalculator* calculator)
{
    if (!calculator)
        return eInvalidInputObject;
    // A copy, so that a drawable that changes the list does not pull the
    // walk from under us.
    const QxDrawableList list = drawables(true);
    for (const auto& drawable : list) {
        if (!drawable)
            continue;
        const int rc = drawable->setup(calculator);
        if (rc != eNoError)
            return rc;
    }
    return eNoError;
}

int QxIndicator::setInputSeries(unsigned index, const QxSeriesId& id)
{
    if (index >= inputInfos().size())
        return eInvalidIndex;
    if (id.leadsTo(this))
        return eInvalidInput;
    m_inputs[index] = id;
    return eNoError;
}

const QxSeriesId& QxIndicator::getInputSeries(unsigned index) const
{
    if (index >= inputInfos().size())
        return QxSeriesId::null();
    auto it = m_inputs.find(index);
    return it == m_inputs.end() ? QxSeriesId::null() : it->second;
}

void QxIndicator::copyInputsTo(QxIndicator& target) const
{
    std::map<const QxIndicator*, QxObjectSmartPtr<QxIndicator>> clones;
    for (const auto& entry : m_inputs) {
        const QxSeriesId& id = entry.second;
        QxIndicator* source = id.kind() == QxSeriesId::eSeriesIndicator ? id.indicator() : nullptr;
        if (!source) {
            target.m_inputs[entry.first] = id;
            continue;
        }
        QxObjectSmartPtr<QxIndicator>& copy = clones[source];
        if (!copy)
            copy.reset(source->clone(eCloneParams | eCloneInputs));
        target.m_inputs[entry.first] = QxSeriesId(copy.get(), id.outputIndex());
    }
}

void QxIndicator::teardown()
{
    if (numRefs() <= 0)
        return;
    // Count the references that come from this indicator's own graphics:
    // bindings of its drawables and of their colour schemes that lead back
    // here. A drawable or scheme shared by several entries counts once.
    std::set<const QxObject*> counted;
    int fromGraphics = 0;
    auto countBindings = [&](const std::vector<QxDataInfo>& roles, auto getSeries) {
        for (const QxDataInfo& role : roles) {
            const QxSeriesId& id = getSeries(role.name);
            if (id.isValid() && id.leadsTo(this))
                ++fromGraphics;
        }
    };
    for (const auto& held : drawables(false)) {
        const QxDrawable* drawable = held.get();
        if (!drawable || drawable->numRefs() <= 0 || counted.count(drawable))
            continue;
        countBindings(drawable->getParamInfos(),
                      [drawable](const QxAtom& role) -> const QxSeriesId& { return drawable->getSeries(role); });
        const QxColorScheme* scheme = drawable->getColorScheme();
        if (scheme && !counted.count(scheme)) {
            countBindings(scheme->getDataParamInfos(),
                          [scheme](const QxAtom& role) -> const QxSeriesId& { return scheme->getSeries(role); });
            counted.insert(scheme);
        }
        counted.insert(drawable);
    }
    // Every remaining reference is our graphics': drop them so the release
    // that brought us here can delete us.
    if (fromGraphics > 0 && fromGraphics == numRefs())
        setDrawables(QxDrawableList());
}

int QxIndicator::toXml(const std::vector<QxObjectSmartPtr<QxIndicator>>& list, wxXmlNode* parent,
                       const QxIndicatorLinks* links)
{
    // Without a wider document the list is one: its composites refer to
    // each other.
    QxIndicatorLinks own;
    if (!links) {
        for (const auto& indicator : list)
            own.addMember(indicator.get());
        links = &own;
    }
    // Each element becomes the parent's first child: walking backwards
    // leaves them in list order.
    for (size_t i = list.size(); i-- > 0;) {
        if (!list[i])
            continue;
        wxXmlNode* element = list[i]->toXml(parent, 7); // every part of the indicator
        if (element) {
            element->AddAttribute("Index", wxString::Format("%d", static_cast<int>(i)));
            QxIndicatorLinks::writeInputs(*list[i], element, links);
        }
    }
    return eNoError;
}

int QxIndicator::fromXml(const wxXmlNode* parent, std::vector<QxObjectSmartPtr<QxIndicator>>& list,
                         std::vector<const wxXmlNode*>* elements, unsigned* leftOut)
{
    if (!parent)
        return eNoError;
    std::multimap<long, std::pair<QxObjectSmartPtr<QxIndicator>, const wxXmlNode*>> byIndex;
    int result = eNoError;
    for (const wxXmlNode* child = parent->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        int rc = eNoError;
        QxObjectSmartPtr<QxIndicator> indicator(createFromXml(child, &rc));
        wxString text;
        long index = 0;
        const bool usable = indicator && child->GetAttribute("Index", &text) && text.ToLong(&index, 10);
        if (!leftOut) {
            // Strict: a damaged list gives nothing of it.
            if (rc != eNoError)
                return rc;
            if (usable && byIndex.count(index))
                return eInconsistentData;
        } else if (!usable) {
            // Keeping what can be read: a damaged element loses only itself,
            // and a repeated index nothing.
            ++*leftOut;
            if (result == eNoError)
                result = rc != eNoError ? rc : eInconsistentData;
        }
        if (usable)
            byIndex.emplace(index, std::make_pair(indicator, child));
    }
    for (auto& entry : byIndex) {
        list.push_back(entry.second.first);
        if (elements)
            elements->push_back(entry.second.second);
    }
    return result;
}

QxIndicator* QxIndicator::createFromXml(const wxXmlNode* element, int* rc)
{
    if (rc)
        *rc = eNoError;
    if (!element || element->GetType() != wxXML_ELEMENT_NODE)
        return nullptr;
    const QxIndicator* prototype = QxIndicatorRegistry::instance()->getIndicator(QxAtom(element->GetName()));
    if (!prototype)
        return nullptr;
    QxIndicator* indicator = prototype->clone(eCloneParams);
    if (!indicator)
        return nullptr;
    // Counted while it reads: bindings taken and dropped again by its
    // drawables must not bring the count to zero and free it mid-read.
    indicator->addRef();
    const int read = indicator->fromXml(element);
    if (read != eNoError) {
        if (rc)
            *rc = read;
        indicator->release();
        return nullptr;
    }
    QxIndicatorLinks::readOwnInputs(element, *indicator);
    indicator->releaseForHandOut();
    return indicator;
}
