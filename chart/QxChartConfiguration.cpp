#include "chart/QxChartConfiguration.h"

#include "core/platform/wxConfigEx.h"

#include <wx/gdicmn.h>
#include <wx/module.h>
#include <wx/settings.h>

#include <memory>

namespace {

const wxString kRootPath = "/preferences/chart_all_config";

std::unique_ptr<QxChartAllConfiguration> g_defaults;
std::unique_ptr<QxChartAllConfiguration> g_current;

// Frees the two process-wide records while the toolkit still runs, so their
// fonts and pens are not destroyed after it shut down.
class QxChartConfigModule : public wxModule {
public:
    bool OnInit() override { return true; }
    void OnExit() override { releaseChartConfigs(); }

private:
    wxDECLARE_DYNAMIC_CLASS(QxChartConfigModule);
};

wxIMPLEMENT_DYNAMIC_CLASS(QxChartConfigModule, wxModule);

bool isIntegerEntry(const wxConfigBase& config, const wxString& key)
{
    return config.GetEntryType(key) == wxConfigBase::Type_Integer;
}

bool isStringEntry(const wxConfigBase& config, const wxString& key)
{
    return config.GetEntryType(key) == wxConfigBase::Type_String;
}

bool readInt(const wxConfigBase& config, const wxString& key, long& value)
{
    return isIntegerEntry(config, key) && config.Read(key, &value);
}

bool isUsableFontFamily(long family)
{
    return family >= wxFONTFAMILY_DEFAULT && family <= wxFONTFAMILY_UNKNOWN;
}

bool isUsableFontStyle(long style)
{
    return style == wxFONTSTYLE_NORMAL || style == wxFONTSTYLE_ITALIC || style == wxFONTSTYLE_SLANT;
}

bool isUsableFontWeight(long weight)
{
    // 90 to 92 are the framework's earlier normal, light and bold.
    return (weight >= 90 && weight <= 92) || (weight >= wxFONTWEIGHT_THIN && weight <= wxFONTWEIGHT_MAX);
}

// Runs fn with the store's path set to the group below the root, restoring
// the caller's path afterwards.
template <class Fn>
void inGroup(wxConfigBase& config, const wxString& group, Fn fn)
{
    QxConfigPathGuard guard(config);
    config.SetPath(group);
    fn();
}

void fillDefaults(QxChartAllConfiguration& c)
{
    const wxFont normal = *wxNORMAL_FONT;

    c.priceObjConfig.tickWidth = 7;
    c.priceObjConfig.candleUpColor = *wxWHITE;
    c.priceObjConfig.candleDownColor = *wxBLACK;
    c.priceObjConfig.barUpColor = *wxBLACK;
    c.priceObjConfig.barDownColor = *wxBLACK;
    c.priceObjConfig.lineColor = wxColour(0, 0, 160);

    c.volumeObjConfig.priceUpColor = wxColour(0, 160, 0);
    c.volumeObjConfig.priceDownColor = wxColour(160, 0, 0);

    c.mainZoneConfig.hasTitleStrip = true;
    c.mainZoneConfig.titleBgColor = wxColour(54, 54, 27);
    c.mainZoneConfig.titleTextColor = wxColour(198, 198, 40);
    c.mainZoneConfig.titleFont = normal.Bold();
    c.mainZoneConfig.titleAlignment = wxALIGN_CENTER;

    c.volumeZoneConfig.hasTitleStrip = false;
    c.volumeZoneConfig.titleBgColor = wxColour(192, 192, 192);
    c.volumeZoneConfig.titleTextColor = wxColour(0, 0, 127);
    c.volumeZoneConfig.titleFont = normal.Bold();
    c.volumeZoneConfig.titleFont.SetPointSize(22);
    c.volumeZoneConfig.titleAlignment = wxALIGN_CENTER;

    c.indicZoneConfig = c.volumeZoneConfig;

    c.axisConfig.tickColor = *wxRED;
    c.axisConfig.labelColor = *wxBLACK;
    c.axisConfig.labelFont = normal.Bold();

    c.chartConfig.bg = *wxWHITE;
    c.chartConfig.borderPen = *wxBLACK_PEN;
    c.chartConfig.axisLocation = QxChartConfiguration::eValueAxisLeft |
                                 QxChartConfiguration::eValueAxisRight |
                                 QxChartConfiguration::eDateAxisUnderLastZone;
    c.chartConfig.gridPen = wxPen(*wxCYAN, 1, wxPENSTYLE_DOT);
}

void readZone(wxConfigBase& config, QxZoneConfiguration& z, const QxZoneConfiguration& d)
{
    config.Read("hasTitleStrip", &z.hasTitleStrip, d.hasTitleStrip);
    z.titleBgColor = readConfigColour(config, "titleBgColor", d.titleBgColor);
    z.titleTextColor = readConfigColour(config, "titleTextColor", d.titleTextColor);
    z.titleFont = readConfigFont(config, "titleFont", d.titleFont);
    long alignment = d.titleAlignment;
    config.Read("titleAlignment", &alignment, static_cast<long>(d.titleAlignment));
    z.titleAlignment = static_cast<int32_t>(alignment);
}

void writeZone(wxConfigBase& config, const QxZoneConfiguration& z)
{
    config.Write("hasTitleStrip", z.hasTitleStrip);
    writeConfigColour(config, "titleBgColor", z.titleBgColor);
    writeConfigColour(config, "titleTextColor", z.titleTextColor);
    writeConfigFont(config, "titleFont", z.titleFont);
    config.Write("titleAlignment", static_cast<long>(z.titleAlignment));
}

QxChartAllConfiguration& currentInstance()
{
    if (!g_current) {
        auto record = std::make_unique<QxChartAllConfiguration>(defaultChartConfig());
        readChartConfig(*record);
        g_current = std::move(record);
    }
    return *g_current;
}

} // namespace

