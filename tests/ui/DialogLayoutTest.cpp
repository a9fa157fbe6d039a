// The standard button row: the helper's row against the row the dialogs used
// to build by hand, and what Enter does with the default it names.
#include "support/ModalScript.h"
#include "support/RealInput.h"
#include "support/TestSupport.h"
#include "ui/QxDialogLayout.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// The row as the dialogs built it by hand: each button made and added in
// turn, the sizer realised, then the default button named.
wxStdDialogButtonSizer* rowByHand(wxDialog* dialog, const std::vector<wxWindowID>& ids, wxWindowID defaultId)
{
    auto* row = new wxStdDialogButtonSizer();
    for (wxWindowID id : ids)
        row->AddButton(new wxButton(dialog, id));
    row->Realize();
    if (defaultId != qxNoDefaultButton)
        static_cast<wxButton*>(dialog->FindWindow(defaultId))->SetDefault();
    return row;
}

// A text field above the row, laid out the way the dialogs lay out theirs.
void layOut(wxDialog* dialog, wxTextCtrl* field, wxSizer* row)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(field, 0, wxALL | wxEXPAND, 5);
    top->Add(row, 0, wxALL | wxEXPAND, 5);
    dialog->SetSizerAndFit(top);
}

// The row item by item, nested sizers opened: what each item is, its flags,
// border and proportion, and the place the layout gave it.
void describeItems(wxSizer* sizer, std::ostringstream& out)
{
    for (wxSizerItem* item : sizer->GetChildren()) {
        if (item->IsWindow()) {
            const wxWindow* window = item->GetWindow();
            out << "button " << window->GetId() << " '" << window->GetLabel().ToStdString() << "'";
        } else if (item->IsSizer()) {
            out << "sizer (";
            describeItems(item->GetSizer(), out);
            out << ")";
        } else {
            out << "spacer " << item->GetSpacer().x << "x" << item->GetSpacer().y;
        }
        const wxRect r = item->GetRect();
        out << " flag " << item->GetFlag() << " border " << item->GetBorder() << " proportion "
            << item->GetProportion() << " at " << r.x << "," << r.y << " " << r.width << "x" << r.height << "\n";
    }
}

wxWindowID defaultOf(wxDialog* dialog)
{
    const wxWindow* item = dialog->GetDefaultItem();
    return item ? item->GetId() : qxNoDefaultButton;
}

// The dialog's size, its children in the order Tab visits them, its default
// button and its row.
std::string describe(wxDialog* dialog, wxSizer* row)
{
    std::ostringstream out;
    const wxSize size = dialog->GetClientSize();
    out << "dialog " << size.x << "x" << size.y << "\ntab order:";
    for (const wxWindow* child : dialog->GetChildren()) {
        if (dynamic_cast<const wxButton*>(child))
            out << " " << child->GetId();
        else
            out << " field";
    }
    out << "\ndefault " << defaultOf(dialog) << "\n";
    describeItems(row, out);
    return out.str();
}

} // namespace

