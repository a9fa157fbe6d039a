// Telling the user: what reaches the sink, and the box the default sink shows.
#include "support/TestSupport.h"
#include "ui/QxMessages.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <functional>
#include <vector>

namespace {

// Keeps what the sink is given and answers with a fixed answer; the sink
// before it comes back at the end.
class RecordingSink {
public:
    explicit RecordingSink(QxAnswer answer)
        : m_previous(qxSetMessageSink([this, answer](const QxMessage& message) {
              told.push_back(message);
              return answer;
          }))
    {
    }
    ~RecordingSink() { qxSetMessageSink(m_previous); }
    std::vector<QxMessage> told;

private:
    QxMessageSink m_previous;
};

// Answers the one message box shown and keeps its caption, style and parent.
class BoxSeen : public wxModalDialogHook {
public:
    explicit BoxSeen(int answer) : m_answer(answer) { Register(); }
    ~BoxSeen() override { Unregister(); }
    int shown = 0;
    wxString text, caption;
    long style = 0;
    wxWindow* parent = nullptr;

protected:
    int Enter(wxDialog* dialog) override
    {
        auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
        if (!box)
            return wxID_NONE;
        ++shown;
        text = box->GetMessage();
        caption = box->GetTitle();
        style = box->GetMessageDialogStyle();
        parent = dialog->GetParent();
        return m_answer;
    }
    void Exit(wxDialog*) override {}

private:
    int m_answer;
};

// A shown top-level window for the boxes to belong to.
struct Owner {
    Owner() : frame(new wxFrame(nullptr, wxID_ANY, "Owner", wxPoint(0, 0), wxSize(400, 300))) { frame->Show(); }
    ~Owner() { frame->Destroy(); }
    wxFrame* frame;
};

} // namespace

