#include "securities/QxPortfolioAlerts.h"

#include "core/QxSecurityKey.h"
#include "core/QxTime.h"
#include "trading/QxAlertMgrPanel.h"
#include "trading/QxAlertSettingsDlg.h"
#include "ui/QxMessages.h"

#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <iterator>

namespace {

bool sameSecurity(const QxSecurity* a, const QxSecurity* b)
{
    return a == b || (a && b && compareSecurities(a, b) == 0);
}

// The date of the pair's latest alert (the entry before the marker), or
// nothing when it has none.
wxString lastOccurredText(QxSecurity* security, QxAlertSetting* setting)
{
    const QxAlertList* alerts = QxAlertMgr::get()->alertsOf(security, setting);
    if (!alerts || alerts->size() < 2)
        return wxString();
    const int64_t latest = std::prev(alerts->end(), 2)->first;
    return latest == 0 ? wxString() : formatTimestamp(latest, "%x");
}

long selectedRow(const wxListCtrl* list) { return list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); }

} // namespace

QxPortfolioAlerts::QxPortfolioAlerts(wxListCtrl* list, wxStaticText* label, int newAlertId)
    : m_list(list), m_label(label), m_newAlertId(newAlertId)
{
    m_list->AppendColumn(_("Alert Setting"));
    m_list->AppendColumn(_("Last occurred on"));
    QxAlertMgr* alerts = QxAlertMgr::get();
    alerts->addAlertSettingReactor(this);
    alerts->addAlertReactor(this);
}

QxPortfolioAlerts::~QxPortfolioAlerts()
{
    // At exit the manager has saved and emptied itself; it is not made again.
    if (QxAlertMgr* alerts = QxAlertMgr::existing()) {
        alerts->removeAlertSettingReactor(this);
        alerts->removeAlertReactor(this);
    }
}

bool QxPortfolioAlerts::isListed(const QxSecurity* security) const
{
    return m_security && sameSecurity(security, m_security.get());
}

void QxPortfolioAlerts::clearRows()
{
    m_list->DeleteAllItems();
    m_rowSettings.clear();
}

void QxPortfolioAlerts::showSettingsOf(QxSecurity* security)
{
    if (security && isListed(security))
        return;
    clearRows();
    m_security = security;
    if (!security) {
        m_label->SetLabel(_("Alerts"));
        return;
    }
    m_label->SetLabel(_("Alert settings of ") + wxString::FromUTF8(security->ticker()));
    if (wxSizer* sizer = m_label->GetContainingSizer())
        sizer->Layout();
    const auto& bySecurity = QxAlertMgr::get()->securitiesIndex();
    const auto it = bySecurity.find(m_security);
    if (it == bySecurity.end())
        return;
    for (const QxAlertSettingPtr& setting : it->second)
        addRow(setting.get());
}

long QxPortfolioAlerts::rowOf(const QxAlertSetting* setting) const
{
    for (long row = 0; row < m_list->GetItemCount(); ++row)
        if (reinterpret_cast<const QxAlertSetting*>(m_list->GetItemData(row)) == setting)
            return row;
    return -1;
}

void QxPortfolioAlerts::addRow(QxAlertSetting* setting)
{
    if (!setting || rowOf(setting) >= 0)
        return;
    const wxString text = setting->describe(false);
    const long row = m_list->InsertItem(QxAlertMgrPanel::sortedPosition(m_list, text), text);
    m_list->SetItem(row, 1, lastOccurredText(m_security.get(), setting));
    m_list->SetItemPtrData(row, reinterpret_cast<wxUIntPtr>(setting));
    m_rowSettings[setting] = setting;
}

void QxPortfolioAlerts::onAlertSettingAdded(QxSecurity* security, QxAlertSetting* setting)
{
    // The list is the listed security's: settings of others never join it.
    if (isListed(security))
        addRow(setting);
}

void QxPortfolioAlerts::onAlertSettingRemoved(QxSecurity* security, QxAlertSetting* setting)
{
    if (m_removing || !isListed(security))
        return;
    const long row = rowOf(setting);
    if (row >= 0) {
        m_list->DeleteItem(row);
        m_rowSettings.erase(setting);
    }
}

