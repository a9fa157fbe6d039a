// A list of indicator elements under one parent, as charts, templates and
// zones keep them; what was read is written back.
#include "FuzzSupport.h"

#include "core/QxIndicator.h"

#include <wx/xml/xml.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto doc = FuzzSupport::parseXml(data, size);
    if (!doc)
        return 0;
    std::vector<QxObjectSmartPtr<QxIndicator>> list;
    if (QxIndicator::fromXml(doc->GetRoot(), list) == 0) {
        wxXmlNode out(wxXML_ELEMENT_NODE, "Out");
        QxIndicator::toXml(list, &out);
    }
    return 0;
}
