#pragma once
// The process-wide record of global settings, read from the group "/global/"
// of the configuration store at start-up and written back at exit; every
// other part of the program reads and changes its fields directly.  Also the
// helpers that store a size and a date-time.
#include "chart/QxTemplate.h"
#include "core/QxObject.h"

#include <wx/config.h>
#include <wx/datetime.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <cstdint>

struct QxGlobalVars {
    bool showTooltip = true;
    bool showLegends = true;
    wxString defaultTemplateFileName;
    bool useDefaultTemplate = true;
    // Loaded from defaultTemplateFileName by read(); not stored itself.
    QxObjectSmartPtr<QxTemplate> defaultTemplate;
    int32_t priceObjType = 3; // candles
    int32_t mainZoneHeight = 400;
    int32_t volmZoneHeight = 100;
    int32_t indcZoneHeight = 100;
    wxSize gatewayFrameSize{-1, 400};
    bool isGatewayFrameMaximized = false;
    wxSize chartFrameSize{1000, 800};
    bool isChartFrameMaximized = false;
    wxSize pnfFrameSize{1000, 800};
    bool isPnfFrameMaximized = false;
    wxString chartFramePerspective;
    wxSize stockIdeaFinderFrameSize{1000, 800};
    bool stockIdeaFinderFrameMaximized = false;
    wxSize simpleSystemTestReportFrameSize{1000, 800};
    bool simpleSystemTestReportFrameIsMaximized = false;
    // Not below the alert manager frame's minimum.
    wxSize alertMgrFrameSize{660, 420};
    // -1: as large as the portfolio manager's texts and tools need.
    wxSize portfolioMgrFrameSize{-1, -1};

    // The one record of the process.
    static QxGlobalVars& get();

    // Every field in turn, relative to the store's current path, each key
    // defaulting to the field's current value.  A stored price graphic
    // outside 0 to 3 keeps the current one.  When the default template file
    // exists, a new default template is loaded from it (a failed load leaves
    // it empty).
    void read(wxConfigBase& config);
    void write(wxConfigBase& config) const;

    // The same below "/global/", leaving the store's current path as it was.
    void readGlobal(wxConfigBase& config);
    void writeGlobal(wxConfigBase& config) const;

    bool operator==(const QxGlobalVars& o) const;
    bool operator!=(const QxGlobalVars& o) const { return !(*this == o); }
};

// The default template read from path; null, with the user told why, when
// it cannot be read (the setting stays: the user may mend the file).
QxObjectSmartPtr<QxTemplate> qxReadDefaultTemplate(const wxString& path);

// A size as key + "/x" (width) and key + "/y" (height), integers.
wxSize readConfigSize(wxConfigBase& config, const wxString& key, const wxSize& def);
void writeConfigSize(wxConfigBase& config, const wxString& key, const wxSize& size);

// A date-time as ISO text with "T" between date and time.  Missing or empty
// text gives the default; text that does not parse gives an invalid
// date-time.
wxDateTime readConfigDateTime(wxConfigBase& config, const wxString& key, const wxDateTime& def);
void writeConfigDateTime(wxConfigBase& config, const wxString& key, const wxDateTime& value);
