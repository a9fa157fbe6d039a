#include "ArtDrawings.h"

#include <cmath>

namespace {

// The palette: a dark ink for outlines, and a few clear colours.
const Colour kInk(0.20f, 0.25f, 0.33f);
const Colour kPaper(1.0f, 1.0f, 1.0f);
const Colour kPaperEdge(0.50f, 0.55f, 0.63f);
const Colour kBlue(0.18f, 0.44f, 0.82f);
const Colour kLightBlue(0.62f, 0.77f, 0.95f);
const Colour kDeepBlue(0.11f, 0.29f, 0.60f);
const Colour kGreen(0.15f, 0.62f, 0.30f);
const Colour kRed(0.84f, 0.22f, 0.22f);
const Colour kOrange(0.93f, 0.58f, 0.13f);
const Colour kYellow(0.98f, 0.80f, 0.25f);
const Colour kGrey(0.55f, 0.58f, 0.63f);
const Colour kLightGrey(0.82f, 0.84f, 0.87f);
const Colour kBrown(0.60f, 0.40f, 0.22f);
const Colour kDarkBrown(0.42f, 0.27f, 0.14f);
const Colour kPurple(0.45f, 0.27f, 0.70f);
const Colour kWhite(1.0f, 1.0f, 1.0f);

using Pts = std::vector<Pt>;

// ---- letters: strokes in a unit box, y down --------------------------------

void glyph(ArtCanvas& c, char ch, double x, double y, double w, double h, double width, Colour col)
{
    auto P = [=](double u, double v) { return Pt{x + u * w, y + v * h}; };
    auto S = [&](std::initializer_list<Pt> unit) {
        Pts pts;
        for (const Pt& p : unit)
            pts.push_back(P(p.x, p.y));
        c.strokePolyline(pts, width, col);
    };
    auto Arc = [&](double cx, double cy, double rx, double ry, double a0, double a1) {
        Pts pts = arcPoints(x + cx * w, y + cy * h, rx * w, ry * h, a0, a1, 40);
        c.strokePolyline(pts, width, col);
    };
    auto Dot = [&](double u, double v) { c.fillEllipse(x + u * w, y + v * h, width * 0.7, width * 0.7, col); };
    switch (ch) {
    case 'D':
        S({{0.12, 0}, {0.12, 1}, {0.5, 1}, {0.88, 0.72}, {0.88, 0.28}, {0.5, 0}, {0.12, 0}});
        break;
    case 'W':
        S({{0, 0}, {0.24, 1}, {0.5, 0.35}, {0.76, 1}, {1, 0}});
        break;
    case 'M':
        S({{0.05, 1}, {0.05, 0}, {0.5, 0.62}, {0.95, 0}, {0.95, 1}});
        break;
    case 'Q':
        Arc(0.5, 0.46, 0.42, 0.46, 0, 360);
        S({{0.58, 0.68}, {0.98, 1.02}});
        break;
    case 'Y':
        S({{0.05, 0}, {0.5, 0.5}, {0.95, 0}});
        S({{0.5, 0.5}, {0.5, 1}});
        break;
    case 'G':
        Arc(0.5, 0.5, 0.44, 0.5, 40, 360);
        S({{0.94, 0.5}, {0.55, 0.5}});
        break;
    case 'T':
        S({{0, 0}, {1, 0}});
        S({{0.5, 0}, {0.5, 1}});
        break;
    case '?':
        Arc(0.5, 0.28, 0.32, 0.26, 165, -60);
        S({{0.66, 0.5}, {0.5, 0.62}, {0.5, 0.72}});
        Dot(0.5, 0.95);
        break;
    case '!':
        S({{0.5, 0}, {0.5, 0.64}});
        Dot(0.5, 0.95);
        break;
    default:
        break;
    }
}

// ---- common parts -------------------------------------------------------

void sheet(ArtCanvas& c, double x0, double y0, double x1, double y1)
{
    c.fillRect(x0, y0, x1, y1, kPaper);
    c.strokeRect(x0, y0, x1, y1, 1.5, kPaperEdge);
}

// A document window: a blue title bar with its close box over white.
void windowWithTitleBar(ArtCanvas& c)
{
    c.fillRoundRect(2, 4, 30, 28, 2, kPaper);
    c.fillRoundRect(2, 4, 30, 10, 2, kBlue);
    c.fillRect(2, 8, 30, 10, kBlue);
    c.strokeRect(2, 4, 30, 28, 1.5, kInk);
    c.fillRect(24, 5.5, 27.5, 8.5, kWhite);
}

void chartOnSheet(ArtCanvas& c, double x0, double y0, double x1, double y1)
{
    sheet(c, x0, y0, x1, y1);
    const double w = x1 - x0, h = y1 - y0;
    auto P = [=](double u, double v) { return Pt{x0 + u * w, y0 + v * h}; };
    c.strokePolyline({P(0.15, 0.8), P(0.35, 0.55), P(0.55, 0.68), P(0.85, 0.22)}, 2.2, kBlue);
    c.line(x0 + 0.15 * w, y0 + 0.9 * h, x0 + 0.85 * w, y0 + 0.9 * h, 1.2, kGrey);
}

enum class Badge { Plus, Minus, Cross, Pencil, Check, Dot, Bang, Question };

void badge(ArtCanvas& c, Badge kind, double cx, double cy, double r)
{
    Colour fill = kGreen;
    if (kind == Badge::Minus || kind == Badge::Cross || kind == Badge::Bang)
        fill = kRed;
    else if (kind == Badge::Pencil)
        fill = kOrange;
    else if (kind == Badge::Dot || kind == Badge::Question)
        fill = kBlue;
    c.fillEllipse(cx, cy, r + 1.2, r + 1.2, kWhite);
    c.fillEllipse(cx, cy, r, r, fill);
    const double k = r * 0.55, w = std::max(2.0, r * 0.38);
    switch (kind) {
    case Badge::Plus:
        c.line(cx - k, cy, cx + k, cy, w, kWhite);
        c.line(cx, cy - k, cx, cy + k, w, kWhite);
        break;
    case Badge::Minus:
        c.line(cx - k, cy, cx + k, cy, w, kWhite);
        break;
    case Badge::Cross:
        c.line(cx - k * 0.8, cy - k * 0.8, cx + k * 0.8, cy + k * 0.8, w, kWhite);
        c.line(cx + k * 0.8, cy - k * 0.8, cx - k * 0.8, cy + k * 0.8, w, kWhite);
        break;
    case Badge::Pencil:
        c.line(cx - k, cy + k, cx + k * 0.8, cy - k * 0.8, w * 1.1, kWhite);
        c.fillPolygon({{cx - k - 0.8, cy + k + 0.8}, {cx - k + 1.2, cy + k + 0.4}, {cx - k - 0.4, cy + k - 1.2}}, kInk);
        break;
    case Badge::Check:
        c.strokePolyline({{cx - k, cy}, {cx - k * 0.25, cy + k * 0.7}, {cx + k, cy - k * 0.7}}, w, kWhite);
        break;
    case Badge::Dot:
        c.fillEllipse(cx, cy, r * 0.35, r * 0.35, kWhite);
        break;
    case Badge::Bang:
        glyph(c, '!', cx - r * 0.4, cy - r * 0.7, r * 0.8, r * 1.3, w * 0.9, kWhite);
        break;
    case Badge::Question:
        glyph(c, '?', cx - r * 0.45, cy - r * 0.68, r * 0.9, r * 1.3, w * 0.8, kWhite);
        break;
    }
}

void handle(ArtCanvas& c, double x, double y)
{
    c.fillRect(x - 2.2, y - 2.2, x + 2.2, y + 2.2, kWhite);
    c.strokeRect(x - 2.2, y - 2.2, x + 2.2, y + 2.2, 1.2, kBlue);
}

void bell(ArtCanvas& c)
{
    const Pts body = {{9, 23}, {10, 14}, {12, 9}, {16, 7}, {20, 9}, {22, 14}, {23, 23}, {26, 25.5}, {6, 25.5}};
    c.fillPolygon(body, kYellow);
    c.strokePolyline(body, 1.6, kInk, true);
    c.fillEllipse(16, 27.5, 2.6, 2.2, kInk);
    c.fillEllipse(16, 5.5, 1.8, 1.8, kInk);
}

void briefcase(ArtCanvas& c)
{
    c.strokeRect(11.5, 5, 20.5, 10, 2.2, kDarkBrown);
    c.fillRoundRect(3, 9, 29, 27, 2.5, kBrown);
    c.line(3.5, 16.5, 28.5, 16.5, 1.4, kDarkBrown);
    c.fillRect(14, 14, 18, 19.5, kYellow);
    c.strokeRect(14, 14, 18, 19.5, 1, kDarkBrown);
}

void eye(ArtCanvas& c)
{
    Pts outline = arcPoints(16, 22, 15, 13, 155, 25, 24);
    const Pts lower = arcPoints(16, 10, 15, 13, -25, -155, 24);
    outline.insert(outline.end(), lower.begin(), lower.end());
    c.fillPolygon(outline, kWhite);
    c.strokePolyline(outline, 1.6, kInk, true);
    c.fillEllipse(16, 16, 5.8, 5.8, kBlue);
    c.fillEllipse(16, 16, 2.6, 2.6, kInk);
    c.fillEllipse(14.2, 14.2, 1.2, 1.2, kWhite);
}

void receipt(ArtCanvas& c)
{
    Pts paper = {{6, 3}, {24, 3}, {24, 27}};
    for (int i = 0; i <= 6; ++i)
        paper.push_back({24 - i * 3.0, (i % 2) ? 29.5 : 27.0});
    paper.push_back({6, 3});
    c.fillPolygon(paper, kPaper);
    c.strokePolyline(paper, 1.5, kPaperEdge, true);
    for (double y : {8.0, 12.5, 17.0})
        c.line(9.5, y, 20.5, y, 1.6, kGrey);
    c.line(9.5, 21.5, 15, 21.5, 1.6, kInk);
}

void magnifier(ArtCanvas& c, double cx, double cy, double r)
{
    c.fillEllipse(cx, cy, r, r, kWhite.withAlpha(0.85f));
    c.strokeEllipse(cx, cy, r, r, 2.8, kInk);
    const double d = r * 0.72;
    c.line(cx + d + 0.8, cy + d + 0.8, cx + d + r * 0.95, cy + d + r * 0.95, 4.4, kInk);
}

void candle(ArtCanvas& c, double x, double wickTop, double bodyTop, double bodyBottom,
            double wickBottom, double halfWidth, Colour fill)
{
    c.line(x, wickTop, x, wickBottom, 1.5, kInk);
    c.fillRect(x - halfWidth, bodyTop, x + halfWidth, bodyBottom, fill);
    c.strokeRect(x - halfWidth, bodyTop, x + halfWidth, bodyBottom, 1.2, kInk);
}

void candles(ArtCanvas& c)
{
    candle(c, 7, 6, 10, 22, 27, 3, kGreen);
    candle(c, 16, 3, 7, 16, 21, 3, kRed);
    candle(c, 25, 9, 12, 25, 29, 3, kGreen);
}

void ohlcBar(ArtCanvas& c, double x, double high, double open, double close, double low, Colour col)
{
    c.line(x, high, x, low, 2.2, col);
    c.line(x - 4, open, x, open, 2.2, col);
    c.line(x, close, x + 4, close, 2.2, col);
}

void calendar(ArtCanvas& c, char letter)
{
    c.fillRect(4, 6, 28, 29, kPaper);
    c.fillRect(4, 6, 28, 12, kRed);
    c.strokeRect(4, 6, 28, 29, 1.5, kInk);
    c.line(10, 3.5, 10, 8.5, 2.2, kInk);
    c.line(22, 3.5, 22, 8.5, 2.2, kInk);
    glyph(c, letter, 10, 14.5, 12, 12, 2.6, kBlue);
}

void floppy(ArtCanvas& c, double x0, double y0, double x1, double y1)
{
    const double w = x1 - x0, h = y1 - y0;
    auto X = [=](double u) { return x0 + u * w; };
    auto Y = [=](double v) { return y0 + v * h; };
    c.fillRoundRect(x0, y0, x1, y1, w * 0.08, kDeepBlue);
    c.fillRect(X(0.22), Y(0), X(0.78), Y(0.36), kLightGrey);
    c.fillRect(X(0.56), Y(0.05), X(0.70), Y(0.30), kInk);
    c.fillRect(X(0.16), Y(0.55), X(0.84), Y(1.0) - 1, kWhite);
    c.line(X(0.26), Y(0.70), X(0.74), Y(0.70), 1.2, kGrey);
    c.line(X(0.26), Y(0.84), X(0.74), Y(0.84), 1.2, kGrey);
}

void gear(ArtCanvas& c, double cx, double cy, double outer, double inner, Colour col)
{
    Pts pts;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = (i * 360.0 / (teeth * 4) + 5.6) * 3.14159265358979 / 180.0;
        const double r = (i % 4 < 2) ? outer : inner;
        pts.push_back({cx + r * std::cos(a), cy - r * std::sin(a)});
    }
    c.fillPolygon(pts, col);
    c.strokePolyline(pts, 1.2, kInk, true);
    c.fillEllipse(cx, cy, inner * 0.42, inner * 0.42, kWhite);
    c.strokeEllipse(cx, cy, inner * 0.42, inner * 0.42, 1.2, kInk);
}

