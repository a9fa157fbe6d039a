#include "configdlg/QxIndicatorSelectionPanel.h"

#include "app/QxIndicatorRegistry.h"
#include "core/QxIndicator.h"

#include <wx/intl.h>

#include <algorithm>
#include <vector>

QxIndicatorSelectionPanel::QxIndicatorSelectionPanel(const QxAtom& group, wxWindow* parent)
    : FBIndicatorSelectionPanel(parent), m_group(group)
{
    const int w = m_list->GetClientSize().x;
    m_list->InsertColumn(0, _("Name"), wxLIST_FORMAT_LEFT, w / 3);
    m_list->InsertColumn(1, _("Description"), wxLIST_FORMAT_LEFT, w - w / 3);

    QxIndicatorRegistry* registry = QxIndicatorRegistry::instance();
    std::vector<QxAtom> groups;
    if (m_group.isNull())
        registry->getIndicatorGroups(groups);
    else
        groups.push_back(m_group);
    struct Row {
        wxString name;
        wxString description;
    };
    std::vector<Row> rows;
    for (const QxAtom& g : groups) {
        std::vector<QxAtom> names;
        registry->getIndicatorNames(g, names);
        for (const QxAtom& name : names)
            if (const QxIndicator* indicator = registry->getIndicator(name))
                rows.push_back({wxString(indicator->getName().string()), indicator->getDescription()});
    }
    // GTK's list does not sort as rows go in: they go in sorted.
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        const int c = a.name.CmpNoCase(b.name);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    for (const Row& row : rows) {
        const long at = m_list->InsertItem(m_list->GetItemCount(), row.name);
        m_list->SetItem(at, 1, row.description);
    }
    const long count = m_list->GetItemCount();
    for (long i = 0; i < count; ++i)
        if (isRowTinted(i, count))
            m_list->SetItemBackgroundColour(i, tint());
}

bool QxIndicatorSelectionPanel::isRowTinted(long row, long rowCount)
{
    return row >= 0 && row < rowCount && (rowCount - 1 - row) % 2 == 0;
}

const wxColour& QxIndicatorSelectionPanel::tint()
{
    static const wxColour colour(255, 230, 230);
    return colour;
}

QxObjectSmartPtr<QxIndicator> QxIndicatorSelectionPanel::getSelectedIndicator() const
{
    const long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (row < 0)
        return QxObjectSmartPtr<QxIndicator>();
    return QxObjectSmartPtr<QxIndicator>(
        QxIndicatorRegistry::instance()->getIndicator(QxAtom(m_list->GetItemText(row, 0))));
}

bool QxIndicatorSelectionPanel::selectName(const wxString& name)
{
    const long row = m_list->FindItem(-1, name);
    if (row < 0)
        return false;
    m_list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_list->EnsureVisible(row);
    return true;
}

void QxIndicatorSelectionPanel::onKeyDown(wxListEvent& event)
{
    // Enter acts as OK; the dialog's OK handler takes the command.
    if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER) {
        if (wxWindow* top = wxGetTopLevelParent(this))
            if (wxWindow* button = top->FindWindow(wxID_OK)) {
                wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
                ok.SetEventObject(button);
                button->GetEventHandler()->ProcessEvent(ok);
                return;
            }
    }
    event.Skip();
}
