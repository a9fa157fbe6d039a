#include "app/QxDataSelectorDlg.h"

#include "app/QxApplication.h"
#include "app/QxCab.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxErrorCode.h"
#include "core/QxUserNotice.h"
#include "core/QxUtils.h"
#include "core/platform/wxConfigEx.h"
#include "core/platform/wxeStandardPaths.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/log.h>

const char* const QxDataSelectorDlg::kDefaultReaderId = "com.Corvane.Trendoria.trddb";

namespace {

const char* const kPathKey = "/app/db/default_data_path";
const char* const kReaderKey = "/app/db/default_data_provider";
const char* const kOptionsKey = "/app/db/default_extra_param";
// The readers take their options as one text; the store keeps it in a
// configuration bag under this key.
const char* const kOptionsBagKey = "extra_param";

wxString loadOptions(wxConfigBase& config)
{
    QxObjectSmartPtr<QxCab> bag(new QxCab);
    bag->load(config, kOptionsKey);
    wxString options;
    bag->get(kOptionsBagKey, options); // absent: no options
    return options;
}

QxDatabase* openWith(QxDataReader* reader, const wxString& path, const wxString& options, int* error)
{
    wxLogNull quiet; // a file that does not open is reported by the caller
    return reader->openDatabase(path, options, error);
}

// Still held by another program after the reader's wait.
bool isBusy(int error) { return error == -5 || error == -6; }

// Why a database file did not open, in a sentence for the user.
wxString whyNotOpened(int error)
{
    switch (error) {
    case eFailedToOpenDatabase:
        return _("It is damaged or is not a database.");
    case eDbIncompatible:
        return _("It is empty or was not written by a compatible version of the program.");
    // Folder formats: the codes' own names mean nothing to a user.
    case eRequiredFilesNotFound:
        return _("The chosen location holds none of the files this data format needs.");
    case eUnknownError:
        return _("The files there list no securities this data format can read.");
    default:
        return qxErrorDesc(error);
    }
}

wxString inUseText(const wxString& path)
{
    return wxString::Format(_("The database \"%s\" is in use by another program (is Trendoria already "
                              "running?). It was not replaced by another database: close the other program and "
                              "start again."),
                            path);
}

// Whether two paths name the same file or folder.
bool sameLocation(const wxString& a, const wxString& b)
{
    auto canonical = [](const wxString& path) {
        wxFileName name(path);
        name.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE | wxPATH_NORM_TILDE);
        wxString full = name.GetFullPath();
        while (full.length() > 1 && wxFileName::IsPathSeparator(full.Last()))
            full.RemoveLast();
        return full;
    };
    return canonical(a) == canonical(b);
}

} // namespace

QxDataSelectorDlg::QxDataSelectorDlg(wxWindow* parent) : FBDataSelectorDlg(parent) {}

QxDataSelectorDlg::~QxDataSelectorDlg()
{
    m_database = nullptr;
    m_reader = nullptr;
}

wxString QxDataSelectorDlg::defaultDataFolder()
{
    wxFileName folder(wxeStandardPaths().GetUserLocalDataDir(), wxString());
    folder.AppendDir("data");
    return folder.GetPath();
}

QxObjectSmartPtr<QxDatabase> QxDataSelectorDlg::loadDefaultDataSource(wxString* why)
{
    return loadDefaultDataSource(wxConfigEx::get(), defaultDataFolder(), why);
}

