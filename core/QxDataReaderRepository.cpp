#include "core/QxDataReaderRepository.h"

#include "core/QxPluginEntry.h"

namespace {
QxDataReaderRepository* s_instance = nullptr;
}

QxDataReaderRepository* QxDataReaderRepository::instance()
{
    if (!s_instance)
        s_instance = new QxDataReaderRepository;
    return s_instance;
}

void QxDataReaderRepository::destroy()
{
    if (!s_instance)
        return;
    s_instance->clear();
    delete s_instance;
    s_instance = nullptr;
}

bool qxRunReaderPluginEntry(int command, QxDataReader*& reader, QxDataReader* (*make)())
{
    if (command == QxPluginCommand::eLoad) {
        QxDataReader* made = make();
        made->addRef();
        QxDataReader* old = reader;
        reader = made;
        QxDataReaderRepository::instance()->addObj(made);
        if (old)
            old->release();
    } else if (command == QxPluginCommand::eUnload && reader) {
        QxDataReaderRepository::instance()->delObj(reader);
        QxDataReader* old = reader;
        reader = nullptr;
        old->release();
    }
    return true;
}
