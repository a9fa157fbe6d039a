#include "trading/DlgSystemManager.h"

#include "chartview/QxChartView.h"
#include "configdlg/DlgInputTaker.h"
#include "core/QxErrorCode.h"
#include "core/QxUtils.h"
#include "trading/DlgSystemEditor.h"
#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/valtext.h>

#include <functional>

namespace {

// The characters a system name may not hold, and names that cannot be the
// name of a file.
class SystemNameValidator : public wxTextValidator {
public:
    SystemNameValidator() : wxTextValidator(wxFILTER_EXCLUDE_CHAR_LIST)
    {
        SetCharExcludes("/\\^;:\"?*");
    }
    wxObject* Clone() const override { return new SystemNameValidator(*this); }
    wxString IsValid(const wxString& value) const override
    {
        if (!QxTradingSystemMgr::isValidSystemName(value))
            return _("Please provide a valid input.");
        return wxTextValidator::IsValid(value);
    }
};

QxTradingSystemMgr* store() { return QxTradingSystemMgr::getInstance(true); }

QxAtom rowAtom(wxListCtrl* list, long row) { return QxAtom(static_cast<unsigned>(list->GetItemData(row))); }

} // namespace

long sortedRowPosition(const wxArrayString& names, const wxString& name)
{
    long row = 0;
    for (const wxString& other : names) {
        const int order = name.CmpNoCase(other);
        if (order < 0 || (order == 0 && name.Cmp(other) < 0))
            break;
        ++row;
    }
    return row;
}

DlgSystemManager::DlgSystemManager(wxWindow* parent, bool selectionMode)
    : FBDlgSystemManager(parent), m_selectionMode(selectionMode)
{
    m_bitmap->SetBitmap(wxArtProvider::GetBitmap("QxART_manage_systems", wxART_OTHER, wxSize(32, 32)));
    if (m_selectionMode) {
        SetTitle(_("Trading System"));
        m_message->SetLabel(_("Please select trading system(s)."));
        m_list->SetSingleStyle(wxLC_SINGLE_SEL, true);
    }
    Layout();
    const int width = m_list->GetClientSize().GetWidth();
    m_list->AppendColumn(_("Name"), wxLIST_FORMAT_LEFT, width / 3);
    m_list->AppendColumn(_("Description"), wxLIST_FORMAT_LEFT, width - width / 3);

    QxTradingSystemMgr* systems = store();
    for (unsigned i = 0; i < systems->getCount(); ++i) {
        const QxTradingSystemEntry& entry = systems->getEntryAt(i);
        insertRow(entry.name, entry.description);
    }
    m_ok->SetDefault();
}

DlgSystemManager::~DlgSystemManager() = default;

long DlgSystemManager::insertRow(const QxAtom& name, const wxString& description)
{
    wxArrayString names;
    for (long row = 0; row < m_list->GetItemCount(); ++row)
        names.push_back(m_list->GetItemText(row));
    const long row = m_list->InsertItem(sortedRowPosition(names, name.string()), name.string());
    m_list->SetItem(row, 1, description);
    m_list->SetItemData(row, static_cast<long>(name.id()));
    return row;
}

long DlgSystemManager::addSystemRow(QxTradingSystem* system)
{
    return insertRow(system->getName(), system->getDescription());
}

void DlgSystemManager::selectOnly(long row)
{
    for (long selected = m_list->GetFirstSelected(); selected != -1; selected = m_list->GetNextSelected(selected))
        m_list->Select(selected, false);
    m_list->SetFocus();
    m_list->EnsureVisible(row);
    m_list->Select(row, true);
    m_list->Focus(row);
    updateButtons();
}

void DlgSystemManager::updateButtons()
{
    // Counted row by row: the generic list's own count is not kept up to
    // date when selected rows are deleted.
    int count = 0;
    for (long row = m_list->GetFirstSelected(); row != -1 && count < 2; row = m_list->GetNextSelected(row))
        ++count;
    m_edit->Enable(count == 1);
    m_copy->Enable(count == 1);
    m_delete->Enable(count >= 1);
}

void DlgSystemManager::onListSelectionChanged(wxListEvent& event)
{
    updateButtons();
    event.Skip();
}

void DlgSystemManager::activate()
{
    wxCommandEvent none;
    if (m_selectionMode)
        onOk(none);
    else
        onEdit(none);
}

void DlgSystemManager::onListKeyDown(wxListEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER)
        activate(); // handled here, so the list does not activate the row as well
    else
        event.Skip();
}

void DlgSystemManager::onListDoubleClick(wxListEvent&) { activate(); }

