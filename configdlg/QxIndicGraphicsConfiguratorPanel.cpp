#include "configdlg/QxIndicGraphicsConfiguratorPanel.h"

#include "chart/QxDrawable.h"
#include "chart/QxDrawableRegistry.h"
#include "configdlg/DlgGraphicConfigurator.h"
#include "configdlg/QxGraphicConfigRules.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <utility>

QxIndicGraphicsConfiguratorPanel::QxIndicGraphicsConfiguratorPanel(QxIndicator* indicator, wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(450, 300), wxTAB_TRAVERSAL), m_indicator(indicator),
      m_drawables(indicator->drawables(true))
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* header = new wxStaticText(this, wxID_ANY, indicator->getDescription(), wxDefaultPosition,
                                    wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL);
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    header->SetFont(wxFont(font.GetPointSize(), wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
    sizer->Add(header, 0, wxALIGN_CENTER | wxALL, 5);
    sizer->Add(new wxStaticText(this, wxID_ANY, _("Graphic Object &List:")), 0, wxTOP | wxLEFT | wxRIGHT, 5);
    m_list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_NO_SORT_HEADER);
    sizer->Add(m_list, 1, wxEXPAND | wxALL, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_add = new wxButton(this, wxID_ANY, _("&Add..."));
    m_modify = new wxButton(this, wxID_ANY, _("&Modify..."));
    m_remove = new wxButton(this, wxID_ANY, _("&Remove"));
    m_up = new wxButton(this, wxID_ANY, _("Move &Up"));
    m_down = new wxButton(this, wxID_ANY, _("Move &Down"));
    for (wxButton* b : {m_add, m_modify, m_remove, m_up, m_down})
        buttons->Add(b, 0, wxALL, 5);
    sizer->Add(buttons, 0, wxALIGN_CENTER);
    SetSizer(sizer);
    Layout();

    const int width = m_list->GetClientSize().GetWidth();
    m_list->InsertColumn(0, _("Object"), wxLIST_FORMAT_LEFT, width / 4);
    m_list->InsertColumn(1, _("Description"), wxLIST_FORMAT_LEFT, width / 2);

    // GTK deselects before it selects: both follow the list's final state.
    m_list->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& e) { e.Skip(); updateButtons(); });
    m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent& e) { e.Skip(); updateButtons(); });
    m_list->Bind(wxEVT_LIST_KEY_DOWN, &QxIndicGraphicsConfiguratorPanel::onKeyDown, this);
    m_add->Bind(wxEVT_BUTTON, &QxIndicGraphicsConfiguratorPanel::onAdd, this);
    m_modify->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { modifySelected(); });
    m_remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { removeSelected(); });
    m_up->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { moveSelected(true); });
    m_down->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { moveSelected(false); });
    updateButtons();
}

bool QxIndicGraphicsConfiguratorPanel::TransferDataToWindow()
{
    if (m_drawables.empty())
        return false;
    for (const auto& d : m_drawables)
        insertGraphicRow(d.get());
    selectRow(0);
    return true;
}

void QxIndicGraphicsConfiguratorPanel::deleteAllRows()
{
    m_list->DeleteAllItems();
    updateButtons();
}

long QxIndicGraphicsConfiguratorPanel::insertGraphicRow(QxDrawable* drawable, long position)
{
    if (position < 0 || position > m_list->GetItemCount())
        position = m_list->GetItemCount();
    const long row = m_list->InsertItem(position, drawable ? drawable->getDisplayText() : wxString());
    if (drawable)
        m_list->SetItem(row, 1, describeGraphic(*drawable));
    return row;
}

void QxIndicGraphicsConfiguratorPanel::resetGraphics()
{
    m_drawables = m_indicator->createDefaultDrawables();
    deleteAllRows();
    TransferDataToWindow();
}

