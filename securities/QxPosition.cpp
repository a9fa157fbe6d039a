#include "securities/QxPosition.h"

#include "core/QxSecurityKey.h"
#include "securities/QxPortfolioFiles.h"

#include <wx/xml/xml.h>

#include <algorithm>
#include <cmath>

namespace {

const std::vector<QxPosition::Match> kNoMatches;

} // namespace

bool QxPosition::isZero(double quantity) { return std::fabs(quantity) < kZero; }

bool QxTransaction::isValid() const
{
    return std::isfinite(price) && std::isfinite(quantity) && std::isfinite(load) && price >= 0 &&
           quantity != 0 && time > 0;
}

QxPosition::QxPosition(QxSecurity* security, std::string key)
    : m_security(security), m_key(key.empty() && security ? makeSecurityKey(security) : std::move(key))
{
}

QxPosition QxPosition::ofOpenLots(QxSecurity* security, std::string key)
{
    QxPosition lots(security, std::move(key));
    lots.m_matching = false;
    return lots;
}

void QxPosition::addTransaction(const QxTransaction& transaction)
{
    const auto at = std::upper_bound(m_transactions.begin(), m_transactions.end(), transaction.time,
                                     [](int64_t time, const QxTransaction& t) { return time < t.time; });
    m_transactions.insert(at, transaction);
    m_dirty = true;
}

void QxPosition::removeTransaction(size_t index)
{
    if (index < m_transactions.size())
        m_transactions.erase(m_transactions.begin() + static_cast<std::ptrdiff_t>(index));
    m_dirty = true;
}

double QxPosition::averagePrice() const
{
    ensure();
    return m_averagePrice;
}

double QxPosition::openQuantity() const
{
    ensure();
    return m_openQuantity;
}

double QxPosition::openCost() const
{
    ensure();
    return m_openCost;
}

const std::vector<QxPosition::Match>& QxPosition::matchesOf(size_t index) const
{
    ensure();
    return index < m_matches.size() ? m_matches[index] : kNoMatches;
}

double QxPosition::openQuantityOf(size_t index) const
{
    if (index >= m_transactions.size())
        return 0;
    // One subtraction of the sum, so that a lot closed in several parts
    // lands where its quantity minus those parts does.
    double matched = 0;
    for (const Match& match : matchesOf(index))
        matched += match.second;
    const double open = m_transactions[index].quantity - matched;
    return isZero(open) ? 0 : open;
}

// First in, first out: a transaction first closes the open lots of the
// other side, oldest first; what is left of it opens a lot of its own side,
// which waits behind that side's current lot. Only one side ever has an
// open remainder.
void QxPosition::recompute() const
{
    const size_t n = m_transactions.size();
    m_matches.assign(n, {});
    size_t cursor[2] = {0, 0};
    double remaining[2] = {0, 0};
    for (size_t i = 0; m_matching && i < n; ++i) {
        double q = m_transactions[i].quantity;
        const int side = q > 0 ? 0 : 1;
        const int other = 1 - side;
        if (isZero(remaining[other])) {
            if (isZero(remaining[side])) {
                cursor[side] = i;
                remaining[side] = q;
            }
            continue;
        }
        while (!isZero(remaining[other]) && !isZero(q)) {
            const double m = std::fabs(q) < std::fabs(remaining[other]) ? q : -remaining[other];
            m_matches[cursor[other]].emplace_back(i, -m);
            m_matches[i].emplace_back(cursor[other], m);
            remaining[other] += m;
            if (isZero(remaining[other])) {
                for (size_t j = cursor[other] + 1; j < i; ++j) {
                    const int sideOfJ = m_transactions[j].quantity > 0 ? 0 : 1;
                    if (sideOfJ == other) {
                        cursor[other] = j;
                        remaining[other] = m_transactions[j].quantity;
                        break;
                    }
                }
            }
            q -= m;
        }
        if (isZero(remaining[side])) {
            cursor[side] = i;
            remaining[side] = q;
        }
    }
    m_dirty = false; // openQuantityOf below reads the matches just made
    m_openQuantity = 0;
    m_openCost = 0;
    for (size_t i = 0; i < n; ++i) {
        const double open = openQuantityOf(i);
        m_openQuantity += open;
        m_openCost += m_transactions[i].price * open;
    }
    m_averagePrice = isZero(m_openQuantity) ? 0 : m_openCost / m_openQuantity;
}

size_t QxPosition::fromXml(const wxXmlNode* element)
{
    m_transactions.clear();
    m_matches.clear();
    m_dirty = true;
    size_t dropped = 0;
    if (!element)
        return 0;
    for (const wxXmlNode* child = element->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        QxTransaction t;
        wxLongLong_t time = 0;
        const bool parsed = qxParseFileDouble(child->GetAttribute("price"), &t.price) &&
                            child->GetAttribute("time").ToLongLong(&time, 10) &&
                            qxParseFileDouble(child->GetAttribute("quantity"), &t.quantity) &&
                            qxParseFileDouble(child->GetAttribute("load"), &t.load);
        t.time = time;
        if (parsed && t.isValid())
            addTransaction(t);
        else
            ++dropped;
    }
    return dropped;
}

wxXmlNode* QxPosition::toXml(wxXmlNode* parent) const
{
    auto* element = new wxXmlNode(wxXML_ELEMENT_NODE, "position");
    element->AddAttribute("security", wxString::FromUTF8(m_key));
    for (const QxTransaction& t : m_transactions) {
        auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, "transaction");
        node->AddAttribute("price", qxFileDoubleText(t.price));
        node->AddAttribute("time", wxString::Format("%lld", static_cast<long long>(t.time)));
        node->AddAttribute("quantity", qxFileDoubleText(t.quantity));
        node->AddAttribute("load", qxFileDoubleText(t.load));
        element->AddChild(node);
    }
    if (parent)
        parent->AddChild(element);
    return element;
}
