#pragma once
// What the chart page of the preferences edits, and its checks, decided
// without a window: the dialog reads its controls into QxChartPrefValues,
// checks them and stores them into the global settings record.
#include <wx/string.h>

struct QxGlobalVars;

struct QxChartPrefValues {
    // The three radio buttons; none set leaves the stored style alone.
    bool candle = false;
    bool bar = false;
    bool line = false;
    long mainZoneHeight = 0;
    long volmZoneHeight = 0;
    long indcZoneHeight = 0;
    wxString templateFile;
};

// The control a failed check points the user to.
enum class QxChartPrefField { eNone, eMainZoneHeight, eVolmZoneHeight, eIndcZoneHeight, eTemplateFile };

struct QxChartPrefCheck {
    QxChartPrefField field = QxChartPrefField::eNone;
    wxString message; // empty when the values pass
    bool ok() const { return field == QxChartPrefField::eNone; }
};

// The values the page shows for the record.
QxChartPrefValues chartPrefsFrom(const QxGlobalVars& vars);

// Heights of 1 to QxChart::kMaxZoneHeight each, then a template file that exists and is a
// template (or none), in that order; the first failure is reported.
QxChartPrefCheck checkChartPrefs(const QxChartPrefValues& values);

// Stores checked values: the price style of the set button (unchanged when
// none is set), the three heights and the template. A template text that
// differs from the stored name becomes the stored full path; an empty text
// clears it and releases the default template. A new name loads the default
// template from it at once and returns true (false when the name stayed the
// same or was cleared).
bool storeChartPrefs(const QxChartPrefValues& values, QxGlobalVars& vars);
