#pragma once
// The reader's process-wide numbering of texts: category names get numbers
// from 1 in order of first use, the empty text 0. A security's id is made of
// its category's number and its symbol's number, which each folder gives its
// own symbols (QxQbCategory).
#include <map>
#include <mutex>
#include <string>
#include <vector>

class QxQbSymbolTable {
public:
    static QxQbSymbolTable& instance();

    // The number of text, given it now when it has none.
    unsigned number(const std::string& text);
    // The number text already has; false (and nothing entered) when none.
    bool find(const std::string& text, unsigned* numberOut) const;
    // The text of a number; empty for 0 and numbers never given.
    std::string text(unsigned number) const;
    // How many texts have numbers.
    std::size_t size() const;

private:
    QxQbSymbolTable() = default;

    mutable std::mutex m_mutex;
    std::map<std::string, unsigned> m_numbers;
    std::vector<std::string> m_texts; // the text of number n at n - 1
};

// The id of a security: the category's number in the high 16 bits, the
// symbol's number in the low 16 bits. Computed unsigned, so that category
// numbers from 32768 on keep their place; symbol numbers must fit 16 bits.
inline unsigned qxQbSecurityId(unsigned categoryId, unsigned symbolNumber)
{
    return ((categoryId & 0xFFFFu) << 16) | (symbolNumber & 0xFFFFu);
}