TEST(DialogLayoutTest, TheHelpersRowIsTheRowBuiltByHandForEachSetOfButtons)
{
    ASSERT_TRUE(TestSupport::guiAvailable());
    struct Case {
        const char* what;
        std::vector<wxWindowID> ids;
        wxWindowID defaultId;
        bool kept; // the buttons stored in slots, or made without one
    };
    const Case cases[] = {
        {"OK alone, no default", {wxID_OK}, qxNoDefaultButton, true},
        {"OK alone as the default", {wxID_OK}, wxID_OK, true},
        {"OK and Cancel, not kept", {wxID_OK, wxID_CANCEL}, qxNoDefaultButton, false},
        {"OK and Cancel, OK the default", {wxID_OK, wxID_CANCEL}, wxID_OK, true},
        {"OK and Help, OK the default", {wxID_OK, wxID_HELP}, wxID_OK, true},
        {"OK, Cancel and Help, no default", {wxID_OK, wxID_CANCEL, wxID_HELP}, qxNoDefaultButton, true},
        {"OK, Cancel and Help, OK the default", {wxID_OK, wxID_CANCEL, wxID_HELP}, wxID_OK, true},
        {"OK, Cancel and Help, Cancel the default", {wxID_OK, wxID_CANCEL, wxID_HELP}, wxID_CANCEL, true},
        {"OK, Apply, Cancel and Help", {wxID_OK, wxID_APPLY, wxID_CANCEL, wxID_HELP}, qxNoDefaultButton, true},
        {"Save, Cancel and Help, no default", {wxID_SAVE, wxID_CANCEL, wxID_HELP}, qxNoDefaultButton, true},
        {"Save, Cancel and Help, Save the default", {wxID_SAVE, wxID_CANCEL, wxID_HELP}, wxID_SAVE, true},
        {"Help first, Close", {wxID_HELP, wxID_CLOSE}, qxNoDefaultButton, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        wxDialog byHand(nullptr, wxID_ANY, "Row");
        wxTextCtrl* handField = new wxTextCtrl(&byHand, wxID_ANY);
        wxSizer* handRow = rowByHand(&byHand, c.ids, c.defaultId);
        layOut(&byHand, handField, handRow);

        wxDialog helped(nullptr, wxID_ANY, "Row");
        wxTextCtrl* field = new wxTextCtrl(&helped, wxID_ANY);
        std::vector<wxButton*> slots(c.ids.size(), nullptr);
        std::vector<std::pair<wxWindowID, wxButton**>> buttons;
        for (size_t i = 0; i < c.ids.size(); ++i)
            buttons.emplace_back(c.ids[i], c.kept ? &slots[i] : nullptr);
        wxSizer* row = qxStandardButtons(&helped, buttons, c.defaultId);
        layOut(&helped, field, row);

        EXPECT_EQ(describe(&helped, row), describe(&byHand, handRow));
        EXPECT_EQ(defaultOf(&helped), c.defaultId);
        for (size_t i = 0; i < c.ids.size(); ++i) {
            ASSERT_NE(helped.FindWindow(c.ids[i]), nullptr);
            EXPECT_EQ(slots[i], c.kept ? helped.FindWindow(c.ids[i]) : nullptr);
        }
    }
}

TEST(DialogLayoutTest, EnterInAFieldPressesTheDefaultButtonAndNoneInARowWithout)
{
    ASSERT_TRUE(TestSupport::guiAvailable());
    struct Case {
        const char* what;
        std::vector<wxWindowID> ids;
        wxWindowID defaultId;
        std::vector<int> pressed;
    };
    const Case cases[] = {
        {"OK the default", {wxID_OK, wxID_CANCEL, wxID_HELP}, wxID_OK, {wxID_OK}},
        {"no default", {wxID_OK, wxID_CANCEL, wxID_HELP}, qxNoDefaultButton, {}},
        {"OK alone, no default", {wxID_OK}, qxNoDefaultButton, {}},
        {"Save the default", {wxID_SAVE, wxID_CANCEL, wxID_HELP}, wxID_SAVE, {wxID_SAVE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        wxDialog dialog(nullptr, wxID_ANY, c.what);
        wxTextCtrl* field = new wxTextCtrl(&dialog, wxID_ANY);
        std::vector<std::pair<wxWindowID, wxButton**>> buttons;
        for (wxWindowID id : c.ids)
            buttons.emplace_back(id, nullptr);
        layOut(&dialog, field, qxStandardButtons(&dialog, buttons, c.defaultId));

        // A pressed button ends the dialog with its id. The toolkit clicks
        // the default button a moment after Enter; a dialog where nothing
        // was pressed well after that ends with none.
        std::vector<int> keysInField, pressed;
        dialog.Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) {
            pressed.push_back(e.GetId());
            if (dialog.IsModal())
                dialog.EndModal(e.GetId());
        });
        wxTimer nothingPressed;
        nothingPressed.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (dialog.IsModal())
                dialog.EndModal(wxID_NONE);
        });
        field->Bind(wxEVT_KEY_DOWN, [&](wxKeyEvent& e) {
            keysInField.push_back(e.GetKeyCode());
            nothingPressed.StartOnce(1500);
            e.Skip();
        });
        {
            TestSupport::ModalScript script;
            script.when<wxDialog>([field](wxDialog* shown) {
                EXPECT_TRUE(TestSupport::focusFrame(shown, field));
                EXPECT_TRUE(TestSupport::xdotoolLater({"key", "Return"}));
            });
            EXPECT_EQ(dialog.ShowModal(), c.pressed.empty() ? wxID_NONE : c.pressed.front());
            EXPECT_TRUE(TestSupport::waitForInput());
            EXPECT_EQ(script.pending(), 0u);
        }
        // Enter reached the field, not a button holding the focus.
        EXPECT_EQ(keysInField, std::vector<int>{WXK_RETURN});
        EXPECT_EQ(pressed, c.pressed);
    }
}
