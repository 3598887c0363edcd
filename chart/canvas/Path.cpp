#include "chart/canvas/Path.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TZebBasePath) {}
TV_PUBLISHED(TZebPath) {}

TZebPath::TZebPath(TZebCanvas& canvas) : canvas_(canvas) {}

void TZebPath::lineTo(TPoint p)
{
    if (!figureOpen_) {
        steps_.push_back({Step::Move, {current_}, {}});
        figureOpen_ = true;
        last_ = current_;
    } else if (last_ != current_) {
        // A move inside an open figure is joined by a line, as the antialiased path does.
        steps_.push_back({Step::Line, {current_}, {}});
    }
    steps_.push_back({Step::Line, {p}, {}});
    last_ = current_ = p;
}

void TZebPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle)
{
    const double rx = width / 2.0, ry = height / 2.0, cx = x + rx, cy = y + ry;
    const double arcLength = std::fabs(sweepAngle) * std::numbers::pi / 180 * std::max(std::fabs(rx), std::fabs(ry));
    const int segments = std::max(1, static_cast<int>(std::ceil(arcLength)));
    auto at = [&](int i) {
        const double a = (startAngle + static_cast<double>(sweepAngle) * i / segments) * std::numbers::pi / 180;
        return TPoint{RoundHalfEven(cx + rx * std::cos(a)), RoundHalfEven(cy + ry * std::sin(a))};
    };
    // The arc joins the open figure from its last point, wherever the current point was moved.
    current_ = figureOpen_ ? last_ : at(0);
    lineTo(at(0));
    for (int i = 1; i <= segments; ++i) lineTo(at(i));
}

void TZebPath::CloseFigure()
{
    if (figureOpen_) steps_.push_back({Step::Close, {current_}, {}});
    figureOpen_ = false;
}

void TZebPath::AddPoints(std::span<const TPoint> points, float tension, bool closed)
{
    (void)tension;
    if (points.empty()) return;
    if (closed) {
        steps_.push_back({Step::Polygon, {points.begin(), points.end()}, {}});
        figureOpen_ = false;
        current_ = points.back();
        return;
    }
    for (const TPoint& p : points) lineTo(p);
}

void TZebPath::AddLineTo(float x, float y) { lineTo({RoundHalfEven(x), RoundHalfEven(y)}); }

void TZebPath::MoveToXY(float x, float y) { current_ = {RoundHalfEven(x), RoundHalfEven(y)}; }

void TZebPath::AddText(const String& text, float x, float y)
{
    steps_.push_back({Step::Text, {{RoundHalfEven(x), RoundHalfEven(y)}}, text});
}

int TZebPath::FigureCount() const
{
    return static_cast<int>(std::count_if(
        steps_.begin(), steps_.end(), [](const Step& s) { return s.kind == Step::Move || s.kind == Step::Polygon; }));
}

void TZebPath::replay(HDC dc) const
{
    dc->BeginPath();
    for (const Step& s : steps_) {
        switch (s.kind) {
        case Step::Move: dc->MoveTo(s.points[0].X, s.points[0].Y); break;
        case Step::Line: dc->LineTo(s.points[0].X, s.points[0].Y); break;
        case Step::Close: dc->CloseFigure(); break;
        case Step::Polygon:
            dc->Polygon(s.points.data(), static_cast<int>(s.points.size()));
            dc->MoveTo(s.points.back().X, s.points.back().Y);
            break;
        case Step::Text: dc->TextOut(s.points[0].X, s.points[0].Y, s.text); break;
        }
    }
    dc->EndPath();
}

void TZebPath::DrawWith(TZebCanvas& canvas)
{
    HDC dc = canvas.GetDeviceContext();
    if (!dc) return;
    const bool pen = canvas.Pen()->Visible() && canvas.Pen()->Style() != psClear;
    bool fill = canvas.Brush()->Style() != bsClear;
    auto clipped = [&](auto paint) {
        const int saved = dc->SaveDC();
        try {
            replay(dc);
            dc->SelectClipPath(RGN_AND);
            TRect box;
            dc->GetClipBox(box);
            paint(box);
        } catch (...) {
            dc->RestoreDC(saved);
            throw;
        }
        dc->RestoreDC(saved);
    };
    if (canvas.Brush()->HasImage()) {
        fill = false;
        clipped([&](const TRect& box) { canvas.StretchGraphic(box, canvas.Brush()->Image()->GetFilteredGraphic()); });
    } else if (canvas.HasBrushGradient()) {
        fill = false;
        clipped([&](const TRect& box) { canvas.Brush()->Gradient()->Draw(canvas, box, 0); });
    }
    if (!pen && !fill) return;
    replay(dc);
    if (pen && fill)
        dc->StrokeAndFillPath();
    else if (pen)
        dc->StrokePath();
    else
        dc->FillPath();
}
