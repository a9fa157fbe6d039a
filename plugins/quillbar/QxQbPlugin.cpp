// Entry point of the Quillbar reader plug-in.
#include "core/QxDataReaderRepository.h"
#include "core/QxPluginEntry.h"
#include "plugins/quillbar/QxQbDataReader.h"

namespace {
// The plug-in's reader, holding one counted reference while registered.
QxQbDataReader* s_reader = nullptr;
} // namespace

// 1: create and register the reader; 2: unregister and drop it.
TRDX_ENTRY bool trdxMain(int command)
{
    if (command == QxPluginCommand::eLoad) {
        QxQbDataReader* reader = new QxQbDataReader;
        reader->addRef();
        QxQbDataReader* old = s_reader;
        s_reader = reader;
        QxDataReaderRepository::instance()->addObj(reader);
        if (old)
            old->release();
    } else if (command == QxPluginCommand::eUnload && s_reader) {
        QxDataReaderRepository::instance()->delObj(s_reader);
        QxQbDataReader* old = s_reader;
        s_reader = nullptr;
        old->release();
    }
    return true;
}
