#pragma once
// The document frame of one chart: the shared menu bar with the "&Chart" and
// "&Annotations" menus and the Save Chart item added, the chart toolbars
// docked around the chart view, and every chart command. Its size, maximised
// state and toolbar layout are shared by all chart frames and kept in the
// global settings.
#include "chartframe/FBChartFrame.h"
#include "core/platform/QxFramePlacement.h"

#include <wx/pen.h>

#include <string>

class QxAnnotToolBar;
class QxChart;
class QxChartist;
class QxPriceObj;
class QxChartOperationsToolbar;
class QxChartOptionsToolbar;
class QxChartPeriodicityToolbar;
class QxChartView;
class QxGraphicPropsToolbar;
class QxPattern;
class QxPatternRecognitionToolbar;
class QxZoomHorzToolbar;

class QxChartFrame : public FBChartFrame {
public:
    QxChartFrame();
    ~QxChartFrame() override;

    // Asks for a chart file and opens it in a new chart frame, reporting its
    // own failures.
    static void openChartFile();
    // Saves the chart shown to a chart file.
    void saveChartFile(wxCommandEvent& event);
    // Writes the chart to path and makes it the chart's file; a failure is
    // told (what failed, in words) and false.
    [[nodiscard]] bool writeChartTo(const wxString& path);
    // The chart file the chart was opened from or last saved to (empty for
    // a chart that never had one), and whether the chart now differs from
    // what that file holds.
    const wxString& chartFile() const { return m_chartFile; }
    void setChartFile(const wxString& path);
    bool hasUnsavedChanges() const;
    // Whether the frame may go: true when nothing would be lost, after
    // asking Yes / No / Cancel about unsaved changes (Yes saves them).
    bool mayDiscardChanges();
    bool mayEndProgram() override { return mayDiscardChanges(); }

    // Whether the frame was opened maximised (as the last chart frame was).
    bool openedMaximized() const { return m_placement.openedMaximized(); }

    // Attaches the view as the centre pane "Chart View"; only the first
    // call acts.
    void setChartView(QxChartView* view);
    // The attached view; null until one is attached.
    QxChartView* getChartView() const { return m_view; }

    // Runs the chart configuration dialog over the attached view and
    // refreshes the chart after OK; the dialog's result (Cancel without a
    // view). The configuration command and the view's menu both come here.
    int configureChart();

    // The price graphic of a chart: the first drawable of the first
    // indicator of its first zone, when that is one; else null.
    static QxPriceObj* priceGraphicOf(const QxChart* chart);
    // Choosing the style in force hides the price graphic (style 0);
    // choosing it again, or another style, shows that style. False when the
    // chart has no price graphic.
    static bool togglePriceStyle(QxChart* chart, int style);

    // The pen new annotations are drawn with: the one chosen in the "Chart
    // Graphics" toolbar.
    virtual wxPen getDefaultPen() const;

    // Chart frames alive now.
    static unsigned openFrameCount();
    // The snap distance of annotations being moved: 4 while snapping to
    // prices is on (the start-up state), else 0. Shared by all chart frames.
    static int snapTolerance();

    // The update rule of Save Indicators as Template, also asked by the
    // operations toolbar.
    void updateSaveIndicatorsAsTemplate(wxUpdateUIEvent& event);

    wxMenu* chartMenu() const { return m_chartMenu; }
    wxMenu* annotationMenu() const { return m_annotationMenu; }
    QxChartPeriodicityToolbar* periodicityToolbar() const { return m_periodicityToolbar; }
    QxChartOptionsToolbar* optionsToolbar() const { return m_optionsToolbar; }
    QxZoomHorzToolbar* zoomToolbar() const { return m_zoomToolbar; }
    QxChartOperationsToolbar* operationsToolbar() const { return m_operationsToolbar; }
    QxPatternRecognitionToolbar* patternToolbar() const { return m_patternToolbar; }
    QxAnnotToolBar* annotationToolbar() const { return m_annotToolbar; }
    QxGraphicPropsToolbar* graphicPropsToolbar() const { return m_graphicsToolbar; }