QxObjectSmartPtr<QxDatabase> QxDataSelectorDlg::loadDefaultDataSource(wxConfigBase& config,
                                                                      const wxString& dataFolder,
                                                                      wxString* why)
{
    const wxString path = config.Read(kPathKey, wxString());
    const wxString readerId = config.Read(kReaderKey, wxString());
    const wxString options = loadOptions(config);
    QxDataReaderRepository* readers = QxDataReaderRepository::instance();

    // What could not be opened on the way to the database used: the user
    // is told which file, why, and what is used instead.
    wxString notOpened;
    auto note = [&notOpened](const wxString& file, const wxString& reason) {
        notOpened << wxString::Format(_("The database \"%s\" could not be opened. %s"), file, reason) << "\n";
    };

    // The stored choice, when its reader is here and its location exists.
    if (!readerId.empty() && (wxFileName::FileExists(path) || wxFileName::DirExists(path))) {
        if (QxDataReader* reader = readers->getObj(QxAtom(readerId))) {
            wxFileName full(path);
            full.MakeAbsolute();
            int error = eNoError;
            QxObjectSmartPtr<QxDatabase> db(openWith(reader, full.GetFullPath(), options, &error));
            if (db)
                return db;
            if (isBusy(error)) {
                if (why)
                    *why = inUseText(full.GetFullPath());
                return nullptr;
            }
            note(full.GetFullPath(), whyNotOpened(error));
        } else {
            note(path, wxString::Format(_("Its data reader \"%s\" is not available."), readerId));
        }
    } else if (!path.empty() && !sameLocation(path, wxFileName(dataFolder, "hist", "trddb").GetFullPath())) {
        // (The program's own first file, gone, is simply made again.)
        note(path, _("It no longer exists."));
    }

    // Otherwise the program's own file; the fallback is not stored.
    QxDataReader* reader = readers->getObj(QxAtom(kDefaultReaderId));
    if (!reader) {
        if (why)
            *why = wxString::Format(_("The data reader \"%s\" is not available: its plug-in \"%s\" "
                                      "is missing or did not load."),
                                    kDefaultReaderId, "trddb.trdx");
        return nullptr;
    }
    {
        wxLogNull quiet;
        if (!wxFileName::DirExists(dataFolder) &&
            !wxFileName::Mkdir(dataFolder, 0777, wxPATH_MKDIR_FULL)) {
            if (why)
                *why = wxString::Format(_("The folder \"%s\" could not be created."), dataFolder);
            return nullptr;
        }
    }
    int lastError = eNoError;
    for (int n = 0; n <= kMaxNumberedFiles; ++n) {
        const wxString name = n == 0 ? wxString("hist") : wxString::Format("hist%d", n);
        const wxFileName file(dataFolder, name, "trddb");
        int error = eNoError;
        QxObjectSmartPtr<QxDatabase> db(openWith(reader, file.GetFullPath(), options, &error));
        if (db) {
            if (!notOpened.empty())
                qxNotifyUser(notOpened + wxString::Format(_("The database \"%s\" is used instead."),
                                                          file.GetFullPath()));
            return db;
        }
        if (isBusy(error)) {
            if (why)
                *why = inUseText(file.GetFullPath());
            return nullptr;
        }
        note(file.GetFullPath(), whyNotOpened(error));
        lastError = error;
    }
    if (why)
        *why = wxString::Format(_("None of the database files \"hist.trddb\" to \"hist%d.trddb\" in "
                                  "\"%s\" could be opened or created.\nThe last error was: %s"),
                                kMaxNumberedFiles, dataFolder, qxErrorDesc(lastError));
    return nullptr;
}

QxDataReader* QxDataSelectorDlg::selectedReader() const
{
    const int sel = m_format->GetSelection();
    if (sel == wxNOT_FOUND)
        return nullptr;
    const auto index = reinterpret_cast<uintptr_t>(m_format->GetClientData(sel));
    if (index >= m_readerIds.size())
        return nullptr;
    return QxDataReaderRepository::instance()->getObj(QxAtom(m_readerIds[index]));
}

void QxDataSelectorDlg::updateButtons()
{
    QxDataReader* selected = selectedReader();
    m_browse->Enable(selected != nullptr);
    m_ok->Enable(selected != nullptr && m_locationName.IsOk());
    m_details->Enable(selected != nullptr && selected->hasOptions());
}

void QxDataSelectorDlg::OnInitDialog(wxInitDialogEvent&)
{
    m_bitmap->SetBitmap(wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_OTHER));
    m_format->Clear();
    m_readerIds.clear();
    QxDataReaderRepository* readers = QxDataReaderRepository::instance();
    for (const QxAtom& id : readers->getObjNames()) {
        QxDataReader* reader = readers->getObj(id);
        if (!reader)
            continue;
        m_format->Append(reader->displayName(), reinterpret_cast<void*>(uintptr_t(m_readerIds.size())));
        m_readerIds.push_back(id.id());
    }
    TransferDataToWindow();
    updateButtons();
    Layout();
}

