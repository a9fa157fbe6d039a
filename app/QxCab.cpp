#include "app/QxCab.h"

#include "chart/QxChartConfiguration.h"
#include "core/QxErrorCode.h"
#include "core/platform/wxConfigEx.h"

#include <clocale>
#include <cwctype>
#include <locale.h>
#include <wctype.h>
#include <utility>

namespace {

bool isUsableBrushStyle(long style)
{
    return style == wxBRUSHSTYLE_SOLID || style == wxBRUSHSTYLE_TRANSPARENT ||
           (style >= wxBRUSHSTYLE_FIRST_HATCH && style <= wxBRUSHSTYLE_LAST_HATCH);
}

} // namespace

QxCab::QxCab() = default;

QxCab::~QxCab() = default;

wxString QxCab::normaliseKey(const wxString& key)
{
    // Classified by Unicode, not by whatever locale the process runs in, so a
    // stored group name means the same key in every run.
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    wxString out;
    for (wxString::const_iterator it = key.begin(); it != key.end(); ++it) {
        const wint_t c = static_cast<wint_t>((*it).GetValue());
        if (unicode ? iswalnum_l(c, unicode) : std::iswalnum(c))
            out += static_cast<wchar_t>(unicode ? towupper_l(c, unicode) : std::towupper(c));
    }
    return out;
}

int QxCab::addValue(const wxString& key, Value value)
{
    const wxString norm = normaliseKey(key);
    if (norm.empty())
        return eInvalidInput; // a group without a name cannot be stored
    auto found = m_keyIds.find(norm);
    unsigned id;
    if (found != m_keyIds.end()) {
        id = found->second;
        if (m_values.count(id))
            return eKeyAlreadyPresent;
    } else {
        id = m_nextId++;
        m_keyIds.emplace(norm, id);
        m_keyTexts.emplace(id, norm);
    }
    m_values.emplace(id, std::move(value));
    return eNoError;
}

int QxCab::add(const wxString& key, const wxString& value) { return addValue(key, Value(std::in_place_index<eText>, value)); }
int QxCab::add(const wxString& key, const char* value) { return add(key, wxString(value)); }
int QxCab::add(const wxString& key, const wchar_t* value) { return add(key, wxString(value)); }
int QxCab::add(const wxString& key, int value) { return addValue(key, Value(std::in_place_index<eInt>, value)); }
int QxCab::add(const wxString& key, long value) { return addValue(key, Value(std::in_place_index<eLong>, value)); }
int QxCab::add(const wxString& key, double value) { return addValue(key, Value(std::in_place_index<eDouble>, value)); }
int QxCab::add(const wxString& key, const wxColour& value) { return addValue(key, Value(std::in_place_index<eColour>, value)); }
int QxCab::add(const wxString& key, const wxFont& value) { return addValue(key, Value(std::in_place_index<eFont>, value)); }
int QxCab::add(const wxString& key, const wxPen& value) { return addValue(key, Value(std::in_place_index<ePen>, value)); }
int QxCab::add(const wxString& key, const wxBrush& value) { return addValue(key, Value(std::in_place_index<eBrush>, value)); }
int QxCab::add(const wxString& key, bool value) { return addValue(key, Value(std::in_place_index<eBool>, value)); }
int QxCab::add(const wxString& key, uint16_t value) { return addValue(key, Value(std::in_place_index<eUInt16>, value)); }

int QxCab::add(const wxString& key, QxCab* value)
{
    if (!value)
        return eInvalidInput;
    return addValue(key, Value(std::in_place_index<eCab>, QxObjectSmartPtr<QxCab>(value)));
}

int QxCab::find(const wxString& key, Kind kind, const Value*& value) const
{
    auto id = m_keyIds.find(normaliseKey(key));
    if (id == m_keyIds.end())
        return eKeyNotPresent;
    auto v = m_values.find(id->second);
    if (v == m_values.end())
        return eKeyNotPresent;
    if (static_cast<int>(v->second.index()) != kind)
        return eValueStoredIsOfDifferentType;
    value = &v->second;
    return eNoError;
}

template <class T>
int QxCab::getAs(const wxString& key, Kind kind, T& out) const
{
    const Value* value = nullptr;
    const int rc = find(key, kind, value);
    if (rc == eNoError)
        out = std::get<T>(*value);
    return rc;
}

int QxCab::get(const wxString& key, wxString& value) const { return getAs(key, eText, value); }
int QxCab::get(const wxString& key, int& value) const { return getAs(key, eInt, value); }
int QxCab::get(const wxString& key, long& value) const { return getAs(key, eLong, value); }
int QxCab::get(const wxString& key, double& value) const { return getAs(key, eDouble, value); }
int QxCab::get(const wxString& key, wxColour& value) const { return getAs(key, eColour, value); }
int QxCab::get(const wxString& key, wxFont& value) const { return getAs(key, eFont, value); }
int QxCab::get(const wxString& key, wxPen& value) const { return getAs(key, ePen, value); }
int QxCab::get(const wxString& key, wxBrush& value) const { return getAs(key, eBrush, value); }
int QxCab::get(const wxString& key, bool& value) const { return getAs(key, eBool, value); }
int QxCab::get(const wxString& key, uint16_t& value) const { return getAs(key, eUInt16, value); }
int QxCab::get(const wxString& key, QxObjectSmartPtr<QxCab>& value) const { return getAs(key, eCab, value); }

