#include "chartview/QxChartAnnotHandler.h"

#include "chartframe/QxChartFrame.h"
#include "chartview/QxAnnot.h"
#include "chartview/QxBaseChartView.h"
#include "chartview/QxTextAnnot.h"
#include "chartview/QxTextLayout.h"
#include "core/QxErrorCode.h"
#include "core/platform/QxOverlay.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

#include <algorithm>
#include <vector>

QxChartAnnotHandler::QxChartAnnotHandler(QxBaseChartView* view) : m_view(view) {}

QxChartAnnotHandler::~QxChartAnnotHandler() { release(); }

void QxChartAnnotHandler::release()
{
    if (m_editor)
        m_editor->detachOwner(); // it goes with the view's other children
    m_editor = nullptr;
    m_active = nullptr;
    m_pendingText = nullptr;
    m_state = eIdle;
    m_press = eNoPress;
    m_view->overlay().clear(QxOverlay::eAnnotation); // its painter calls back here
}

wxPoint QxChartAnnotHandler::position(const wxMouseEvent& event) const
{
    return m_view->adjustY(event.GetPosition());
}

QxPoint QxChartAnnotHandler::toChart(const wxPoint& logical, bool snap) const
{
    return m_view->deviceToChart(m_zone, logical, snap ? QxChartFrame::snapTolerance() : 0);
}

int QxChartAnnotHandler::hitAnnot(const wxPoint& p, QxAnnot*& hit, unsigned& index) const
{
    const QxScale& x = m_view->getXMap(m_zone);
    const QxScale& y = m_view->getYMap(m_zone);
    if (m_active.get())
        if (const int r = m_active->hitTest(p, x, y, &index, -1)) {
            hit = m_active.get();
            return r;
        }
    if (auto* list = m_view->getAnnots(m_zone))
        for (const auto& annot : *list)
            if (const int r = annot->hitTest(p, x, y, &index, -1)) {
                hit = annot.get();
                return r;
            }
    return QxAnnot::eHitNone;
}

void QxChartAnnotHandler::clearTool()
{
    if (m_tool == 0)
        return;
    m_tool = 0;
    m_view->resetCursor();
}

// ---------------------------------------------------------------------------
// Selection and feedback

void QxChartAnnotHandler::setActiveAnnot(QxAnnot* annot)
{
    if (annot == m_active.get())
        return;
    if (m_active.get())
        m_active->setSelected(false);
    if (annot)
        annot->setSelected(true);
    m_active = annot;
    if (!m_editor)
        m_pendingText = nullptr;
    syncOverlay();
    // The chart picture takes the old one in and leaves the new one out.
    m_view->refreshChart();
}

void QxChartAnnotHandler::syncOverlay()
{
    QxOverlay& overlay = m_view->overlay();
    if (!m_active.get() || m_zone < 0) {
        overlay.clear(QxOverlay::eAnnotation);
        return;
    }
    overlay.setPainter(QxOverlay::eAnnotation, [this](wxDC& dc) { paintActive(dc); },
                       m_view->getZoneInnerRect(m_zone));
}

void QxChartAnnotHandler::drawActive()
{
    syncOverlay();
    if (m_zone >= 0)
        m_view->invalidateZone(m_zone);
}

void QxChartAnnotHandler::paintActive(wxDC& dc) const
{
    if (!m_active.get() || m_zone < 0)
        return;
    wxDCClipper clip(dc, m_view->getZoneInnerRect(m_zone));
    m_active->draw(dc, m_view->getFirstVisibleBar(), m_view->getLastVisibleBar(), m_view->getXMap(m_zone),
                   m_view->getYMap(m_zone));
}

void QxChartAnnotHandler::moveActiveBy(const wxPoint& pos)
{
    if (!m_active.get())
        return;
    // Whole-body moves go by the mouse's own distance: a snapped end would
    // make the shape jump between prices.
    const QxPoint now = toChart(pos, false);
    const QxPoint before = toChart(m_lastPos, false);
    const double dx = now.x - before.x, dy = now.y - before.y;
    // Kinds whose points keep an order (a retracement's end, a pitchfork's
    // pivot) refuse a point moved past one not yet moved: such points go
    // again once the others have moved, so the shape moves whole.
    std::vector<unsigned> pending;
    for (unsigned i = 0; i < m_active->numPoints(); ++i)
        pending.push_back(i);
    while (!pending.empty()) {
        std::vector<unsigned> refused;
        for (unsigned i : pending) {
            const QxPoint p = m_active->getPoint(i);
            if (m_active->setPoint(i, QxPoint{p.x + dx, p.y + dy}) == eNotAllParamsValid)
                refused.push_back(i);
        }
        if (refused.size() == pending.size())
            break; // nothing more moves: those points stay
        pending.swap(refused);
    }
    m_lastPos = pos;
}