bool QxDataSelectorDlg::TransferDataToWindow()
{
    if (m_reader) {
        for (unsigned i = 0; i < m_format->GetCount(); ++i) {
            const auto index = reinterpret_cast<uintptr_t>(m_format->GetClientData(i));
            if (index < m_readerIds.size() && m_readerIds[index] == m_reader->id().id()) {
                m_format->SetSelection(i);
                break;
            }
        }
    }
    m_location->ChangeValue(m_locationName.GetFullPath());
    return true;
}

bool QxDataSelectorDlg::TransferDataFromWindow()
{
    m_locationName.Assign(m_location->GetValue());
    return true;
}

void QxDataSelectorDlg::OnFormatChoice(wxCommandEvent&)
{
    QxDataReader* selected = selectedReader();
    if (!selected || selected == m_reader.get())
        return;
    m_reader = selected;
    m_options.clear();
    m_browse->Enable(selected->locationKind() != 0);
    m_locationName.Clear();
    m_location->ChangeValue(m_locationName.GetFullPath());
    m_ok->Enable(selected->locationKind() == 0);
    m_details->Enable(selected->hasOptions());
}

void QxDataSelectorDlg::OnDetails(wxCommandEvent&)
{
    if (m_reader)
        m_reader->showOptions(this, m_options);
}

void QxDataSelectorDlg::OnBrowse(wxCommandEvent&)
{
    if (!m_reader)
        return;
    const wxString chosen = m_reader->browseLocation(this);
    if (chosen.empty())
        return;
    m_locationName.Assign(chosen);
    m_location->ChangeValue(m_locationName.GetFullPath());
    m_ok->Enable(true);
}

void QxDataSelectorDlg::OnCancel(wxCommandEvent&)
{
    if (showMessage(_("Are you sure you want to cancel?"), wxYES_NO | wxICON_QUESTION | wxCENTRE) == wxYES)
        EndModal(wxCANCEL); // no database is handed over
}

void QxDataSelectorDlg::OnHelp(wxCommandEvent&)
{
    QxUtils::showHelp("topics/data_selection.htm");
}

void QxDataSelectorDlg::OnOK(wxCommandEvent&)
{
    if (!m_reader)
        return;
    TransferDataFromWindow();
    const wxString location = m_locationName.GetFullPath();
    {
        wxLogNull quiet;
        const wxString folder = m_locationName.GetPath();
        if (!folder.empty() && !wxFileName::DirExists(folder) &&
            !wxFileName::Mkdir(folder, 0777, wxPATH_MKDIR_FULL))
            return;
    }

    if (const QxDatabase* open = openDatabaseOfProgram()) {
        if (open->readerId() == m_reader->id() && open->path() &&
            sameLocation(wxString(open->path(), wxConvFile), location)) {
            showMessage(_("Selected database is already in use."), wxOK);
            return;
        }
    }

    int error = eNoError;
    m_database = openWith(m_reader.get(), location, m_options, &error);
    if (!m_database) {
        showMessage(_("There was an error while trying to open database:\n") + whyNotOpened(error),
                    wxOK | wxICON_ERROR);
        return;
    }

    m_chosenLocation = location;
    if (m_storeOnOk)
        storeChoice();
    EndModal(wxID_OK);
}

void QxDataSelectorDlg::storeChoice()
{
    if (!m_database || !m_reader)
        return;
    wxConfigBase& store = config();
    store.Write(kPathKey, m_chosenLocation);
    store.Write(kReaderKey, m_reader->id().string());
    if (!m_options.empty()) {
        QxObjectSmartPtr<QxCab> bag(new QxCab);
        bag->add(kOptionsBagKey, m_options);
        store.DeleteGroup(kOptionsKey);
        bag->save(store, kOptionsKey);
    }
    store.Flush();
}

int QxDataSelectorDlg::showMessage(const wxString& text, long style)
{
    // Questions are Yes/No; anything else is told with OK, with the error
    // icon where asked for, else the information icon.
    if (style & wxYES_NO)
        return qxAskYesNo(text, this) ? wxYES : wxNO;
    qxTell(QxMessage((style & wxICON_ERROR) ? QxMessageKind::Error : QxMessageKind::Information, text, this));
    return wxOK;
}

const QxDatabase* QxDataSelectorDlg::openDatabaseOfProgram() const
{
    const QxApplication* app = QxApplication::getApp();
    return app ? app->currentDatabase() : nullptr;
}

wxConfigBase& QxDataSelectorDlg::config() const { return wxConfigEx::get(); }