bool QxChartConfiguration::operator==(const QxChartConfiguration& o) const
{
    return bg == o.bg && borderPen == o.borderPen && axisLocation == o.axisLocation &&
           gridPen == o.gridPen;
}

bool QxZoneConfiguration::operator==(const QxZoneConfiguration& o) const
{
    return hasTitleStrip == o.hasTitleStrip && titleBgColor == o.titleBgColor &&
           titleTextColor == o.titleTextColor && titleFont == o.titleFont &&
           titleAlignment == o.titleAlignment;
}

bool QxAxisConfiguration::operator==(const QxAxisConfiguration& o) const
{
    return tickColor == o.tickColor && labelColor == o.labelColor && labelFont == o.labelFont;
}

bool QxPriceObjConfiguration::operator==(const QxPriceObjConfiguration& o) const
{
    return tickWidth == o.tickWidth && candleUpColor == o.candleUpColor &&
           candleDownColor == o.candleDownColor && barUpColor == o.barUpColor &&
           barDownColor == o.barDownColor && lineColor == o.lineColor;
}

bool QxVolumeObjConfiguration::operator==(const QxVolumeObjConfiguration& o) const
{
    return priceUpColor == o.priceUpColor && priceDownColor == o.priceDownColor;
}

bool QxChartAllConfiguration::operator==(const QxChartAllConfiguration& o) const
{
    return priceObjConfig == o.priceObjConfig && volumeObjConfig == o.volumeObjConfig &&
           mainZoneConfig == o.mainZoneConfig && volumeZoneConfig == o.volumeZoneConfig &&
           indicZoneConfig == o.indicZoneConfig && axisConfig == o.axisConfig &&
           chartConfig == o.chartConfig;
}

const QxChartAllConfiguration& defaultChartConfig()
{
    if (!g_defaults) {
        auto record = std::make_unique<QxChartAllConfiguration>();
        fillDefaults(*record);
        g_defaults = std::move(record);
    }
    return *g_defaults;
}

