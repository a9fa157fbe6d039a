#include "core/QxDateFormatter.h"

#include "core/QxTime.h"

#include <array>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Part {
    enum Kind { eText, eDay, eMonth, eYear2, eYear4 } kind = eText;
    bool padded = false;
    std::string text;
};

constexpr int kFirstYear = 1971, kLastYear = 2037;

void appendTwoDigits(std::string& out, int value)
{
    const char digits[2] = {char('0' + value / 10 % 10), char('0' + value % 10)};
    out.append(digits, 2);
}

// value >= 0, as the calendar's numbers are.
void appendNumber(std::string& out, int value)
{
    char digits[12];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0 && n < 12);
    while (n > 0)
        out += digits[--n];
}

std::string twoDigits(int value)
{
    std::string text;
    appendTwoDigits(text, value);
    return text;
}

std::string sampleText(int day, int month, int year)
{
    // The buffer belongs to the string: both must live while it is read.
    const wxString text =
        formatTimestamp(makeTimestamp(static_cast<uint8_t>(day), month, static_cast<uint16_t>(year)), "%x");
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

bool parse(const std::string& sample, int day, int month, int year, std::vector<Part>& parts)
{
    parts.clear();
    const std::string dayText = std::to_string(day), monthText = std::to_string(month);
    const std::string year4 = std::to_string(year), year2 = twoDigits(year % 100);
    size_t i = 0;
    while (i < sample.size()) {
        size_t j = i;
        const bool digits = sample[i] >= '0' && sample[i] <= '9';
        while (j < sample.size() && (sample[j] >= '0' && sample[j] <= '9') == digits)
            ++j;
        const std::string run = sample.substr(i, j - i);
        Part part;
        if (!digits) {
            part.text = run;
        } else if (run == dayText || run == twoDigits(day)) {
            part.kind = Part::eDay;
            part.padded = run.size() == 2;
        } else if (run == monthText || run == twoDigits(month)) {
            part.kind = Part::eMonth;
            part.padded = run.size() == 2;
        } else if (run == year4) {
            part.kind = Part::eYear4;
        } else if (run == year2) {
            part.kind = Part::eYear2;
        } else {
            return false; // another calendar, or numbers this form does not know
        }
        parts.push_back(std::move(part));
        i = j;
    }
    return !parts.empty();
}

} // namespace

struct QxDateFormatter::Form {
    // The locale, the time zone and a sample date it was learned with.
    std::string key;
    std::vector<Part> parts;
    bool fast = false;
    // Per year from kFirstYear: 0 not checked yet, 1 written here, -1 by the
    // framework.
    std::vector<signed char> years;

    void write(int day, int month, int year, std::string& out) const
    {
        // Most forms fit a few characters: made here and appended once.
        if (year < 1000 || year > 9999) {
            writeParts(parts.data(), day, month, year, out);
            return;
        }
        char text[64];
        char* p = text;
        for (const Part& part : parts) {
            if (p + part.text.size() + 4 > text + sizeof text) {
                out.append(text, static_cast<size_t>(p - text));
                writeParts(&part, day, month, year, out);
                return;
            }
            const auto two = [&p](int value) {
                *p++ = char('0' + value / 10 % 10);
                *p++ = char('0' + value % 10);
            };
            switch (part.kind) {
            case Part::eText:
                std::memcpy(p, part.text.data(), part.text.size());
                p += part.text.size();
                break;
            case Part::eDay:
                part.padded || day >= 10 ? two(day) : void(*p++ = char('0' + day));
                break;
            case Part::eMonth:
                part.padded || month >= 10 ? two(month) : void(*p++ = char('0' + month));
                break;
            case Part::eYear2:
                two(year % 100);
                break;
            case Part::eYear4:
                two(year / 100);
                two(year % 100);
                break;
            }
        }
        out.append(text, static_cast<size_t>(p - text));
    }

    // The parts from first on, appended one by one.
    void writeParts(const Part* first, int day, int month, int year, std::string& out) const
    {
        for (const Part* it = first; it != parts.data() + parts.size(); ++it) {
            const Part& part = *it;
            switch (part.kind) {
            case Part::eText:
                out += part.text;
                break;
            case Part::eDay:
                part.padded ? appendTwoDigits(out, day) : appendNumber(out, day);
                break;
            case Part::eMonth:
                part.padded ? appendTwoDigits(out, month) : appendNumber(out, month);
                break;
            case Part::eYear2:
                appendTwoDigits(out, year % 100);
                break;
            case Part::eYear4:
                appendNumber(out, year);
                break;
            }
        }
    }

