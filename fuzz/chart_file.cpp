// A chart file as it lies on disk: the ZIP archive around "chart.xml",
// opened as Open Saved Chart does, and its chart written to another file
// as Save does.
#include "FuzzSupport.h"

#include "chart/QxChart.h"
#include "chartframe/QxChartDocument.h"

#include <wx/xml/xml.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wxString path = FuzzSupport::scratchPath("fuzz.trdc");
    if (!FuzzSupport::writeFile(path, data, size))
        return 0;
    wxXmlDocument doc;
    QxChartFileHeader header;
    const wxXmlNode* zones = nullptr;
    if (readChartFile(path, doc) != QxChartFileRead::eOk || !parseChartDocument(doc, header, &zones))
        return 0;
    QxObjectSmartPtr<QxChart> chart(new QxChart(FuzzSupport::calculator()));
    readChartZones(*chart, zoneIndexMap(zones));
    wxXmlDocument back;
    buildChartDocument(back, header, *chart);
    (void)writeChartFile(back, FuzzSupport::scratchPath("saved.trdc"));
    return 0;
}