void readChartConfig(wxConfigBase& config, QxChartAllConfiguration& target)
{
    QxConfigPathGuard guard(config);
    config.SetPath(kRootPath);
    const QxChartAllConfiguration& d = defaultChartConfig();

    inGroup(config, "chart_config", [&] {
        QxChartConfiguration& c = target.chartConfig;
        c.bg = readConfigColour(config, "bg", d.chartConfig.bg);
        c.borderPen = readConfigPen(config, "borderPen", d.chartConfig.borderPen);
        long location = d.chartConfig.axisLocation;
        config.Read("axisLocation", &location, static_cast<long>(d.chartConfig.axisLocation));
        c.axisLocation = static_cast<int32_t>(location);
        c.gridPen = readConfigPen(config, "gridPen", d.chartConfig.gridPen);
    });
    inGroup(config, "price_obj_config", [&] {
        QxPriceObjConfiguration& p = target.priceObjConfig;
        const QxPriceObjConfiguration& dp = d.priceObjConfig;
        long tickWidth = dp.tickWidth;
        config.Read("tickWidth", &tickWidth, static_cast<long>(dp.tickWidth));
        p.tickWidth = static_cast<int32_t>(tickWidth);
        p.candleUpColor = readConfigColour(config, "candleUpColor", dp.candleUpColor);
        p.candleDownColor = readConfigColour(config, "candleDownColor", dp.candleDownColor);
        p.barUpColor = readConfigColour(config, "barUpColor", dp.barUpColor);
        p.barDownColor = readConfigColour(config, "barDownColor", dp.barDownColor);
        p.lineColor = readConfigColour(config, "lineColor", dp.lineColor);
    });
    inGroup(config, "volume_obj_config", [&] {
        QxVolumeObjConfiguration& v = target.volumeObjConfig;
        v.priceUpColor = readConfigColour(config, "priceUpColor", d.volumeObjConfig.priceUpColor);
        v.priceDownColor = readConfigColour(config, "priceDownColor", d.volumeObjConfig.priceDownColor);
    });
    inGroup(config, "main_zone_config", [&] { readZone(config, target.mainZoneConfig, d.mainZoneConfig); });
    inGroup(config, "volume_zone_config", [&] { readZone(config, target.volumeZoneConfig, d.volumeZoneConfig); });
    inGroup(config, "indic_zone_config", [&] { readZone(config, target.indicZoneConfig, d.indicZoneConfig); });
    inGroup(config, "axis_config", [&] {
        QxAxisConfiguration& a = target.axisConfig;
        a.tickColor = readConfigColour(config, "tickColor", d.axisConfig.tickColor);
        a.labelColor = readConfigColour(config, "labelColor", d.axisConfig.labelColor);
        a.labelFont = readConfigFont(config, "labelFont", d.axisConfig.labelFont);
    });
}

void readChartConfig(QxChartAllConfiguration& target)
{
    readChartConfig(wxConfigEx::get(), target);
}

void writeChartConfig(wxConfigBase& config, const QxChartAllConfiguration& record)
{
    {
        QxConfigPathGuard guard(config);
        config.SetPath(kRootPath);
        defaultChartConfig();

        inGroup(config, "chart_config", [&] {
            const QxChartConfiguration& c = record.chartConfig;
            writeConfigColour(config, "bg", c.bg);
            writeConfigPen(config, "borderPen", c.borderPen);
            config.Write("axisLocation", static_cast<long>(c.axisLocation));
            writeConfigPen(config, "gridPen", c.gridPen);
        });
        inGroup(config, "price_obj_config", [&] {
            const QxPriceObjConfiguration& p = record.priceObjConfig;
            config.Write("tickWidth", static_cast<long>(p.tickWidth));
            writeConfigColour(config, "candleUpColor", p.candleUpColor);
            writeConfigColour(config, "candleDownColor", p.candleDownColor);
            writeConfigColour(config, "barUpColor", p.barUpColor);
            writeConfigColour(config, "barDownColor", p.barDownColor);
            writeConfigColour(config, "lineColor", p.lineColor);
        });
        inGroup(config, "volume_obj_config", [&] {
            writeConfigColour(config, "priceUpColor", record.volumeObjConfig.priceUpColor);
            writeConfigColour(config, "priceDownColor", record.volumeObjConfig.priceDownColor);
        });
        inGroup(config, "main_zone_config", [&] { writeZone(config, record.mainZoneConfig); });
        inGroup(config, "volume_zone_config", [&] { writeZone(config, record.volumeZoneConfig); });
        inGroup(config, "indic_zone_config", [&] { writeZone(config, record.indicZoneConfig); });
        inGroup(config, "axis_config", [&] {
            writeConfigColour(config, "tickColor", record.axisConfig.tickColor);
            writeConfigColour(config, "labelColor", record.axisConfig.labelColor);
            writeConfigFont(config, "labelFont", record.axisConfig.labelFont);
        });
    }
    // The current record is loaded first so that a first use later does not
    // overwrite what was just saved.
    currentInstance() = record;
}

void writeChartConfig(const QxChartAllConfiguration& record)
{
    writeChartConfig(wxConfigEx::get(), record);
}

const QxChartAllConfiguration& currentChartConfig()
{
    return currentInstance();
}

void releaseChartConfigs()
{
    g_current.reset();
    g_defaults.reset();
}

wxString colourToConfigString(const wxColour& colour)
{
    if (!colour.IsOk())
        return wxString();
    // The framework names (0, 255, 0) "green" but reads "green" back as the
    // CSS green (0, 128, 0): keep a name only where it reads back unchanged.
    const wxString named = colour.GetAsString(wxC2S_NAME | wxC2S_CSS_SYNTAX);
    if (wxColour(named) == colour)
        return named;
    return colour.GetAsString(wxC2S_CSS_SYNTAX);
}