wxString DlgSystemManager::askNewSystemName()
{
    DlgInputTaker prompt(_("Trading system name"), _("Please provide name of new system"), _("System &name:"),
                         wxString(), this);
    prompt.field()->SetValidator(SystemNameValidator());
    for (;;) {
        if (prompt.ShowModal() != wxID_OK)
            return wxString();
        const wxString name = prompt.value();
        if (name.empty())
            return wxString();
        // The field's check, again for a name that reached here without it
        // (one too long for a file name is only known in whole).
        if (!QxTradingSystemMgr::isValidSystemName(name)) {
            qxShowError(_("Please provide a valid input."), this);
            continue;
        }
        // A listed name is taken even when its definition cannot be read.
        if (!store()->hasSystem(QxAtom(name)))
            return name;
        qxShowError(_("System name already in use."), this);
    }
}

QxObjectSmartPtr<QxTradingSystem> DlgSystemManager::selectedRowSystem(long& row)
{
    row = m_list->GetFirstSelected();
    if (row == -1)
        return nullptr;
    QxObjectSmartPtr<QxTradingSystem> system = store()->getSystem(rowAtom(m_list, row));
    if (!system)
        qxShowError(wxString::Format(_("The trading system \"%s\" could not be read."), m_list->GetItemText(row)),
                    this);
    return system;
}

int DlgSystemManager::runEditor(QxTradingSystem* system)
{
    DlgSystemEditor editor(this, system);
    return editor.ShowModal();
}

void DlgSystemManager::onNew(wxCommandEvent&)
{
    const wxString name = askNewSystemName();
    if (name.empty())
        return;
    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
    if (system->setName(QxAtom(name)) != eNoError)
        return;
    if (runEditor(system.get()) != wxID_OK)
        return;
    if (store()->addSystem(system) != eNoError)
        return;
    selectOnly(addSystemRow(system.get()));
}

void DlgSystemManager::onEdit(wxCommandEvent&)
{
    long row = -1;
    QxObjectSmartPtr<QxTradingSystem> system = selectedRowSystem(row);
    if (!system)
        return;
    if (runEditor(system.get()) != wxID_OK)
        return;
    m_list->SetItem(row, 1, system->getDescription());
    (void)store()->save(); // written now; a failure is told by the store
    refreshOpenCharts();
}

void DlgSystemManager::refreshOpenCharts()
{
    // Charts that mark the system's signals show the edited ones at once,
    // not at their next change of prices.
    std::function<void(wxWindow*)> walk = [&walk](wxWindow* window) {
        if (auto* view = dynamic_cast<QxChartView*>(window)) {
            view->refreshChart();
            return;
        }
        for (wxWindow* child : window->GetChildren())
            walk(child);
    };
    for (wxWindow* top : wxTopLevelWindows)
        if (!top->IsBeingDeleted())
            walk(top);
}

void DlgSystemManager::onCopy(wxCommandEvent&)
{
    long row = -1;
    QxObjectSmartPtr<QxTradingSystem> source = selectedRowSystem(row);
    if (!source)
        return;
    const wxString name = askNewSystemName();
    if (name.empty())
        return;
    QxObjectSmartPtr<QxTradingSystem> copy(new QxTradingSystem(*source));
    if (copy->setName(QxAtom(name)) != eNoError || store()->addSystem(copy) != eNoError)
        return;
    selectOnly(addSystemRow(copy.get()));
}

void DlgSystemManager::onDelete(wxCommandEvent&)
{
    long row = m_list->GetFirstSelected();
    while (row != -1) {
        if (store()->removeSystem(rowAtom(m_list, row)) == eNoError) {
            m_list->DeleteItem(row);
            row = m_list->GetNextSelected(row - 1);
        } else {
            row = m_list->GetNextSelected(row);
        }
    }
    updateButtons();
}

void DlgSystemManager::onHelp(wxCommandEvent&)
{
    QxUtils::showHelp("topics/trading_systems.htm#trading_system_manager");
}

void DlgSystemManager::onOk(wxCommandEvent&)
{
    if (!m_selectionMode) {
        EndModal(wxID_OK);
        return;
    }
    const long row = m_list->GetFirstSelected();
    if (row == -1) {
        qxShowError(_("Please select at-least one system."), this);
        return;
    }
    m_selected = store()->getSystem(rowAtom(m_list, row));
    if (!m_selected && store()->hasDefinitionFile(rowAtom(m_list, row))) {
        // Kept: the user may mend or restore the file.
        qxShowError(wxString::Format(_("The trading system \"%s\" could not be read."), m_list->GetItemText(row)),
                    this);
        return;
    }
    if (!m_selected) {
        qxShowInformation(_("There was an error is accessing selected Trading System, it will now be deleted from this "
                            "list."),
                          nullptr);
        // Its row goes whether or not the store still listed it.
        (void)store()->removeSystem(rowAtom(m_list, row));
        m_list->DeleteItem(row);
        updateButtons();
        return;
    }
    EndModal(wxID_OK);
}
