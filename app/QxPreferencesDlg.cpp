#include "app/QxPreferencesDlg.h"

#include "app/QxChartPrefPanel.h"
#include "core/QxUtils.h"

QxPreferencesDlg::QxPreferencesDlg(wxWindow* parent) : FBPreferencesDlg(parent)
{
    m_chartPage = new QxChartPrefPanel(m_notebook);
    m_notebook->AddPage(m_chartPage, _("Chart"), false);
    GetSizer()->Fit(this);
    Centre(wxBOTH);
}

bool QxPreferencesDlg::Validate()
{
    if (m_chartPage->Validate())
        return true;
    const int page = m_notebook->FindPage(m_chartPage);
    if (page != wxNOT_FOUND)
        m_notebook->SetSelection(static_cast<size_t>(page));
    return false;
}

void QxPreferencesDlg::OnHelp(wxCommandEvent&) { QxUtils::showHelp("topics/preference_dialog.htm"); }

void QxPreferencesDlg::OnOK(wxCommandEvent&)
{
    if (Validate())
        EndModal(wxID_OK);
}
