// The "chart.xml" of a chart file as Open Saved Chart reads it: the header,
// the zones read into a chart (indicators, drawables, annotations and
// patterns included), and the document built back from that chart as Save
// would write it.
#include "FuzzSupport.h"

#include "chart/QxChart.h"
#include "chartframe/QxChartDocument.h"

#include <wx/xml/xml.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto doc = FuzzSupport::parseXml(data, size);
    if (!doc)
        return 0;
    QxChartFileHeader header;
    const wxXmlNode* zones = nullptr;
    if (!parseChartDocument(*doc, header, &zones))
        return 0;
    QxObjectSmartPtr<QxChart> chart(new QxChart(FuzzSupport::calculator()));
    chart->showVolumeZone(header.volumesShown);
    if (header.zoomFactor > 0.0)
        chart->setZoomFactor(header.zoomFactor);
    readChartZones(*chart, zoneIndexMap(zones));
    wxXmlDocument back;
    buildChartDocument(back, header, *chart);
    return 0;
}
