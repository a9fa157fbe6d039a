#pragma once
// Pictures painted by the tests compared pixel by pixel with reference
// pictures kept in the source tree.  Painting may get faster; the pictures
// must not change.  On a difference the painted picture and a map of the
// differing pixels are saved as test artifacts; a deliberate change of the
// look is taken over by copying the painted picture over the reference.
#include "app/QxGlobalVars.h"
#include "chart/QxChartConfiguration.h"

#include <wx/gdicmn.h>
#include <wx/image.h>

#include <string>

namespace TestSupport {

// The look of charts comes from process-wide settings other tests change:
// reference pictures are painted with the built-in ones, which this puts in
// place for its lifetime, putting the test's own back afterwards.
class BuiltInLook {
public:
    BuiltInLook();
    ~BuiltInLook();
    BuiltInLook(const BuiltInLook&) = delete;
    BuiltInLook& operator=(const BuiltInLook&) = delete;

private:
    QxGlobalVars m_savedVars;
    QxChartAllConfiguration m_savedConfig;
};

// Differences between two pictures of the same size: how many pixels, and
// the rectangle holding them.
struct PictureDifference {
    int pixels = 0;
    wxRect box;
};

// The pixels of got that differ from want; with map, a faded copy of want
// with the differing pixels in red.
PictureDifference comparePictures(const wxImage& got, const wxImage& want, wxImage* map = nullptr);

// Saves painted as the artifact `file` and fails the current test, saying
// how many pixels differ and where, unless it equals the reference picture
// of that name in the source folder `folder` (such as "tests/chart/pictures").
void expectReferencePicture(const wxImage& painted, const std::string& folder, const std::string& file);

} // namespace TestSupport
