// A "*.trdt" template file on disk, loaded, saved again and read back: the
// saved file must load with as many indicators as went into it.
#include "FuzzSupport.h"

#include "chart/QxTemplate.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wxFileName file(FuzzSupport::scratchPath("fuzz.trdt"));
    if (!FuzzSupport::writeFile(file.GetFullPath(), data, size))
        return 0;
    QxObjectSmartPtr<QxTemplate> tmpl(new QxTemplate);
    if (tmpl->loadFromFile(file) != 0 || tmpl->numIndics() == 0)
        return 0;
    const wxFileName saved(FuzzSupport::scratchPath("saved.trdt"));
    if (tmpl->saveToFile(saved) != 0)
        return 0;
    QxObjectSmartPtr<QxTemplate> back(new QxTemplate);
    if (back->loadFromFile(saved) != 0 || back->numIndics() != tmpl->numIndics()) {
        std::fprintf(stderr, "a saved template reads back otherwise\n");
        std::abort();
    }
    return 0;
}
