#include "chartframe/QxChartFrame.h"

#include "app/QxApplication.h"
#include "app/QxNotAvailable.h"

#include <wx/intl.h>

void QxChartFrame::openChartFile()
{
    wxWindow* parent = nullptr;
    if (QxApplication* app = QxApplication::getApp())
        parent = app->activeFrame();
    qxShowNotAvailable(parent, _("Opening saved charts"));
}
