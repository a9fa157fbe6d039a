#include "chartview/QxInplaceTextCtrl.h"

#include "chartview/QxTextAnnot.h"
#include "chartview/QxTextLayout.h"

#include <wx/dcclient.h>

QxInplaceTextCtrl::QxInplaceTextCtrl(wxWindow* parent, const wxRect& rect, const wxString& text,
                                     const wxFont& font, const wxColour& colour, QxInplaceTextCtrlOwner* owner)
    : m_owner(owner)
{
    m_placeholder = text.empty();
    Create(parent, wxID_ANY, wxEmptyString, rect.GetPosition(), rect.GetSize(),
           wxTE_MULTILINE | wxTE_NO_VSCROLL | wxTE_WORDWRAP | wxBORDER_NONE);
    if (font.IsOk())
        SetFont(font);
    SetForegroundColour(colour);
    // The same free space around the text as the chart leaves.
    SetMargins(QxTextLayout::kMargin, QxTextLayout::kMargin);
    ChangeValue(m_placeholder ? QxTextAnnot::placeholder() : text);
    if (m_placeholder)
        SelectAll();
    Bind(wxEVT_KEY_DOWN, &QxInplaceTextCtrl::onKeyDown, this);
    Bind(wxEVT_TEXT, &QxInplaceTextCtrl::onText, this);
    Bind(wxEVT_KILL_FOCUS, &QxInplaceTextCtrl::onKillFocus, this);
    growToFit();
}

QxInplaceTextCtrl::~QxInplaceTextCtrl()
{
    Unbind(wxEVT_KEY_DOWN, &QxInplaceTextCtrl::onKeyDown, this);
    Unbind(wxEVT_TEXT, &QxInplaceTextCtrl::onText, this);
    Unbind(wxEVT_KILL_FOCUS, &QxInplaceTextCtrl::onKillFocus, this);
}

wxString QxInplaceTextCtrl::userText() const { return m_placeholder ? wxString() : GetValue(); }

void QxInplaceTextCtrl::finish()
{
    QxInplaceTextCtrlOwner* owner = m_owner;
    if (!owner)
        return;
    m_owner = nullptr;
    owner->onInplaceTextDone(userText());
    Hide();
    // Not while one of this window's own events is being handled.
    CallAfter([this] { Destroy(); });
}

wxString QxInplaceTextCtrl::abandon()
{
    const wxString text = userText();
    if (!m_owner)
        return text;
    m_owner = nullptr;
    Hide();
    CallAfter([this] { Destroy(); });
    return text;
}

void QxInplaceTextCtrl::placeCaretAt(const wxPoint& client)
{
    if (m_placeholder)
        return;
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    const QxTextLayout layout(dc, GetValue(), GetClientSize().x);
    SetInsertionPoint(static_cast<long>(layout.charAt(client)));
}

void QxInplaceTextCtrl::growToFit()
{
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    const QxTextLayout layout(dc, GetValue(), GetClientSize().x);
    const int missing = layout.boxHeight() - GetClientSize().y;
    if (missing <= 0)
        return;
    // Whole lines, the width unchanged.
    const int lines = (missing + layout.lineHeight() - 1) / layout.lineHeight();
    const wxSize size = GetSize();
    SetSize(size.x, size.y + lines * layout.lineHeight());
}

void QxInplaceTextCtrl::onKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE && !event.ControlDown()) {
        if (m_owner)
            m_owner->onInplaceTextCancel();
        return;
    }
    event.Skip();
}

void QxInplaceTextCtrl::onText(wxCommandEvent& event)
{
    m_placeholder = false;
    growToFit();
    event.Skip();
}

void QxInplaceTextCtrl::onKillFocus(wxFocusEvent& event)
{
    finish();
    event.Skip();
}