long QxIndicGraphicsConfiguratorPanel::selectedRow() const
{
    return m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

void QxIndicGraphicsConfiguratorPanel::selectRow(long row)
{
    if (row < 0 || row >= m_list->GetItemCount())
        return;
    m_list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_list->EnsureVisible(row);
    updateButtons();
}

void QxIndicGraphicsConfiguratorPanel::updateButtons()
{
    const QxGraphicButtonStates states = graphicButtonStates(selectedRow(), m_drawables.size());
    m_modify->Enable(states.modify);
    m_remove->Enable(states.remove);
    m_up->Enable(states.moveUp);
    m_down->Enable(states.moveDown);
}

void QxIndicGraphicsConfiguratorPanel::onAdd(wxCommandEvent&)
{
    wxMenu menu;
    QxDrawableRegistry& registry = QxDrawableRegistry::instance();
    int id = kFirstAddMenuId;
    for (const QxAtom& kind : offeredGraphicKinds(m_indicator->outputInfos().size())) {
        const QxDrawable* prototype = registry.find(kind);
        menu.Append(id, prototype->getDisplayText());
        m_menuKinds[id++] = prototype->getName();
    }
    if (id == kFirstAddMenuId)
        return;
    const int last = id - 1;
    Bind(wxEVT_MENU, &QxIndicGraphicsConfiguratorPanel::onAddCommand, this, kFirstAddMenuId, last);
    const wxRect button = m_add->GetRect();
    PopupMenu(&menu, button.GetLeft(), button.GetTop() + button.GetHeight() - 1);
    Unbind(wxEVT_MENU, &QxIndicGraphicsConfiguratorPanel::onAddCommand, this, kFirstAddMenuId, last);
    m_menuKinds.clear();
}

void QxIndicGraphicsConfiguratorPanel::onAddCommand(wxCommandEvent& event)
{
    auto it = m_menuKinds.find(event.GetId());
    if (it != m_menuKinds.end())
        addGraphic(it->second);
}

bool QxIndicGraphicsConfiguratorPanel::addGraphic(const QxAtom& kind)
{
    const QxDrawable* prototype = QxDrawableRegistry::instance().find(kind);
    if (!prototype)
        return false;
    QxObjectSmartPtr<QxDrawable> drawable(prototype->clone());
    bindNewGraphicRoles(*drawable, m_indicator);
    DlgGraphicConfigurator dlg(m_indicator, drawable.get(), this);
    if (dlg.ShowModal() != wxID_OK)
        return false;
    m_drawables.push_back(drawable);
    selectRow(insertGraphicRow(drawable.get()));
    return true;
}

bool QxIndicGraphicsConfiguratorPanel::modifySelected()
{
    const long row = selectedRow();
    if (row < 0 || static_cast<size_t>(row) >= m_drawables.size())
        return false;
    QxDrawable* drawable = m_drawables[row].get();
    DlgGraphicConfigurator dlg(m_indicator, drawable, this);
    if (dlg.ShowModal() != wxID_OK)
        return false;
    m_list->SetItem(row, 1, describeGraphic(*drawable));
    return true;
}

bool QxIndicGraphicsConfiguratorPanel::removeSelected()
{
    const long row = selectedRow();
    if (m_drawables.size() < 2 || row < 0 || static_cast<size_t>(row) >= m_drawables.size())
        return false;
    m_drawables.erase(m_drawables.begin() + row);
    m_list->DeleteItem(row);
    selectRow(row < m_list->GetItemCount() ? row : m_list->GetItemCount() - 1);
    return true;
}

bool QxIndicGraphicsConfiguratorPanel::moveSelected(bool up)
{
    const long row = selectedRow();
    const long n = static_cast<long>(m_drawables.size());
    const long other = up ? row - 1 : row + 1;
    if (row < 0 || row >= n || other < 0 || other >= n)
        return false;
    std::swap(m_drawables[row], m_drawables[other]);
    m_list->Freeze();
    for (long r : {row, other}) {
        m_list->SetItem(r, 0, m_drawables[r]->getDisplayText());
        m_list->SetItem(r, 1, describeGraphic(*m_drawables[r]));
    }
    m_list->Thaw();
    selectRow(other);
    return true;
}

void QxIndicGraphicsConfiguratorPanel::onKeyDown(wxListEvent& event)
{
    event.Skip();
    if (event.GetKeyCode() == WXK_DELETE)
        removeSelected();
}