TEST(QxMessages, EachHelperTellsTheSinkItsKindTextCaptionButtonsAndParentAndGivesBackTheAnswer)
{
    const Owner owner;
    wxFrame* const frame = owner.frame;
    struct Case {
        const char* what;
        std::function<QxAnswer()> call; // the helper, its result as an answer
        QxAnswer sinkAnswer;
        QxMessageKind kind;
        QxMessageButtons buttons;
        QxAnswer expected;
    };
    const wxString text = "The chart file could not be written.";
    const Case cases[] = {
        {"error", [&] { qxShowError(text, frame); return QxAnswer::Ok; }, QxAnswer::Ok, QxMessageKind::Error,
         QxMessageButtons::Ok, QxAnswer::Ok},
        {"warning", [&] { qxShowWarning(text, frame); return QxAnswer::Ok; }, QxAnswer::Ok, QxMessageKind::Warning,
         QxMessageButtons::Ok, QxAnswer::Ok},
        {"information", [&] { qxShowInformation(text, frame); return QxAnswer::Ok; }, QxAnswer::Ok,
         QxMessageKind::Information, QxMessageButtons::Ok, QxAnswer::Ok},
        {"yes/no answered yes", [&] { return qxAskYesNo(text, frame) ? QxAnswer::Yes : QxAnswer::No; },
         QxAnswer::Yes, QxMessageKind::Question, QxMessageButtons::YesNo, QxAnswer::Yes},
        {"yes/no answered no", [&] { return qxAskYesNo(text, frame) ? QxAnswer::Yes : QxAnswer::No; },
         QxAnswer::No, QxMessageKind::Question, QxMessageButtons::YesNo, QxAnswer::No},
        {"yes/no closed", [&] { return qxAskYesNo(text, frame) ? QxAnswer::Yes : QxAnswer::No; },
         QxAnswer::Cancel, QxMessageKind::Question, QxMessageButtons::YesNo, QxAnswer::No},
        {"yes/no/cancel", [&] { return qxAskYesNoCancel(text, frame); }, QxAnswer::Cancel, QxMessageKind::Question,
         QxMessageButtons::YesNoCancel, QxAnswer::Cancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RecordingSink sink(c.sinkAnswer);
        EXPECT_EQ(c.call(), c.expected);
        ASSERT_EQ(sink.told.size(), 1u);
        const QxMessage& told = sink.told.front();
        EXPECT_EQ(told.kind, c.kind);
        EXPECT_EQ(told.text, text);
        EXPECT_EQ(told.caption, "Corvane Trendoria 2014");
        EXPECT_EQ(told.buttons, c.buttons);
        EXPECT_EQ(told.parent, frame);
    }

    // A caption of the caller's own is kept; a replaced sink is back after.
    const RecordingSink outer(QxAnswer::Ok);
    {
        const RecordingSink inner(QxAnswer::No);
        QxMessage message(QxMessageKind::Warning, "Delete the price history?", nullptr, QxMessageButtons::YesNo);
        message.caption = "Trendoria";
        EXPECT_EQ(qxTell(message), QxAnswer::No);
        ASSERT_EQ(inner.told.size(), 1u);
        EXPECT_EQ(inner.told.front().caption, "Trendoria");
        EXPECT_EQ(inner.told.front().parent, nullptr);
    }
    qxShowInformation("Finished.", nullptr);
    ASSERT_EQ(outer.told.size(), 1u);
    EXPECT_EQ(outer.told.front().text, "Finished.");
}

TEST(QxMessages, TheDefaultSinkShowsACentredBoxWithTheKindsIconAndButtonsAndMapsTheAnswer)
{
    ASSERT_TRUE(TestSupport::guiAvailable());
    const Owner owner;
    wxFrame* const frame = owner.frame;
    struct Case {
        const char* what;
        QxMessageKind kind;
        QxMessageButtons buttons;
        bool noDefault;
        int boxAnswer;
        long style;
        QxAnswer expected;
    };
    const Case cases[] = {
        {"error", QxMessageKind::Error, QxMessageButtons::Ok, false, wxID_OK, wxOK | wxICON_ERROR, QxAnswer::Ok},
        {"warning", QxMessageKind::Warning, QxMessageButtons::Ok, false, wxID_OK, wxOK | wxICON_WARNING,
         QxAnswer::Ok},
        {"information", QxMessageKind::Information, QxMessageButtons::Ok, false, wxID_OK,
         wxOK | wxICON_INFORMATION, QxAnswer::Ok},
        {"no icon", QxMessageKind::Plain, QxMessageButtons::Ok, false, wxID_OK, wxOK | wxICON_NONE, QxAnswer::Ok},
        {"question, yes", QxMessageKind::Question, QxMessageButtons::YesNo, false, wxID_YES,
         wxYES_NO | wxICON_QUESTION, QxAnswer::Yes},
        {"question, no as default", QxMessageKind::Question, QxMessageButtons::YesNo, true, wxID_NO,
         wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, QxAnswer::No},
        {"warning question", QxMessageKind::Warning, QxMessageButtons::YesNo, false, wxID_YES,
         wxYES_NO | wxICON_WARNING, QxAnswer::Yes},
        {"three answers, cancelled", QxMessageKind::Question, QxMessageButtons::YesNoCancel, false, wxID_CANCEL,
         wxYES_NO | wxCANCEL | wxICON_QUESTION, QxAnswer::Cancel},
    };
    const long icons = wxICON_ERROR | wxICON_WARNING | wxICON_INFORMATION | wxICON_QUESTION | wxICON_NONE;
    const long shape = wxOK | wxYES_NO | wxCANCEL | wxNO_DEFAULT | wxCENTRE | icons;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const BoxSeen box(c.boxAnswer);
        QxMessage message(c.kind, "Save the changes to the chart?", frame, c.buttons);
        message.noDefault = c.noDefault;
        EXPECT_EQ(qxTell(message), c.expected);
        ASSERT_EQ(box.shown, 1);
        EXPECT_EQ(box.text, "Save the changes to the chart?");
        EXPECT_EQ(box.caption, "Corvane Trendoria 2014");
        EXPECT_EQ(box.style & shape, c.style | wxCENTRE);
        EXPECT_EQ(box.parent, frame);
    }
}
