#include "chart/canvas/GDIPlusPath.h"

#include <algorithm>

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "platform/classes/Published.h"
#include "platform/graphics/GdiPlus.h"

TV_PUBLISHED(TZebGDIPlusPath) {}

TZebGDIPlusPath::TZebGDIPlusPath(TGDIPlusCanvas& canvas)
    : canvas_(canvas), path_(std::make_unique<TGPGraphicsPath>(FillModeAlternate))
{
}

TZebGDIPlusPath::~TZebGDIPlusPath() = default;

void TZebGDIPlusPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle)
{
    path_->AddArc(GPCoord(x), GPCoord(y), GPCoord(width), GPCoord(height), GPCoord(startAngle), GPCoord(sweepAngle));
}

void TZebGDIPlusPath::CloseFigure() { path_->CloseFigure(); }

void TZebGDIPlusPath::AddPoints(std::span<const TPoint> points, float tension, bool closed)
{
    if (points.empty()) return;
    const auto count = static_cast<int>(points.size());
    if (closed)
        path_->AddClosedCurve2I(points.data(), count, tension);
    else
        path_->AddCurve2I(points.data(), count, tension);
    x_ = static_cast<float>(points.back().X);
    y_ = static_cast<float>(points.back().Y);
}

void TZebGDIPlusPath::DrawWith(TZebCanvas& canvas)
{
    auto* target = dynamic_cast<TGDIPlusCanvas*>(&canvas);
    TGDIPlusCanvas& c = target ? *target : canvas_;
    TGPGraphics* graphics = c.GetGraphics();
    if (!graphics) return;
    TGPRectF box;
    path_->GetWorldBounds(box);
    const TFloatRect bounds{box.X, box.Y, box.X + box.Width, box.Y + box.Height};
    if (c.Brush()->Style() != bsClear) {
        TGPBrush* brush = nullptr;
        if (c.HasBrushGradient()) {
            std::vector<Byte> types;
            std::vector<TPointFloat> points;
            TFloatRect unused;
            GetPathData(types, points, unused);
            brush = c.BrushForPoints(points);
        } else {
            brush = c.PlainBrush();
        }
        if (brush) graphics->FillPath(*brush, *path_);
    }
    if (!c.PreparePen()) return;
    c.PenFillForRect(bounds);
    graphics->DrawPath(*c.LayerPen(), *path_);
}

void TZebGDIPlusPath::GetPathData(std::vector<Byte>& types, std::vector<TPointFloat>& points, TFloatRect& bounds)
{
    types.clear();
    points.clear();
    bounds = {};
    const int count = path_->GetPointCount();
    if (count > 0) {
        std::vector<TGPPointF> pts(static_cast<std::size_t>(count));
        types.resize(static_cast<std::size_t>(count));
        path_->GetPathPoints(pts.data(), count);
        path_->GetPathTypes(types.data(), count);
        points.reserve(pts.size());
        for (const TGPPointF& p : pts) points.push_back({p.X, p.Y});
    }
    TGPRectF box;
    path_->GetWorldBounds(box);
    bounds = {box.X, box.Y, box.X + box.Width, box.Y + box.Height};
}

// Within the open figure the line starts where the path stands (a move only sets that point).
void TZebGDIPlusPath::AddLineTo(float x, float y)
{
    x = GPCoord(x), y = GPCoord(y);
    path_->AddLine(x_, y_, x, y);
    x_ = x, y_ = y;
}

void TZebGDIPlusPath::MoveToXY(float x, float y)
{
    x_ = GPCoord(x);
    y_ = GPCoord(y);
}

void TZebGDIPlusPath::AddText(const String& text, float x, float y)
{
    canvas_.GetGraphics();
    const TGPFont* font = canvas_.LayerFont();
    if (!font) return;
    TGPFontFamily family;
    font->GetFamily(family);
    path_->AddString(text, &family, FontStyleRegular, static_cast<float>(-canvas_.Font()->Height()),
                     MakeRect(GPCoord(x), GPCoord(y), 0, 0), nullptr);
}

void TZebGDIPlusPath::Replace(std::span<const TPointFloat> points, std::span<const Byte> types)
{
    const std::size_t count = std::min(points.size(), types.size());
    std::vector<TGPPointF> pts;
    pts.reserve(count);
    for (std::size_t i = 0; i < count; ++i) pts.push_back({GPCoord(points[i].X), GPCoord(points[i].Y)});
    path_ = std::make_unique<TGPGraphicsPath>(pts.data(), types.data(), static_cast<int>(count), FillModeAlternate);
}
