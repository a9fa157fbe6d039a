// A library with a symbol nothing defines: it loads only with lazy binding.
#include "core/QxPluginEntry.h"

extern "C" int trdxSymbolNobodyDefines(int);

TRDX_ENTRY bool trdxMain(int command)
{
    return trdxSymbolNobodyDefines(command) != 0;
}
