#include "chartframe/QxChartOperationsToolbar.h"

#include "chartframe/QxChartFrame.h"
#include "chartframe/QxToolbarTool.h"

namespace {
const int kToolIds[] = {1010, 1011, 1012, 1013, 1023, 1026};
}

QxChartOperationsToolbar::QxChartOperationsToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos,
                                                   const wxSize&, long)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, 0)
{
    const wxSize icons(16, 16);
    qxAddTool(this, icons, 1010, "Add Indicator", "QxART_indicator", "Add Indicator\nCtrl+1");
    qxAddTool(this, icons, 1011, "Add Indicators from Template", "QxART_template",
              "Add Indicators from Template\nCtrl+2");
    qxAddTool(this, icons, 1012, "Save Indicators as Template", "QxART_save_template",
              "Save Indicators as Template\nCtrl+3");
    qxAddTool(this, icons, 1013, "Add Signal Marker", "QxART_signal_marker", "Add Signal Marker\nCtrl+4");
    qxAddTool(this, icons, 1023, "Copy Chart", "QxART_copy_chart", "Copy Chart\nCtrl+Shift+C");
    qxAddTool(this, icons, 1026, "Export Chart", "QxART_export_chart", "Export Chart\nF8");
    for (int id : kToolIds)
        Bind(wxEVT_UPDATE_UI, &QxChartOperationsToolbar::onUpdateTool, this, id);
}

QxChartOperationsToolbar::~QxChartOperationsToolbar()
{
    for (int id : kToolIds)
        Unbind(wxEVT_UPDATE_UI, &QxChartOperationsToolbar::onUpdateTool, this, id);
}

void QxChartOperationsToolbar::onUpdateTool(wxUpdateUIEvent& event)
{
    auto* frame = dynamic_cast<QxChartFrame*>(GetParent());
    if (frame && event.GetId() == 1012) {
        frame->updateSaveIndicatorsAsTemplate(event);
        return;
    }
    event.Enable(frame != nullptr);
}
