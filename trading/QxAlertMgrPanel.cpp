#include "trading/QxAlertMgrPanel.h"

#include "app/QxGlobalVars.h"
#include "chartview/QxChartView.h"
#include "core/QxTime.h"
#include "trading/QxAlertSettingsDlg.h"
#include "ui/QxMessages.h"

#include <wx/settings.h>

#include <vector>

namespace {

enum { eColSecurity, eColText, eColDate };

wxString dateText(int64_t ts) { return formatTimestamp(ts, "%x"); }

bool sameSecurity(QxSecurity* a, QxSecurity* b) { return a == b || compareSecurities(a, b) == 0; }

// Counted by walking the rows: the generic list's own selection count is
// not lowered when selected rows are deleted.
std::vector<long> selectedRows(wxListCtrl* list)
{
    std::vector<long> rows;
    for (long row = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
         row = list->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        rows.push_back(row);
    return rows;
}

} // namespace

QxAlertMgrPanel::QxAlertMgrPanel(wxWindow* parent) : FBAlertMgrPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(630, 400))
{
    m_providerImages.addTo(m_images);

    fillLists();
    QxAlertMgr* mgr = QxAlertMgr::get();
    mgr->addAlertReactor(this);
    mgr->addAlertSettingReactor(this);
}

QxAlertMgrPanel::~QxAlertMgrPanel()
{
    // At exit the manager may be gone; it is never created again here.
    if (QxAlertMgr* mgr = QxAlertMgr::existing()) {
        mgr->removeAlertReactor(this);
        mgr->removeAlertSettingReactor(this);
    }
    for (long row = 0; row < m_settingsList->GetItemCount(); ++row)
        delete settingRow(row);
    for (long row = 0; row < m_alertsList->GetItemCount(); ++row)
        delete alertRow(row);
    m_settingsList->DeleteAllItems();
    m_alertsList->DeleteAllItems();
    m_settingsList->SetImageList(nullptr, wxIMAGE_LIST_SMALL);
    m_alertsList->SetImageList(nullptr, wxIMAGE_LIST_SMALL);
}

wxFont QxAlertMgrPanel::normalListFont() { return wxListCtrl::GetClassDefaultAttributes().font; }
wxFont QxAlertMgrPanel::boldListFont() { return normalListFont().Bold(); }
wxFont QxAlertMgrPanel::boldItalicListFont() { return normalListFont().Bold().Italic(); }

void QxAlertMgrPanel::fillLists()
{
    m_alertsList->SetImageList(&m_images, wxIMAGE_LIST_SMALL);
    m_settingsList->SetImageList(&m_images, wxIMAGE_LIST_SMALL);
    m_alertsList->InsertColumn(eColSecurity, _("Security"));
    m_alertsList->InsertColumn(eColText, _("Alert description"));
    m_alertsList->InsertColumn(eColDate, _("Timestamp"));
    m_settingsList->InsertColumn(eColSecurity, _("Security"));
    m_settingsList->InsertColumn(eColText, _("Alert Setting"));
    m_settingsList->InsertColumn(eColDate, _("Last occurred on"));

    for (const auto& [setting, securities] : QxAlertMgr::get()->settingsIndex()) {
        for (const auto& [security, alerts] : securities) {
            const long row = addSettingRow(security.get(), setting.get());
            if (alerts.size() < 2)
                continue;
            for (auto it = alerts.begin(); std::next(it) != alerts.end(); ++it)
                addAlertRow(it->second, security.get(), setting.get());
            m_settingsList->SetItem(row, eColDate, dateText(std::prev(alerts.end(), 2)->first));
        }
    }
    for (const QxOrphanAlertSetting& orphan : QxAlertMgr::get()->orphans())
        addOrphanRow(orphan);
    m_filling = false;
}

