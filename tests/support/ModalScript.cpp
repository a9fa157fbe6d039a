#include "support/ModalScript.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/time.h>

namespace TestSupport {

namespace {
wxDialog* topModalDialog()
{
    wxDialog* found = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<wxDialog*>(w); d && d->IsModal())
            found = d; // the last one shown is the innermost
    return found;
}
} // namespace

ModalScript::ModalScript(int timeoutMs) : m_deadline(wxGetLocalTimeMillis().ToLong() + timeoutMs)
{
    m_timer.Bind(wxEVT_TIMER, &ModalScript::tick, this);
    m_timer.Start(40);
}

ModalScript::~ModalScript() { m_timer.Stop(); }

void ModalScript::tick(wxTimerEvent&)
{
    // A step's own modal loop (a message box) must not run the next step.
    if (m_running)
        return;
    wxDialog* dialog = topModalDialog();
    if (!dialog)
        return;
    // As a user would: only once the toolkit has put the dialog on the
    // screen (GTK shows it from its idle handling).
    if (!dialog->IsShownOnScreen() && wxGetLocalTimeMillis().ToLong() <= m_deadline)
        return;
    if (wxGetLocalTimeMillis().ToLong() > m_deadline) {
        dialog->EndModal(wxID_CANCEL);
        return;
    }
    if (m_steps.empty())
        return;
    m_running = true;
    const auto step = m_steps.front();
    if (step(dialog))
        m_steps.pop_front();
    m_running = false;
}

void ModalScript::press(wxWindow* dialog, int id)
{
    wxWindow* button = dialog ? dialog->FindWindow(id) : nullptr;
    if (!button)
        return;
    // A click takes the focus first: the control that had it lets go of it
    // (a spin control then takes its text and clamps it) before the
    // button's handler runs.
    button->SetFocus();
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

int MessageBoxes::Enter(wxDialog* dialog)
{
    auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
    if (!box)
        return wxID_NONE;
    m_texts.push_back(box->GetMessage());
    // A box with OK alone can only be answered OK.
    return (box->GetMessageDialogStyle() & wxYES_NO) ? m_answer : wxID_OK;
}

} // namespace TestSupport
