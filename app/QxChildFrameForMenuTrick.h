#pragma once
// Base of document frames with menus of their own beside the shared menu
// bar. A subclass creates its menus, records each with its title in the two
// lists and inserts them into the bar at positions 1, 2, ... (after
// "&Trendoria"). The frame owns those menus: its subclass's destructor takes
// them out of the bar (removeAddedMenus) and this destructor deletes them,
// so each menu is deleted exactly once.
#include "app/QxCommonFrame.h"
#include "core/platform/QxMenuKeys.h"

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

    // The window that has the keyboard in this frame (its chart), or null.
    wxWindow* keyWindow() const { return m_keyWindow; }

protected:
    // Reads the shortcuts of the added menus that name a digit, "+" or "-"
    // against the keyboard layout before the toolkit's menus see a key
    // (QxMenuKeys): call once the menus are built.
    void readMenuShortcuts();
    // The frame's chart gets the keyboard focus back whenever the frame is
    // activated again and whenever a dialog, a picker or a menu opened from
    // the frame closes, so keys never go astray until a click.
    void setKeyWindow(wxWindow* window);
    // Gives the key window the focus once the current event is handled.
    void restoreKeyFocus();

    // Same length, same order.
    std::vector<wxMenu*> m_addedMenus;
    std::vector<wxString> m_addedMenuTitles;

private:
    void onCharHook(wxKeyEvent& event);
    void onActivateKeys(wxActivateEvent& event);
    void onMenuClose(wxMenuEvent& event);

    QxMenuKeys m_menuKeys;
    wxWindow* m_keyWindow = nullptr;
};
