// A "Zone" element with its indicators, read into a zone and written back.
#include "FuzzSupport.h"

#include "chart/QxChartConfiguration.h"
#include "chart/QxZone.h"

#include <wx/xml/xml.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto doc = FuzzSupport::parseXml(data, size);
    if (!doc)
        return 0;
    QxObjectSmartPtr<QxZone> zone(new QxZone(QxZoneConfiguration(), 100));
    if (zone->fromXML(doc->GetRoot()) == 0) {
        wxXmlNode out(wxXML_ELEMENT_NODE, "Out");
        zone->toXML(&out);
    }
    return 0;
}
