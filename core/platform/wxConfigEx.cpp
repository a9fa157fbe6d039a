#include "core/platform/wxConfigEx.h"

#include <wx/filename.h>

#include <charconv>
#include <cstdlib>

namespace {

const wxChar kTextMark = wxT('\'');

long storeStyle(const wxString& globalFile)
{
    return wxCONFIG_USE_LOCAL_FILE | (globalFile.empty() ? 0 : wxCONFIG_USE_GLOBAL_FILE);
}

} // namespace

wxConfigEx::wxConfigEx()
    : wxFileConfig("Trendoria", "Corvane", wxString(), wxString(),
                   wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_GLOBAL_FILE)
{
    init(wxString());
}

wxConfigEx::wxConfigEx(const wxString& localFile, const wxString& globalFile)
    : wxFileConfig("Trendoria", "Corvane", localFile, globalFile, storeStyle(globalFile))
{
    init(localFile);
}

void wxConfigEx::init(const wxString& localFile)
{
    // Where the framework keeps the per-user file: a relative name is taken
    // from the home folder, no name at all gives the application's dot-file.
    wxFileName local = localFile.empty() ? GetLocalFile("Trendoria") : wxFileName(localFile);
    local.MakeAbsolute(wxFileName::GetHomeDir());
    m_localPath = local.GetFullPath();
    // Stored text comes back exactly as written: a font face or a path that
    // happens to hold a '$' must not be expanded.
    SetExpandEnvVars(false);
}

wxConfigEx::~wxConfigEx()
{
    // The framework's destructor writes through its own Flush, not ours.
    if (wxFileName::DirExists(m_localPath))
        DisableAutoSave();
}

bool wxConfigEx::Flush(bool currentOnly)
{
    if (wxFileName::DirExists(m_localPath))
        return false;
    return wxFileConfig::Flush(currentOnly);
}

wxConfigEx& wxConfigEx::get()
{
    if (auto* current = dynamic_cast<wxConfigEx*>(wxConfigBase::Get(false)))
        return *current;
    auto* store = new wxConfigEx();
    delete wxConfigBase::Set(store);
    return *store;
}

bool wxConfigEx::isIntegerText(const wxString& text)
{
    wxString t = text;
    t.Trim(true).Trim(false);
    size_t i = 0;
    if (i < t.length() && (t[i] == '+' || t[i] == '-'))
        ++i;
    if (i == t.length())
        return false;
    for (; i < t.length(); ++i)
        if (t[i] < '0' || t[i] > '9')
            return false;
    return true;
}

bool wxConfigEx::readRaw(const wxString& key, wxString& raw) const
{
    if (!HasEntry(key))
        return false;
    return wxFileConfig::DoReadString(key, &raw);
}

wxConfigBase::EntryType wxConfigEx::GetEntryType(const wxString& name) const
{
    wxString raw;
    if (!readRaw(name, raw))
        return Type_Unknown;
    return isIntegerText(raw) ? Type_Integer : Type_String;
}

bool wxConfigEx::DoReadString(const wxString& key, wxString* str) const
{
    wxString raw;
    if (!readRaw(key, raw))
        return false;
    if (!raw.empty() && raw[0] == kTextMark)
        raw.erase(0, 1);
    *str = raw;
    return true;
}

bool wxConfigEx::DoReadLong(const wxString& key, long* value) const
{
    wxString raw;
    if (!readRaw(key, raw) || !isIntegerText(raw))
        return false;
    raw.Trim(true).Trim(false);
    return raw.ToLong(value);
}

bool wxConfigEx::DoReadLongLong(const wxString& key, wxLongLong_t* value) const
{
    wxString raw;
    if (!readRaw(key, raw) || !isIntegerText(raw))
        return false;
    raw.Trim(true).Trim(false);
    return raw.ToLongLong(value);
}

bool wxConfigEx::DoReadDouble(const wxString& key, double* value) const
{
    wxString text;
    if (!DoReadString(key, &text))
        return false;
    text.Trim(true).Trim(false);
    // Older files may hold a number written in the user's locale.
    return text.ToCDouble(value) || text.ToDouble(value);
}

bool wxConfigEx::DoReadBool(const wxString& key, bool* value) const
{
    long l = 0;
    if (!DoReadLong(key, &l))
        return false;
    *value = l != 0;
    return true;
}

bool wxConfigEx::DoWriteString(const wxString& key, const wxString& value)
{
    if (isIntegerText(value) || (!value.empty() && value[0] == kTextMark))
        return wxFileConfig::DoWriteString(key, wxString(kTextMark) + value);
    return wxFileConfig::DoWriteString(key, value);
}

bool wxConfigEx::DoWriteLong(const wxString& key, long value)
{
    return wxFileConfig::DoWriteString(key, wxString::Format("%ld", value));
}

bool wxConfigEx::DoWriteLongLong(const wxString& key, wxLongLong_t value)
{
    return wxFileConfig::DoWriteString(key, wxString::Format("%" wxLongLongFmtSpec "d", value));
}

bool wxConfigEx::DoWriteDouble(const wxString& key, double value)
{
    // Shortest text that reads back as the same double, independent of the
    // locale.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return DoWriteString(key, wxString::FromAscii(buf, res.ptr - buf));
}

bool wxConfigEx::DoWriteBool(const wxString& key, bool value)
{
    return DoWriteLong(key, value ? 1L : 0L);
}
