#pragma once
// Plug-ins and databases of the benchmarks, loaded and made as the program
// does; a benchmark that cannot have them stops with a message.
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxPluginEntry.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// Loads the plug-in name (without ".trdx") from the build tree.
inline void benchLoadPlugin(const char* name)
{
    const std::string lib = std::string(TRENDORIA_BIN_DIR) + "/" + name + ".trdx";
    void* handle = dlopen(lib.c_str(), RTLD_NOW);
    auto entry = handle ? reinterpret_cast<QxPluginEntryFn>(dlsym(handle, kPluginEntryName)) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "cannot load %s\n", lib.c_str());
        std::exit(1);
    }
    entry(QxPluginCommand::eLoad);
}

// A new history database "bench.trddb" in a new folder below /tmp, named
// after hint; dir receives the folder. The trddb plug-in must be loaded.
inline QxObjectSmartPtr<QxDatabase> benchScratchDatabase(const char* hint, std::string& dir)
{
    std::string tmpl = std::string("/tmp/") + hint + "-XXXXXX";
    dir = mkdtemp(&tmpl[0]);
    QxDataReader* reader = QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.trddb"));
    int rc = 0;
    QxObjectSmartPtr<QxDatabase> db(
        reader ? reader->openDatabase(wxString::FromUTF8((dir + "/bench.trddb").c_str()), wxString(), &rc) : nullptr);
    if (!db) {
        std::fprintf(stderr, "cannot open the database: %d\n", rc);
        std::exit(1);
    }
    return db;
}
