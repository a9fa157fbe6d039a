#include "securities/QxDatabaseInfoDlg.h"

#include "app/QxApplication.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxUtils.h"

QxDatabaseInfoDlg::QxDatabaseInfoDlg(wxWindow* parent) : FBDatabaseInfoDlg(parent)
{
    QxApplication* app = QxApplication::getApp();
    QxObjectSmartPtr<QxDatabase> database(app ? app->currentDatabase() : nullptr);
    if (!database)
        return; // both fields stay empty
    // A reader no longer registered leaves the format empty.
    QxObjectSmartPtr<QxDataReader> reader(QxDataReaderRepository::instance()->getObj(database->readerId()));
    if (reader)
        m_format->ChangeValue(reader->displayName());
    const char* path = database->path();
    m_location->ChangeValue(path ? wxString::FromUTF8(path) : wxString());
}

void QxDatabaseInfoDlg::OnHelp(wxCommandEvent&)
{
    // The manual explains databases where it explains choosing one.
    QxUtils::showHelp("topics/data_selection.htm");
}
