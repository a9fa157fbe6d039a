#include "configdlg/QxIndicConfigDlg.h"

#include "configdlg/QxIndicGraphicsConfiguratorPanel.h"
#include "configdlg/QxIndicInputConfiguratorPanel.h"
#include "configdlg/QxIndicOptParamConfiguratorPanal.h"
#include "core/QxIndicator.h"
#include "core/QxSeriesId.h"
#include "core/QxUtils.h"
#include "ui/QxMessages.h"

#include <wx/sizer.h>

QxIndicConfigDlg::QxIndicConfigDlg(QxIndicator* indicator, unsigned flags, wxWindow* parent)
    : FBDlgIndicConfigBase(parent, wxID_ANY, _("Indicator Configuration")), m_indicator(indicator)
{
    if ((flags & ePageParams) && !indicator->paramInfos().empty()) {
        m_paramPanel = new QxIndicOptParamConfiguratorPanal(indicator, m_notebook);
        m_notebook->AddPage(m_paramPanel, _("Parameters"));
    }
    if (flags & ePageInput) {
        // Only an indicator with exactly one input that takes a free series
        // has anything to choose here.
        const std::vector<uint32_t>& kinds = indicator->inputInfos();
        unsigned count = 0, index = 0;
        for (unsigned i = 0; i < kinds.size(); ++i)
            if (kinds[i] == QxSeriesId::eSeriesIndicator && count++ == 0)
                index = i;
        if (count == 1) {
            m_inputPanel = new QxIndicInputConfiguratorPanel(indicator, index, m_notebook);
            m_notebook->AddPage(m_inputPanel, _("Input Series"));
        }
    }
    if (flags & ePageGraphics) {
        m_graphicsPanel = new QxIndicGraphicsConfiguratorPanel(indicator, m_notebook);
        m_notebook->AddPage(m_graphicsPanel, _("Graphics"));
    }
    SetTitle(indicator->getName().string());
    Centre(wxBOTH);
}

int QxIndicConfigDlg::ShowModal()
{
    if (m_notebook->GetPageCount() == 0)
        return wxID_OK;
    return FBDlgIndicConfigBase::ShowModal();
}

void QxIndicConfigDlg::onInitDialog(wxInitDialogEvent&)
{
    m_ok->SetDefault();
    if (m_paramPanel)
        m_paramPanel->TransferDataToWindow();
    if (m_graphicsPanel)
        m_graphicsPanel->TransferDataToWindow();
    fitPages();
}

void QxIndicConfigDlg::onPageChanged(wxNotebookEvent& event)
{
    event.Skip();
    fitPages();
}

void QxIndicConfigDlg::fitPages()
{
    // Grows to what the pages need, and never below the layout's own size.
    wxSize size = GetSize();
    size.IncTo(GetBestSize());
    SetSize(size);
    Layout();
}

void QxIndicConfigDlg::onPageChanging(wxNotebookEvent& event)
{
    // The Parameters page is always the first when it exists.
    if (!m_paramPanel || event.GetOldSelection() != 0)
        return;
    if (!m_paramPanel->validateParams()) {
        event.Veto();
        // GTK may switch a page changed from code even when the change is
        // vetoed: the Parameters page is brought back in any case.
        CallAfter([this] {
            if (m_notebook->GetSelection() != 0)
                m_notebook->ChangeSelection(0);
        });
        return;
    }
    // Leaving the page applies the values, so that the other pages describe
    // the indicator as it now is.
    m_paramPanel->TransferDataFromWindow();
    if (m_graphicsPanel) {
        m_graphicsPanel->deleteAllRows();
        m_graphicsPanel->TransferDataToWindow();
    }
}

bool QxIndicConfigDlg::confirm(const wxString& question)
{
    return qxAskYesNo(question, this);
}

void QxIndicConfigDlg::onReset(wxCommandEvent&)
{
    wxWindow* page = m_notebook->GetCurrentPage();
    if (!page)
        return;
    if (page == m_paramPanel) {
        if (!confirm(_("Are you sure you want to reset indicator parameters?")))
            return;
        // Shown only: the indicator keeps its values until they are applied.
        m_paramPanel->setWorkingList(m_indicator->defaultParamInfos());
        m_paramPanel->TransferDataToWindow();
    } else if (page == m_graphicsPanel) {
        if (confirm(_("Are you sure you want to reset indicator graphics?")))
            m_graphicsPanel->resetGraphics();
    }
}

void QxIndicConfigDlg::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/indicators.htm#config_indic"); }

void QxIndicConfigDlg::onOK(wxCommandEvent&)
{
    if (m_paramPanel && !m_paramPanel->TransferDataFromWindow())
        return;
    if (m_inputPanel && !m_inputPanel->TransferDataFromWindow())
        return;
    if (m_graphicsPanel && !m_graphicsPanel->TransferDataFromWindow())
        return;
    EndModal(wxID_OK);
}