void QxChartAnnotHandler::enterZone(int z)
{
    m_zone = z;
    m_list = z >= 0 ? m_view->getAnnots(z) : nullptr;
}

bool QxChartAnnotHandler::activeIsStored() const
{
    const auto* list = m_zone >= 0 ? m_view->getAnnots(m_zone) : nullptr;
    return list && std::any_of(list->begin(), list->end(),
                               [this](const QxObjectSmartPtr<QxAnnot>& a) { return a.get() == m_active.get(); });
}

void QxChartAnnotHandler::chartChanged()
{
    const void* list = m_zone >= 0 ? m_view->getAnnots(m_zone) : nullptr;
    const bool replaced = list != m_list;
    // Idle, the active annotation must be one of the zone's: another one
    // can be neither saved nor found again by a click.
    const bool lost = m_active.get() && m_state == eIdle && !activeIsStored();
    if (!replaced && !lost)
        return;
    m_list = list;
    if (m_editor && replaced) {
        // The text typed so far is kept; the box stays where it was.
        QxInplaceTextCtrl* editor = m_editor;
        m_editor = nullptr;
        const int width = editor->GetSize().x;
        const wxString text = editor->abandon();
        if (m_pendingText.get()) {
            m_pendingText->setBoxWidth(width);
            if (!text.empty())
                m_pendingText->setText(text);
            m_pendingText->setEditing(false);
        }
    }
    if (!m_editor)
        m_pendingText = nullptr;
    m_press = eNoPress;
    if (m_state != eIdle) {
        m_state = eIdle;
        clearTool();
    }
    if (m_active.get()) {
        m_active->setSelected(false);
        m_active = nullptr;
    }
    syncOverlay();
}

// ---------------------------------------------------------------------------
// Mouse

bool QxChartAnnotHandler::onLeftDown(wxMouseEvent& event)
{
    // An editor still open ends before the click acts: its own focus loss
    // may arrive only after this press has been handled.
    finishTextEdit();
    if (!m_view->HasFocus())
        m_view->SetFocus();
    const wxPoint p = position(event);
    const int z = m_view->zoneAtPoint(p);
    if (z < 0)
        return false;
    if (m_state != eIdle)
        return true; // points are placed on release
    m_view->eraseCrosshair();
    if (z != m_zone || m_list != m_view->getAnnots(z)) {
        enterZone(z);
        setActiveAnnot(nullptr);
    }
    if (m_tool != 0) {
        QxAnnot* annot = m_view->createAnnotForTool(m_tool);
        if (!annot) {
            clearTool();
            return false;
        }
        m_state = eCreating;
        setActiveAnnot(annot);
        m_pointIndex = 0;
        m_press = ePressCreate;
        m_pressPos = p;
        return true;
    }
    QxAnnot* hit = nullptr;
    unsigned index = 0;
    const int r = hitAnnot(p, hit, index);
    if (r == QxAnnot::eHitNone) {
        setActiveAnnot(nullptr);
        return false;
    }
    setActiveAnnot(hit);
    m_press = r == QxAnnot::eHitPoint ? ePressPoint : ePressBody;
    m_pressIndex = index;
    m_pressPos = p;
    return true;
}

void QxChartAnnotHandler::beginDrag()
{
    switch (m_press) {
    case ePressCreate:
        if (m_active.get() && m_pointIndex == 0) {
            m_active->setPoint(0, toChart(m_pressPos, true));
            m_pointIndex = 1;
        }
        break;
    case ePressPoint:
        m_state = eMovingPoint;
        m_pointIndex = m_pressIndex;
        break;
    case ePressBody:
        m_state = eMovingAll;
        m_lastPos = m_pressPos;
        break;
    case eNoPress:
        break;
    }
    m_press = eNoPress;
}

void QxChartAnnotHandler::clickBody(const wxPoint& p)
{
    // A first click on a text selects it, a second one edits it.
    auto* text = dynamic_cast<QxTextAnnot*>(m_active.get());
    if (text && text == m_pendingText.get())
        startTextEdit(text, p);
    else
        m_pendingText = text;
}

void QxChartAnnotHandler::movePoint(const wxPoint& p)
{
    if (!m_active.get())
        return;
    auto* text = dynamic_cast<QxTextAnnot*>(m_active.get());
    if (!text) {
        m_active->setPoint(m_pointIndex, toChart(p, true)); // refused points stay
        return;
    }
    // A text's corners set the width its lines break at, in pixels; the
    // height is the text's own. The other side of the box stays put.
    const wxRect box = text->pixelBox(m_view->getXMap(m_zone), m_view->getYMap(m_zone));
    const int narrowest = 2 * QxTextLayout::kMargin + 8;
    if (m_pointIndex == 0) {
        const int right = box.GetRight();
        text->setPoint(0, toChart(wxPoint(std::min(p.x, right - narrowest + 1), p.y), false));
        const int left = m_view->chartToDevice(m_zone, text->getPoint(0)).x;
        text->setBoxWidth(std::max(narrowest, right - left + 1));
    } else {
        const int right = std::max(p.x, box.x + narrowest - 1);
        text->setPoint(1, toChart(wxPoint(right, std::max(p.y, box.y)), false));
        text->setBoxWidth(right - box.x + 1);
    }
}