void arrowHead(ArtCanvas& c, Pt tip, Pt from, double size, Colour col)
{
    const double dx = tip.x - from.x, dy = tip.y - from.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / len, uy = dy / len;
    const Pt base{tip.x - ux * size, tip.y - uy * size};
    c.fillPolygon({tip, {base.x - uy * size * 0.6, base.y + ux * size * 0.6},
                   {base.x + uy * size * 0.6, base.y - ux * size * 0.6}},
                  col);
}

void pitchfork(ArtCanvas& c, bool withHandles)
{
    const Pt pivot{4, 27}, a{13, 9}, b{21, 21};
    const Pt mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
    const double dx = mid.x - pivot.x, dy = mid.y - pivot.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / len, uy = dy / len;
    auto extend = [&](Pt p, double t) { return Pt{p.x + ux * t, p.y + uy * t}; };
    c.line(a.x, a.y, b.x, b.y, 1.2, kGrey);
    c.strokePolyline({pivot, extend(mid, 14)}, 2.2, kRed);
    c.strokePolyline({a, extend(a, 9.5)}, 2.2, kBlue);
    c.strokePolyline({b, extend(b, 11)}, 2.2, kBlue);
    if (withHandles) {
        handle(c, pivot.x, pivot.y);
        handle(c, a.x, a.y);
        handle(c, b.x, b.y);
    }
}

