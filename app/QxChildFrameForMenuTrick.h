#pragma once
// Base of document frames with menus of their own beside the shared menu
// bar. A subclass creates its menus, records each with its title in the two
// lists and inserts them into the bar at positions 1, 2, ... (after
// "&Trendoria"). The frame owns those menus: its subclass's destructor takes
// them out of the bar (removeAddedMenus) and this destructor deletes them,
// so each menu is deleted exactly once.
#include "app/QxCommonFrame.h"

#include <vector>

class QxChildFrameForMenuTrick : public QxCommonFrame {
public:
    QxChildFrameForMenuTrick();
    ~QxChildFrameForMenuTrick() override;

    // Takes each added menu, looked up by its title, out of menubar without
    // deleting it; a title no longer found is skipped.
    void removeAddedMenus(wxMenuBar* menubar);

    const std::vector<wxMenu*>& addedMenus() const { return m_addedMenus; }
    const std::vector<wxString>& addedMenuTitles() const { return m_addedMenuTitles; }

protected:
    // Same length, same order.
    std::vector<wxMenu*> m_addedMenus;
    std::vector<wxString> m_addedMenuTitles;
};
