#pragma once
// The chart file: a ZIP archive with one entry "chart.xml" whose document
// names the security (category, symbol, provider), the price style, the
// period, the volume zone's visibility, the candle width and the XML of
// every zone. The prices are not stored: opening looks the security up in
// the current database. The frame's Save Chart and Open Saved Chart commands
// use these pieces, which need no window.
#include "core/QxTime.h"

#include <wx/string.h>

#include <cstddef>
#include <map>

class QxChart;
class QxChartist;
struct QxLeftOut;
class wxXmlDocument;
class wxXmlNode;

// What a chart file says besides its zones.
struct QxChartFileHeader {
    wxString category;
    wxString symbol;
    wxString provider;
    int style = 3;           // a QxPriceObjType: 1 line, 2 bars, 3 candles
    unsigned period = 86400; // one of the five periods
    bool volumesShown = true;
    double zoomFactor = 0.0; // 0: none stored that could be used
};

// The file name a save dialog proposes for a security's ticker: ticker.ext
// (the ticker alone for an empty ext) with path separators made harmless.
wxString qxProposedFileName(const wxString& ticker, const wxString& ext);

// "Bar" gives 2, "Line" 1 (both without regard to case), anything else 3.
int parsePriceStyle(const wxString& text);
// "Line" for 1, "Bar" for 2, "Candle" for any other style (0 included).
wxString priceStyleName(int style);

// The header of a chartist's chart: its security's category, ticker and
// provider, price style, period, volume visibility and zoom factor. False
// when the chart has no security.
[[nodiscard]] bool chartFileHeaderOf(const QxChartist& chartist, QxChartFileHeader& out);

// Builds the document of a chart file into doc.
void buildChartDocument(wxXmlDocument& doc, const QxChartFileHeader& header, const QxChart& chart);

// Reads the header from a chart document; zones gets its "Zones" element
// (null when it has none). False when there is no root, no "Chart" element
// or no "Category" or "Symbol" in it.
[[nodiscard]] bool parseChartDocument(const wxXmlDocument& doc, QxChartFileHeader& out, const wxXmlNode** zones);

// The children of "Zones" by their "Index" (decimal, 0 or more): a later
// element with the same Index replaces an earlier one, elements without a
// usable Index are left out; either is counted in leftOut when given.
std::map<unsigned, const wxXmlNode*> zoneIndexMap(const wxXmlNode* zones, unsigned* leftOut = nullptr);

// Reads the mapped zones into the chart: in ascending Index, the first into
// the main zone when its Index is 0, the second into the volume zone when
// its Index is 1 (each skipped otherwise), every further one into a new zone
// appended at the end. Indicators whose inputs are indicators of other zones
// are joined to them. What could not be read is added to leftOut when given.
void readChartZones(QxChart& chart, const std::map<unsigned, const wxXmlNode*>& zones,
                    QxLeftOut* leftOut = nullptr);

// The sentence that tells the user what of a chart file was left out.
wxString leftOutText(const QxLeftOut& leftOut);

// Writes doc as the single entry "chart.xml" of a ZIP archive at path,
// through a temporary file renamed over it: on failure the file that was
// there is kept. False when anything failed, with why (when given) saying
// what in a sentence for the user.
[[nodiscard]] bool writeChartFile(const wxXmlDocument& doc, const wxString& path, wxString* why = nullptr);

enum class QxChartFileRead {
    eOk,
    eCannotOpen, // the file could not be opened for reading
    eCorrupt,    // no "chart.xml" entry, a damaged archive, an entry too
                 // large or no XML document
};

// The largest "chart.xml" read: a chart with thousands of annotations is a
// few megabytes.
constexpr size_t kMaxChartDocumentBytes = 64u << 20;
// The deepest element nesting read; a chart document needs a dozen levels.
constexpr int kMaxChartDocumentDepth = 256;

// Reads the entry "chart.xml" (exact case) of the archive at path into doc.
[[nodiscard]] QxChartFileRead readChartFile(const wxString& path, wxXmlDocument& doc,
                              size_t maxBytes = kMaxChartDocumentBytes);
