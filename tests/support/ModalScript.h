#pragma once
// Scripts a user through modal dialogs: steps wait for their dialog to be
// shown modally and then act on it, one after the other, from a timer that
// keeps running inside the dialogs' own event loops. Whatever is still
// modal when the script's time is up is cancelled, so a test never hangs.
#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include <deque>
#include <functional>
#include <vector>

namespace TestSupport {

class ModalScript {
public:
    explicit ModalScript(int timeoutMs = 20000);
    ~ModalScript();

    // Adds a step that runs once a dialog of type D is shown modally.
    template <class D>
    ModalScript& when(std::function<void(D*)> act)
    {
        m_steps.push_back([act](wxDialog* dialog) {
            auto* d = dynamic_cast<D*>(dialog);
            if (!d)
                return false;
            act(d);
            return true;
        });
        return *this;
    }

    // Steps not run yet.
    size_t pending() const { return m_steps.size(); }

    // Presses a button of a dialog as a click would: the focus moves to it,
    // then it is clicked.
    static void press(wxWindow* dialog, int id);

private:
    void tick(wxTimerEvent&);

    std::deque<std::function<bool(wxDialog*)>> m_steps;
    wxTimer m_timer;
    long m_deadline;
    bool m_running = false;
};

// While it lives, message boxes are answered without being shown (with OK,
// or with the given answer, such as wxID_NO, for questions), and their texts
// kept; other dialogs are shown as usual.
class MessageBoxes : public wxModalDialogHook {
public:
    explicit MessageBoxes(int answer = wxID_OK) : m_answer(answer) { Register(); }
    ~MessageBoxes() override { Unregister(); }
    const std::vector<wxString>& texts() const { return m_texts; }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    std::vector<wxString> m_texts;
    int m_answer;
};

// Installed by the test main of every GUI test program, behind any hook a
// test registers, so that no test waits on a dialog nobody answers. A
// message box that reaches it has no answer coming (tests answer message
// boxes from hooks): the test fails with the box's text and the box is
// cancelled without being shown. Any other dialog is shown, since a test's
// script may be driving it; should it still be up after `limitMs`, the test
// fails with its class and title and the dialog is cancelled.
class UnansweredDialogs : public wxModalDialogHook {
public:
    explicit UnansweredDialogs(int limitMs = 60000);
    ~UnansweredDialogs() override;

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    void tick(wxTimerEvent&);

    struct Shown {
        wxDialog* dialog;
        long deadline;
    };
    std::vector<Shown> m_shown;
    wxTimer m_timer;
    int m_limitMs;
};

} // namespace TestSupport
