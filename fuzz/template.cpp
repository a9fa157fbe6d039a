// A "*.trdt" template file on disk, loaded and saved again.
#include "FuzzSupport.h"

#include "chart/QxTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wxFileName file(FuzzSupport::scratchPath("fuzz.trdt"));
    if (!FuzzSupport::writeFile(file.GetFullPath(), data, size))
        return 0;
    QxObjectSmartPtr<QxTemplate> tmpl(new QxTemplate);
    if (tmpl->loadFromFile(file) == 0 && tmpl->numIndics() > 0)
        tmpl->saveToFile(wxFileName(FuzzSupport::scratchPath("saved.trdt")));
    return 0;
}
