#include "support/SecuritiesTestSupport.h"

#include "app/QxPluginLoader.h"
#include "core/QxDataReaderRepository.h"
#include "securities/QxSecurityListCtrl.h"
#include "securities/QxSymbolSelectionDlg.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/msgdlg.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace sectest {

QxDataReader* historyReader() { return TestSupport::historyReader(); }

QxObjectSmartPtr<QxDatabase> newDatabase(const char* hint)
{
    QxObjectSmartPtr<QxDatabase> db;
    if (QxDataReader* reader = historyReader()) {
        int error = 0;
        db = reader->openDatabase(wxString::FromUTF8(TestSupport::makeTempDir(hint) + "/hist.trddb"), wxString(),
                                  &error);
    }
    return db;
}

std::string readFile(const wxString& path)
{
    std::ifstream in(path.ToStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const wxString& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path.ToStdString()).parent_path());
    std::ofstream(path.ToStdString(), std::ios::binary) << bytes;
}

double closeOn(const QxPriceHistory& history, int64_t day)
{
    for (unsigned i = 0; i < history.numBars(); ++i)
        if (history.timestamp()[i] == day)
            return history.close()[i];
    return std::numeric_limits<double>::quiet_NaN();
}

bool focused(wxWindow* w)
{
    wxWindow* f = wxWindow::FindFocus();
    return f && (f == w || f->GetParent() == w);
}

void pickSecurity(QxSymbolSelectionDlg* dialog, QxSecurity* security)
{
    ASSERT_TRUE(dialog->selectCategory(security->category()));
    QxSecurityListCtrl* list = dialog->securityList();
    for (long row = 0; row < list->GetItemCount(); ++row)
        list->Select(row, list->securityAt(row) && list->securityAt(row)->id() == security->id());
    EXPECT_TRUE(dialog->confirmSelection());
}

void click(wxWindow* button)
{
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

void click(wxWindow* window, int id)
{
    if (wxWindow* button = window->FindWindow(id))
        click(button);
}

int Script::run(wxDialog* dialog)
{
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
        messages.push_back(box->GetMessage());
        return answer;
    }
    for (const Entry& entry : m_entries) {
        if (!entry.matches(dialog))
            continue;
        auto steps = entry.steps;
        wxTheApp->CallAfter([dialog, steps] {
            steps(dialog);
            if (dialog->IsModal())
                dialog->EndModal(-42);
        });
        return static_cast<int>(wxID_NONE);
    }
    return static_cast<int>(wxID_CANCEL);
}

framestest::DialogCatcher::Handler Script::handler()
{
    return [this](wxDialog* dialog) { return run(dialog); };
}

} // namespace sectest
