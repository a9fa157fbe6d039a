#include "support/ModalScript.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/time.h>

#include <gtest/gtest.h>

#include <cxxabi.h>
#include <cstdlib>
#include <string>
#include <typeinfo>

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

namespace {
std::string className(const wxDialog* dialog)
{
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(*dialog).name(), nullptr, nullptr, &status);
    std::string text = status == 0 && name ? name : typeid(*dialog).name();
    std::free(name);
    return text;
}
} // namespace

UnansweredDialogs::UnansweredDialogs(int limitMs) : m_limitMs(limitMs)
{
    m_timer.Bind(wxEVT_TIMER, &UnansweredDialogs::tick, this);
    Register();
}

UnansweredDialogs::~UnansweredDialogs()
{
    m_timer.Stop();
    Unregister();
}

int UnansweredDialogs::Enter(wxDialog* dialog)
{
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
        ADD_FAILURE() << "a message box nobody answers: \"" << box->GetTitle().utf8_str() << "\": \""
                      << box->GetMessage().utf8_str() << "\"";
        return wxID_CANCEL;
    }
    m_shown.push_back({dialog, wxGetLocalTimeMillis().ToLong() + m_limitMs});
    if (!m_timer.IsRunning())
        m_timer.Start(250);
    return wxID_NONE;
}

void UnansweredDialogs::Exit(wxDialog* dialog)
{
    for (auto it = m_shown.begin(); it != m_shown.end(); ++it)
        if (it->dialog == dialog) {
            m_shown.erase(it);
            break;
        }
    if (m_shown.empty())
        m_timer.Stop();
}

void UnansweredDialogs::tick(wxTimerEvent&)
{
    const long now = wxGetLocalTimeMillis().ToLong();
    // The innermost first: an outer dialog cannot end while one above it runs.
    for (auto it = m_shown.rbegin(); it != m_shown.rend(); ++it) {
        if (it->deadline > now || !it->dialog->IsModal())
            continue;
        ADD_FAILURE() << "a dialog nobody answers: " << className(it->dialog) << " \""
                      << it->dialog->GetTitle().utf8_str() << "\", still open after " << m_limitMs << " ms";
        it->deadline = now + m_limitMs; // told once a period
        it->dialog->EndModal(wxID_CANCEL);
        return;
    }
}

} // namespace TestSupport