long QxAlertMgrPanel::addOrphanRow(const QxOrphanAlertSetting& orphan)
{
    const long row = m_settingsList->InsertItem(m_settingsList->GetItemCount(), orphan.security);
    m_settingsList->SetItem(row, eColText, orphan.description + " - " + orphan.reason);
    m_settingsList->SetItemTextColour(row, wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    m_settingsList->SetItemPtrData(row, reinterpret_cast<wxUIntPtr>(new SettingRow{nullptr, nullptr, orphan.id}));
    return row;
}

long QxAlertMgrPanel::sortedPosition(wxListCtrl* list, const wxString& text)
{
    long low = 0, high = list->GetItemCount();
    while (low < high) { // after the rows of equal text
        const long mid = (low + high) / 2;
        if (text.Cmp(list->GetItemText(mid, eColSecurity)) < 0)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

int QxAlertMgrPanel::rowImage(QxSecurity* security) const { return m_providerImages.of(security); }

long QxAlertMgrPanel::addSettingRow(QxSecurity* security, QxAlertSetting* setting)
{
    const wxString ticker = wxString::FromUTF8(security->ticker());
    const long row = m_settingsList->InsertItem(sortedPosition(m_settingsList, ticker), ticker, rowImage(security));
    m_settingsList->SetItem(row, eColText, setting->describe(false));
    m_settingsList->SetItemPtrData(row, reinterpret_cast<wxUIntPtr>(new SettingRow{security, setting}));
    return row;
}

long QxAlertMgrPanel::addAlertRow(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting)
{
    const wxString ticker = wxString::FromUTF8(security->ticker());
    const long row = m_alertsList->InsertItem(sortedPosition(m_alertsList, ticker), ticker, rowImage(security));
    m_alertsList->SetItem(row, eColText, setting->describe(true));
    m_alertsList->SetItem(row, eColDate, dateText(alert.timestamp));
    m_alertsList->SetItemPtrData(row, reinterpret_cast<wxUIntPtr>(new AlertRow{setting, security, alert}));
    m_alertsList->SetItemFont(row, alert.status == QxAlert::eNew      ? boldItalicListFont()
                                   : alert.status == QxAlert::eUnread ? boldListFont()
                                                                      : normalListFont());
    if (!m_filling) {
        const long settings = findSettingRow(security, setting);
        if (settings != -1)
            m_settingsList->SetItem(settings, eColDate, dateText(alert.timestamp));
    }
    return row;
}

long QxAlertMgrPanel::findSettingRow(QxSecurity* security, QxAlertSetting* setting) const
{
    for (long row = 0; row < m_settingsList->GetItemCount(); ++row) {
        const SettingRow* r = settingRow(row);
        if (r && r->setting.get() == setting && sameSecurity(r->security.get(), security))
            return row;
    }
    return -1;
}

long QxAlertMgrPanel::findAlertRow(QxSecurity* security, QxAlertSetting* setting) const
{
    for (long row = 0; row < m_alertsList->GetItemCount(); ++row) {
        const AlertRow* r = alertRow(row);
        if (r && r->setting.get() == setting && sameSecurity(r->security.get(), security))
            return row;
    }
    return -1;
}

void QxAlertMgrPanel::deleteSettingRow(long row)
{
    delete settingRow(row);
    m_settingsList->DeleteItem(row);
}

void QxAlertMgrPanel::deleteAlertRow(long row)
{
    delete alertRow(row);
    m_alertsList->DeleteItem(row);
}

void QxAlertMgrPanel::updateLastOccurred(QxSecurity* security, QxAlertSetting* setting)
{
    const long row = findSettingRow(security, setting);
    if (row == -1)
        return;
    const QxAlertList* alerts = QxAlertMgr::get()->alertsOf(security, setting);
    m_settingsList->SetItem(row, eColDate,
                            alerts && alerts->size() > 1 ? dateText(std::prev(alerts->end(), 2)->first) : wxString());
}

// ---- the manager's notifications

void QxAlertMgrPanel::onAlertSettingAdded(QxSecurity* security, QxAlertSetting* setting)
{
    addSettingRow(security, setting);
}

void QxAlertMgrPanel::onAlertSettingRemoved(QxSecurity* security, QxAlertSetting* setting)
{
    if (m_removingSettings)
        return;
    const long row = findSettingRow(security, setting);
    if (row != -1)
        deleteSettingRow(row);
}

void QxAlertMgrPanel::onAlertAdded(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting)
{
    addAlertRow(alert, security, setting);
}

void QxAlertMgrPanel::onAlertRemoved(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting)
{
    updateLastOccurred(security, setting);
    if (m_deletingAlerts)
        return;
    // The row of that very alert, not merely the first of its pair.
    for (long row = 0; row < m_alertsList->GetItemCount(); ++row) {
        const AlertRow* r = alertRow(row);
        if (r && r->setting.get() == setting && r->alert.timestamp == alert.timestamp &&
            sameSecurity(r->security.get(), security)) {
            deleteAlertRow(row);
            return;
        }
    }
}

// ---- commands

void QxAlertMgrPanel::markSelectedUnread()
{
    const QxAlertMgr::Changes batch; // one write for all
    for (long row : selectedRows(m_alertsList)) {
        AlertRow* r = alertRow(row);
        if (!r || r->alert.status != QxAlert::eRead)
            continue;
        QxAlertMgr::get()->setAlertStatus(r->alert, QxAlert::eUnread, r->security.get(), r->setting.get());
        m_alertsList->SetItemFont(row, boldListFont());
    }
}

void QxAlertMgrPanel::onMarkUnreadUpdate(wxUpdateUIEvent& event)
{
    bool any = false;
    for (long row : selectedRows(m_alertsList))
        if (const AlertRow* r = alertRow(row); r && r->alert.status == QxAlert::eRead)
            any = true;
    event.Enable(any);
}

void QxAlertMgrPanel::onAlertSelected(wxListEvent& event)
{
    const long row = event.GetIndex();
    AlertRow* r = row >= 0 ? alertRow(row) : nullptr;
    if (!r || r->alert.status == QxAlert::eRead)
        return;
    QxAlertMgr::get()->setAlertStatus(r->alert, QxAlert::eRead, r->security.get(), r->setting.get());
    m_alertsList->SetItemFont(row, normalListFont());
}

void QxAlertMgrPanel::deleteSelectedAlerts()
{
    const std::vector<long> rows = selectedRows(m_alertsList);
    if (rows.empty())
        return;
    m_deletingAlerts = true;
    const QxAlertMgr::Changes batch; // one write for all
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) { // from the last, so the earlier rows keep their index
        if (AlertRow* r = alertRow(*it))
            (void)QxAlertMgr::get()->removeAlert(r->alert.timestamp, r->security.get(),
                                                 r->setting.get()); // false: it was gone already
        deleteAlertRow(*it);
    }
    m_deletingAlerts = false;
}

void QxAlertMgrPanel::onDeleteAlertsUpdate(wxUpdateUIEvent& event)
{
    event.Enable(!selectedRows(m_alertsList).empty());
}

void QxAlertMgrPanel::setAlert()
{
    QxAlertSettingsDlg dlg(this, nullptr);
    if (dlg.ShowModal() != wxID_OK || !dlg.getSetting() || !dlg.getSecurity())
        return;
    if (!QxAlertMgr::get()->addSetting(dlg.getSecurity(), dlg.getSetting(), timestampNow()))
        qxShowWarning(_("New alert setting that you wanted to add already exists for the security."), this);
}

void QxAlertMgrPanel::removeSettings()
{
    if (selectedRows(m_settingsList).size() > 1 &&
        !qxAskYesNo(_("You have selected multiple alert-settings.\nDo you really want to delete all of them?"),
                    nullptr))
        return;
    m_removingSettings = true;
    const QxAlertMgr::Changes batch; // one write for all
    for (long row = m_settingsList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
         row = m_settingsList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        if (SettingRow* r = settingRow(row)) {
            const SettingRow held = *r; // the call below reaches back into the lists
            if (held.orphan)
                (void)QxAlertMgr::get()->removeOrphan(held.orphan); // false: it was gone already
            else
                QxAlertMgr::get()->removeSetting(held.security.get(), held.setting.get());
        }
        deleteSettingRow(row);
    }
    m_removingSettings = false;
}

void QxAlertMgrPanel::onRemoveSettingUpdate(wxUpdateUIEvent& event)
{
    event.Enable(!selectedRows(m_settingsList).empty());
}

// ---- charts and columns

void QxAlertMgrPanel::openChart(wxListCtrl* list, QxSecurity* security)
{
    if (selectedRows(list).size() != 1 || !security || security->id() == 0)
        return;
    // The row's own security (its id may name another one in whatever
    // database is current), with the default template as New Chart gives it.
    QxChartView::createChartView(security, Qx::eDaily, static_cast<Qx::QxPriceObjType>(3),
                                 QxGlobalVars::get().defaultTemplate.get());
}

void QxAlertMgrPanel::onAlertActivated(wxListEvent& event)
{
    const AlertRow* r = event.GetIndex() >= 0 ? alertRow(event.GetIndex()) : nullptr;
    openChart(m_alertsList, r ? r->security.get() : nullptr);
}

void QxAlertMgrPanel::onSettingActivated(wxListEvent& event)
{
    const SettingRow* r = event.GetIndex() >= 0 ? settingRow(event.GetIndex()) : nullptr;
    openChart(m_settingsList, r ? r->security.get() : nullptr);
}

void QxAlertMgrPanel::columnWidths(int w, int widths[3])
{
    const int c = w / 5;
    widths[0] = c;
    widths[1] = w - 2 * c;
    widths[2] = c;
}

void QxAlertMgrPanel::splitColumns(wxListCtrl* list)
{
    int widths[3];
    columnWidths(list->GetClientSize().x, widths);
    for (int col = 0; col < 3 && col < list->GetColumnCount(); ++col)
        list->SetColumnWidth(col, widths[col]);
}

void QxAlertMgrPanel::onAlertsListSize(wxSizeEvent& event)
{
    splitColumns(m_alertsList);
    event.Skip();
}

void QxAlertMgrPanel::onSettingsListSize(wxSizeEvent& event)
{
    splitColumns(m_settingsList);
    event.Skip();
}
