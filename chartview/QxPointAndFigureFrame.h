#pragma once
// The document frame of one point-and-figure chart: the "&Point and Figure"
// menu (parameters and zoom) and the basic "&Annotations" menu added to the
// shared menu bar, the toolbars docked around the view, and the frame's
// commands. Its size and maximised state are shared by all point-and-figure
// frames through the global settings.
#include "chartview/FBPointAndFigureFrame.h"
#include "core/platform/QxFramePlacement.h"

#include <wx/pen.h>

class QxAnnotToolBar;
class QxGraphicPropsToolbar;
class QxPointAndFigureView;
class QxZoomHorzToolbar;

class QxPointAndFigureFrame : public FBPointAndFigureFrame {
public:
    QxPointAndFigureFrame();
    ~QxPointAndFigureFrame() override;

    // Attaches the view as the centre pane "Point and Figure View"; only the
    // first call acts.
    void setView(QxPointAndFigureView* view);
    QxPointAndFigureView* getView() const { return m_view; }

    // The pen new annotations are drawn with: the one of the chart-graphics
    // toolbar's pen picker.
    wxPen getDefaultPen() const;

    // Whether the frame was opened maximised (as the last one was).
    bool openedMaximized() const { return m_placement.openedMaximized(); }

    wxMenu* pnfMenu() const { return m_pnfMenu; }
    wxMenu* zoomMenu() const { return m_zoomMenu; }
    wxMenu* annotationMenu() const { return m_annotationMenu; }
    QxZoomHorzToolbar* zoomToolbar() const { return m_zoomToolbar; }
    QxAnnotToolBar* annotationToolbar() const { return m_annotToolbar; }
    QxGraphicPropsToolbar* graphicsToolbar() const { return m_graphicsToolbar; }

    // Zoom steps and presets: box sizes in pixels.
    static constexpr int kZoomStep = 2;
    static constexpr int kMinBoxPixels = 2;
    static constexpr int kMaxZoomInBoxPixels = 80;

protected:
    void OnSize(wxSizeEvent& event) override;
    void onModifyParams(wxCommandEvent& event) override;

private:
    void addMenus();
    void createToolbarPanes();
    void connectEvents(bool connect);
    void setBoxPixels(int pixels);

    void onZoomIn(wxCommandEvent& event);
    void onZoomOut(wxCommandEvent& event);
    void onUpdateZoomIn(wxUpdateUIEvent& event);
    void onUpdateZoomOut(wxUpdateUIEvent& event);
    void onZoomPreset(wxCommandEvent& event);
    void onAnnotTool(wxCommandEvent& event);
    void onUpdateAnnotTool(wxUpdateUIEvent& event);
    void onSetFocus(wxFocusEvent& event);

    QxPointAndFigureView* m_view = nullptr;
    QxFramePlacement m_placement;
    wxMenu* m_zoomMenu = nullptr;
    wxMenu* m_annotationMenu = nullptr;
    QxZoomHorzToolbar* m_zoomToolbar = nullptr;
    QxAnnotToolBar* m_annotToolbar = nullptr;
    QxGraphicPropsToolbar* m_graphicsToolbar = nullptr;
};
