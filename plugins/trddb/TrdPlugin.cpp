// Entry point of the history database plug-in.
#include "core/QxDataReaderRepository.h"
#include "core/QxPluginEntry.h"
#include "plugins/trddb/TrdDataReader.h"
#include "plugins/trddb/TrdSql.h"

namespace {
// The plug-in's reader, holding one counted reference while registered.
TrdDataReader* s_reader = nullptr;
} // namespace

// 1: create and register the reader; 2: unregister and drop it.
TRDX_ENTRY bool trdxMain(int command)
{
    if (command == QxPluginCommand::eLoad) {
        TrdDataReader* reader = new TrdDataReader;
        trdSqliteStartup();
        reader->addRef();
        TrdDataReader* old = s_reader;
        s_reader = reader;
        QxDataReaderRepository::instance()->addObj(reader);
        if (old)
            old->release();
    } else if (command == QxPluginCommand::eUnload && s_reader) {
        QxDataReaderRepository::instance()->delObj(s_reader);
        TrdDataReader* old = s_reader;
        s_reader = nullptr;
        old->release();
    }
    return true;
}
