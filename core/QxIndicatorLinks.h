#pragma once
// The input series of indicators in their XML form. An input is written as
// the child "InputSeries" of the indicator's element, which readers of files
// from before it simply do not look for. Within one document (a chart file,
// a template) an input that names another indicator of that document is
// written as a reference to it, so that a composite such as an average of an
// RSI comes back over that RSI; any other input is written as a series id,
// with its indicator's own inputs nested inside.
#include "core/QxObject.h"

#include <cstdint>
#include <map>
#include <vector>

class QxIndicator;
class wxXmlNode;

class QxIndicatorLinks {
public:
    // Out of line: they count references to the (here incomplete) indicator.
    QxIndicatorLinks();
    ~QxIndicatorLinks();
    QxIndicatorLinks(const QxIndicatorLinks&) = delete;
    QxIndicatorLinks& operator=(const QxIndicatorLinks&) = delete;

    // Writing: each indicator of the document, before any is written.
    void addMember(const QxIndicator* indicator);
    // Appends indicator's "InputSeries" to its element (nothing when it has
    // no assigned input and no other member refers to it). Without links,
    // every input is written in the series-id form.
    static void writeInputs(const QxIndicator& indicator, wxXmlNode* element, const QxIndicatorLinks* links);

    // Reading, first step: sets the inputs of indicator that element states
    // as series ids; references to other indicators wait for join().
    static void readOwnInputs(const wxXmlNode* element, QxIndicator& indicator);
    // Reading, second step: held is the indicator the document keeps for
    // element (what readOwnInputs was given, or a copy of it): it is known
    // by the element's reference number, and its references are noted.
    void noteRead(const wxXmlNode* element, QxIndicator* held);
    // Gives every noted reference its indicator: a private copy of the
    // member it names, as an indicator added to a chart holds its inputs.
    // The number of references that could not be joined (a member that is
    // not in the document, an output it does not have, a loop).
    unsigned join();

private:
    struct Pending {
        unsigned input;
        long target;
        uint32_t output;
    };
    struct Read {
        QxObjectSmartPtr<QxIndicator> held;
        std::vector<Pending> pending;
        enum { eWaiting, eJoining, eJoined } state = eWaiting;
    };

    // The member an input's indicator stands for: itself, else an
    // equivalent one, the nearest before position, else the first after;
    // -1 for none.
    long memberFor(const QxIndicator* input, size_t position) const;
    long positionOf(const QxIndicator* indicator) const;
    bool isReferenced(size_t position) const;
    unsigned joinOne(Read& read);

    std::vector<const QxIndicator*> m_members;
    mutable std::vector<bool> m_referenced; // worked out on the first write
    std::vector<Read> m_read;
    std::map<long, size_t> m_byNumber; // reference number -> m_read entry
};
