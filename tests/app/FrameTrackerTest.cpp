// Which frame gets the focus when another closes, and when the program ends.
#include "app/QxApplication.h"

#include <gtest/gtest.h>

namespace {

// The tracker never looks behind the pointers.
wxFrame* frame(uintptr_t n) { return reinterpret_cast<wxFrame*>(n * 64); }

} // namespace

TEST(FrameTracker, TheMostRecentlyCreatedOrActivatedFrameIsNextInLine)
{
    QxFrameTracker frames;
    wxFrame *a = frame(1), *b = frame(2), *c = frame(3);
    EXPECT_EQ(frames.mostRecent(), nullptr);
    EXPECT_EQ(frames.add(a), 1u);
    EXPECT_EQ(frames.add(b), 2u);
    EXPECT_EQ(frames.add(c), 3u);
    EXPECT_EQ(frames.mostRecent(), c);

    // A and B open, B created after A, then A activated: when C closes, A is next.
    frames.setActive(a);
    EXPECT_EQ(frames.active(), a);
    EXPECT_TRUE(frames.remove(c));
    EXPECT_EQ(frames.count(), 2u);
    EXPECT_EQ(frames.mostRecent(), a);

    // Activating B puts it ahead again; deactivating (null) changes no order.
    frames.setActive(b);
    frames.setActive(nullptr);
    EXPECT_EQ(frames.active(), nullptr);
    EXPECT_EQ(frames.mostRecent(), b);
}

TEST(FrameTracker, ClosedFramesAreForgottenForGood)
{
    QxFrameTracker frames;
    wxFrame *a = frame(1), *b = frame(2);
    frames.add(a);
    frames.add(b);
    frames.setActive(b);

    // Closing the active frame clears the active frame.
    EXPECT_TRUE(frames.remove(b));
    EXPECT_EQ(frames.active(), nullptr);
    // A late activation of the dead frame does not bring it back.
    frames.setActive(b);
    EXPECT_EQ(frames.active(), nullptr);
    EXPECT_FALSE(frames.isLive(b));
    EXPECT_EQ(frames.count(), 1u);
    EXPECT_EQ(frames.mostRecent(), a);

    // Closing a frame twice, or one never registered, changes nothing.
    EXPECT_FALSE(frames.remove(b));
    EXPECT_FALSE(frames.remove(frame(9)));
    EXPECT_EQ(frames.count(), 1u);

    // The last frame leaves an empty list.
    EXPECT_TRUE(frames.remove(a));
    EXPECT_EQ(frames.count(), 0u);
    EXPECT_EQ(frames.mostRecent(), nullptr);
}

TEST(FrameTracker, RegisteringAFrameAgainRenumbersIt)
{
    QxFrameTracker frames;
    wxFrame *a = frame(1), *b = frame(2);
    frames.add(a);
    frames.add(b);
    EXPECT_EQ(frames.add(a), 2u) << "a frame is listed once";
    EXPECT_EQ(frames.mostRecent(), a);
    EXPECT_EQ(frames.add(nullptr), 2u);
}
