#pragma once
// A named set of positions, one per security, keyed by security key.
// Position elements of the portfolio file whose security is not in the
// current database are kept as they were read and written back, so that
// opening another database for a while loses nothing.
#include "core/QxObject.h"
#include "securities/QxPosition.h"

#include <wx/string.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QxDatabase;
class wxXmlNode;

class QxPortfolio : public QxObject {
public:
    using Positions = std::map<std::string, QxPosition>;

    explicit QxPortfolio(const wxString& name);
    ~QxPortfolio() override;

    const wxString& name() const { return m_name; }
    void setName(const wxString& name) { m_name = name; }

    // The position of the security; when absent, a new empty one if create
    // is set, else null. Null for no security.
    QxPosition* getPosition(QxSecurity* security, bool create);

    const Positions& positions() const { return m_positions; }
    Positions& positions() { return m_positions; }
    // Position elements read from the file whose security did not resolve.
    size_t numUnresolved() const { return m_unresolved.size(); }

    // A new portfolio from a "portfolio" element: positions resolved against
    // database (none resolve without one).
    static QxPortfolio* fromXml(const wxXmlNode* element, QxDatabase* database);
    // Appends a "portfolio" element: the positions that have transactions,
    // in key order, then the unresolved ones as they came.
    wxXmlNode* toXml(wxXmlNode* parent) const;

private:
    wxString m_name;
    Positions m_positions;
    std::vector<std::unique_ptr<wxXmlNode>> m_unresolved;
};
