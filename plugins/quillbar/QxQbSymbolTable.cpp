#include "plugins/quillbar/QxQbSymbolTable.h"

QxQbSymbolTable& QxQbSymbolTable::instance()
{
    static QxQbSymbolTable table;
    return table;
}

unsigned QxQbSymbolTable::number(const std::string& text)
{
    if (text.empty())
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_numbers.find(text);
    if (found != m_numbers.end())
        return found->second;
    m_texts.push_back(text);
    const unsigned n = static_cast<unsigned>(m_texts.size());
    m_numbers.emplace(text, n);
    return n;
}

bool QxQbSymbolTable::find(const std::string& text, unsigned* numberOut) const
{
    if (text.empty()) {
        if (numberOut)
            *numberOut = 0;
        return true;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_numbers.find(text);
    if (found == m_numbers.end())
        return false;
    if (numberOut)
        *numberOut = found->second;
    return true;
}

std::string QxQbSymbolTable::text(unsigned number) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (number == 0 || number > m_texts.size())
        return std::string();
    return m_texts[number - 1];
}

std::size_t QxQbSymbolTable::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_texts.size();
}
