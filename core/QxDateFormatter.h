#pragma once
// Dates of report pages in the locale's form, written without the
// framework's date formatting where the form allows it.
#include <cstdint>
#include <string>
#include <vector>

// The locale's date of ts (formatTimestamp with "%x") as UTF-8, for pages
// of many dates. Made when the locale is in place: where the locale writes
// a date as the numbers of day, month and year between fixed texts, it
// learns that form from sample dates and writes dates of midnight from 1971
// to 2037 itself, in each year whose sample dates the framework writes the
// same way. Beyond those years the framework works the local time out by
// its own reckoning, which can name the day before in some zones and writes
// some two-digit years unpadded ("0" for 1900); there, as for any other
// date and every date of any other locale, the date goes through
// formatTimestamp. The texts are the same either way. One formatter serves
// one thread: it notes which years it has checked.
class QxDateFormatter {
public:
    QxDateFormatter();
    std::string utf8(int64_t ts) const;
    // Whether dates are written without the framework (for tests).
    bool writesItself() const { return m_fast; }
    // Whether dates of midnight in year are written without the framework
    // (checked once per year).
    bool writesItselfIn(int year) const;

private:
    struct Part {
        enum Kind { eText, eDay, eMonth, eYear2, eYear4 } kind = eText;
        bool padded = false;
        std::string text;
    };
    static bool parse(const std::string& sample, int day, int month, int year, std::vector<Part>& parts);
    void write(int day, int month, int year, std::string& out) const;

    static constexpr int kFirstYear = 1971, kLastYear = 2037;
    std::vector<Part> m_parts;
    bool m_fast = false;
    // Per year from kFirstYear: 0 not checked yet, 1 written here, -1 by the
    // framework.
    mutable std::vector<signed char> m_years;
};