void QxPortfolioAlerts::onAlertAdded(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting)
{
    const long row = isListed(security) ? rowOf(setting) : -1;
    if (row >= 0)
        m_list->SetItem(row, 1, formatTimestamp(alert.timestamp, "%x"));
}

void QxPortfolioAlerts::onAlertRemoved(const QxAlert&, QxSecurity* security, QxAlertSetting* setting)
{
    const long row = isListed(security) ? rowOf(setting) : -1;
    if (row >= 0)
        m_list->SetItem(row, 1, lastOccurredText(m_security.get(), setting));
}

void QxPortfolioAlerts::setNewAlert(wxWindow* parent, QxSecurity* security)
{
    QxSecurityPtr held(security);
    if (!security)
        return;
    QxAlertSettingsDlg dialog(parent, security);
    if (dialog.ShowModal() != wxID_OK || !dialog.getSetting() || !dialog.getSecurity())
        return;
    if (!QxAlertMgr::get()->addSetting(dialog.getSecurity(), dialog.getSetting(), timestampNow()))
        qxShowWarning(_("New alert setting that you wanted to add already exists for the security."), parent);
}

std::unique_ptr<wxMenu> QxPortfolioAlerts::quickMenu(QxSecurity* security) const
{
    if (!security)
        return nullptr;
    auto menu = std::make_unique<wxMenu>();
    int number = 0;
    int items = 0;
    for (const auto& [setting, securities] : QxAlertMgr::get()->settingsIndex()) {
        const int k = number++;
        if (items >= kQuickAlertMax)
            break;
        if (!setting->tradingSystem() || securities.count(QxSecurityPtr(security)) > 0)
            continue;
        menu->Append(kQuickAlertBase + k, setting->describe(false));
        ++items;
    }
    if (items > 0)
        menu->AppendSeparator();
    menu->Append(m_newAlertId, _("New Alert"));
    return menu;
}

void QxPortfolioAlerts::chooseQuick(wxWindow* parent, QxSecurity* security, int itemId)
{
    if (itemId == m_newAlertId) {
        setNewAlert(parent, security);
        return;
    }
    const int k = itemId - kQuickAlertBase;
    const auto& settings = QxAlertMgr::get()->settingsIndex();
    if (!security || k < 0 || k >= static_cast<int>(settings.size()))
        return;
    QxAlertSettingPtr setting = std::next(settings.begin(), k)->first;
    // False when the security has that setting already: nothing to add.
    (void)QxAlertMgr::get()->addSetting(security, setting.get(), timestampNow());
}

void QxPortfolioAlerts::popUpQuickMenu(wxWindow* parent, QxSecurity* security)
{
    QxSecurityPtr held(security);
    std::unique_ptr<wxMenu> menu = quickMenu(security);
    if (!menu)
        return;
    // The toolbar keeps the arrow pressed while this runs; the menu opens
    // at the pointer, just below the arrow, and the choice comes back here
    // rather than as a command.
    const int chosen = parent->GetPopupMenuSelectionFromUser(*menu);
    if (chosen != wxID_NONE)
        chooseQuick(parent, security, chosen);
}

bool QxPortfolioAlerts::hasSelection() const { return selectedRow(m_list) >= 0; }

void QxPortfolioAlerts::removeSelected()
{
    const long row = selectedRow(m_list);
    if (row < 0 || !m_security)
        return;
    QxAlertSettingPtr setting(reinterpret_cast<QxAlertSetting*>(m_list->GetItemData(row)));
    QxSecurityPtr security = m_security;
    m_removing = true;
    m_list->DeleteItem(row);
    m_rowSettings.erase(setting.get());
    QxAlertMgr::get()->removeSetting(security.get(), setting.get());
    m_removing = false;
}

void QxPortfolioAlerts::fitColumns(int width)
{
    m_list->SetColumnWidth(0, width * 3 / 5);
    m_list->SetColumnWidth(1, width - width * 3 / 5);
}