    // The period a periodicity command selects: 86400 for 1005 and for any
    // id it does not know.
    static unsigned periodOfCommand(int id);
    // The periodicity command of a period; 1005 for an unknown period.
    static int commandOfPeriod(unsigned period);

protected:
    void OnSize(wxSizeEvent& event) override;
    void OnClose(wxCloseEvent& event) override;

    void onCandle(wxCommandEvent& event) override;
    void onUpdateCandle(wxUpdateUIEvent& event) override;
    void onBar(wxCommandEvent& event) override;
    void onUpdateBar(wxUpdateUIEvent& event) override;
    void onLine(wxCommandEvent& event) override;
    void onUpdateLine(wxUpdateUIEvent& event) override;
    void onLogScale(wxCommandEvent& event) override;
    void onUpdateLogScale(wxUpdateUIEvent& event) override;
    void onShowVolume(wxCommandEvent& event) override;
    void onUpdateShowVolume(wxUpdateUIEvent& event) override;
    void onAddIndicator(wxCommandEvent& event) override;
    void onAddIndicatorFromTemplate(wxCommandEvent& event) override;
    void onSaveIndicatorsAsTemplate(wxCommandEvent& event) override;
    void onAddSignalMarkers(wxCommandEvent& event) override;
    void onCandlestickPatterns(wxCommandEvent& event) override;
    void onZigZag(wxCommandEvent& event) override;
    void onDoubleTop(wxCommandEvent& event) override;
    void onHeadAndShoulders(wxCommandEvent& event) override;
    void onShowTooltip(wxCommandEvent& event) override;
    void onUpdateShowTooltip(wxUpdateUIEvent& event) override;
    void onCreateCopy(wxCommandEvent& event) override;
    void onShowLegends(wxCommandEvent& event) override;
    void onUpdateShowLegends(wxUpdateUIEvent& event) override;
    void onUpdateSaveIndicatorsAsTemplate(wxUpdateUIEvent& event) override;
    void onExportChart(wxCommandEvent& event) override;
    void onChartConfiguration(wxCommandEvent& event) override;

private:
    QxChartist* chartist() const;
    QxChart* getChart() const;
    void refreshView();
    // Configures a new detector and adds it to the main zone on OK.
    void addConfiguredPattern(QxPattern* created);
    void setPriceStyle(int style);
    void updatePriceStyle(wxUpdateUIEvent& event, int style);
    void applyZoomCode(unsigned code);
    void openTemplate();
    void saveTemplate();

    void addChartMenus();
    void createToolbarPanes();
    void connectOwnEvents(bool connect);

    void onPeriodicity(wxCommandEvent& event);
    void onUpdatePeriodicity(wxUpdateUIEvent& event);
    void onZoomIn(wxCommandEvent& event);
    void onZoomOut(wxCommandEvent& event);
    void onUpdateZoomIn(wxUpdateUIEvent& event);
    void onUpdateZoomOut(wxUpdateUIEvent& event);
    void onZoomPreset(wxCommandEvent& event);
    void onAnnotTool(wxCommandEvent& event);
    void onUpdateAnnotTool(wxUpdateUIEvent& event);
    void onSnap(wxCommandEvent& event);
    void onUpdateSnap(wxUpdateUIEvent& event);
    void onSetFocus(wxFocusEvent& event);

    QxChartView* m_view = nullptr;
    QxFramePlacement m_placement;
    wxString m_chartFile;
    std::string m_savedDocument; // the chart document as m_chartFile holds it
    wxMenu* m_annotationMenu = nullptr;
    QxChartPeriodicityToolbar* m_periodicityToolbar = nullptr;
    QxChartOptionsToolbar* m_optionsToolbar = nullptr;
    QxChartOperationsToolbar* m_operationsToolbar = nullptr;
    QxPatternRecognitionToolbar* m_patternToolbar = nullptr;
    QxZoomHorzToolbar* m_zoomToolbar = nullptr;
    QxAnnotToolBar* m_annotToolbar = nullptr;
    QxGraphicPropsToolbar* m_graphicsToolbar = nullptr;
};

// The message showOperationFailed shows: text (or "Operation Failed." when
// text is null), a line break, "Error description: " and the name of code.
wxString operationFailedText(int code, const wchar_t* text);
// Shows that message in an error box captioned with the product title.
void showOperationFailed(int code, const wchar_t* text);
