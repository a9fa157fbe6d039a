#include "CursorDrawings.h"

namespace {

const Colour kBlack(0.0f, 0.0f, 0.0f);
const Colour kWhite(1.0f, 1.0f, 1.0f);
const Colour kGreen(0.15f, 0.62f, 0.30f);
const Colour kRed(0.84f, 0.22f, 0.22f);

// A white line with a black core, visible on any chart background.
void inkLine(ArtCanvas& c, double x0, double y0, double x1, double y1)
{
    c.line(x0, y0, x1, y1, 3.0, kWhite);
    c.line(x0, y0, x1, y1, 1.2, kBlack);
}

// The pointer shape with its tip at (x, y), 'size' design units tall.
std::vector<Pt> arrowShape(double x, double y, double size)
{
    const double s = size / 20.0;
    return {{x, y},           {x, y + 16 * s},      {x + 4 * s, y + 12.5 * s}, {x + 7 * s, y + 19 * s},
            {x + 9.5 * s, y + 18 * s}, {x + 6.5 * s, y + 11.5 * s}, {x + 11.5 * s, y + 11.5 * s}};
}

void arrow(ArtCanvas& c, double x, double y, double size)
{
    const std::vector<Pt> shape = arrowShape(x, y, size);
    c.strokePolyline(shape, 2.4, kWhite, true);
    c.fillPolygon(shape, kBlack);
}

// An open or closed hand seen from the back, centred on (16, 16).
void hand(ArtCanvas& c, bool closed)
{
    const double top = closed ? 11.0 : 5.0;
    c.fillRoundRect(8.5, 13, 23.5, 27, 4.5, kWhite);
    for (int i = 0; i < 4; ++i) {
        const double x = 10 + i * 3.8;
        c.fillRoundRect(x - 2.2, top - (i == 1 || i == 2 ? 1.5 : 0), x + 2.2, 19, 2.2, kWhite);
    }
    c.fillRoundRect(9.8, 14.2, 22.2, 25.8, 3.5, kBlack);
    for (int i = 0; i < 4; ++i) {
        const double x = 10 + i * 3.8;
        c.fillRoundRect(x - 1.1, top + 1.2 - (i == 1 || i == 2 ? 1.5 : 0), x + 1.1, 18, 1.1, kBlack);
    }
    if (!closed) { // the thumb
        c.line(8.5, 22, 4.5, 17, 4.4, kWhite);
        c.line(8.5, 22, 4.5, 17, 2.2, kBlack);
    }
}

// An arrow with a round badge: a plus on green, or a bar on red.
void dropCursor(ArtCanvas& c, bool allowed)
{
    arrow(c, 4, 2, 18);
    const double cx = 22, cy = 22, r = 7;
    c.fillEllipse(cx, cy, r + 1.3, r + 1.3, kWhite);
    c.fillEllipse(cx, cy, r, r, allowed ? kGreen : kRed);
    c.line(cx - 4, cy, cx + 4, cy, 2.2, kWhite);
    if (allowed)
        c.line(cx, cy - 4, cx, cy + 4, 2.2, kWhite);
}

} // namespace

const std::vector<CursorDrawing>& cursorDrawings()
{
    static const std::vector<CursorDrawing> cursors = {
        {"open_hand.cur", 16, 16, [](ArtCanvas& c) { hand(c, false); }},
        {"close_hand.cur", 16, 16, [](ArtCanvas& c) { hand(c, true); }},
        {"cross.cur", 15, 15,
         [](ArtCanvas& c) {
             inkLine(c, 15.5, 3, 15.5, 28);
             inkLine(c, 3, 15.5, 28, 15.5);
         }},
        {"black_arrow.cur", 4, 2, [](ArtCanvas& c) { arrow(c, 4, 2, 22); }},
        {"black_pointer.cur", 4, 2,
         [](ArtCanvas& c) {
             arrow(c, 4, 2, 18);
             // A small handle square: over a point that can be dragged.
             c.fillRect(17, 17, 27, 27, kWhite);
             c.fillRect(18.5, 18.5, 25.5, 25.5, kBlack);
         }},
        {"indic_drop_allow.ico", 16, 16, [](ArtCanvas& c) { dropCursor(c, true); }},
        {"indic_drop_disallow.ico", 16, 16, [](ArtCanvas& c) { dropCursor(c, false); }},
    };
    return cursors;
}