std::map<std::string, ArtDrawing> makeDrawings()
{
    std::map<std::string, ArtDrawing> d;

    d["add"] = [](ArtCanvas& c) {
        c.line(16, 6, 16, 26, 5.5, kGreen);
        c.line(6, 16, 26, 16, 5.5, kGreen);
    };
    d["delete"] = [](ArtCanvas& c) {
        c.line(8, 8, 24, 24, 5, kRed);
        c.line(24, 8, 8, 24, 5, kRed);
    };

    d["alert"] = [](ArtCanvas& c) { bell(c); };
    d["alert_of_alerts"] = [](ArtCanvas& c) {
        bell(c);
        badge(c, Badge::Bang, 24, 8, 6.5);
    };
    d["alert_frame_icon"] = [](ArtCanvas& c) {
        bell(c);
        badge(c, Badge::Dot, 24, 8, 5.5);
    };
    d["alert_set"] = [](ArtCanvas& c) {
        bell(c);
        badge(c, Badge::Plus, 24, 24, 6.5);
    };
    d["alert_unseen"] = [](ArtCanvas& c) {
        bell(c);
        badge(c, Badge::Dot, 24, 8, 5.5);
    };
    d["alert_unset"] = [](ArtCanvas& c) {
        bell(c);
        badge(c, Badge::Cross, 24, 24, 6.5);
    };

    d["andrew's_pitch_fork"] = [](ArtCanvas& c) { pitchfork(c, false); };
    d["andrew's_pitch_fork_annot"] = [](ArtCanvas& c) { pitchfork(c, true); };

    d["arrow_annot"] = [](ArtCanvas& c) {
        c.line(5, 27, 22, 10, 2.6, kInk);
        arrowHead(c, {28, 4}, {5, 27}, 9, kInk);
    };
    d["both_ways_arrow_annot"] = [](ArtCanvas& c) {
        c.line(9, 23, 23, 9, 2.6, kInk);
        arrowHead(c, {28, 4}, {4, 28}, 8, kInk);
        arrowHead(c, {4, 28}, {28, 4}, 8, kInk);
    };

    d["bulb"] = [](ArtCanvas& c) {
        c.fillEllipse(16, 12.5, 9.5, 9.5, kYellow);
        c.strokeEllipse(16, 12.5, 9.5, 9.5, 1.6, kInk);
        c.strokePolyline({{13, 17}, {14, 12}, {16, 15}, {18, 12}, {19, 17}}, 1.4, kOrange);
        c.fillRect(11.5, 21, 20.5, 28, kGrey);
        c.strokeRect(11.5, 21, 20.5, 28, 1.2, kInk);
        c.line(11.5, 23.5, 20.5, 23.5, 1.1, kInk);
        c.line(11.5, 26, 20.5, 26, 1.1, kInk);
    };

    d["candle_stick"] = [](ArtCanvas& c) {
        candles(c);
        c.strokeEllipse(16, 16, 14.5, 14.5, 1.8, kOrange);
    };
    d["price_candle"] = [](ArtCanvas& c) { candles(c); };
    d["price_bar"] = [](ArtCanvas& c) {
        ohlcBar(c, 7, 8, 12, 22, 27, kGreen);
        ohlcBar(c, 16, 4, 18, 9, 22, kRed);
        ohlcBar(c, 25, 10, 14, 25, 28, kGreen);
    };
    d["price_line"] = [](ArtCanvas& c) {
        c.line(3, 28, 29, 28, 1.4, kGrey);
        c.line(3, 4, 3, 28, 1.4, kGrey);
        c.strokePolyline({{5, 24}, {10, 17}, {14, 21}, {20, 10}, {24, 14}, {29, 5}}, 2.6, kBlue);
    };
    d["volume_bars"] = [](ArtCanvas& c) {
        const double heights[] = {10, 18, 8, 22, 14};
        for (int i = 0; i < 5; ++i) {
            const double x = 3 + i * 5.6;
            const Colour col = (i % 2) ? kRed : kGreen;
            c.fillRect(x, 29 - heights[i], x + 4.2, 29, col);
            c.strokeRect(x, 29 - heights[i], x + 4.2, 29, 1, kInk);
        }
    };

    d["chart_frame"] = [](ArtCanvas& c) {
        windowWithTitleBar(c);
        c.strokePolyline({{5, 24}, {10, 17}, {15, 20}, {21, 13}, {27, 15}}, 2.2, kGreen);
    };
    d["pnf_frame"] = [](ArtCanvas& c) {
        windowWithTitleBar(c);
        for (double y : {14.0, 19.0, 24.0}) {
            c.line(6, y - 2, 10, y + 2, 1.6, kGreen);
            c.line(10, y - 2, 6, y + 2, 1.6, kGreen);
        }
        for (double y : {17.0, 22.0})
            c.strokeEllipse(16, y, 2.2, 2.2, 1.5, kRed);
        for (double y : {13.0, 18.0}) {
            c.line(22, y - 2, 26, y + 2, 1.6, kGreen);
            c.line(26, y - 2, 22, y + 2, 1.6, kGreen);
        }
    };
    d["connected_lines_annot"] = [](ArtCanvas& c) {
        const Pts pts = {{4, 25}, {11, 11}, {19, 20}, {28, 6}};
        c.strokePolyline(pts, 2.2, kInk);
        for (const Pt& p : pts)
            c.fillEllipse(p.x, p.y, 2.6, 2.6, kBlue);
    };
    d["copy_chart"] = [](ArtCanvas& c) {
        chartOnSheet(c, 11, 3, 29, 22);
        chartOnSheet(c, 3, 10, 21, 29);
    };
    d["export_chart"] = [](ArtCanvas& c) {
        chartOnSheet(c, 3, 3, 21, 29);
        c.line(14, 21, 24, 21, 3.2, kGreen);
        arrowHead(c, {31, 21}, {14, 21}, 8.5, kGreen);
    };
    d["new_chart"] = [](ArtCanvas& c) {
        chartOnSheet(c, 4, 3, 23, 29);
        badge(c, Badge::Plus, 24, 24, 6.5);
    };
    d["new_pnf_chart"] = [](ArtCanvas& c) {
        sheet(c, 4, 3, 23, 29);
        for (double y : {8.0, 13.0, 18.0}) {
            c.line(7, y - 2, 11, y + 2, 1.6, kRed);
            c.line(11, y - 2, 7, y + 2, 1.6, kRed);
        }
        for (double y : {11.0, 16.0, 21.0})
            c.strokeEllipse(17, y, 2.2, 2.2, 1.5, kBlue);
        badge(c, Badge::Plus, 24, 24, 6.5);
    };
    d["system_tester"] = [](ArtCanvas& c) {
        chartOnSheet(c, 4, 3, 23, 29);
        badge(c, Badge::Check, 24, 24, 6.5);
    };
    d["simple_system_test_report"] = [](ArtCanvas& c) {
        sheet(c, 5, 2, 27, 30);
        for (double y : {8.0, 13.0, 18.0, 23.0}) {
            c.line(8, y, 11, y, 2, y == 18.0 ? kRed : kGreen);
            c.line(13, y, 24, y, 1.4, kGrey);
        }
    };
    d["template"] = [](ArtCanvas& c) {
        sheet(c, 10, 2, 28, 22);
        sheet(c, 7, 5, 25, 25);
        sheet(c, 4, 8, 22, 29);
        c.strokePolyline({{6, 24}, {10, 19}, {14, 21}, {20, 13}}, 1.8, kBlue);
        c.strokePolyline({{6, 16}, {10, 18}, {14, 14}, {20, 17}}, 1.8, kRed);
    };
    d["save_template"] = [](ArtCanvas& c) {
        floppy(c, 2, 2, 22, 22);
        sheet(c, 15, 13, 30, 30);
        c.strokePolyline({{17, 26}, {20, 21}, {23, 23}, {28, 16}}, 1.8, kBlue);
    };
    d["save"] = [](ArtCanvas& c) { floppy(c, 4, 4, 28, 28); };

    d["corvane_logo_main"] = [](ArtCanvas& c) {
        c.strokePolyline(arcPoints(16, 16, 12, 12, 45, 315, 60), 5.5, kDeepBlue);
        c.strokePolyline({{10, 21}, {14.5, 16}, {17.5, 18.5}, {24, 11}}, 2.6, kOrange);
        arrowHead(c, {27.5, 7}, {17.5, 18.5}, 6, kOrange);
    };
    d["trendoria"] = [](ArtCanvas& c) {
        c.fillRoundRect(1, 1, 31, 31, 6, kDeepBlue);
        c.line(9, 9, 9, 25, 1.5, kLightBlue);
        c.fillRect(7, 13, 11, 22, kLightBlue);
        c.line(16, 7, 16, 22, 1.5, kLightBlue);
        c.fillRect(14, 10, 18, 18, kWhite);
        c.line(23, 12, 23, 27, 1.5, kLightBlue);
        c.fillRect(21, 15, 25, 24, kLightBlue);
        c.strokePolyline({{4, 25}, {11, 18}, {17, 21}, {24, 12}}, 2.6, kOrange);
        arrowHead(c, {28.5, 6.5}, {24, 12}, 6, kOrange);
    };

    d["daily"] = [](ArtCanvas& c) { calendar(c, 'D'); };
    d["weekly"] = [](ArtCanvas& c) { calendar(c, 'W'); };
    d["monthly"] = [](ArtCanvas& c) { calendar(c, 'M'); };
    d["quarterly"] = [](ArtCanvas& c) { calendar(c, 'Q'); };
    d["yearly"] = [](ArtCanvas& c) { calendar(c, 'Y'); };

    d["database"] = [](ArtCanvas& c) {
        c.fillEllipse(16, 25, 11, 4, kBlue);
        c.fillRect(5, 8, 27, 25, kBlue);
        c.fillEllipse(16, 8, 11, 4, kLightBlue);
        c.strokeEllipse(16, 8, 11, 4, 1.4, kInk);
        c.strokePolyline(arcPoints(16, 14.5, 11, 4, 180, 360, 30), 1.2, kLightBlue);
        c.strokePolyline(arcPoints(16, 20, 11, 4, 180, 360, 30), 1.2, kLightBlue);
        c.strokePolyline(arcPoints(16, 25, 11, 4, 180, 360, 30), 1.4, kInk);
        c.line(5, 8, 5, 25, 1.4, kInk);
        c.line(27, 8, 27, 25, 1.4, kInk);
    };

    d["double_top"] = [](ArtCanvas& c) {
        c.line(3, 8, 29, 8, 1.2, kGrey);
        c.strokePolyline({{3, 27}, {9, 8}, {16, 19}, {23, 8}, {29, 27}}, 2.6, kRed);
    };
    d["head_and_shoulders"] = [](ArtCanvas& c) {
        c.line(3, 21, 29, 21, 1.2, kGrey);
        c.strokePolyline({{2, 28}, {7, 14}, {11, 21}, {16, 5}, {21, 21}, {25, 14}, {30, 28}}, 2.4, kRed);
    };
    d["zigzag"] = [](ArtCanvas& c) {
        const Pts pts = {{3, 24}, {9, 8}, {16, 21}, {22, 5}, {29, 18}};
        c.strokePolyline(pts, 2.4, kOrange);
        for (const Pt& p : pts)
            c.fillEllipse(p.x, p.y, 2, 2, kInk);
    };

    d["fib_retracements"] = [](ArtCanvas& c) {
        const double ys[] = {5, 11, 15, 19, 27};
        const Colour cols[] = {kRed, kOrange, kGreen, kBlue, kPurple};
        for (int i = 0; i < 5; ++i)
            c.line(3, ys[i], 29, ys[i], 1.6, cols[i]);
        c.line(5, 27, 27, 5, 2.2, kInk);
    };

    d["google"] = [](ArtCanvas& c) {
        c.fillEllipse(16, 16, 14, 14, kBlue);
        glyph(c, 'G', 8.5, 8, 15, 16, 3.2, kWhite);
    };
    d["yahoo"] = [](ArtCanvas& c) {
        c.fillEllipse(16, 16, 14, 14, kPurple);
        glyph(c, 'Y', 9, 8, 14, 16, 3.4, kWhite);
    };

    d["help"] = [](ArtCanvas& c) {
        c.fillEllipse(16, 16, 14, 14, kBlue);
        glyph(c, '?', 10, 6, 12, 20, 3.4, kWhite);
    };
    d["indic_help"] = [](ArtCanvas& c) {
        c.line(2, 16, 22, 16, 1.2, kGrey);
        c.strokePolyline({{2, 20}, {6, 10}, {10, 8}, {14, 15}, {18, 22}, {22, 18}}, 2.4, kGreen);
        badge(c, Badge::Question, 23, 23, 8);
    };
    d["indicator"] = [](ArtCanvas& c) {
        c.line(2, 18, 30, 18, 1.2, kGrey);
        const double bars[] = {-3, -6, -4, 2, 5, 7, 4};
        for (int i = 0; i < 7; ++i) {
            const double x = 4 + i * 4;
            const double y = 18 - bars[i];
            c.fillRect(x - 1.3, std::min(18.0, y), x + 1.3, std::max(18.0, y),
                       Colour(0.35f, 0.66f, 0.82f));
        }
        c.strokePolyline({{2, 25}, {7, 14}, {12, 8}, {17, 12}, {22, 22}, {27, 24}, {30, 20}}, 2.4,
                         kGreen);
    };

    d["horizontal_line_annot"] = [](ArtCanvas& c) {
        c.line(2, 16, 30, 16, 2.6, kInk);
        handle(c, 8, 16);
        handle(c, 24, 16);
    };
    d["vertical_line_annot"] = [](ArtCanvas& c) {
        c.line(16, 2, 16, 30, 2.6, kInk);
        handle(c, 16, 8);
        handle(c, 16, 24);
    };
    d["line_annot"] = [](ArtCanvas& c) {
        c.line(1, 29, 31, 3, 2.4, kInk);
        handle(c, 10, 21.2);
        handle(c, 22, 10.8);
    };
    d["trend_line_annot"] = [](ArtCanvas& c) {
        c.line(6, 25, 26, 7, 2.6, kInk);
        handle(c, 6, 25);
        handle(c, 26, 7);
    };
    d["ray_annot"] = [](ArtCanvas& c) {
        c.line(6, 25, 31, 5, 2.6, kInk);
        c.fillEllipse(6, 25, 3.2, 3.2, kBlue);
    };
    d["parallel_lines_annot"] = [](ArtCanvas& c) {
        c.line(3, 20, 21, 4, 2.6, kInk);
        c.line(11, 28, 29, 12, 2.6, kInk);
    };
    d["regression_channel"] = [](ArtCanvas& c) {
        c.line(3, 17, 29, 3, 1.5, kGrey);
        c.line(3, 29, 29, 15, 1.5, kGrey);
        c.line(3, 23, 29, 9, 2.4, kBlue);
        const Pt dots[] = {{6, 19}, {10, 23}, {14, 17}, {18, 19}, {22, 11}, {26, 14}};
        for (const Pt& p : dots)
            c.fillEllipse(p.x, p.y, 1.6, 1.6, kInk);
    };
    d["oval_annot"] = [](ArtCanvas& c) {
        c.fillEllipse(16, 16, 13, 9, kLightBlue.withAlpha(0.45f));
        c.strokeEllipse(16, 16, 13, 9, 2.4, kInk);
    };
    d["rectangle_annot"] = [](ArtCanvas& c) {
        c.fillRect(4, 8, 28, 24, kLightBlue.withAlpha(0.45f));
        c.strokeRect(4, 8, 28, 24, 2.4, kInk);
    };
    d["triangle_annot"] = [](ArtCanvas& c) {
        const Pts t = {{16, 4}, {29, 27}, {3, 27}};
        c.fillPolygon(t, kLightBlue.withAlpha(0.45f));
        c.strokePolyline(t, 2.4, kInk, true);
    };
    d["text_annot"] = [](ArtCanvas& c) {
        glyph(c, 'T', 7, 5, 18, 21, 4.2, kInk);
        c.line(5, 29, 27, 29, 1.4, kGrey);
    };

    d["log_scale"] = [](ArtCanvas& c) {
        c.line(6, 3, 6, 29, 1.6, kInk);
        for (int k = 1; k <= 10; ++k) {
            const double y = 28 - 24 * std::log10(static_cast<double>(k));
            c.line(6, y, (k == 1 || k == 10) ? 12 : 9.5, y, 1.3, kInk);
        }
        Pts curve;
        for (int i = 0; i <= 20; ++i) {
            const double x = 9 + i;
            curve.push_back({x, 28 - 22 * (std::exp(i / 7.0) - 1) / (std::exp(20 / 7.0) - 1)});
        }
        c.strokePolyline(curve, 2.2, kBlue);
    };

    d["manage_systems"] = [](ArtCanvas& c) {
        gear(c, 14, 15, 12, 8.5, kLightBlue);
        badge(c, Badge::Pencil, 24, 24, 6.5);
    };
    d["preference"] = [](ArtCanvas& c) {
        const double ys[] = {7, 16, 25};
        const double knobs[] = {12, 22, 9};
        for (int i = 0; i < 3; ++i) {
            c.line(4, ys[i], 28, ys[i], 2, kGrey);
            c.fillEllipse(knobs[i], ys[i], 3.6, 3.6, kBlue);
            c.strokeEllipse(knobs[i], ys[i], 3.6, 3.6, 1.2, kInk);
        }
    };

    d["open"] = [](ArtCanvas& c) {
        const Pts back = {{3, 7}, {12, 7}, {14.5, 10}, {28, 10}, {28, 26}, {3, 26}};
        c.fillPolygon(back, kOrange);
        c.strokePolyline(back, 1.4, kInk, true);
        const Pts front = {{7, 14}, {31, 14}, {27, 26}, {3, 26}};
        c.fillPolygon(front, kYellow);
        c.strokePolyline(front, 1.4, kInk, true);
    };

    d["portfolio"] = [](ArtCanvas& c) { briefcase(c); };
    d["portfolio_add"] = [](ArtCanvas& c) {
        briefcase(c);
        badge(c, Badge::Plus, 24, 24, 6.5);
    };
    d["portfolio_remove"] = [](ArtCanvas& c) {
        briefcase(c);
        badge(c, Badge::Minus, 24, 24, 6.5);
    };
    d["portfolio_rename"] = [](ArtCanvas& c) {
        briefcase(c);
        badge(c, Badge::Pencil, 24, 24, 6.5);
    };
    d["watchlist_add"] = [](ArtCanvas& c) {
        eye(c);
        badge(c, Badge::Plus, 24, 24, 6.5);
    };
    d["watchlist_remove"] = [](ArtCanvas& c) {
        eye(c);
        badge(c, Badge::Minus, 24, 24, 6.5);
    };
    d["watchlist_rename"] = [](ArtCanvas& c) {
        eye(c);
        badge(c, Badge::Pencil, 24, 24, 6.5);
    };
    d["transaction_add"] = [](ArtCanvas& c) {
        receipt(c);
        badge(c, Badge::Plus, 24, 24, 6.5);
    };
    d["transaction_remove"] = [](ArtCanvas& c) {
        receipt(c);
        badge(c, Badge::Minus, 24, 24, 6.5);
    };

    d["signal_marker"] = [](ArtCanvas& c) {
        const Pts up = {{8.5, 3}, {15, 12}, {11, 12}, {11, 22}, {6, 22}, {6, 12}, {2, 12}};
        c.fillPolygon(up, kGreen);
        c.strokePolyline(up, 1.2, kInk, true);
        const Pts down = {{23.5, 29}, {30, 20}, {26, 20}, {26, 10}, {21, 10}, {21, 20}, {17, 20}};
        c.fillPolygon(down, kRed);
        c.strokePolyline(down, 1.2, kInk, true);
    };
    d["snap_to_price"] = [](ArtCanvas& c) {
        c.strokePolyline(arcPoints(16, 15, 9, 9, 180, 360, 40), 6, kRed);
        c.line(7, 6, 7, 15, 6, kRed);
        c.line(25, 6, 25, 15, 6, kRed);
        c.fillRect(3.5, 2, 10.5, 7, kLightGrey);
        c.fillRect(21.5, 2, 28.5, 7, kLightGrey);
        c.strokeRect(3.5, 2, 10.5, 7, 1, kInk);
        c.strokeRect(21.5, 2, 28.5, 7, 1, kInk);
    };

    d["stock_find_long_result"] = [](ArtCanvas& c) {
        const Pts t = {{16, 4}, {29, 27}, {3, 27}};
        c.fillPolygon(t, kGreen);
        c.strokePolyline(t, 1.4, kInk, true);
    };
    d["stock_find_short_result"] = [](ArtCanvas& c) {
        const Pts t = {{3, 5}, {29, 5}, {16, 28}};
        c.fillPolygon(t, kRed);
        c.strokePolyline(t, 1.4, kInk, true);
    };
    d["stock_find_mixed_result"] = [](ArtCanvas& c) {
        const Pts up = {{16, 2}, {29, 15}, {3, 15}};
        const Pts down = {{3, 17}, {29, 17}, {16, 30}};
        c.fillPolygon(up, kGreen);
        c.fillPolygon(down, kRed);
        c.strokePolyline(up, 1.2, kInk, true);
        c.strokePolyline(down, 1.2, kInk, true);
    };
    d["stock_idea"] = [](ArtCanvas& c) {
        c.strokePolyline({{3, 28}, {9, 23}, {13, 25}, {19, 18}}, 2, kGrey);
        magnifier(c, 13, 13, 9);
        c.strokePolyline({{8, 17}, {11, 13}, {14, 15}, {18, 9}}, 2.2, kGreen);
    };

    d["zoom_in_width"] = [](ArtCanvas& c) {
        magnifier(c, 13, 13, 10);
        c.line(8, 13, 18, 13, 2.8, kBlue);
        c.line(13, 8, 13, 18, 2.8, kBlue);
    };
    d["zoom_out_width"] = [](ArtCanvas& c) {
        magnifier(c, 13, 13, 10);
        c.line(8, 13, 18, 13, 2.8, kBlue);
    };

    return d;
}

} // namespace

const std::map<std::string, ArtDrawing>& artDrawings()
{
    static const std::map<std::string, ArtDrawing> drawings = makeDrawings();
    return drawings;
}
