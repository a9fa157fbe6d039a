#include "app/QxChildFrameForMenuTrick.h"

QxChildFrameForMenuTrick::QxChildFrameForMenuTrick() : QxCommonFrame() {}

QxChildFrameForMenuTrick::~QxChildFrameForMenuTrick()
{
    // A menu still in the bar (its title changed, or the subclass did not
    // take it out) would be deleted again with the bar: take it out first.
    if (wxMenuBar* menubar = GetMenuBar()) {
        for (wxMenu* menu : m_addedMenus) {
            if (!menu)
                continue;
            for (size_t i = menubar->GetMenuCount(); i-- > 0;) {
                if (menubar->GetMenu(i) == menu) {
                    menubar->Remove(i);
                    break;
                }
            }
        }
    }
    for (wxMenu* menu : m_addedMenus)
        delete menu;
    m_addedMenus.clear();
    m_addedMenuTitles.clear();
}

void QxChildFrameForMenuTrick::removeAddedMenus(wxMenuBar* menubar)
{
    if (!menubar)
        return;
    for (const wxString& title : m_addedMenuTitles) {
        const int position = menubar->FindMenu(title);
        if (position != wxNOT_FOUND)
            menubar->Remove(static_cast<size_t>(position));
    }
}
