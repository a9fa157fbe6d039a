#include "core/QxDateFormatter.h"

#include "core/QxTime.h"

#include <array>

namespace {

std::string twoDigits(int value)
{
    const char digits[] = {char('0' + value / 10 % 10), char('0' + value % 10), 0};
    return digits;
}

std::string sampleText(int day, int month, int year)
{
    // The buffer belongs to the string: both must live while it is read.
    const wxString text =
        formatTimestamp(makeTimestamp(static_cast<uint8_t>(day), month, static_cast<uint16_t>(year)), "%x");
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

} // namespace

bool QxDateFormatter::parse(const std::string& sample, int day, int month, int year, std::vector<Part>& parts)
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

void QxDateFormatter::write(int day, int month, int year, std::string& out) const
{
    for (const Part& part : m_parts) {
        switch (part.kind) {
        case Part::eText:
            out += part.text;
            break;
        case Part::eDay:
            out += part.padded ? twoDigits(day) : std::to_string(day);
            break;
        case Part::eMonth:
            out += part.padded ? twoDigits(month) : std::to_string(month);
            break;
        case Part::eYear2:
            out += twoDigits(year % 100);
            break;
        case Part::eYear4:
            out += std::to_string(year);
            break;
        }
    }
}

QxDateFormatter::QxDateFormatter()
{
    // Day, month and year told apart by their values, then the padding from
    // one-digit values, then checks on other dates.
    std::vector<Part> wide, narrow;
    if (!parse(sampleText(23, 11, 2045), 23, 11, 2045, wide) || !parse(sampleText(4, 7, 2003), 4, 7, 2003, narrow) ||
        wide.size() != narrow.size())
        return;
    for (size_t k = 0; k < wide.size(); ++k)
        if (wide[k].kind != narrow[k].kind || wide[k].text != narrow[k].text)
            return;
    m_parts = narrow;
    const int checks[][3] = {{30, 12, 1999}, {9, 1, 2010}, {31, 10, 2037}, {29, 2, 2024}, {1, 1, 1971}};
    for (const auto& c : checks) {
        std::string mine;
        write(c[0], c[1], c[2], mine);
        if (mine != sampleText(c[0], c[1], c[2])) {
            m_parts.clear();
            return;
        }
    }
    m_years.assign(kLastYear - kFirstYear + 1, 0);
    m_fast = true;
}

bool QxDateFormatter::writesItselfIn(int year) const
{
    if (!m_fast || year < kFirstYear || year > kLastYear)
        return false;
    signed char& state = m_years[static_cast<size_t>(year - kFirstYear)];
    if (state == 0) {
        state = 1;
        for (const auto& c : {std::array<int, 2>{23, 12}, std::array<int, 2>{4, 7}}) {
            std::string mine;
            write(c[0], c[1], year, mine);
            if (mine != sampleText(c[0], c[1], year))
                state = -1;
        }
    }
    return state > 0;
}

std::string QxDateFormatter::utf8(int64_t ts) const
{
    if (m_fast && ts > 0 && isValidTimestamp(ts)) {
        const QxSplitTime st = splitTimestamp(ts);
        if (st.hour == 0 && st.minute == 0 && st.second == 0 && writesItselfIn(st.year)) {
            std::string out;
            write(st.day, st.month, st.year, out);
            return out;
        }
    }
    const wxString text = formatTimestamp(ts, "%x");
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}
