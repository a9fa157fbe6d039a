#include "configdlg/QxCdlPatternSelectorDlg.h"

#include "app/QxApplication.h"
#include "core/QxUtils.h"
#include "core/ta/QxTaFunctionSet.h"
#include "ui/QxMessages.h"
#include "ui/QxWindowFit.h"

#include <wx/artprov.h>
#include <wx/frame.h>

#include <algorithm>
#include <functional>

namespace {
QxCdlPatternSelectorDlg* g_instance = nullptr;
}

QxCdlPatternSelectorDlg::QxCdlPatternSelectorDlg(wxWindow* parent) : FBCdlPatternSelectorDlg(parent)
{
    m_bulb->SetBitmap(wxArtProvider::GetBitmap("QxArt_bulb", "wxART_OTHER_C"));
    m_ok->SetDefault();

    TA_StringTable* names = nullptr;
    if (QxTaFunctionSet::funcTableAlloc("Pattern Recognition", &names) == TA_SUCCESS && names) {
        for (unsigned i = 0; i < names->size; ++i) {
            const TA_FuncHandle* handle = nullptr;
            const TA_FuncInfo* info = nullptr;
            if (QxTaFunctionSet::getFuncHandle(names->string[i], &handle) != TA_SUCCESS ||
                QxTaFunctionSet::getFuncInfo(handle, &info) != TA_SUCCESS || !info)
                continue;
            // The list sorts itself by text; the description rides along.
            m_patterns->Append(wxString::FromUTF8(info->hint),
                               const_cast<void*>(static_cast<const void*>(info)));
        }
        QxTaFunctionSet::funcTableFree(names);
    }
    Layout();
    growToFittingSize(this);
}

QxCdlPatternSelectorDlg::~QxCdlPatternSelectorDlg()
{
    if (g_instance == this)
        g_instance = nullptr;
}

QxCdlPatternSelectorDlg* QxCdlPatternSelectorDlg::instance()
{
    if (!g_instance) {
        // Not the active frame: the dialog outlives the frame of its first use.
        QxApplication* app = QxApplication::getApp();
        g_instance = new QxCdlPatternSelectorDlg(app ? app->appModalParent() : nullptr);
    }
    return g_instance;
}

const TA_FuncInfo* QxCdlPatternSelectorDlg::functionAt(unsigned item) const
{
    return item < m_patterns->GetCount() ? static_cast<const TA_FuncInfo*>(m_patterns->GetClientData(item))
                                         : nullptr;
}

bool QxCdlPatternSelectorDlg::choosePatterns(std::vector<const TA_FuncInfo*>& detectors)
{
    // A list read from a file may be in any order and hold duplicates.
    int firstChosen = -1;
    for (unsigned i = 0; i < m_patterns->GetCount(); ++i) {
        const bool chosen = std::find(detectors.begin(), detectors.end(), functionAt(i)) != detectors.end();
        m_patterns->Check(i, chosen);
        if (chosen) {
            m_patterns->SetSelection(i);
            if (firstChosen < 0)
                firstChosen = int(i);
        } else {
            m_patterns->Deselect(i);
        }
    }
    // Opens on the first ticked pattern, or the top of the list.
    if (!m_patterns->IsEmpty())
        m_patterns->SetFirstItem(std::max(firstChosen, 0));

    QxApplication* app = QxApplication::getApp();
    if (wxFrame* over = app ? app->activeFrame() : nullptr) {
        const wxRect frame = over->GetScreenRect();
        const wxSize size = GetSize();
        Move(frame.x + (frame.width - size.x) / 2, frame.y + (frame.height - size.y) / 2);
    }
    if (ShowModal() != wxID_OK)
        return false;

    detectors.clear();
    for (unsigned i = 0; i < m_patterns->GetCount(); ++i)
        if (m_patterns->IsChecked(i) && functionAt(i))
            detectors.push_back(functionAt(i));
    std::sort(detectors.begin(), detectors.end(), std::less<const TA_FuncInfo*>());
    return !detectors.empty();
}

void QxCdlPatternSelectorDlg::onInitDialog(wxInitDialogEvent& event)
{
    m_patterns->SetFocus();
    event.Skip();
}

void QxCdlPatternSelectorDlg::onOK(wxCommandEvent&)
{
    for (unsigned i = 0; i < m_patterns->GetCount(); ++i)
        if (m_patterns->IsChecked(i)) {
            EndModal(wxID_OK);
            return;
        }
    qxShowError(_("No pattern is selected."), this);
}

void QxCdlPatternSelectorDlg::onHelp(wxCommandEvent&)
{
    QxUtils::showHelp("topics/candlestick_pattern.htm");
}