bool QxChartAnnotHandler::onMotion(wxMouseEvent& event)
{
    const wxPoint p = position(event);
    if (m_press != eNoPress) {
        if (event.LeftIsDown())
            beginDrag();
        else if (m_press != ePressCreate)
            m_press = eNoPress; // the release went elsewhere: no click any more
    }
    if (m_state != eIdle) {
        if (m_state == eMovingAll)
            moveActiveBy(p);
        else
            movePoint(p);
        drawActive();
        return true;
    }
    if (m_press != eNoPress)
        return true;
    if (m_tool != 0 || m_view->isPanning())
        return false;
    const int z = m_view->zoneAtPoint(p);
    if (auto* list = z >= 0 ? m_view->getAnnots(z) : nullptr) {
        const QxScale& x = m_view->getXMap(z);
        const QxScale& y = m_view->getYMap(z);
        unsigned index = 0;
        for (const auto& annot : *list) {
            const int r = annot->hitTest(p, x, y, &index, -1);
            if (r == QxAnnot::eHitNone)
                continue;
            m_view->setCursor(r == QxAnnot::eHitPoint ? QxBaseChartView::eCursorPointer
                                                      : QxBaseChartView::eCursorArrow);
            return true;
        }
    }
    // Off every annotation: back from their cursors.
    while (m_view->currentCursor() == QxBaseChartView::eCursorPointer ||
           m_view->currentCursor() == QxBaseChartView::eCursorArrow) {
        if (m_view->cursorDepth() == 0)
            break;
        m_view->resetCursor();
    }
    return false;
}

bool QxChartAnnotHandler::onLeftUp(wxMouseEvent& event)
{
    const wxPoint p = position(event);
    const Press press = m_press;
    m_press = eNoPress;
    if (press == ePressPoint)
        return true; // a click on a point only selects
    if (press == ePressBody) {
        clickBody(p);
        return true;
    }
    if (m_state == eIdle)
        return false;

    if (m_state == eMovingAll) {
        moveActiveBy(p);
        if (m_tool == kParallelLinesTool && m_active.get()) {
            // The copy stays where it was dropped and the next one follows.
            m_view->addAnnot(m_zone, m_active.get());
            setActiveAnnot(m_active->clone());
            m_lastPos = p;
        } else {
            m_state = eIdle;
        }
        drawActive();
        return true;
    }
    if (!m_active.get()) {
        m_state = eIdle;
        return true;
    }

    if (m_tool == kTextTool && m_state == eCreating) {
        const wxRect r = textEditRect(p, m_active->getFont());
        m_active->setPoint(0, toChart(r.GetTopLeft(), false));
        m_active->setPoint(1, toChart(r.GetBottomRight(), false));
        if (auto* text = dynamic_cast<QxTextAnnot*>(m_active.get()))
            text->setBoxWidth(r.width);
    } else if (m_state == eMovingPoint) {
        movePoint(p);
    } else if (m_active->setPoint(m_pointIndex, toChart(p, true)) == eNotAllParamsValid && m_state == eCreating) {
        // A point the kind's order refuses is not placed: the point goes on
        // following the mouse until a click the kind accepts.
        drawActive();
        return true;
    }
    if (m_state != eCreating) {
        m_state = eIdle;
        m_view->refreshChart();
        return true;
    }
    ++m_pointIndex;
    if (m_tool != kTextTool && m_pointIndex < m_active->numPoints()) {
        drawActive(); // the next click places the next point
        return true;
    }
    complete(p);
    return true;
}

void QxChartAnnotHandler::complete(const wxPoint& p)
{
    m_view->addAnnot(m_zone, m_active.get());
    switch (m_tool) {
    case kTextTool:
        startTextEdit(dynamic_cast<QxTextAnnot*>(m_active.get()), p);
        m_state = eIdle;
        clearTool();
        break;
    case kParallelLinesTool:
        // A copy follows the mouse; each release drops one, until Escape.
        setActiveAnnot(m_active->clone());
        m_state = eMovingAll;
        m_lastPos = p;
        break;
    case kConnectedLinesTool: {
        // The next segment starts where this one ended, until Escape.
        QxAnnot* next = m_view->createAnnotForTool(kConnectedLinesTool);
        if (!next) {
            m_state = eIdle;
            clearTool();
            break;
        }
        const QxPoint end = m_active->getPoint(1);
        next->setPoint(0, end);
        next->setPoint(1, end);
        setActiveAnnot(next);
        m_pointIndex = 1;
        break;
    }
    default:
        m_state = eIdle;
        clearTool();
        break;
    }
    m_view->refreshChart();
}

