// Entry point of plug-in barfetcher: the Yahoo price provider.
#include "core/QxPluginEntry.h"
#include "plugins/webproviders/QxYahooDataDownloader.h"

namespace {
QxYahooDataDownloader* s_provider = nullptr;
}

TRDX_ENTRY bool trdxMain(int command) { return runWebProviderEntry(command, s_provider); }
