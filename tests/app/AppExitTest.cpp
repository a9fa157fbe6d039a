// What the application object lets go of when it is destroyed at exit.
#include "app/QxApplication.h"
#include "chart/QxColorScheme.h"
#include "chart/QxColorSchemeRegistry.h"
#include "chart/QxDrawable.h"
#include "chart/QxDrawableRegistry.h"

#include <gtest/gtest.h>

#include <wx/app.h>

TEST(AppExit, TheDrawableAndColourSchemePrototypesAreReleased)
{
    QxObjectSmartPtr<QxDrawable> line(QxDrawableRegistry::instance().find(QxAtom("SOLIDLINE")));
    QxObjectSmartPtr<QxColorScheme> scheme(QxColorSchemeRegistry::instance().find(QxAtom("UniColorScheme")));
    ASSERT_TRUE(line && scheme);
    ASSERT_EQ(line->numRefs(), 2);
    ASSERT_EQ(scheme->numRefs(), 2);

    wxAppConsole* const running = wxApp::GetInstance();
    delete new QxApplication;
    wxApp::SetInstance(running); // an application object unsets the instance as it goes

    EXPECT_EQ(line->numRefs(), 1) << "only this test still holds the drawable prototype";
    EXPECT_EQ(scheme->numRefs(), 1) << "only this test still holds the colour scheme prototype";
    EXPECT_NE(QxDrawableRegistry::instance().find(QxAtom("SOLIDLINE")), line.get()) << "a new registry";
}
