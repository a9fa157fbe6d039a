#include "securities/QxPortfolioNames.h"

#include <algorithm>

namespace {

bool taken(const wxString& candidate, const std::vector<wxString>& names)
{
    return std::any_of(names.begin(), names.end(),
                       [&candidate](const wxString& name) { return name.CmpNoCase(candidate) == 0; });
}

} // namespace

wxString qxUniqueName(const wxString& base, const std::vector<wxString>& names)
{
    for (int number = 1;; ++number) {
        const wxString candidate = base + wxString::Format("%d", number);
        if (!taken(candidate, names))
            return candidate;
    }
}

bool qxMayRename(const wxString& text, const std::vector<wxString>& otherNames)
{
    return !wxString(text).Trim(true).Trim(false).empty() && !taken(text, otherNames);
}
