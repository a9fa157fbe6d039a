#include "core/QxIndicatorLinks.h"

#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxSeriesId.h"

#include <wx/xml/xml.h>

#include <algorithm>

namespace {

const char* const kInputSeries = "InputSeries";

const wxXmlNode* childNoCase(const wxXmlNode* node, const char* name)
{
    for (const wxXmlNode* child = node ? node->GetChildren() : nullptr; child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE && child->GetName().IsSameAs(name, false))
            return child;
    return nullptr;
}

bool readNumber(const wxXmlNode* node, const char* attribute, long& out)
{
    wxString text;
    return node->GetAttribute(attribute, &text) && text.ToLong(&out, 10);
}

// Each input "Input" with its position; the assigned inputs only (price
// inputs are fixed by the function).
template <class Visit>
void forEachAssignedInput(const QxIndicator& indicator, Visit visit)
{
    const std::vector<uint32_t>& kinds = indicator.inputInfos();
    for (unsigned i = 0; i < kinds.size(); ++i) {
        const QxSeriesId& id = indicator.getInputSeries(i);
        if (kinds[i] == QxSeriesId::eSeriesIndicator && id.isValid())
            visit(i, id);
    }
}

} // namespace

QxIndicatorLinks::QxIndicatorLinks() = default;

QxIndicatorLinks::~QxIndicatorLinks() = default;

void QxIndicatorLinks::addMember(const QxIndicator* indicator)
{
    m_members.push_back(indicator);
    m_referenced.clear();
}

long QxIndicatorLinks::positionOf(const QxIndicator* indicator) const
{
    for (size_t i = 0; i < m_members.size(); ++i)
        if (m_members[i] == indicator)
            return static_cast<long>(i);
    return -1;
}

long QxIndicatorLinks::memberFor(const QxIndicator* input, size_t position) const
{
    if (!input)
        return -1;
    const long self = positionOf(input);
    if (self >= 0)
        return static_cast<size_t>(self) == position ? -1 : self;
    // A chart's indicators hold private copies of their inputs: the copy
    // stands for the member that computes the same.
    const size_t end = std::min(position, m_members.size());
    for (size_t i = end; i-- > 0;)
        if (m_members[i] && m_members[i]->isEquivalent(input))
            return static_cast<long>(i);
    for (size_t i = position + 1; i < m_members.size(); ++i)
        if (m_members[i] && m_members[i]->isEquivalent(input))
            return static_cast<long>(i);
    return -1;
}

bool QxIndicatorLinks::isReferenced(size_t position) const
{
    if (m_referenced.size() != m_members.size()) {
        m_referenced.assign(m_members.size(), false);
        for (size_t i = 0; i < m_members.size(); ++i) {
            if (!m_members[i])
                continue;
            forEachAssignedInput(*m_members[i], [&](unsigned, const QxSeriesId& id) {
                const long target = memberFor(id.indicator(), i);
                if (target >= 0)
                    m_referenced[static_cast<size_t>(target)] = true;
            });
        }
    }
    return position < m_referenced.size() && m_referenced[position];
}

void QxIndicatorLinks::writeInputs(const QxIndicator& indicator, wxXmlNode* element, const QxIndicatorLinks* links)
{
    if (!element)
        return;
    const long position = links ? links->positionOf(&indicator) : -1;
    std::vector<std::pair<unsigned, const QxSeriesId*>> inputs;
    forEachAssignedInput(indicator, [&](unsigned i, const QxSeriesId& id) { inputs.emplace_back(i, &id); });
    const bool referenced = position >= 0 && links->isReferenced(static_cast<size_t>(position));
    if (inputs.empty() && !referenced)
        return;

    auto* list = new wxXmlNode(element, wxXML_ELEMENT_NODE, kInputSeries);
    if (referenced)
        list->AddAttribute("Id", wxString::Format("%ld", position));
    // Each new node goes first under its parent: the last input first.
    for (auto it = inputs.rbegin(); it != inputs.rend(); ++it) {
        const QxSeriesId& id = *it->second;
        auto* input = new wxXmlNode(list, wxXML_ELEMENT_NODE, "Input");
        input->AddAttribute("Index", wxString::Format("%u", it->first));
        const long target =
            position >= 0 ? links->memberFor(id.indicator(), static_cast<size_t>(position)) : -1;
        if (target >= 0) {
            input->AddAttribute("IndicatorId", wxString::Format("%ld", target));
            input->AddAttribute("OutputIndex", wxString::Format("%u", id.outputIndex()));
        } else {
            id.toXml(input);
        }
    }
}

void QxIndicatorLinks::readOwnInputs(const wxXmlNode* element, QxIndicator& indicator)
{
    const wxXmlNode* list = childNoCase(element, kInputSeries);
    if (!list)
        return;
    for (const wxXmlNode* input = list->GetChildren(); input; input = input->GetNext()) {
        long index = 0;
        if (input->GetType() != wxXML_ELEMENT_NODE || !readNumber(input, "Index", index) || index < 0 ||
            input->HasAttribute("IndicatorId"))
            continue;
        const QxSeriesId id = QxSeriesId::fromXml(childNoCase(input, "SeriesId"));
        // A damaged or looping id leaves the input as the function has it.
        if (id.isValid())
            indicator.setInputSeries(static_cast<unsigned>(index), id);
    }
}

void QxIndicatorLinks::noteRead(const wxXmlNode* element, QxIndicator* held)
{
    const wxXmlNode* list = childNoCase(element, kInputSeries);
    if (!list || !held)
        return;
    Read read;
    read.held = held;
    for (const wxXmlNode* input = list->GetChildren(); input; input = input->GetNext()) {
        long index = 0;
        long target = 0;
        long output = 0;
        if (input->GetType() != wxXML_ELEMENT_NODE || !readNumber(input, "IndicatorId", target))
            continue;
        if (!readNumber(input, "Index", index) || index < 0 || !readNumber(input, "OutputIndex", output) ||
            output < 0) {
            read.pending.push_back({0, -1, 0}); // counted as not joined
            continue;
        }
        read.pending.push_back({static_cast<unsigned>(index), target, static_cast<uint32_t>(output)});
    }
    long number = 0;
    m_read.push_back(read);
    // A number given twice names the first indicator that has it.
    if (readNumber(list, "Id", number))
        m_byNumber.emplace(number, m_read.size() - 1);
}

unsigned QxIndicatorLinks::joinOne(Read& read)
{
    if (read.state != Read::eWaiting)
        return 0;
    read.state = Read::eJoining;
    unsigned failed = 0;
    for (const Pending& link : read.pending) {
        const auto found = link.target >= 0 ? m_byNumber.find(link.target) : m_byNumber.end();
        if (found == m_byNumber.end()) {
            ++failed;
            continue;
        }
        Read& target = m_read[found->second];
        // The member's own inputs first, so the copy taken below has them;
        // a member already being joined is a loop in the file.
        if (target.state == Read::eJoining || link.output >= target.held->outputInfos().size()) {
            ++failed;
            continue;
        }
        failed += joinOne(target);
        QxObjectSmartPtr<QxIndicator> copy(
            target.held->clone(QxIndicator::eCloneParams | QxIndicator::eCloneInputs));
        if (!copy || read.held->setInputSeries(link.input, QxSeriesId(copy.get(), link.output)) != eNoError)
            ++failed;
    }
    read.state = Read::eJoined;
    return failed;
}

unsigned QxIndicatorLinks::join()
{
    unsigned failed = 0;
    for (Read& read : m_read)
        failed += joinOne(read);
    return failed;
}
