#include "chartframe/QxChartDocument.h"

#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartview/QxAnnot.h"
#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxIndicatorLinks.h"
#include "core/QxSecurity.h"
#include "core/QxXmlFile.h"

#include <wx/datetime.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/buffer.h>
#include <wx/mstream.h>
#include <wx/stream.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>
#include <wx/zipstrm.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

const char* const kEntryName = "chart.xml";

bool parseUnsigned(const wxString& text, unsigned long& out)
{
    return !text.empty() && text.ToCULong(&out) && out <= 0xFFFFFFFFul;
}

bool isKnownPeriod(unsigned long period)
{
    for (unsigned long p : {86400ul, 432000ul, 2629800ul, 7889400ul, 31557600ul})
        if (p == period)
            return true;
    return false;
}

const char* zoneType(const QxChart& chart, const QxZone* zone)
{
    if (zone == chart.getMainZone())
        return "Main";
    if (zone == chart.getVolumeZone())
        return "Volume";
    return "Indicator";
}

} // namespace

wxString qxProposedFileName(const wxString& ticker, const wxString& ext)
{
    // A ticker such as "BRK/A" would otherwise name a file in a folder.
    wxString name = ticker;
    name.Replace("/", "_");
    name.Replace("\\", "_");
    if (name.empty() || name == "." || name == "..")
        name = "chart";
    return ext.empty() ? name : name + "." + ext;
}

int parsePriceStyle(const wxString& text)
{
    if (text.IsSameAs("Bar", false))
        return Qx::ePriceBars;
    if (text.IsSameAs("Line", false))
        return Qx::ePriceLine;
    return Qx::ePriceCandles;
}

wxString priceStyleName(int style)
{
    if (style == Qx::ePriceLine)
        return "Line";
    if (style == Qx::ePriceBars)
        return "Bar";
    return "Candle";
}

bool chartFileHeaderOf(const QxChartist& chartist, QxChartFileHeader& out)
{
    const QxChart* chart = chartist.getChart();
    const QxCalculator* calc = chart ? chart->getCalc() : nullptr;
    const QxSecurity* security = calc ? calc->getSecurity() : nullptr;
    if (!security)
        return false;
    const QxCategory* category = security->category();
    out.category = category ? wxString::FromUTF8(category->name()) : wxString();
    out.provider = category && category->dataProvider() ? wxString::FromUTF8(category->dataProvider()) : wxString();
    out.symbol = wxString::FromUTF8(security->ticker());
    out.style = chartist.getPriceObjType();
    out.period = static_cast<unsigned>(calc->currentTimeframe());
    out.volumesShown = chart->isVolZoneVisible();
    out.zoomFactor = chart->getZoomFactor();
    return true;
}

void buildChartDocument(wxXmlDocument& doc, const QxChartFileHeader& header, const QxChart& chart)
{
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "TrendoriaChart");
    root->AddAttribute("Version", "2");
    doc.SetRoot(root);
    auto* element = new wxXmlNode(root, wxXML_ELEMENT_NODE, "CHART");
    element->AddAttribute("Category", header.category);
    element->AddAttribute("Symbol", header.symbol);
    element->AddAttribute("DataProvider", header.provider);
    element->AddAttribute("Style", priceStyleName(header.style));
    element->AddAttribute("Periodicity", wxString::Format("%u", header.period));
    element->AddAttribute("Volumes", header.volumesShown ? "Shown" : "Hidden");
    element->AddAttribute("ZoomFactor", wxString::FromCDouble(header.zoomFactor, 6));
    auto* zones = new wxXmlNode(element, wxXML_ELEMENT_NODE, "Zones");
    // An indicator over another zone's indicator refers to it.
    QxIndicatorLinks links;
    for (unsigned i = 0; i < chart.numZones(); ++i)
        for (unsigned k = 0; k < chart.zoneAt(i)->numIndicator(); ++k)
            links.addMember(chart.zoneAt(i)->indicatorAt(k));
    // A new child goes first under its parent: written from the last zone
    // so that the file lists them in order.
    for (unsigned i = chart.numZones(); i-- > 0;) {
        const QxZone* zone = chart.zoneAt(i);
        wxXmlNode* node = zone->toXML(zones, &links);
        node->AddAttribute("Index", wxString::Format("%u", i));
        node->AddAttribute("Type", zoneType(chart, zone));
    }
}

bool parseChartDocument(const wxXmlDocument& doc, QxChartFileHeader& out, const wxXmlNode** zones)
{
    if (zones)
        *zones = nullptr;
    const wxXmlNode* root = doc.GetRoot();
    const wxXmlNode* chart = root ? findXmlChildNoCase(root, "Chart") : nullptr;
    if (!chart || !chart->GetAttribute("Category", &out.category) || !chart->GetAttribute("Symbol", &out.symbol))
        return false;
    out.provider = chart->GetAttribute("DataProvider", "Yahoo!");
    out.style = parsePriceStyle(chart->GetAttribute("Style", wxString()));
    unsigned long period = 0;
    out.period = parseUnsigned(chart->GetAttribute("Periodicity", wxString()), period) && isKnownPeriod(period)
                     ? static_cast<unsigned>(period)
                     : 86400u;
    out.volumesShown = chart->GetAttribute("Volumes", wxString()).IsSameAs("Shown", false);
    // Only a usable candle width: "nan", "inf" or a negative number would
    // reach the pixel arithmetic of the layout.
    double zoom = 0.0;
    const wxString zoomText = chart->GetAttribute("ZoomFactor", wxString());
    out.zoomFactor = zoomText.ToCDouble(&zoom) && std::isfinite(zoom) && zoom > 0.0 ? zoom : 0.0;
    if (zones)
        *zones = findXmlChildNoCase(chart, "Zones");
    return true;
}