    // Day, month and year told apart by their values, then the padding from
    // one-digit values, then checks on other dates.
    void learn(const std::string& wideSample, const std::string& narrowSample)
    {
        std::vector<Part> wide, narrow;
        if (!parse(wideSample, 23, 11, 2045, wide) || !parse(narrowSample, 4, 7, 2003, narrow) ||
            wide.size() != narrow.size())
            return;
        for (size_t k = 0; k < wide.size(); ++k)
            if (wide[k].kind != narrow[k].kind || wide[k].text != narrow[k].text)
                return;
        parts = narrow;
        const int checks[][3] = {{30, 12, 1999}, {9, 1, 2010}, {31, 10, 2037}, {29, 2, 2024}, {1, 1, 1971}};
        for (const auto& c : checks) {
            std::string mine;
            write(c[0], c[1], c[2], mine);
            if (mine != sampleText(c[0], c[1], c[2])) {
                parts.clear();
                return;
            }
        }
        years.assign(kLastYear - kFirstYear + 1, 0);
        fast = true;
    }
};

QxDateFormatter::QxDateFormatter()
{
    const std::string narrow = sampleText(4, 7, 2003);
    const char* locale = std::setlocale(LC_ALL, nullptr);
    const char* zone = std::getenv("TZ");
    std::string key = std::string(locale ? locale : "") + '\n' + (zone ? zone : "-") + '\n' + narrow;
    // The forms learned last on this thread, newest first; a formatter keeps
    // its own alive when it drops out of here.
    thread_local std::vector<std::shared_ptr<Form>> learned;
    for (size_t k = 0; k < learned.size(); ++k) {
        if (learned[k]->key == key) {
            m_form = learned[k];
            learned.erase(learned.begin() + static_cast<std::ptrdiff_t>(k));
            learned.insert(learned.begin(), m_form);
            return;
        }
    }
    m_form = std::make_shared<Form>();
    m_form->key = std::move(key);
    m_form->learn(sampleText(23, 11, 2045), narrow);
    learned.insert(learned.begin(), m_form);
    if (learned.size() > 4)
        learned.pop_back();
}

QxDateFormatter::~QxDateFormatter() = default;

bool QxDateFormatter::writesItself() const { return m_form->fast; }

bool QxDateFormatter::writesItselfIn(int year) const
{
    Form& form = *m_form;
    if (!form.fast || year < kFirstYear || year > kLastYear)
        return false;
    signed char& state = form.years[static_cast<size_t>(year - kFirstYear)];
    if (state == 0) {
        state = 1;
        for (const auto& c : {std::array<int, 2>{23, 12}, std::array<int, 2>{4, 7}}) {
            std::string mine;
            form.write(c[0], c[1], year, mine);
            if (mine != sampleText(c[0], c[1], year))
                state = -1;
        }
    }
    return state > 0;
}

void QxDateFormatter::append(int64_t ts, std::string& out) const
{
    // Midnight of a valid date (the milliseconds, as splitTimestamp does,
    // not looked at) in a year written here.
    const int64_t seconds = ts / 1000;
    if (m_form->fast && ts > 0 && seconds % 1000000 == 0) {
        const int64_t date = seconds / 1000000;
        const int day = static_cast<int>(date % 100), month = static_cast<int>(date / 100 % 100);
        const int64_t year = date / 10000;
        // Between 1971 and 2037 every fourth year is a leap year.
        static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (year >= kFirstYear && year <= kLastYear && month >= 1 && month <= 12 && day >= 1 &&
            day <= days[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0) &&
            writesItselfIn(static_cast<int>(year))) {
            m_form->write(day, month, static_cast<int>(year), out);
            return;
        }
    }
    const wxString text = formatTimestamp(ts, "%x");
    const wxScopedCharBuffer utf8 = text.utf8_str();
    out.append(utf8.data(), utf8.length());
}

std::string QxDateFormatter::utf8(int64_t ts) const
{
    std::string out;
    append(ts, out);
    return out;
}
