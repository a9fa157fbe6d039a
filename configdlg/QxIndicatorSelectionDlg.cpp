#include "configdlg/QxIndicatorSelectionDlg.h"

#include "app/QxApplication.h"
#include "app/QxIndicatorRegistry.h"
#include "configdlg/QxIndicatorSelectionPanel.h"
#include "core/QxIndicator.h"
#include "core/QxUtils.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/intl.h>

#include <algorithm>
#include <vector>

namespace {
QxIndicatorSelectionDlg* g_instance = nullptr;
}

QxIndicatorSelectionDlg::QxIndicatorSelectionDlg(wxWindow* parent) : FBDlgIndicatorSelector(parent)
{
    m_hintBitmap->SetBitmap(wxArtProvider::GetBitmap("QxART_bulb", wxART_OTHER, wxSize(32, 32)));
    m_ok->SetDefault();

    m_pages->AddPage(new QxIndicatorSelectionPanel(QxAtom(), m_pages), _("All"), true);
    std::vector<QxAtom> groups;
    QxIndicatorRegistry::instance()->getIndicatorGroups(groups);
    for (const QxAtom& group : groups)
        m_pages->AddPage(new QxIndicatorSelectionPanel(group, m_pages), group.string(), false);

    const wxSize fitting = GetSizer()->GetMinSize();
    const wxSize size = GetSize();
    SetSize(wxSize(std::max(size.x, fitting.x), std::max(size.y, fitting.y)));
    Layout();
    Refresh();
    Bind(wxEVT_SHOW, &QxIndicatorSelectionDlg::onShow, this);
}

QxIndicatorSelectionDlg::~QxIndicatorSelectionDlg()
{
    Unbind(wxEVT_SHOW, &QxIndicatorSelectionDlg::onShow, this);
    m_selected = nullptr;
    if (g_instance == this)
        g_instance = nullptr;
}

QxIndicatorSelectionDlg* QxIndicatorSelectionDlg::get()
{
    if (!g_instance) {
        QxApplication* app = QxApplication::getApp();
        g_instance = new QxIndicatorSelectionDlg(app ? app->appModalParent() : nullptr);
    }
    return g_instance;
}

QxIndicatorSelectionDlg* QxIndicatorSelectionDlg::instance() { return g_instance; }

QxIndicatorSelectionPanel* QxIndicatorSelectionDlg::page(size_t index) const
{
    return index < m_pages->GetPageCount() ? static_cast<QxIndicatorSelectionPanel*>(m_pages->GetPage(index))
                                           : nullptr;
}

QxIndicatorSelectionPanel* QxIndicatorSelectionDlg::currentPage() const
{
    return static_cast<QxIndicatorSelectionPanel*>(m_pages->GetCurrentPage());
}

bool QxIndicatorSelectionDlg::isHintShown() const { return m_hintText->IsShown(); }

void QxIndicatorSelectionDlg::showHint(bool show)
{
    GetSizer()->Show(m_hintRow, show, true);
    Layout();
}

QxIndicator* QxIndicatorSelectionDlg::chooseIndicator(unsigned pageFlags, bool allowDrag)
{
    if (allowDrag != m_dragAllowed) {
        showHint(allowDrag);
        m_dragAllowed = allowDrag;
    }
    m_running = true;
    const int code = ShowModal();
    m_running = false;
    m_endedByDrag = allowDrag && code == kEndedByDrag;
    if (code != wxID_OK && !m_endedByDrag)
        return nullptr;
    if (!m_selected)
        return nullptr;
    QxIndicator* copy = m_selected->clone(QxIndicator::eCloneParams | QxIndicator::eCloneDrawables |
                                         QxIndicator::eCloneInputs);
    if (!copy || m_endedByDrag)
        return copy;
    // Held while it is configured: the pages and the graphic dialogs take
    // and drop references on it, and one of those drops must neither free a
    // copy nobody holds yet nor let its clean-up empty its graphics list.
    copy->addRef();
    if (copy->configure(pageFlags)) {
        // Handed out as made: nobody holds it but its own graphics.
        copy->releaseForHandOut();
        return copy;
    }
    copy->release(); // the only holder: frees the copy with its graphics
    return nullptr;
}

void QxIndicatorSelectionDlg::takeSelection()
{
    QxIndicatorSelectionPanel* current = currentPage();
    m_selected = current ? current->getSelectedIndicator() : QxObjectSmartPtr<QxIndicator>();
}

void QxIndicatorSelectionDlg::end(int code)
{
    // Enter in a list and a double-click may both arrive: end only once.
    if (IsModal())
        EndModal(code);
}

void QxIndicatorSelectionDlg::ok()
{
    takeSelection();
    if (m_selected) {
        end(wxID_OK);
        return;
    }
    qxShowError(_("Please select an indicator to continue"), nullptr);
}

void QxIndicatorSelectionDlg::explain()
{
    takeSelection();
    if (m_selected)
        QxUtils::showIndicatorHelp(m_selected.get());
}

void QxIndicatorSelectionDlg::startDrag()
{
    if (!m_dragAllowed)
        return;
    takeSelection();
    end(kEndedByDrag);
}

void QxIndicatorSelectionDlg::onShow(wxShowEvent& event)
{
    // GTK may finish showing the window after a run that ended at once (a
    // drag as soon as it opened): between runs it stays hidden.
    if (event.IsShown() && !m_running)
        CallAfter([this] {
            if (!m_running && IsShown())
                Hide();
        });
    event.Skip();
}

void QxIndicatorSelectionDlg::onInitDialog(wxInitDialogEvent& event)
{
    if (QxIndicatorSelectionPanel* current = currentPage())
        current->list()->SetFocus();
    event.Skip();
}

void QxIndicatorSelectionDlg::onPageChanged(wxBookCtrlEvent& event)
{
    if (IsShown()) {
        auto* now = page(size_t(std::max(0, event.GetSelection())));
        m_explain->Enable(now && now->hasSelection());
    }
    event.Skip();
}

void QxIndicatorSelectionDlg::onItemSelected(wxListEvent& event)
{
    auto* list = dynamic_cast<wxListCtrl*>(event.GetEventObject());
    m_explain->Enable(list && list->GetSelectedItemCount() > 0);
    event.Skip();
}

void QxIndicatorSelectionDlg::onItemActivated(wxListEvent&) { ok(); }

void QxIndicatorSelectionDlg::onBeginDrag(wxListEvent&) { startDrag(); }

void QxIndicatorSelectionDlg::onExplain(wxCommandEvent&) { explain(); }

void QxIndicatorSelectionDlg::onOK(wxCommandEvent&) { ok(); }

void QxIndicatorSelectionDlg::onCancel(wxCommandEvent&) { end(wxID_CANCEL); }

void QxIndicatorSelectionDlg::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/indicators.htm#indic_selection_dlg"); }
