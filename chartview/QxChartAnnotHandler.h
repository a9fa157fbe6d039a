#pragma once
// How the user draws on a chart window: creating annotations with the
// selected tool, selecting them, dragging their points or bodies, deleting
// them, and editing texts in place. The view offers every mouse and key
// event here first and acts on it itself only when this declines.
//
// A press is not yet a click or a drag: a motion with the button down makes
// it a drag (the first point is placed, or the point or body follows the
// mouse), a release without one makes it a click.
#include "chartview/QxInplaceTextCtrl.h"
#include "chartview/QxPoint.h"
#include "core/QxObject.h"

#include <wx/event.h>
#include <wx/gdicmn.h>

class QxAnnot;
class QxBaseChartView;
class QxTextAnnot;
class wxDC;

class QxChartAnnotHandler : public QxInplaceTextCtrlOwner {
public:
    enum State { eIdle = 0, eCreating = 1, eMovingPoint = 2, eMovingAll = 3 };
    static constexpr int kParallelLinesTool = 31005;
    static constexpr int kConnectedLinesTool = 31006;
    static constexpr int kTextTool = 31015;

    explicit QxChartAnnotHandler(QxBaseChartView* view);
    ~QxChartAnnotHandler() override;
    QxChartAnnotHandler(const QxChartAnnotHandler&) = delete;
    QxChartAnnotHandler& operator=(const QxChartAnnotHandler&) = delete;

    // Each true when the event was consumed.
    bool onLeftDown(wxMouseEvent& event);
    bool onMotion(wxMouseEvent& event);
    bool onLeftUp(wxMouseEvent& event);
    bool onKeyDown(wxKeyEvent& event);

    QxAnnot* getActiveAnnot() const { return m_active.get(); }
    // Selects annot (or nothing) and redraws the chart without it in the
    // picture.
    void setActiveAnnot(QxAnnot* annot);
    // Shows the active annotation where it now is, over the chart picture.
    void drawActive();
    // Moves every point of the active annotation by the chart distance from
    // the last position to pos (logical pixels).
    void moveActiveBy(const wxPoint& pos);
    // Opens the editor over a text annotation; the click (logical pixels)
    // places the caret.
    void startTextEdit(QxTextAnnot* annot, const wxPoint& click);
    // Ends an open editor now, as its focus loss would.
    void finishTextEdit();

    void onInplaceTextDone(const wxString& text) override;
    void onInplaceTextCancel() override;

    int getTool() const { return m_tool; }
    // Back to no tool, dropping whatever the tool was still making.
    void dropTool();
    void setTool(int tool) { m_tool = tool; }
    int getZone() const { return m_zone; }
    State getState() const { return m_state; }
    QxTextAnnot* getPendingText() const { return m_pendingText.get(); }
    QxInplaceTextCtrl* getEditor() const { return m_editor; }

    // Draws the active annotation, clipped to its zone (the view's feedback
    // layer calls it while painting).
    void paintActive(wxDC& dc) const;
    // Lets go of everything held (the view goes away).
    void release();
    // The view laid its chart out again: when the zone's annotations are no
    // longer the ones the handler worked on (another period, a zone deleted
    // or the zones replaced), the selection, what was being made and the
    // text editor go, so nothing is painted or moved over other scales.
    void chartChanged();

    // The editor's rectangle for a new text box whose text starts at click
    // (logical pixels), sized for the placeholder in font.
    static wxRect textEditRect(const wxPoint& click, const wxFont& font);

private:
    enum Press { eNoPress, ePressCreate, ePressPoint, ePressBody };

    wxPoint position(const wxMouseEvent& event) const;
    QxPoint toChart(const wxPoint& logical, bool snap) const;
    // The first annotation of the zone hit at p, the active one first.
    int hitAnnot(const wxPoint& p, QxAnnot*& hit, unsigned& index) const;
    // A press followed by a motion with the button down.
    void beginDrag();
    void clickBody(const wxPoint& p);
    // The point being moved follows the mouse at p (refused points stay).
    void movePoint(const wxPoint& p);
    void clearTool();
    void syncOverlay();
    void complete(const wxPoint& p);
    // The handler works in zone z from now on, on its current annotations.
    void enterZone(int z);
    // Whether the active annotation is one of the zone's stored ones.
    bool activeIsStored() const;

    QxBaseChartView* m_view;
    QxObjectSmartPtr<QxAnnot> m_active;
    QxObjectSmartPtr<QxTextAnnot> m_pendingText;
    QxInplaceTextCtrl* m_editor = nullptr;
    int m_editZone = -1;
    int m_tool = 0;
    int m_zone = -1;
    // The zone's annotation list the handler last worked on.
    const void* m_list = nullptr;
    State m_state = eIdle;
    unsigned m_pointIndex = 0;
    wxPoint m_lastPos;
    Press m_press = eNoPress;
    unsigned m_pressIndex = 0;
    wxPoint m_pressPos;
};
