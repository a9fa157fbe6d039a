#pragma once
// One security's holding in a portfolio: its buy and sell transactions in
// time order and what first-in-first-out matching of them leaves open.
// A position of open lots (CONSOLIDATED's) matches nothing: each of its
// transactions is a lot that stays open as it is.
#include "core/QxObject.h"
#include "core/QxSecurity.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class wxXmlNode;

struct QxTransaction {
    double price = 0;     // per unit, never negative
    int64_t time = 0;     // packed timestamp of the transaction date
    double quantity = 0;  // > 0 buy, < 0 sell, never 0
    double load = 0;      // commission paid; carried along, in no value

    bool operator==(const QxTransaction& o) const
    {
        return price == o.price && time == o.time && quantity == o.quantity && load == o.load;
    }
    bool operator!=(const QxTransaction& o) const { return !(*this == o); }
    // Whether a transaction read from a file can be kept: finite numbers,
    // price 0 or more, quantity not 0, time after 0.
    bool isValid() const;
};

class QxPosition {
public:
    // Magnitudes below this count as zero, in the matching and in what is
    // open: what is left of a transaction below it is nothing (0).
    static constexpr double kZero = 0.00001;
    static bool isZero(double quantity);
    // (index of the counterpart transaction, matched quantity signed as the
    // transaction it is listed under)
    using Match = std::pair<size_t, double>;

    // key is the security's key; made from the security when empty.
    explicit QxPosition(QxSecurity* security, std::string key = std::string());
    // A position that holds lots, matched against nothing.
    static QxPosition ofOpenLots(QxSecurity* security, std::string key);

    // Inserts after every transaction of an equal or earlier time, so that
    // transactions of one day keep the order they were entered (and the
    // order of the file they were read from).
    void addTransaction(const QxTransaction& transaction);
    // Out-of-range indices change nothing.
    void removeTransaction(size_t index);

    double averagePrice() const;
    double openQuantity() const;
    double openCost() const;
    // Whether anything of the position is open.
    bool isOpen() const { return openQuantity() != 0; }
    // What is still open of the transaction at index: its quantity minus
    // the sum of its matches (0 when out of range or below kZero).
    double openQuantityOf(size_t index) const;
    // The matches listed under the transaction at index.
    const std::vector<Match>& matchesOf(size_t index) const;

    const std::vector<QxTransaction>& transactions() const { return m_transactions; }
    QxSecurity* security() const { return m_security.get(); }
    // The key the position was made under, kept so that writing the file
    // never has to ask the security's category and provider again.
    const std::string& key() const { return m_key; }

    // Replaces the transactions by the valid "transaction" children of
    // element; returns how many were dropped.
    size_t fromXml(const wxXmlNode* element);
    // Appends a "position" element (even without transactions) to parent.
    wxXmlNode* toXml(wxXmlNode* parent) const;

private:
    void recompute() const;
    void ensure() const
    {
        if (m_dirty)
            recompute();
    }

    QxObjectSmartPtr<QxSecurity> m_security;
    std::string m_key;
    bool m_matching = true;
    std::vector<QxTransaction> m_transactions;
    mutable std::vector<std::vector<Match>> m_matches;
    mutable double m_averagePrice = 0;
    mutable double m_openQuantity = 0;
    mutable double m_openCost = 0;
    mutable bool m_dirty = false;
};