// ---------------------------------------------------------------------------
// Keys

bool QxChartAnnotHandler::onKeyDown(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (!m_active.get()) {
        // A chosen tool with nothing drawn yet: Escape puts it down.
        if (key != WXK_ESCAPE || m_tool == 0)
            return false;
        dropTool();
        return true;
    }
    const bool erase = key == WXK_BACK || key == WXK_DELETE;
    if (erase && m_state == eIdle) {
        m_view->removeAnnot(m_zone, m_active.get());
        setActiveAnnot(nullptr);
        drawActive();
        return true;
    }
    if (erase || key == WXK_ESCAPE) {
        // An annotation being made was never stored and is dropped.
        m_press = eNoPress;
        setActiveAnnot(nullptr);
        m_state = eIdle;
        clearTool();
        return true;
    }
    return false;
}

void QxChartAnnotHandler::dropTool()
{
    if (m_state != eIdle) {
        // What the tool was making (or the copy following the mouse) was
        // never stored and goes with it.
        m_press = eNoPress;
        setActiveAnnot(nullptr);
        m_state = eIdle;
    }
    clearTool();
}

// ---------------------------------------------------------------------------
// Texts

wxRect QxChartAnnotHandler::textEditRect(const wxPoint& click, const wxFont& font)
{
    // Room for the placeholder on one line, with some to spare.
    const QxTextLayout placeholder(font, QxTextAnnot::placeholder(), 0);
    const int width = placeholder.boxWidth() + 4 * QxTextLayout::kMargin;
    const int height = placeholder.boxHeight();
    return wxRect(click.x - QxTextLayout::kMargin, click.y - height / 2, width, height);
}

void QxChartAnnotHandler::startTextEdit(QxTextAnnot* annot, const wxPoint& click)
{
    // Keep the annotation: ending another editor may let go of it.
    QxObjectSmartPtr<QxTextAnnot> hold(annot);
    finishTextEdit();
    if (m_pendingText.get() && m_pendingText.get() != annot)
        m_pendingText->setEditing(false);
    m_pendingText = annot;
    if (!annot)
        return;
    const QxScale& x = m_view->getXMap(m_zone);
    const QxScale& y = m_view->getYMap(m_zone);
    wxRect box = annot->pixelBox(x, y);
    box.Offset(0, -m_view->vertPos());
    m_editZone = m_zone;
    m_editor = new QxInplaceTextCtrl(m_view, box, annot->getText(), annot->getFont(),
                                     annot->getPen().IsOk() ? annot->getPen().GetColour() : *wxRED, this);
    m_editor->placeCaretAt(click - wxPoint(0, m_view->vertPos()) - box.GetTopLeft());
    annot->setEditing(true);
    m_editor->SetCursor(QxCursors::cursorFromCache(QxBaseChartView::eCursorText));
    m_editor->SetFocus();
    drawActive();
}

void QxChartAnnotHandler::finishTextEdit()
{
    if (m_editor)
        m_editor->finish();
}

void QxChartAnnotHandler::onInplaceTextDone(const wxString& text)
{
    QxInplaceTextCtrl* editor = m_editor;
    m_editor = nullptr;
    // The text that was edited, whatever has been selected since.
    QxObjectSmartPtr<QxTextAnnot> edited = m_pendingText;
    if (!edited.get())
        return;
    edited->setEditing(false);
    const int zone = m_editZone >= 0 ? m_editZone : m_zone;
    if (text.empty()) {
        m_view->removeAnnot(zone, edited.get());
        m_pendingText = nullptr;
        if (m_active.get() == edited.get())
            setActiveAnnot(nullptr);
        else
            m_view->refreshChart();
        drawActive();
        return;
    }
    if (editor) {
        wxRect r = editor->GetRect();
        r.Offset(0, m_view->vertPos());
        edited->setPoint(0, m_view->deviceToChart(zone, r.GetTopLeft(), 0));
        edited->setPoint(1, m_view->deviceToChart(zone, r.GetBottomRight(), 0));
        // The lines break at the editor's width at every zoom from now on.
        edited->setBoxWidth(r.width);
    }
    edited->setText(text);
    if (zone == m_zone)
        setActiveAnnot(edited.get());
    m_view->refreshChart();
    drawActive();
}

void QxChartAnnotHandler::onInplaceTextCancel()
{
    // Escape keeps what was typed: focus back to the chart ends the editing.
    m_view->SetFocus();
    finishTextEdit();
}
