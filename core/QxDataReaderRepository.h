#pragma once
// Process-wide registry of the data readers the plug-ins register, keyed by
// the readers' id atoms.
#include "core/QxAtomKeyedRegistry.h"
#include "core/QxDataReader.h"

class QxDataReaderRepository : public QxAtomKeyedRegistry<QxDataReader, &QxDataReader::id> {
public:
    // The registry, created on the first call.
    static QxDataReaderRepository* instance();
    // Releases every reader and deletes the registry; a later instance() starts empty.
    static void destroy();

private:
    QxDataReaderRepository() = default;
    ~QxDataReaderRepository() = default;
};

// The entry of a plug-in that registers one data reader, kept in reader:
// 1 makes a new reader (dropping an earlier one) and registers it with a
// counted reference held in reader; 2 unregisters it and drops it. Other
// commands do nothing. Always true.
bool qxRunReaderPluginEntry(int command, QxDataReader*& reader, QxDataReader* (*make)());
