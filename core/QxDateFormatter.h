#pragma once
// Dates of report pages in the locale's form, written without the
// framework's date formatting where the form allows it.
#include <cstdint>
#include <string>
#include <vector>

// The locale's date of ts (formatTimestamp with "%x") as UTF-8, for pages
// of many dates. Made when the locale is in place: where the locale writes
// a date as the numbers of day, month and year between fixed texts, it
// learns that form from three sample dates and writes dates of midnight
// from 1900 to 2199 itself; any other date, and every date of any other
// locale, goes through formatTimestamp. The texts are the same either way.
class QxDateFormatter {
public:
    QxDateFormatter();
    std::string utf8(int64_t ts) const;
    // Whether dates are written without the framework (for tests).
    bool writesItself() const { return m_fast; }

private:
    struct Part {
        enum Kind { eText, eDay, eMonth, eYear2, eYear4 } kind = eText;
        bool padded = false;
        std::string text;
    };
    static bool parse(const std::string& sample, int day, int month, int year, std::vector<Part>& parts);
    void write(int day, int month, int year, std::string& out) const;

    std::vector<Part> m_parts;
    bool m_fast = false;
};
