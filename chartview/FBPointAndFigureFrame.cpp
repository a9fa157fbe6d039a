#include "chartview/FBPointAndFigureFrame.h"

#include <wx/intl.h>

FBPointAndFigureFrame::FBPointAndFigureFrame() : QxChildFrameForMenuTrick()
{
    m_pnfMenu = new wxMenu();
    m_pnfMenu->Append(new wxMenuItem(m_pnfMenu, QxID_PNF_MODIFY, _("&Modify chart parameter"), wxEmptyString,
                                     wxITEM_NORMAL));
    m_addedMenus.push_back(m_pnfMenu);
    m_addedMenuTitles.push_back(_("&Point and Figure"));
    Bind(wxEVT_MENU, &FBPointAndFigureFrame::onModifyParams, this, QxID_PNF_MODIFY);
}

FBPointAndFigureFrame::~FBPointAndFigureFrame()
{
    Unbind(wxEVT_MENU, &FBPointAndFigureFrame::onModifyParams, this, QxID_PNF_MODIFY);
}
