// A loadable library that lacks trdxMain.
#include "core/QxPluginEntry.h"

TRDX_ENTRY int trdxSomethingElse(int command)
{
    return command;
}
