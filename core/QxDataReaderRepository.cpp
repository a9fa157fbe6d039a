#include "core/QxDataReaderRepository.h"

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
