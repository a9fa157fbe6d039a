#include "configdlg/FBDlgIndicatorSelector.h"

#include <wx/intl.h>

FBIndicatorSelectionPanel::FBIndicatorSelectionPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                     const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_SORT_ASCENDING);
    sizer->Add(m_list, 1, wxALL | wxEXPAND, 5);
    SetSizer(sizer);
    Layout();
    m_list->Bind(wxEVT_LIST_KEY_DOWN, &FBIndicatorSelectionPanel::onKeyDown, this);
}

FBIndicatorSelectionPanel::~FBIndicatorSelectionPanel()
{
    m_list->Unbind(wxEVT_LIST_KEY_DOWN, &FBIndicatorSelectionPanel::onKeyDown, this);
}

FBDlgIndicatorSelector::FBDlgIndicatorSelector(wxWindow* parent, wxWindowID id, const wxString& title,
                                               const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    // GTK has no multi-row tabs: the tab strip scrolls instead.
    m_pages = new wxNotebook(this, wxID_ANY);
    top->Add(m_pages, 1, wxALL | wxEXPAND, 5);

    m_hintRow = new wxBoxSizer(wxHORIZONTAL);
    m_hintBitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap, wxDefaultPosition, wxSize(32, 32));
    m_hintRow->Add(m_hintBitmap, 0, wxALL, 5);
    m_hintText = new wxStaticText(this, wxID_ANY,
                                  _("You can drag the selected indicator on chart. To create composite indicator "
                                    "drag on curve of existing indicator."));
    m_hintText->Wrap(300);
    m_hintRow->Add(m_hintText, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(m_hintRow, 0, wxEXPAND, 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_explain = new wxButton(this, wxID_ANY, _("E&xplain"));
    m_explain->Enable(false);
    buttons->Add(m_explain, 0, wxALL, 5);
    buttons->AddStretchSpacer();
    m_ok = new wxButton(this, wxID_OK);
    m_ok->SetDefault();
    buttons->Add(m_ok, 0, wxALL, 5);
    m_cancel = new wxButton(this, wxID_CANCEL);
    buttons->Add(m_cancel, 0, wxALL, 5);
    m_help = new wxButton(this, wxID_HELP);
    buttons->Add(m_help, 0, wxALL, 5);
    top->Add(buttons, 0, wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);
    connect(true);
}

FBDlgIndicatorSelector::~FBDlgIndicatorSelector() { connect(false); }

void FBDlgIndicatorSelector::connect(bool on)
{
    auto wire = [this, on](auto type, auto method, wxEvtHandler* source, int id = wxID_ANY) {
        if (on)
            source->Bind(type, method, this, id);
        else
            source->Unbind(type, method, this, id);
    };
    wire(wxEVT_INIT_DIALOG, &FBDlgIndicatorSelector::onInitDialog, this);
    wire(wxEVT_NOTEBOOK_PAGE_CHANGED, &FBDlgIndicatorSelector::onPageChanged, m_pages);
    // The pages' list events rise through the notebook to the dialog.
    wire(wxEVT_LIST_ITEM_SELECTED, &FBDlgIndicatorSelector::onItemSelected, this);
    wire(wxEVT_LIST_ITEM_DESELECTED, &FBDlgIndicatorSelector::onItemSelected, this);
    wire(wxEVT_LIST_ITEM_ACTIVATED, &FBDlgIndicatorSelector::onItemActivated, this);
    wire(wxEVT_LIST_BEGIN_DRAG, &FBDlgIndicatorSelector::onBeginDrag, this);
    wire(wxEVT_BUTTON, &FBDlgIndicatorSelector::onExplain, m_explain);
    wire(wxEVT_BUTTON, &FBDlgIndicatorSelector::onOK, m_ok);
    wire(wxEVT_BUTTON, &FBDlgIndicatorSelector::onCancel, m_cancel);
    wire(wxEVT_BUTTON, &FBDlgIndicatorSelector::onHelp, m_help);
}
