#include "chartview/QxInplaceTextCtrl.h"

#include "chartview/QxTextAnnot.h"
#include "chartview/QxTextLayout.h"
#include "core/platform/QxTextControlLayout.h"

#include <algorithm>

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
    // The same free space around the text, and the same wrapping, as the
    // chart's drawing of the text.
    QxTextControlLayout::prepareEditor(this, QxTextLayout::kMargin);
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
    const QxTextLayout layout(GetFont(), GetValue(), GetClientSize().x);
    SetInsertionPoint(static_cast<long>(layout.charAt(client)));
}

void QxInplaceTextCtrl::growToFit()
{
    const wxString text = GetValue();
    wxSize size = GetSize();
    // A word longer than a line widens the editor rather than break, as far
    // as the view shows it; a wider word breaks at the view's edge.
    const int word = QxTextLayout::wordBoxWidth(GetFont(), text);
    if (word > size.x && GetParent()) {
        const int room = GetParent()->GetClientSize().x - GetPosition().x;
        size.x = std::max(size.x, std::min(word, room));
    }
    // Lines below the last one shown: whole lines more.
    const QxTextLayout layout(GetFont(), text, size.x);
    size.y = std::max(size.y, layout.boxHeight());
    if (size != GetSize())
        SetSize(size);
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
