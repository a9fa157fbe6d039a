#include "app/QxTopLevelWindow.h"

#include "app/QxApplication.h"

QxTopLevelWindow::QxTopLevelWindow(wxWindow* parent, wxWindowID id, const wxString& title,
                                   const wxPoint& pos, const wxSize& size, long style,
                                   const wxString& name)
    : wxTopLevelWindow(parent, id, title, pos, size, style, name)
{
}

QxTopLevelWindow::~QxTopLevelWindow()
{
    if (QxApplication* app = QxApplication::getApp())
        app->topLevelWindowGone(this);
}
