#pragma once
// Dates of report pages in the locale's form, written without the
// framework's date formatting where the form allows it.
#include <cstdint>
#include <memory>
#include <string>

// The locale's date of ts (formatTimestamp with "%x") as UTF-8, for pages
// of many dates. Made when the locale is in place: where the locale writes
// a date as the numbers of day, month and year between fixed texts, it
// learns that form from sample dates and writes dates of midnight from 1971
// to 2037 itself, in each year whose sample dates the framework writes the
// same way. Beyond those years the framework works the local time out by
// its own reckoning, which can name the day before in some zones and writes
// some two-digit years unpadded ("0" for 1900); there, as for any other
// date and every date of any other locale, the date goes through
// formatTimestamp. The texts are the same either way. What a formatter
// learns is kept for the next one made on the same thread while the locale,
// the time zone and the framework's text of a sample date stay the same, so
// making one for every page costs one date. One formatter serves
// one thread: it notes which years it has checked.
class QxDateFormatter {
public:
    QxDateFormatter();
    ~QxDateFormatter();
    QxDateFormatter(const QxDateFormatter&) = delete;
    QxDateFormatter& operator=(const QxDateFormatter&) = delete;

    std::string utf8(int64_t ts) const;
    // Appends utf8(ts) to out.
    void append(int64_t ts, std::string& out) const;
    // Whether dates are written without the framework (for tests).
    bool writesItself() const;
    // Whether dates of midnight in year are written without the framework
    // (checked once per year).
    bool writesItselfIn(int year) const;

    struct Form; // what is learned of a locale's dates

private:
    std::shared_ptr<Form> m_form;
};
