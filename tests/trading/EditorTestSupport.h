#pragma once
// Scripting the trading-system editors without showing them: choices and
// buttons worked as a user's clicks would, and every nested modal dialog
// (message boxes, the fixed-value prompt, indicator selection and its
// configuration, the condition editor) answered through the modal hook from
// queues the test fills.
#include "trading/DlgConditionEditor.h"
#include "trading/DlgSystemEditor.h"

#include "app/QxIndicatorRegistry.h"
#include "configdlg/DlgInputTaker.h"
#include "configdlg/QxIndicConfigDlg.h"
#include "configdlg/QxIndicatorSelectionDlg.h"
#include "configdlg/QxIndicatorSelectionPanel.h"

#include "core/QxUtils.h"
#include "support/TestSupport.h"

#include "support/FramesTestSupport.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace editortest {

// The editors' tests: the catalogue's indicators registered, and no help
// books, so Help opens no viewer.
class EditorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QxIndicatorRegistry::instance()->addBuiltInIndicators();
        QxUtils::setHelpFolder(wxString::FromUTF8(TestSupport::makeTempDir("nohelp")));
    }
    static void TearDownTestSuite() { QxUtils::setHelpFolder(wxString()); }
};

// The first child of parent of type T (whose label is label, when given).
template <class T>
T* childOf(wxWindow* parent, const wxString& label = wxString())
{
    for (wxWindow* window : parent->GetChildren())
        if (auto* typed = dynamic_cast<T*>(window); typed && (label.empty() || typed->GetLabel() == label))
            return typed;
    return nullptr;
}

inline std::vector<wxString> itemTexts(wxChoice* list)
{
    std::vector<wxString> out;
    for (unsigned i = 0; i < list->GetCount(); ++i)
        out.push_back(list->GetString(i));
    return out;
}

inline wxString selectedText(wxChoice* list)
{
    return list->GetSelection() == wxNOT_FOUND ? wxString("<none>") : list->GetStringSelection();
}

// Picks the item as a user does: the selection moves, then the list tells.
inline void choose(wxChoice* list, const wxString& text)
{
    const int position = list->FindString(text, true);
    ASSERT_NE(position, wxNOT_FOUND) << "no item " << text.utf8_str();
    list->SetSelection(position);
    wxCommandEvent event(wxEVT_CHOICE, list->GetId());
    event.SetEventObject(list);
    event.SetInt(position);
    event.SetString(text);
    list->ProcessWindowEvent(event);
}

inline void click(wxWindow* button)
{
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->IsEnabled()) << "a disabled button cannot be clicked";
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

inline void toggle(wxCheckBox* box)
{
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->IsEnabled());
    box->SetValue(!box->GetValue());
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(box->GetValue());
    box->ProcessWindowEvent(event);
}

inline void pick(wxRadioButton* radio)
{
    ASSERT_NE(radio, nullptr);
    radio->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
    event.SetEventObject(radio);
    event.SetInt(1);
    radio->ProcessWindowEvent(event);
}

// Presses OK of a dialog that is not running a loop of its own; the code
// it would have ended with (0 when it stayed open).
inline int pressOk(wxDialog* dialog)
{
    dialog->SetReturnCode(0);
    click(dialog->FindWindow(wxID_OK));
    return dialog->GetReturnCode();
}

// The answers to nested dialogs, taken in order; an empty queue (or an
// empty optional) cancels.
class NestedAnswers {
public:
    using ConditionScript = std::function<void(DlgConditionEditor*)>;

    NestedAnswers() : m_catcher([this](wxDialog* dialog) { return answer(dialog); }) {}

    std::deque<std::optional<wxString>> typed;      // fixed values
    std::deque<std::optional<wxString>> indicators; // names in the selection dialog
    std::deque<ConditionScript> conditions;         // each ends by pressing OK or not
    std::deque<std::function<void(DlgSystemEditor*)>> systemEditors; // likewise
    std::vector<wxString> messages;

    const std::vector<framestest::SeenDialog>& seen() const { return m_catcher.seen(); }

private:
    // Runs the next script on a dialog that has no loop of its own; what
    // its OK left as the result.
    template <class D>
    static int script(std::deque<std::function<void(D*)>>& scripts, D* dialog)
    {
        if (scripts.empty())
            return wxID_CANCEL;
        std::function<void(D*)> run = scripts.front();
        scripts.pop_front();
        dialog->SetReturnCode(0);
        run(dialog);
        return dialog->GetReturnCode() == wxID_OK ? wxID_OK : wxID_CANCEL;
    }

    template <class T>
    static std::optional<T> next(std::deque<std::optional<T>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        std::optional<T> front = queue.front();
        queue.pop_front();
        return front;
    }

    int answer(wxDialog* dialog)
    {
        if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
            messages.push_back(box->GetMessage());
            return wxID_OK;
        }
        if (auto* prompt = dynamic_cast<DlgInputTaker*>(dialog)) {
            const std::optional<wxString> text = next(typed);
            if (!text)
                return wxID_CANCEL;
            prompt->field()->ChangeValue(*text);
            return wxID_OK;
        }
        if (auto* selection = dynamic_cast<QxIndicatorSelectionDlg*>(dialog)) {
            const std::optional<wxString> name = next(indicators);
            if (!name)
                return wxID_CANCEL;
            selection->notebook()->SetSelection(0);
            EXPECT_TRUE(selection->page(0)->selectName(*name)) << name->utf8_str();
            selection->ok();
            return wxID_OK;
        }
        if (dynamic_cast<QxIndicConfigDlg*>(dialog))
            return wxID_OK; // the catalogue's defaults
        if (auto* editor = dynamic_cast<DlgConditionEditor*>(dialog))
            return script(conditions, editor);
        if (auto* editor = dynamic_cast<DlgSystemEditor*>(dialog))
            return script(systemEditors, editor);
        return wxID_CANCEL;
    }

    framestest::DialogCatcher m_catcher;
};

// A condition script: the three choices, then OK.
inline NestedAnswers::ConditionScript define(const wxString& first, const wxString& kind, const wxString& second)
{
    return [first, kind, second](DlgConditionEditor* editor) {
        choose(editor->firstSeriesList(), first);
        choose(editor->conditionList(), kind);
        if (!second.empty())
            choose(editor->secondSeriesList(), second);
        click(editor->FindWindow(wxID_OK));
    };
}

} // namespace editortest
