#include "trading/QxStockIdeaFinderDlg.h"

#include "app/QxApplication.h"
#include "core/QxDatabase.h"
#include "core/QxSecurity.h"
#include "core/QxUtils.h"
#include "core/platform/QxFileDialogExt.h"
#include "securities/QxSymbolSelectionDlg.h"
#include "trading/DlgSystemManager.h"
#include "trading/QxIdeaFinderParams.h"
#include "trading/QxIdeaScan.h"
#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/config.h>
#include <wx/filedlg.h>
#include <wx/intl.h>

#include <algorithm>
#include <set>

namespace {

QxDatabase* currentDatabase()
{
    QxApplication* app = QxApplication::getApp();
    return app ? app->currentDatabase() : nullptr;
}

wxConfigBase* config()
{
    QxApplication* app = QxApplication::getApp();
    return app ? static_cast<wxConfigBase*>(&app->getConfig()) : wxConfigBase::Get();
}

// Runs with the configuration's current path set to the dialog's group.
template <class F>
void inDialogGroup(F f)
{
    wxConfigBase* cfg = config();
    if (!cfg)
        return;
    const wxString previous = cfg->GetPath();
    cfg->SetPath("/dlg/stock_idea_finder/");
    f(*cfg);
    cfg->SetPath(previous);
}

// Inserts a row for ticker where the list's ascending order puts it, after
// rows of the same ticker; the row's index.
long insertSorted(wxListCtrl* list, const wxString& ticker)
{
    long row = 0;
    const long count = list->GetItemCount();
    while (row < count && list->GetItemText(row).CmpNoCase(ticker) <= 0)
        ++row;
    return list->InsertItem(row, ticker);
}

void showError(const wxString& text, wxWindow* parent)
{
    qxShowError(text, parent);
}

} // namespace

QxStockIdeaFinderDlg::QxStockIdeaFinderDlg(wxWindow* parent) : FBDlgStockIdeaFinder(parent)
{
    m_bitmap->SetBitmap(wxArtProvider::GetBitmap(wxART_INFORMATION, "wxART_OTHER_C"));
    const int w = m_listSymbols->GetClientSize().GetWidth();
    m_listSymbols->InsertColumn(0, _("Symbol"), wxLIST_FORMAT_LEFT, w / 3);
    m_listSymbols->InsertColumn(1, _("Name"), wxLIST_FORMAT_LEFT, w - w / 3);
    inDialogGroup([this](wxConfigBase& cfg) {
        const wxDateTime today = wxDateTime::Today();
        m_dateTill->SetValue(today);
        m_dateFrom->SetValue(today - wxDateSpan::Days(static_cast<int>(cfg.ReadLong("day_range", 3))));
    });
    const wxSize fitting = GetSizer()->Fit(this);
    const wxSize wanted(651, 520);
    SetSize(std::max(fitting.x, wanted.x), std::max(fitting.y, wanted.y));
    m_btnOk->SetDefault();
}

QxStockIdeaFinderDlg::~QxStockIdeaFinderDlg()
{
    const int days = ideaFinderDaysBefore(m_dateTill->GetValue(), m_dateFrom->GetValue());
    inDialogGroup([days](wxConfigBase& cfg) { cfg.Write("day_range", static_cast<long>(days)); });
}

void QxStockIdeaFinderDlg::getSecurityIds(std::vector<unsigned>& ids) const
{
    for (long i = 0; i < m_listSymbols->GetItemCount(); ++i)
        ids.push_back(static_cast<unsigned>(m_listSymbols->GetItemData(i)));
}

