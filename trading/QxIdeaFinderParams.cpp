#include "trading/QxIdeaFinderParams.h"

#include "core/QxCategory.h"
#include "core/QxDatabase.h"
#include "core/QxSecurity.h"
#include "core/QxXmlFile.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cmath>

namespace {

// Dates are calendar dates: subtracting two local midnights across a change
// of daylight-saving time gives 23 or 25 hours, which must still be a day.
wxDateTime dateOnly(const wxDateTime& dt)
{
    return dt.IsValid() ? dt.GetDateOnly() : wxDateTime::Today();
}

wxString daysText(int days)
{
    return wxString::Format("%d", days);
}

long numberOf(const wxXmlNode* node, const char* attribute)
{
    long value = 0;
    if (!node->GetAttribute(attribute, wxString()).ToLong(&value))
        return 0;
    return value;
}

// The dates a file may place a range at: four-digit years, which the date
// pickers show and the scan's timestamps hold. Outside them a day count is
// not a date at all, and the file is refused rather than wrapped around.
constexpr int kFirstYear = 1000;
constexpr int kLastYear = 9999;
constexpr int kDayStep = 30000;

// The date day - the day count of attribute, in *date. A missing or
// non-numeric value counts as 0; false when the value is a number whose
// date lies outside the years above.
bool dateBefore(const wxXmlNode* node, const char* attribute, const wxDateTime& day, wxDateTime* date)
{
    const wxString text = node->GetAttribute(attribute, wxString()).Strip(wxString::both);
    wxLongLong_t days = 0;
    if (!text.ToLongLong(&days)) {
        // Digits that overflow are a number too large, not a missing one.
        const wxString digits = text.StartsWith("-") || text.StartsWith("+") ? text.Mid(1) : text;
        if (!digits.empty() && digits.find_first_not_of("0123456789") == wxString::npos)
            return false;
        days = 0;
    }
    static const double first = wxDateTime(1, wxDateTime::Jan, kFirstYear).GetJDN();
    static const double last = wxDateTime(31, wxDateTime::Dec, kLastYear).GetJDN();
    const double target = day.GetJDN() - static_cast<double>(days);
    if (!(target >= first && target <= last))
        return false;
    // The toolkit adds a span of days to a 16-bit day of the month (a
    // million days ahead came out in 2073): it is taken in steps it holds.
    wxDateTime moved = day;
    for (wxLongLong_t left = days; left != 0;) {
        const int step = static_cast<int>(std::clamp<wxLongLong_t>(left, -kDayStep, kDayStep));
        moved -= wxDateSpan::Days(step);
        left -= step;
    }
    *date = moved;
    return true;
}

const wxXmlNode* childNamed(const wxXmlNode* parent, const char* name)
{
    for (const wxXmlNode* child = parent->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE && child->GetName().IsSameAs(name, false))
            return child;
    return nullptr;
}

} // namespace

int ideaFinderDaysBefore(const wxDateTime& today, const wxDateTime& date)
{
    const double seconds = (dateOnly(today) - dateOnly(date)).GetSeconds().ToDouble();
    return static_cast<int>(std::lround(seconds / 86400.0));
}

bool saveIdeaFinderParams(const wxString& path, const QxIdeaFinderParams& params,
                          const wxDateTime& today)
{
    wxXmlDocument doc;
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "TrendoriaIdeaFinder");
    root->AddAttribute("Version", "1");
    doc.SetRoot(root);

    auto* data = new wxXmlNode(wxXML_ELEMENT_NODE, "Data");
    data->AddAttribute("System", params.system);
    data->AddAttribute("LookFor", wxString::Format("%d", static_cast<int>(params.lookFor)));
    data->AddAttribute("From", daysText(ideaFinderDaysBefore(today, params.from)));
    data->AddAttribute("Till", daysText(ideaFinderDaysBefore(today, params.till)));
    data->AddAttribute("Periodicity", wxString::Format("%d", static_cast<int>(params.periodicity)));
    root->AddChild(data);

    auto* symbols = new wxXmlNode(wxXML_ELEMENT_NODE, "Symbols");
    data->AddChild(symbols);
    for (const QxIdeaFinderSymbol& symbol : params.symbols) {
        auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, "Symbol");
        node->AddAttribute("Category", symbol.category);
        node->AddAttribute("DataProvider", symbol.dataProvider);
        node->AddAttribute("Symbol", symbol.symbol);
        symbols->AddChild(node);
    }
    return qxSaveXmlFile(doc, path, 2);
}

QxIdeaFinderLoad loadIdeaFinderParams(const wxString& path, const wxDateTime& today,
                                      QxIdeaFinderParams& params)
{
    // A file the user picked may hold anything: bound it before parsing.
    static const QxXmlLimits limits{16u << 20, 16};
    wxXmlDocument doc;
    if (qxLoadXmlFile(path, doc, limits, wxString(), nullptr) != QxXmlRead::eRead || !doc.GetRoot())
        return QxIdeaFinderLoad::eUnreadable;
    const wxXmlNode* data = childNamed(doc.GetRoot(), "Data");
    if (!data)
        return QxIdeaFinderLoad::eNoData;

    const wxDateTime day = dateOnly(today);
    params = QxIdeaFinderParams();
    params.system = data->GetAttribute("System", wxString());
    params.lookFor = static_cast<unsigned>(numberOf(data, "LookFor"));
    if (!dateBefore(data, "From", day, &params.from) || !dateBefore(data, "Till", day, &params.till)) {
        params = QxIdeaFinderParams();
        return QxIdeaFinderLoad::eDamaged;
    }
    params.periodicity = static_cast<int32_t>(numberOf(data, "Periodicity"));
    if (const wxXmlNode* symbols = childNamed(data, "Symbols")) {
        for (const wxXmlNode* node = symbols->GetChildren(); node; node = node->GetNext()) {
            if (node->GetType() != wxXML_ELEMENT_NODE)
                continue;
            params.symbols.push_back({node->GetAttribute("Category", wxString()),
                                      node->GetAttribute("DataProvider", wxString()),
                                      node->GetAttribute("Symbol", wxString())});
        }
    }
    return QxIdeaFinderLoad::eLoaded;
}

std::vector<QxResolvedSymbol> resolveIdeaFinderSymbols(const std::vector<QxIdeaFinderSymbol>& symbols,
                                                       QxDatabase* db)
{
    std::vector<QxResolvedSymbol> found;
    if (!db)
        return found;
    for (const QxIdeaFinderSymbol& symbol : symbols) {
        QxCategory* category = db->findCategory(symbol.category.utf8_str().data(),
                                                symbol.dataProvider.utf8_str().data());
        if (!category)
            continue;
        QxSecurity* security = category->findSecurity(symbol.symbol.utf8_str().data());
        if (!security)
            continue;
        found.push_back({security->id(), symbol.symbol, wxString::FromUTF8(security->name())});
    }
    return found;
}

bool ideaFinderSymbolOf(QxDatabase* db, unsigned securityId, QxIdeaFinderSymbol& symbol)
{
    QxObjectSmartPtr<QxSecurity> security(db ? db->getSecurity(securityId) : nullptr);
    QxCategory* category = security ? security->category() : nullptr;
    if (!category)
        return false;
    symbol.category = wxString::FromUTF8(category->name());
    symbol.dataProvider = wxString::FromUTF8(category->dataProvider());
    symbol.symbol = wxString::FromUTF8(security->ticker());
    return true;
}
