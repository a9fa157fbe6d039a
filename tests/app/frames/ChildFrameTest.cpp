// Document frames' own menus, and controls with a generated context menu.
#include "app/QxChildFrameForMenuTrick.h"
#include "app/QxContextMenuTrickBase.h"

#include "support/FramesTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Counts the menus of its kind alive, so double and missing deletion show.
class CountedMenu : public wxMenu {
public:
    static int alive;
    CountedMenu() { ++alive; }
    ~CountedMenu() override { --alive; }
};
int CountedMenu::alive = 0;

class DocumentFrame : public QxChildFrameForMenuTrick {
public:
    // Adds the given menus after "&Trendoria"; removes them by title at
    // destruction when asked to.
    DocumentFrame(const std::vector<wxString>& titles, bool removeOnDestroy)
        : m_removeOnDestroy(removeOnDestroy)
    {
        size_t position = 1;
        for (const wxString& title : titles) {
            auto* menu = new CountedMenu;
            menu->Append(wxID_ANY, "item");
            m_addedMenus.push_back(menu);
            m_addedMenuTitles.push_back(title);
            GetMenuBar()->Insert(position++, menu, title);
        }
    }
    ~DocumentFrame() override
    {
        if (m_removeOnDestroy)
            removeAddedMenus(GetMenuBar());
    }

private:
    bool m_removeOnDestroy;
};

class ReportList : public QxCtxMenuTrickListCtrl {
public:
    ReportList() : QxCtxMenuTrickListCtrl(wxLC_REPORT) {}
};

} // namespace

TEST(ChildFrame, OwnMenusStandAfterTheFirstAndAreDeletedOnce)
{
    auto* frame = new DocumentFrame({"&Chart", "&View"}, true);
    EXPECT_EQ(frame->GetTitle(), "Trendoria");
    EXPECT_EQ(frame->GetSize(), wxSize(643, 373));
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 6u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&Trendoria");
    EXPECT_EQ(bar->GetMenuLabel(1), "&Chart");
    EXPECT_EQ(bar->GetMenuLabel(2), "&View");
    EXPECT_EQ(bar->GetMenuLabel(3), "&Data");
    EXPECT_EQ(CountedMenu::alive, 2);

    // Taken out by title, the menus stay alive and belong to the frame.
    frame->removeAddedMenus(bar);
    EXPECT_EQ(bar->GetMenuCount(), 4u);
    EXPECT_EQ(CountedMenu::alive, 2);
    frame->removeAddedMenus(bar); // titles no longer found: nothing happens
    EXPECT_EQ(bar->GetMenuCount(), 4u);

    delete frame;
    EXPECT_EQ(CountedMenu::alive, 0);
}

TEST(ChildFrame, MenusLeftInTheBarAreStillDeletedOnce)
{
    // A renamed menu is not found by its recorded title; one the subclass
    // never took out is still in the bar. Both go exactly once.
    auto* frame = new DocumentFrame({"&Chart", "&View"}, false);
    frame->GetMenuBar()->SetMenuLabel(1, "&Renamed");
    EXPECT_EQ(CountedMenu::alive, 2);
    delete frame;
    EXPECT_EQ(CountedMenu::alive, 0);

    auto* plain = new DocumentFrame({}, true);
    EXPECT_EQ(plain->GetMenuBar()->GetMenuCount(), 4u);
    delete plain;
}

TEST(ChildFrame, ContextMenuControlsIgnoreMenuBarAppends)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "ctx");
    auto* list = new ReportList;
    EXPECT_EQ(list->GetHandle(), nullptr) << "created later, in two steps";
    ASSERT_TRUE(list->Create(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT));

    wxMenu menu;
    menu.Append(100, "&Open chart...");
    list->Append(&menu, "ignored");
    EXPECT_EQ(menu.GetMenuItemCount(), 1u);
    EXPECT_EQ(menu.GetMenuBar(), nullptr);
    EXPECT_EQ(list->GetItemCount(), 0);

    auto* html = new QxCtxMenuTrickHTMLWnd;
    ASSERT_TRUE(html->Create(frame, wxID_ANY));
    html->Append(&menu, "ignored");
    EXPECT_EQ(menu.GetMenuBar(), nullptr);
    frame->Destroy();
    framestest::pump(50);
}