bool QxStockIdeaFinderDlg::validate()
{
    m_lookFor = (m_checkLongEntry->IsChecked() ? 1u : 0u) | (m_checkLongExit->IsChecked() ? 2u : 0u) |
                (m_checkShortEntry->IsChecked() ? 4u : 0u) | (m_checkShortExit->IsChecked() ? 8u : 0u);
    if (m_lookFor == 0) {
        showError(_("You need to specify what signals you are looking for."), this);
        m_checkLongEntry->SetFocus();
        return false;
    }
    m_from = m_dateFrom->GetValue();
    m_till = m_dateTill->GetValue();
    if (m_from.IsLaterThan(m_till)) {
        showError(_("Invalid date range."), nullptr);
        return false;
    }
    m_from = m_from.GetDateOnly();
    m_till = m_till.GetDateOnly();
    m_periodicity = m_choicePeriodicity->getPeriodFromChoice();
    if (!m_system) {
        showError(_("Please specify what systems you want to use."), this);
        m_textSystem->SetFocus();
        return false;
    }
    if (m_listSymbols->GetItemCount() == 0) {
        showError(_("Please specify symbols to look for ideas."), this);
        m_listSymbols->SetFocus();
        return false;
    }
    return true;
}

void QxStockIdeaFinderDlg::setSystem(QxTradingSystem* system)
{
    m_system = system;
    m_textSystem->SetValue(system ? system->getName().string() : wxString());
    if (!system)
        return;
    const Qx::QxTradingSystemType type = system->getType();
    const bool hasLong = (type & Qx::eLongOnly) != 0;
    const bool hasShort = (type & Qx::eShortOnly) != 0;
    if (!hasLong) {
        m_checkLongEntry->SetValue(false);
        m_checkLongExit->SetValue(false);
    }
    if (!hasShort) {
        m_checkShortEntry->SetValue(false);
        m_checkShortExit->SetValue(false);
    }
    m_checkLongEntry->Enable(hasLong);
    m_checkLongExit->Enable(hasLong);
    m_checkShortEntry->Enable(hasShort);
    m_checkShortExit->Enable(hasShort);
}

void QxStockIdeaFinderDlg::onSelectSystem(wxCommandEvent&)
{
    DlgSystemManager manager(this, true);
    if (manager.ShowModal() == wxID_OK)
        setSystem(manager.getSelectedSystem().get());
}

bool QxStockIdeaFinderDlg::hasSelectedRows() const
{
    // Asked row by row: the list's own count keeps deleted selected rows.
    return m_listSymbols->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED) != -1;
}

void QxStockIdeaFinderDlg::onListSelectionChanged(wxListEvent& event)
{
    m_btnRemoveSymbols->Enable(hasSelectedRows());
    event.Skip();
}

void QxStockIdeaFinderDlg::onListKeyDown(wxListEvent& event)
{
    if (event.GetKeyCode() == WXK_DELETE) {
        wxCommandEvent remove;
        onRemoveSymbols(remove);
    }
    event.Skip();
}

