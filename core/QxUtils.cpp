#include "core/QxUtils.h"

#include "core/QxIndicator.h"
#include "core/platform/QxHelpBook.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/toplevel.h>

#include <memory>

namespace {

wxString g_helpFolder;
std::unique_ptr<QxHelpBook> g_manual;
std::unique_ptr<QxHelpBook> g_indicators;

wxString bookPath(const wxString& subFolder, const wxString& name)
{
    wxFileName file(QxUtils::helpFolder(), name);
    file.AppendDir(subFolder);
    return file.GetFullPath();
}

// The help viewer must not become a child of the hidden application-modal
// parent, so the application's top window is cleared while it opens.
class TopWindowCleared {
public:
    TopWindowCleared()
    {
        m_app = dynamic_cast<wxApp*>(wxAppConsole::GetInstance());
        if (m_app) {
            m_old = m_app->GetTopWindow();
            m_app->SetTopWindow(nullptr);
        }
    }
    ~TopWindowCleared()
    {
        // The old top window may have gone meanwhile; only a live one is put back.
        if (m_app && m_old && wxTopLevelWindows.Find(m_old))
            m_app->SetTopWindow(m_old);
    }

private:
    wxApp* m_app = nullptr;
    wxWindow* m_old = nullptr;
};

} // namespace

namespace QxUtils {

wxString helpFolder()
{
    if (!g_helpFolder.empty())
        return g_helpFolder;
    wxFileName dir(wxStandardPaths::Get().GetExecutablePath());
    dir.AppendDir("help");
    return dir.GetPath();
}

void setHelpFolder(const wxString& folder)
{
    closeHelp();
    g_helpFolder = folder;
}

QxHelpBook& manualBook()
{
    if (!g_manual)
        g_manual = std::make_unique<QxHelpBook>(bookPath("manual", "trendoria_manual"));
    return *g_manual;
}

QxHelpBook& indicatorBook()
{
    if (!g_indicators)
        g_indicators = std::make_unique<QxHelpBook>(bookPath("indicators", "trendoria_indicators"));
    return *g_indicators;
}

void closeHelp()
{
    g_manual.reset();
    g_indicators.reset();
}

bool showHelp(const char* topic)
{
    QxHelpBook& book = manualBook();
    if (!book.load())
        return false;
    TopWindowCleared cleared;
    const wxString page = topic ? wxString::FromUTF8(topic) : wxString();
    if (page.empty() || page == "topics/alert.htm")
        return book.showContents();
    return book.showPage(page);
}

wxString indicatorHelpPage(const wxString& group, const wxString& name)
{
    wxString folder = group.Lower();
    folder.Replace(" ", "_");
    return wxString("topics") + wxFILE_SEP_PATH + folder + wxFILE_SEP_PATH + name.Lower() + ".htm";
}

bool showIndicatorHelp(const QxIndicator* indicator)
{
    QxHelpBook& book = indicatorBook();
    if (!book.load())
        return false;
    TopWindowCleared cleared;
    if (!indicator)
        return book.showContents();
    return book.showPage(
        indicatorHelpPage(indicator->getGroup().string(), indicator->getName().string()));
}

} // namespace QxUtils

wxColour lightenColour(const wxColour& colour, double factor)
{
    auto channel = [factor](unsigned char c) {
        return static_cast<unsigned char>(c + (255 - c) * factor + 0.5);
    };
    return wxColour(channel(colour.Red()), channel(colour.Green()), channel(colour.Blue()), 255);
}
