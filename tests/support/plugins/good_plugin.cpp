// A well-formed test plug-in: registers a reader on 1, unregisters it on 2,
// and counts both commands for the loader tests.
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxErrorCode.h"
#include "core/QxPluginEntry.h"

namespace {

int g_calls[3] = {0, 0, 0};

class TestReader : public QxDataReader {
public:
    QxAtom id() const override { return QxAtom("com.Corvane.Trendoria.test-plugin"); }
    wxString displayName() const override { return "Test plug-in"; }
    int locationKind() const override { return 1; }
    wxString browseLocation(wxWindow*) override { return wxString(); }
    bool hasOptions() const override { return false; }
    int showOptions(wxWindow*, wxString&) override { return 0; }
    QxDatabase* openDatabase(const wxString&, const wxString&, int* errorOut) override
    {
        if (errorOut)
            *errorOut = eFailedToOpenDatabase;
        return nullptr;
    }
};

QxObjectSmartPtr<TestReader> g_reader;

} // namespace

TRDX_ENTRY bool trdxMain(int command)
{
    if (command == QxPluginCommand::eLoad || command == QxPluginCommand::eUnload)
        ++g_calls[command];
    if (command == QxPluginCommand::eLoad) {
        if (!g_reader)
            g_reader = new TestReader;
        QxDataReaderRepository::instance()->addObj(g_reader.get());
    } else if (command == QxPluginCommand::eUnload && g_reader) {
        QxDataReaderRepository::instance()->delObj(g_reader.get());
        g_reader = nullptr;
    }
    return true;
}

// How often trdxMain ran with the command.
TRDX_ENTRY int trdxTestCalls(int command)
{
    return command >= 0 && command < 3 ? g_calls[command] : -1;
}
