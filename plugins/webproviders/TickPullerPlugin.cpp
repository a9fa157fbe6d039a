// Entry point of plug-in tickpuller: the Google price provider.
#include "core/QxPluginEntry.h"
#include "plugins/webproviders/QxGoogleDataDownloader.h"

namespace {
QxGoogleDataDownloader* s_provider = nullptr;
}

TRDX_ENTRY bool trdxMain(int command) { return runWebProviderEntry(command, s_provider); }
