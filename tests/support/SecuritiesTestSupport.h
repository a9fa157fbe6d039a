#pragma once
// Shared by the security dialog tests: the real history-database plug-in and
// a scripted run of a modal dialog.
#include "core/QxDataReader.h"
#include "core/QxDatabase.h"
#include "core/QxPriceHistory.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "support/FramesTestSupport.h"

#include <wx/dialog.h>

#include <ostream>

class QxSymbolSelectionDlg;

#include <functional>
#include <string>
#include <vector>

namespace sectest {

// The real history-database plug-in, loaded once; the reader is held here
// because every stand-in application empties the registries when it goes.
QxDataReader* historyReader();

// A new empty history database in a fresh folder.
QxObjectSmartPtr<QxDatabase> newDatabase(const char* hint);

// The bytes of a file (empty when it cannot be read), and a file of given
// bytes, made with its folder.
std::string readFile(const wxString& path);
void writeFile(const wxString& path, const std::string& bytes);

// The close of a history's bar of a day; NaN when no bar has that time.
double closeOn(const QxPriceHistory& history, int64_t day);

// Whether the focus is in w (or in a child of it, as in a date picker).
bool focused(wxWindow* w);

// In the selection dialog: that security, in its category, then OK.
void pickSecurity(QxSymbolSelectionDlg* dialog, QxSecurity* security);

// Presses a button of a window the way a click does.
void click(wxWindow* window, int id);
void click(wxWindow* button);

// Answers the modal dialogs of a scripted run: message boxes get `answer`
// (their texts are recorded); a dialog the script knows is shown for real
// and its steps run inside its loop (a loop they leave running is ended with
// -42); any other dialog is cancelled.
class Script {
public:
    template <class T>
    void on(std::function<void(T*)> steps)
    {
        m_entries.push_back({[](wxDialog* d) { return dynamic_cast<T*>(d) != nullptr; },
                             [steps](wxDialog* d) { steps(dynamic_cast<T*>(d)); }});
    }
    int run(wxDialog* dialog);
    framestest::DialogCatcher::Handler handler();

    int answer = wxID_OK;
    std::vector<wxString> messages;

private:
    struct Entry {
        std::function<bool(wxDialog*)> matches;
        std::function<void(wxDialog*)> steps;
    };
    std::vector<Entry> m_entries;
};

} // namespace sectest
