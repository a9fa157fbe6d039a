#include "app/QxStartupDlg.h"

#include "app/QxApplication.h"
#include <wx/artprov.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

QxStartupDlg::QxStartupDlg(wxWindow* parent)
    : FBStartupDlg(parent, wxID_ANY, _("About Corvane Trendoria"), wxDefaultPosition, wxSize(605, 362))
{
    m_title->SetLabel(QxApplication::appTitle());
    const wxIcon icon = wxArtProvider::GetIcon("QxART_trendoria", wxART_OTHER, wxSize(128, 128));
    if (icon.IsOk())
        m_bitmap->SetIcon(icon);
    Layout();
}

void QxStartupDlg::setStatus(const wxString& text)
{
    m_status->SetLabel(text);
    Layout();
}

wxString QxStartupDlg::status() const { return m_status->GetLabel(); }

wxString QxStartupDlg::titleText() const { return m_title->GetLabel(); }

wxBitmap QxStartupDlg::iconBitmap() const { return m_bitmap->GetBitmap(); }
