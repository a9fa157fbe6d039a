// A drawable element and a colour-scheme element, each read for an owner
// with several outputs and written back.
#include "FuzzSupport.h"

#include "app/QxIndicatorRegistry.h"
#include "chart/QxColorScheme.h"
#include "chart/QxDrawable.h"
#include "core/QxIndicator.h"

#include <wx/xml/xml.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto doc = FuzzSupport::parseXml(data, size);
    if (!doc)
        return 0;
    static QxObjectSmartPtr<QxIndicator> owner(QxIndicatorRegistry::instance()->getIndicator(QxAtom("BBANDS"))->clone(0));
    const wxXmlNode* root = doc->GetRoot();
    wxXmlNode out(wxXML_ELEMENT_NODE, "Out");
    QxObjectSmartPtr<QxDrawable> drawable(QxDrawable::createFromXml(owner.get(), root));
    if (drawable)
        drawable->toXml(owner.get(), &out);
    QxObjectSmartPtr<QxColorScheme> scheme(QxColorScheme::createFromXml(owner.get(), root));
    if (scheme)
        scheme->toXml(owner.get(), &out);
    return 0;
}
