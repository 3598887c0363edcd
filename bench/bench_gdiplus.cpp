// The antialiased object layer beside plain QPainter on the same 697 x 377 image: what the layer
// adds per call (the shared painter's scope, pen and brush set-up) and what its own fills cost.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GdiPlus.h"

namespace {

constexpr int W = 697, H = 377;

std::vector<TPoint> trace(int n)
{
    std::vector<TPoint> pts(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        pts[std::size_t(i)] = {i * (W - 1) / std::max(1, n - 1), int(H / 2 + (H / 3) * std::sin(i * 0.05))};
    return pts;
}

struct Layer {
    Layer() : bmp(W, H, pf32bit)
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        StartGdiPlus();
        g = std::make_unique<TGPGraphics>(bmp.Canvas()->Handle());
        g->SetSmoothingMode(SmoothingModeHighQuality);
        g->SetPixelOffsetMode(PixelOffsetModeHighQuality);
    }
    TBitmap bmp;
    std::unique_ptr<TGPGraphics> g;
};

void BM_LayerPolyline(benchmark::State& state)
{
    Layer l;
    const auto pts = trace(int(state.range(0)));
    TGPPen pen(0xFF0000FF, 2);
    pen.SetLineJoin(LineJoinRound);
    pen.SetLineCap(LineCapRound, LineCapRound, DashCapRound);
    for (auto _ : state) {
        l.g->DrawLinesI(pen, pts.data(), int(pts.size()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LayerPolyline)->Arg(300)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_QPainterPolyline(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QImage img(W, H, QImage::Format_RGB32);  // as a 32-bit bitmap stores it
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const auto pts = trace(int(state.range(0)));
    QPolygonF poly;
    for (const TPoint& t : pts) poly << QPointF(t.X, t.Y);
    p.setPen(QPen(QColor(0, 0, 255), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (auto _ : state) {
        p.drawPolyline(poly);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_QPainterPolyline)->Arg(300)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Line runs drawn one segment per call, as cached line drawing does.
void BM_LayerSegments(benchmark::State& state)
{
    Layer l;
    l.g->SetSmoothingMode(SmoothingModeHighSpeed);
    const auto pts = trace(300);
    TGPPen pen(0xFF0000FF, 2);
    for (auto _ : state) {
        for (std::size_t i = 1; i < pts.size(); ++i)
            l.g->DrawLine(pen, float(pts[i - 1].X), float(pts[i - 1].Y), float(pts[i].X), float(pts[i].Y));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LayerSegments)->Unit(benchmark::kMicrosecond);

void BM_LayerFill(benchmark::State& state)
{
    Layer l;
    std::unique_ptr<TGPBrush> brush;
    const TGPColor colors[3] = {0xFF0000FF, 0x80FFFFFF, 0xFFFF0000};
    const float positions[3] = {0, 0.3f, 1};
    TGPGraphicsPath ellipse, rect;
    ellipse.AddEllipse(-W / 4.0f, -H / 4.0f, W * 1.5f, H * 1.5f);
    rect.AddRectangle(MakeRect(0, 0, W + 1, H + 1));
    switch (state.range(0)) {
    case 0: {
        auto b = std::make_unique<TGPLinearGradientBrush>(MakeRect(0, 0, W + 1, H + 1), 0, 0,
                                                          LinearGradientModeVertical);
        b->SetPresetBlend(colors, positions, 3);
        brush = std::move(b);
        state.SetLabel("linear");
        break;
    }
    case 1: {
        auto b = std::make_unique<TGPPathGradientBrush>(ellipse);
        b->SetPresetBlend(colors, positions, 3);
        b->SetCenterPoint({W / 2.0f + 40, H / 2.0f});
        brush = std::move(b);
        state.SetLabel("radial");
        break;
    }
    case 2: {
        auto b = std::make_unique<TGPPathGradientBrush>(rect);
        b->SetPresetBlend(colors, positions, 3);
        brush = std::move(b);
        state.SetLabel("rectangular path");
        break;
    }
    default:
        brush = std::make_unique<TGPHatchBrush>(HatchStyleDiagonalBrick, 0xFF000080, 0xFFFFFFFF);
        state.SetLabel("hatch");
    }
    for (auto _ : state) {
        l.g->FillRectangleI(*brush, 0, 0, W, H);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LayerFill)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_QPainterLinearFill(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QImage img(W, H, QImage::Format_RGB32);  // as a 32-bit bitmap stores it
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, H);
    g.setStops({{0, QColor(255, 0, 0)}, {0.7, QColor(255, 255, 255, 128)}, {1, QColor(0, 0, 255)}});
    for (auto _ : state) {
        p.fillRect(QRectF(0, 0, W, H), QBrush(g));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_QPainterLinearFill)->Unit(benchmark::kMicrosecond);

}  // namespace