std::map<unsigned, const wxXmlNode*> zoneIndexMap(const wxXmlNode* zones, unsigned* leftOut)
{
    std::map<unsigned, const wxXmlNode*> out;
    if (!zones)
        return out;
    for (const wxXmlNode* child = zones->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        unsigned long index = 0;
        const bool usable = parseUnsigned(child->GetAttribute("Index", wxString()), index);
        if (leftOut && (!usable || out.count(static_cast<unsigned>(index))))
            ++*leftOut;
        if (usable)
            out[static_cast<unsigned>(index)] = child;
    }
    return out;
}

void readChartZones(QxChart& chart, const std::map<unsigned, const wxXmlNode*>& zones, QxLeftOut* counted)
{
    QxLeftOut ignored;
    QxLeftOut& leftOut = counted ? *counted : ignored;
    QxIndicatorLinks links;
    unsigned position = 0;
    for (const auto& [index, element] : zones) {
        QxZone* zone = nullptr;
        if (position == 0)
            zone = index == 0 ? chart.getMainZone() : nullptr;
        else if (position == 1)
            zone = index == 1 ? chart.getVolumeZone() : nullptr;
        else
            zone = chart.insertZone(chart.numZones());
        if (zone)
            zone->fromXML(element, &links, &leftOut);
        else
            ++leftOut.zones;
        ++position;
    }
    leftOut.inputs += links.join();
}

wxString leftOutText(const QxLeftOut& leftOut)
{
    wxString parts;
    auto add = [&parts](unsigned n, const wxString& one, const wxString& many) {
        if (n)
            parts << (parts.empty() ? "" : ", ") << wxString::Format(n == 1 ? one : many, n);
    };
    add(leftOut.zones, _("%u zone"), _("%u zones"));
    add(leftOut.indicators, _("%u indicator"), _("%u indicators"));
    add(leftOut.inputs, _("the input series of %u indicator"), _("the input series of %u indicators"));
    add(leftOut.patterns, _("%u pattern"), _("%u patterns"));
    add(leftOut.annots, _("%u annotation"), _("%u annotations"));
    return wxString::Format(_("Some parts of this chart file could not be read and were left out: %s.\n"
                              "Everything else was opened. The file itself is unchanged."),
                            parts);
}

bool writeChartFile(const wxXmlDocument& doc, const wxString& path, wxString* why)
{
    // The archive is made in memory: a ZIP stream whose file fails under it
    // (a full disk) cannot be closed safely, and the failure is told from the
    // file's write all the same.
    wxMemoryOutputStream archive;
    auto notArchived = [why] {
        if (why)
            *why = _("the chart could not be put into its archive");
        return false;
    };
    {
        wxZipOutputStream zip(archive);
        if (!zip.PutNextEntry(kEntryName, wxDateTime::Now()))
            return notArchived();
        {
            // The document writes in many small pieces, each costly to
            // compress on its own: they reach the archive in large blocks.
            wxBufferedOutputStream buffered(zip, 1 << 20);
            const bool saved = doc.Save(buffered, 2);
            buffered.Sync();
            if (!saved || !zip.IsOk())
                return notArchived();
        }
        if (!(zip.CloseEntry() && zip.Close()))
            return notArchived();
    }
    const wxStreamBuffer* bytes = archive.GetOutputStreamBuffer();
    const char* start = static_cast<const char*>(bytes->GetBufferStart());
    const size_t size = static_cast<size_t>(archive.GetLength());
    return qxWriteFileReplacing(
        path, [start, size](wxOutputStream& out) { return out.WriteAll(start, size); }, why);
}

QxChartFileRead readChartFile(const wxString& path, wxXmlDocument& doc, size_t maxBytes)
{
    wxLogNull quiet; // the caller tells the user
    wxFFileInputStream file(path, "rb");
    if (!file.IsOk())
        return QxChartFileRead::eCannotOpen;
    wxZipInputStream zip(file);
    const wxString wanted = wxZipEntry::GetInternalName(kEntryName);
    std::unique_ptr<wxZipEntry> entry;
    for (entry.reset(zip.GetNextEntry()); entry; entry.reset(zip.GetNextEntry()))
        if (entry->GetInternalName() == wanted)
            break;
    if (!entry || !zip.OpenEntry(*entry))
        return QxChartFileRead::eCorrupt;

    // Read up to one byte past the limit, so a larger entry is seen as such
    // whatever size its header claims.
    std::vector<char> bytes;
    char buffer[65536];
    while (true) {
        zip.Read(buffer, sizeof buffer);
        const size_t n = zip.LastRead();
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (bytes.size() > maxBytes)
            return QxChartFileRead::eCorrupt;
        if (zip.GetLastError() == wxSTREAM_EOF)
            break;
        if (zip.GetLastError() != wxSTREAM_NO_ERROR || n == 0)
            return QxChartFileRead::eCorrupt; // a truncated or damaged archive
    }
    const QxXmlLimits limits{maxBytes, kMaxChartDocumentDepth};
    if (qxParseXml(bytes.data(), bytes.size(), doc, limits, wxString(), nullptr) != QxXmlRead::eRead)
        return QxChartFileRead::eCorrupt;
    return QxChartFileRead::eOk;
}
