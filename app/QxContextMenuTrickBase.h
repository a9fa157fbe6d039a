#pragma once
// Lets a generated layout class hang a menu on a control: the generated code
// builds the menu, connects its command and update-UI events on the control
// and "appends" it as it would to a menu bar, which here does nothing. The
// hand-written subclass keeps the menu and shows it as the control's
// context menu.
#include <wx/html/htmlwin.h>
#include <wx/listctrl.h>
#include <wx/menu.h>

template <class T>
class QxContextMenuTrickBase : public T {
public:
    // The control's window is created later, through its two-step creation.
    QxContextMenuTrickBase() : T() {}

    // Stands where generated code appends a menu to a menu bar.
    void Append(wxMenu*, const wxString&) {}
};

class QxCtxMenuTrickListCtrl : public QxContextMenuTrickBase<wxListCtrl> {
public:
    QxCtxMenuTrickListCtrl() = default;

protected:
    // The style generated code passes is not used.
    explicit QxCtxMenuTrickListCtrl(long) {}
};

class QxCtxMenuTrickHTMLWnd : public QxContextMenuTrickBase<wxHtmlWindow> {
public:
    QxCtxMenuTrickHTMLWnd() = default;

protected:
    explicit QxCtxMenuTrickHTMLWnd(long) {}
};
