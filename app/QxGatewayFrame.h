#pragma once
// The home ("gateway") frame the program opens at start-up: the shared menu
// bar and three toolbar columns (charts, portfolios, trading tools) with
// 32-pixel icons. At most one exists; its height is kept in the global
// settings, its width always fits the three columns.
#include "app/QxCommonFrame.h"

class QxGatewayFrame : public QxCommonFrame {
public:
    // Builds the frame, remembers it as the home frame and shows it.
    QxGatewayFrame();
    // Clears the process-wide pointer, then the common teardown.
    ~QxGatewayFrame() override;

    // The home frame, or null when none is open.
    static QxGatewayFrame* instance();

    // The client width that holds three columns of columnWidth pixels.
    static int clientWidthForColumns(int columnWidth) { return 3 * (columnWidth + 2); }
    // The widest laid-out tool of the toolbars (0 for none).
    static int widestTool(const std::vector<wxAuiToolBar*>& toolbars);

protected:
    void OnClose(wxCloseEvent& event) override;
    void OnSize(wxSizeEvent& event) override;
};