int QxCab::kind(const wxString& key) const
{
    auto id = m_keyIds.find(normaliseKey(key));
    if (id == m_keyIds.end())
        return -1;
    auto v = m_values.find(id->second);
    return v == m_values.end() ? -1 : static_cast<int>(v->second.index());
}

std::vector<wxString> QxCab::keys() const
{
    std::vector<wxString> out;
    out.reserve(m_values.size());
    for (const auto& entry : m_values)
        out.push_back(m_keyTexts.at(entry.first));
    return out;
}

void QxCab::save(wxConfigBase& config, const wxString& path) const
{
    if (m_values.empty())
        return; // not even the group
    QxConfigPathGuard entry(config);
    config.SetPath(path);
    for (const auto& [id, value] : m_values) {
        QxConfigPathGuard group(config);
        config.SetPath(m_keyTexts.at(id));
        config.Write("type", static_cast<long>(value.index()));
        switch (value.index()) {
        case eText: config.Write("value", std::get<eText>(value)); break;
        case eInt: config.Write("value", static_cast<long>(std::get<eInt>(value))); break;
        case eLong: config.Write("value", std::get<eLong>(value)); break;
        case eDouble: config.Write("value", std::get<eDouble>(value)); break;
        case eColour: writeConfigColour(config, "value", std::get<eColour>(value)); break;
        case eFont: writeConfigFont(config, "value", std::get<eFont>(value)); break;
        case ePen: writeConfigPen(config, "value", std::get<ePen>(value)); break;
        case eBrush: writeConfigBrush(config, "value", std::get<eBrush>(value)); break;
        case eBool: config.Write("value", std::get<eBool>(value)); break;
        case eUInt16: config.Write("value", static_cast<long>(std::get<eUInt16>(value))); break;
        case eCab:
            if (const QxCab* nested = std::get<eCab>(value).get())
                nested->save(config, "value");
            break;
        }
    }
}

void QxCab::load(wxConfigBase& config, const wxString& path)
{
    QxConfigPathGuard entry(config);
    // Setting the path of a missing group would create it.
    if (!path.empty() && !config.HasGroup(path))
        return;
    config.SetPath(path);

    std::vector<wxString> groups;
    wxString name;
    long index = 0;
    for (bool more = config.GetFirstGroup(name, index); more; more = config.GetNextGroup(name, index))
        groups.push_back(name);

    for (const wxString& groupName : groups) {
        QxConfigPathGuard group(config);
        config.SetPath(groupName);
        long type = -1;
        if (!config.Read("type", &type) || type < eText || type > eCab)
            continue;
        switch (type) {
        case eText: {
            wxString s;
            config.Read("value", &s, wxString());
            add(groupName, s);
            break;
        }
        case eInt: add(groupName, static_cast<int>(config.ReadLong("value", 0))); break;
        case eLong: add(groupName, config.ReadLong("value", 0)); break;
        case eDouble: add(groupName, config.ReadDouble("value", 0.0)); break;
        case eColour: add(groupName, readConfigColour(config, "value", wxColour())); break;
        case eFont: add(groupName, readConfigFont(config, "value", wxFont())); break;
        case ePen: add(groupName, readConfigPen(config, "value", wxPen())); break;
        case eBrush: add(groupName, readConfigBrush(config, "value", wxBrush())); break;
        case eBool: add(groupName, config.ReadBool("value", false)); break;
        case eUInt16:
            add(groupName, static_cast<uint16_t>(config.ReadLong("value", 0) & 0xFFFF));
            break;
        case eCab: {
            QxObjectSmartPtr<QxCab> nested(new QxCab);
            nested->load(config, "value");
            add(groupName, nested.get());
            break;
        }
        }
    }
}

wxBrush readConfigBrush(wxConfigBase& config, const wxString& key, const wxBrush& def)
{
    const wxString colorKey = key + "/color", styleKey = key + "/style";
    if (config.GetEntryType(colorKey) != wxConfigBase::Type_String ||
        config.GetEntryType(styleKey) != wxConfigBase::Type_Integer)
        return def;
    long style = wxBRUSHSTYLE_SOLID;
    if (!config.Read(styleKey, &style) || !isUsableBrushStyle(style))
        return def;
    const wxColour colour = readConfigColour(config, colorKey, def.IsOk() ? def.GetColour() : wxColour());
    return wxBrush(colour, static_cast<wxBrushStyle>(style));
}

void writeConfigBrush(wxConfigBase& config, const wxString& key, const wxBrush& brush)
{
    if (!brush.IsOk())
        return;
    writeConfigColour(config, key + "/color", brush.GetColour());
    config.Write(key + "/style", static_cast<long>(brush.GetStyle()));
}