void QxStockIdeaFinderDlg::onRemoveSymbols(wxCommandEvent&)
{
    std::vector<long> rows;
    for (long i = m_listSymbols->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i != -1;
         i = m_listSymbols->GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        rows.push_back(i);
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        m_listSymbols->DeleteItem(*it);
    m_btnRemoveSymbols->Enable(hasSelectedRows());
}

void QxStockIdeaFinderDlg::addSecurity(unsigned securityId)
{
    QxDatabase* db = currentDatabase();
    // The database hands the security out uncounted: held here, let go at the end.
    QxObjectSmartPtr<QxSecurity> security(db ? db->getSecurity(securityId) : nullptr);
    if (!security)
        return;
    const long row = insertSorted(m_listSymbols, wxString::FromUTF8(security->ticker()));
    m_listSymbols->SetItem(row, 1, wxString::FromUTF8(security->name()));
    m_listSymbols->SetItemData(row, securityId);
}

void QxStockIdeaFinderDlg::onAddSymbols(wxCommandEvent&)
{
    QxSymbolSelectionDlg* selection = QxSymbolSelectionDlg::get(false);
    if (selection->ShowModal() != wxID_OK)
        return;
    for (unsigned id : selection->getSelectedIds())
        addSecurity(id);
}

void QxStockIdeaFinderDlg::onAddFromLastFinding(wxCommandEvent&)
{
    const std::vector<unsigned>& ids = lastFindingSecurityIds();
    if (ids.empty()) {
        qxShowInformation(_("There is no data from last report."), nullptr);
        return;
    }
    // The finding holds a row per signal; the list wants each security once,
    // and not again when it is there already.
    std::set<unsigned> listed;
    for (long i = 0; i < m_listSymbols->GetItemCount(); ++i)
        listed.insert(static_cast<unsigned>(m_listSymbols->GetItemData(i)));
    for (unsigned id : std::vector<unsigned>(ids))
        if (listed.insert(id).second)
            addSecurity(id);
}

bool QxStockIdeaFinderDlg::saveTo(const wxString& path)
{
    QxIdeaFinderParams params;
    params.system = m_system ? m_system->getName().string() : wxString();
    params.lookFor = m_lookFor;
    params.from = m_from;
    params.till = m_till;
    params.periodicity = m_periodicity;
    QxDatabase* db = currentDatabase();
    for (long i = 0; i < m_listSymbols->GetItemCount(); ++i) {
        QxIdeaFinderSymbol symbol;
        if (ideaFinderSymbolOf(db, static_cast<unsigned>(m_listSymbols->GetItemData(i)), symbol))
            params.symbols.push_back(symbol);
    }
    return saveIdeaFinderParams(path, params, wxDateTime::Today());
}

void QxStockIdeaFinderDlg::onSave(wxCommandEvent&)
{
    if (!validate())
        return;
    wxFileDialog dialog(this, _("Save Idea Finding details as"), wxString(), wxString(), _("XML Files (*.xml)|*.xml"),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    const wxString path = qxChooseFile(dialog);
    if (path.empty())
        return;
    // The user would otherwise believe the parameters kept.
    if (!saveTo(path))
        showError(_("An error occurred while opening file for write."), this);
}

void QxStockIdeaFinderDlg::loadFrom(const wxString& path)
{
    QxIdeaFinderParams params;
    switch (loadIdeaFinderParams(path, wxDateTime::Today(), params)) {
    case QxIdeaFinderLoad::eUnreadable: return;
    case QxIdeaFinderLoad::eNoData:
    case QxIdeaFinderLoad::eDamaged: showError(_("Error reading details of idea finding parameters."), this); return;
    case QxIdeaFinderLoad::eLoaded: break;
    }
    m_listSymbols->DeleteAllItems();
    for (const QxResolvedSymbol& symbol : resolveIdeaFinderSymbols(params.symbols, currentDatabase())) {
        const long row = insertSorted(m_listSymbols, symbol.ticker);
        m_listSymbols->SetItem(row, 1, symbol.name);
        m_listSymbols->SetItemData(row, symbol.id);
    }
    m_btnRemoveSymbols->Enable(false);

    QxObjectSmartPtr<QxTradingSystem> system;
    if (!params.system.empty())
        system = QxTradingSystemMgr::getInstance(true)->getSystem(QxAtom(params.system));
    m_system = system;
    if (!system) {
        m_textSystem->Clear();
        showError(_("System mentioned does not exist"), nullptr);
    } else {
        m_textSystem->SetValue(system->getName().string());
    }
    // Loaded signals are checked even where the system's type disabled the box.
    m_checkLongEntry->SetValue((params.lookFor & 1) != 0);
    m_checkLongExit->SetValue((params.lookFor & 2) != 0);
    m_checkShortEntry->SetValue((params.lookFor & 4) != 0);
    m_checkShortExit->SetValue((params.lookFor & 8) != 0);
    m_dateFrom->SetValue(params.from);
    m_dateTill->SetValue(params.till);
    m_choicePeriodicity->setPeriodChoice(params.periodicity);
}

void QxStockIdeaFinderDlg::onLoad(wxCommandEvent&)
{
    wxFileDialog dialog(this, _("Load Idea Finding details"), wxString(), wxString(), _("XML Files (*.xml)|*.xml"),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    const wxString path = qxChooseFile(dialog);
    if (!path.empty())
        loadFrom(path);
}

void QxStockIdeaFinderDlg::onCancel(wxCommandEvent&)
{
    if (m_listSymbols->GetItemCount() > 0 && !qxAskYesNo(_("Are you sure you want to cancel?"), this))
        return;
    EndModal(wxID_CANCEL);
}

void QxStockIdeaFinderDlg::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/find_stock_ideas.htm"); }

void QxStockIdeaFinderDlg::onOk(wxCommandEvent&)
{
    if (validate())
        EndModal(wxID_OK);
}
