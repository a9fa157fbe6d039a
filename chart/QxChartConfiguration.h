#pragma once
// The look of charts: colours, fonts and pens of the price and volume
// graphics, the three kinds of zone, the axes and the chart itself, with
// their built-in defaults and their stored form below
// "/preferences/chart_all_config".  Also the helpers that store a colour, a
// font and a pen, so every part of the program stores them the same way.
#include <wx/colour.h>
#include <wx/config.h>
#include <wx/font.h>
#include <wx/pen.h>

#include <cstdint>

// Chart-wide look; each chart keeps a copy.
struct QxChartConfiguration {
    // Bits of axisLocation.
    enum : int32_t {
        eValueAxisLeft = 1,
        eValueAxisRight = 2,
        eDateAxisUnderLastZone = 4,
        eDateAxisUnderMainZone = 8,
        eDateAxisUnderEveryZone = 16,
    };

    wxColour bg;
    wxPen borderPen;
    int32_t axisLocation = 0;
    wxPen gridPen;

    bool operator==(const QxChartConfiguration& o) const;
    bool operator!=(const QxChartConfiguration& o) const { return !(*this == o); }
};

// Look of one zone; each zone keeps a copy.
struct QxZoneConfiguration {
    bool hasTitleStrip = false;
    wxColour titleBgColor;
    wxColour titleTextColor;
    wxFont titleFont;
    int32_t titleAlignment = 0; // framework alignment flags

    bool operator==(const QxZoneConfiguration& o) const;
    bool operator!=(const QxZoneConfiguration& o) const { return !(*this == o); }
};

// Look of one axis; the date axis and each value axis keep a copy.
struct QxAxisConfiguration {
    wxColour tickColor;
    wxColour labelColor;
    wxFont labelFont;

    bool operator==(const QxAxisConfiguration& o) const;
    bool operator!=(const QxAxisConfiguration& o) const { return !(*this == o); }
};

// Look of the price graphic.
struct QxPriceObjConfiguration {
    int32_t tickWidth = 0; // pixels of one bar at zoom factor 1
    wxColour candleUpColor;
    wxColour candleDownColor;
    wxColour barUpColor;
    wxColour barDownColor;
    wxColour lineColor;

    bool operator==(const QxPriceObjConfiguration& o) const;
    bool operator!=(const QxPriceObjConfiguration& o) const { return !(*this == o); }
};

// Look of the volume graphic.
struct QxVolumeObjConfiguration {
    wxColour priceUpColor;
    wxColour priceDownColor;

    bool operator==(const QxVolumeObjConfiguration& o) const;
    bool operator!=(const QxVolumeObjConfiguration& o) const { return !(*this == o); }
};

// The whole chart look.
struct QxChartAllConfiguration {
    QxPriceObjConfiguration priceObjConfig;
    QxVolumeObjConfiguration volumeObjConfig;
    QxZoneConfiguration mainZoneConfig;
    QxZoneConfiguration volumeZoneConfig;
    QxZoneConfiguration indicZoneConfig;
    QxAxisConfiguration axisConfig;
    QxChartConfiguration chartConfig;

    bool operator==(const QxChartAllConfiguration& o) const;
    bool operator!=(const QxChartAllConfiguration& o) const { return !(*this == o); }
};

// The built-in defaults, filled on first use.
const QxChartAllConfiguration& defaultChartConfig();

// Reads every group of "/preferences/chart_all_config" into target; a missing
// key (or a font or pen stored incompletely) keeps the default's field.  The
// store's current path is left as it was.
void readChartConfig(wxConfigBase& config, QxChartAllConfiguration& target);
void readChartConfig(QxChartAllConfiguration& target); // the application's store

// Writes the record to "/preferences/chart_all_config" and makes it the
// current configuration.
void writeChartConfig(wxConfigBase& config, const QxChartAllConfiguration& record);
void writeChartConfig(const QxChartAllConfiguration& record); // the application's store

// The configuration new charts, zones and axes take their look from: read from
// the application's store on first use, replaced by writeChartConfig.
const QxChartAllConfiguration& currentChartConfig();

// Frees both records; the next use fills them again.  Runs by itself when
// the toolkit shuts down, while fonts and pens can still be freed.
void releaseChartConfigs();

// Colour as the framework's colour text (a name where it has one, else CSS
// syntax).  Reading text that names no colour gives the default.
wxColour readConfigColour(wxConfigBase& config, const wxString& key, const wxColour& def);
void writeConfigColour(wxConfigBase& config, const wxString& key, const wxColour& colour);
wxString colourToConfigString(const wxColour& colour);

// Font as seven entries below the prefix: "/size", "/family", "/style",
// "/weight", "/underlined", "/face", "/encoding".  Reading gives the default
// font unless every entry exists with its type (integers; underlined integer
// or boolean; face a string) and the values make a font.
wxFont readConfigFont(wxConfigBase& config, const wxString& prefix, const wxFont& def);
void writeConfigFont(wxConfigBase& config, const wxString& prefix, const wxFont& font);

// Pen as "/color" (colour text), "/width" and "/style" (integers) below the
// prefix; reading gives the default pen unless all three exist with their
// types.
wxPen readConfigPen(wxConfigBase& config, const wxString& prefix, const wxPen& def);
void writeConfigPen(wxConfigBase& config, const wxString& prefix, const wxPen& pen);
// Pen styles the framework draws without extra data (no user dashes, no
// stipple bitmap): what a stored pen may carry.
bool isUsablePenStyle(long style);
