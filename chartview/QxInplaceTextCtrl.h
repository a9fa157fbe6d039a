#pragma once
// The editor that opens over a text annotation: a multi-line text control
// without a vertical scroll bar that grows by a line whenever the text needs
// one more than it shows, and widens for a word longer than a line. Editing ends when it loses the focus (clicking
// elsewhere, Escape, the view taking the focus back); the owner then gets
// the text, and the editor goes away.
#include <wx/textctrl.h>

class QxInplaceTextCtrlOwner {
public:
    virtual ~QxInplaceTextCtrlOwner() = default;
    // The editor ended with this text; its window still stands.
    virtual void onInplaceTextDone(const wxString& text) = 0;
    // The user pressed Escape.
    virtual void onInplaceTextCancel() = 0;
};

class QxInplaceTextCtrl : public wxTextCtrl {
public:
    // A child of parent at rect (client pixels) showing text, or, for an
    // empty text, the placeholder selected so that typing replaces it.
    QxInplaceTextCtrl(wxWindow* parent, const wxRect& rect, const wxString& text, const wxFont& font,
                      const wxColour& colour, QxInplaceTextCtrlOwner* owner);
    ~QxInplaceTextCtrl() override;

    // Ends editing: tells the owner (once) and goes away after the current
    // event. Also what losing the focus does.
    void finish();
    // Ends editing without telling the owner, giving the text back (empty
    // while the placeholder is untouched); the editor goes away.
    wxString abandon();
    // The owner goes away first: nothing is told any more.
    void detachOwner() { m_owner = nullptr; }
    bool isFinished() const { return m_owner == nullptr; }

    // The text the user wrote: empty while the placeholder is untouched.
    wxString userText() const;
    // Places the caret at the character under a point of the editor's client
    // area, laid out as the chart lays the text out.
    void placeCaretAt(const wxPoint& client);
    // Widens for a word longer than a line (up to the parent's right edge),
    // then grows by whole lines until the text fits its width.
    void growToFit();

private:
    void onKeyDown(wxKeyEvent& event);
    void onText(wxCommandEvent& event);
    void onKillFocus(wxFocusEvent& event);

    QxInplaceTextCtrlOwner* m_owner;
    bool m_placeholder = false;
};
