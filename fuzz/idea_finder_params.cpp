// An idea-finder parameter file as Load... reads it, its securities
// resolved against a database, saved again as Save... writes it and read
// back: the dates, the mask and the period must come back as they went.
#include "FuzzSupport.h"

#include "trading/QxIdeaFinderParams.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wxString path = FuzzSupport::scratchPath("ideas.xml");
    if (!FuzzSupport::writeFile(path, data, size))
        return 0;
    const wxDateTime today(5, wxDateTime::Jun, 2024);
    QxIdeaFinderParams params;
    if (loadIdeaFinderParams(path, today, params) != QxIdeaFinderLoad::eLoaded)
        return 0;
    (void)resolveIdeaFinderSymbols(params.symbols, FuzzSupport::database());
    const wxString saved = FuzzSupport::scratchPath("ideas-saved.xml");
    if (!saveIdeaFinderParams(saved, params, today))
        return 0;
    QxIdeaFinderParams back;
    if (loadIdeaFinderParams(saved, today, back) != QxIdeaFinderLoad::eLoaded || back.from != params.from ||
        back.till != params.till || back.lookFor != params.lookFor || back.periodicity != params.periodicity ||
        back.symbols.size() != params.symbols.size()) {
        std::fprintf(stderr, "a saved parameter file reads back otherwise\n");
        std::abort();
    }
    return 0;
}