wxColour readConfigColour(wxConfigBase& config, const wxString& key, const wxColour& def)
{
    wxString text;
    if (!config.Read(key, &text))
        return def;
    wxColour colour;
    if (!colour.Set(text))
        return def;
    return colour;
}

void writeConfigColour(wxConfigBase& config, const wxString& key, const wxColour& colour)
{
    config.Write(key, colourToConfigString(colour));
}

wxFont readConfigFont(wxConfigBase& config, const wxString& prefix, const wxFont& def)
{
    long size = 0, family = 0, style = 0, weight = 0, encoding = 0;
    bool underlined = false;
    wxString face;

    if (!readInt(config, prefix + "/size", size) || !readInt(config, prefix + "/family", family) ||
        !readInt(config, prefix + "/style", style) || !readInt(config, prefix + "/weight", weight))
        return def;
    const wxString underlinedKey = prefix + "/underlined";
    const auto underlinedType = config.GetEntryType(underlinedKey);
    if ((underlinedType != wxConfigBase::Type_Integer && underlinedType != wxConfigBase::Type_Boolean) ||
        !config.Read(underlinedKey, &underlined))
        return def;
    if (!isStringEntry(config, prefix + "/face") || !config.Read(prefix + "/face", &face))
        return def;
    if (!readInt(config, prefix + "/encoding", encoding))
        return def;
    if (encoding >= 90 || encoding < wxFONTENCODING_SYSTEM)
        return def;
    // A hand-edited store may hold values the framework rejects; such a font
    // is as unusable as a missing one.
    if (size <= 0 || size > 1000 || !isUsableFontFamily(family) || !isUsableFontStyle(style) ||
        !isUsableFontWeight(weight))
        return def;

    wxFont font(static_cast<int>(size), static_cast<wxFontFamily>(family), static_cast<wxFontStyle>(style),
                static_cast<wxFontWeight>(weight), underlined, face, static_cast<wxFontEncoding>(encoding));
    return font.IsOk() ? font : def;
}

void writeConfigFont(wxConfigBase& config, const wxString& prefix, const wxFont& font)
{
    if (!font.IsOk())
        return;
    config.Write(prefix + "/size", static_cast<long>(font.GetPointSize()));
    config.Write(prefix + "/family", static_cast<long>(font.GetFamily()));
    config.Write(prefix + "/style", static_cast<long>(font.GetStyle()));
    config.Write(prefix + "/weight", static_cast<long>(font.GetWeight()));
    config.Write(prefix + "/underlined", font.GetUnderlined());
    config.Write(prefix + "/face", font.GetFaceName());
    config.Write(prefix + "/encoding", static_cast<long>(font.GetEncoding()));
}

// Anything else in a hand-edited store gives the default.
bool isUsablePenStyle(long style)
{
    return (style >= wxPENSTYLE_SOLID && style <= wxPENSTYLE_DOT_DASH) ||
           style == wxPENSTYLE_TRANSPARENT ||
           (style >= wxPENSTYLE_FIRST_HATCH && style <= wxPENSTYLE_LAST_HATCH);
}

wxPen readConfigPen(wxConfigBase& config, const wxString& prefix, const wxPen& def)
{
    const wxString colorKey = prefix + "/color", widthKey = prefix + "/width", styleKey = prefix + "/style";
    if (!isStringEntry(config, colorKey) || !isIntegerEntry(config, widthKey) ||
        !isIntegerEntry(config, styleKey))
        return def;
    const wxColour colour = readConfigColour(config, colorKey, *wxBLACK);
    long width = 1, style = wxPENSTYLE_SOLID;
    config.Read(widthKey, &width, 1L);
    config.Read(styleKey, &style, static_cast<long>(wxPENSTYLE_SOLID));
    if (width < 0 || width > 1000 || !isUsablePenStyle(style))
        return def;
    return wxPen(colour, static_cast<int>(width), static_cast<wxPenStyle>(style));
}

void writeConfigPen(wxConfigBase& config, const wxString& prefix, const wxPen& pen)
{
    if (!pen.IsOk())
        return;
    writeConfigColour(config, prefix + "/color", pen.GetColour());
    config.Write(prefix + "/width", static_cast<long>(pen.GetWidth()));
    config.Write(prefix + "/style", static_cast<long>(pen.GetStyle()));
}
