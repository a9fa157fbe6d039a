#include "app/QxChildFrameForMenuTrick.h"

#include "app/QxApplication.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/weakref.h>

#include <vector>

namespace {

// The document frame a dialog belongs to: its parent's frame, else the
// frame that has (or last had) the keyboard.
QxChildFrameForMenuTrick* documentFrameOf(wxWindow* dialog)
{
    wxWindow* parent = dialog ? dialog->GetParent() : nullptr;
    if (auto* frame = dynamic_cast<QxChildFrameForMenuTrick*>(parent ? wxGetTopLevelParent(parent) : nullptr))
        return frame;
    if (wxWindow* active = wxGetActiveWindow())
        if (auto* frame = dynamic_cast<QxChildFrameForMenuTrick*>(wxGetTopLevelParent(active)))
            return frame;
    QxApplication* app = QxApplication::getApp();
    return app ? dynamic_cast<QxChildFrameForMenuTrick*>(app->activeFrame()) : nullptr;
}

// When a modal dialog opened from a document frame ends, that frame is
// brought back with its chart holding the keys: the dialogs' common parent
// is a hidden window, so the desktop would not give the keys back to it.
class KeyFocusHook : public wxModalDialogHook {
public:
    static void install()
    {
        static KeyFocusHook* hook = nullptr;
        if (!hook) {
            hook = new KeyFocusHook; // lives until exit, like the toolkit's own hooks
            hook->Register();
        }
    }

protected:
    int Enter(wxDialog* dialog) override
    {
        m_frames.emplace_back(documentFrameOf(dialog));
        return wxID_NONE;
    }
    void Exit(wxDialog*) override
    {
        if (m_frames.empty())
            return;
        wxWeakRef<QxChildFrameForMenuTrick> frame = m_frames.back();
        m_frames.pop_back();
        // An outer dialog still open keeps the keys.
        if (!frame || !m_frames.empty() || !frame->keyWindow())
            return;
        frame->CallAfter([frame] {
            if (!frame || frame->IsBeingDeleted())
                return;
            // Even when the toolkit still counts it active: the desktop may
            // have given the keys to nobody when the dialog went.
            frame->Raise();
            if (wxWindow* keys = frame->keyWindow())
                keys->SetFocus();
        });
    }

private:
    std::vector<wxWeakRef<QxChildFrameForMenuTrick>> m_frames;
};

} // namespace

QxChildFrameForMenuTrick::QxChildFrameForMenuTrick() : QxCommonFrame() {}

QxChildFrameForMenuTrick::~QxChildFrameForMenuTrick()
{
    m_keyWindow = nullptr;
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

void QxChildFrameForMenuTrick::readMenuShortcuts()
{
    std::vector<QxMenuKeys::Shortcut> shortcuts;
    for (const wxMenu* menu : m_addedMenus) {
        const QxMenuKeys keys(menu);
        shortcuts.insert(shortcuts.end(), keys.shortcuts().begin(), keys.shortcuts().end());
    }
    m_menuKeys = QxMenuKeys(shortcuts);
    Unbind(wxEVT_CHAR_HOOK, &QxChildFrameForMenuTrick::onCharHook, this);
    Bind(wxEVT_CHAR_HOOK, &QxChildFrameForMenuTrick::onCharHook, this);
}

void QxChildFrameForMenuTrick::onCharHook(wxKeyEvent& event)
{
    const int command = m_menuKeys.commandFor(QxKeyPress::of(event));
    if (command == wxID_NONE || !qxRunMenuCommand(this, command))
        event.Skip();
}

void QxChildFrameForMenuTrick::setKeyWindow(wxWindow* window)
{
    if (!m_keyWindow && window) {
        Bind(wxEVT_ACTIVATE, &QxChildFrameForMenuTrick::onActivateKeys, this);
        Bind(wxEVT_MENU_CLOSE, &QxChildFrameForMenuTrick::onMenuClose, this);
        KeyFocusHook::install();
    }
    m_keyWindow = window;
}

void QxChildFrameForMenuTrick::restoreKeyFocus()
{
    if (!m_keyWindow)
        return;
    // After the current event: the toolkit gives the focus back to where it
    // was once a popup is gone, which would undo an earlier SetFocus.
    CallAfter([this] {
        if (m_keyWindow && !IsBeingDeleted())
            m_keyWindow->SetFocus();
    });
}

void QxChildFrameForMenuTrick::onActivateKeys(wxActivateEvent& event)
{
    if (event.GetActive())
        restoreKeyFocus();
    event.Skip();
}

void QxChildFrameForMenuTrick::onMenuClose(wxMenuEvent& event)
{
    restoreKeyFocus();
    event.Skip();
}
