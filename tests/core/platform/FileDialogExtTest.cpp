// Save dialogs that do not add the chosen filter's extension: the names the
// program writes must still end in the extension its open dialogs filter on.
#include "core/platform/QxFileDialogExt.h"

#include <gtest/gtest.h>

TEST(FileDialogExt, ExtensionOfTheChosenFilter)
{
    const wxString images = "PNG files (*.png)|*.png|JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|All files|*.*";
    struct Case {
        wxString wildcard;
        int index;
        const char* ext;
    } cases[] = {
        {"Trendoria Template (*.trdt)|*.trdt", 0, "trdt"},
        {"Trendoria Chart (*.trdc)|*.trdc", 0, "trdc"},
        {images, 0, "png"},
        {images, 1, "jpg"}, // the first pattern of the filter
        {images, 2, ""},    // "*.*" names no single extension
        {images, 3, ""},    // past the last filter
        {images, -1, ""},
        {"*.trdc", 0, "trdc"}, // a bare pattern list
        {"Anything|*", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qxWildcardExtension(c.wildcard, c.index), c.ext) << c.wildcard << " #" << c.index;
}

TEST(FileDialogExt, AddsTheExtensionOnlyToNamesWithoutOne)
{
    struct Case {
        const char* path;
        const char* ext;
        const char* expected;
    } cases[] = {
        {"/home/u/ibm", "trdc", "/home/u/ibm.trdc"},
        {"/home/u/ibm.trdc", "trdc", "/home/u/ibm.trdc"},
        {"/home/u/ibm.xml", "trdc", "/home/u/ibm.xml"}, // a typed extension is the user's choice
        {"/home/u/my.charts/ibm", "trdc", "/home/u/my.charts/ibm.trdc"}, // dots in folders do not count
        {"/home/u/ibm", "", "/home/u/ibm"},
        {"", "trdc", ""},
        {"/home/u/", "trdc", "/home/u/"}, // no file name to extend
    };
    for (const Case& c : cases)
        EXPECT_EQ(qxPathWithExtension(c.path, c.ext), c.expected) << c.path;
}
