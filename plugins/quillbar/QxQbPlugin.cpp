// Entry point of the Quillbar reader plug-in.
#include "core/QxDataReaderRepository.h"
#include "core/QxPluginEntry.h"
#include "plugins/quillbar/QxQbDataReader.h"

namespace {
// The plug-in's reader, holding one counted reference while registered.
QxDataReader* s_reader = nullptr;

QxDataReader* makeReader() { return new QxQbDataReader; }
} // namespace

// 1: create and register the reader; 2: unregister and drop it.
TRDX_ENTRY bool trdxMain(int command) { return qxRunReaderPluginEntry(command, s_reader, makeReader); }
