// A "SeriesId" element, read and written back.
#include "FuzzSupport.h"

#include "core/QxSeriesId.h"

#include <wx/xml/xml.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto doc = FuzzSupport::parseXml(data, size);
    if (!doc)
        return 0;
    const QxSeriesId id = QxSeriesId::fromXml(doc->GetRoot());
    wxXmlNode out(wxXML_ELEMENT_NODE, "Out");
    id.toXml(&out);
    return 0;
}
