// The antialiased chart canvas beside plain antialiased QPainter on an image of the main window's
// chart size (697 x 377): polylines of a line series, cached line runs, labels, gradient and hatch
// fills, 3-D boxes and a stretched transparent bitmap. Each pair draws the same thing; the QPainter
// figure is what the canvas may add next to nothing to.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

constexpr int W = 697, H = 377;

struct TFrame {
    TBitmap window{W, H, pf32bit};
    TView3DOptions options;
    TGDIPlusCanvas canvas;
    explicit TFrame(bool is3D = false)
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        canvas.PrepareView(window.Canvas(), is3D ? &options : nullptr, clWhite, is3D, {0, 0, W, H});
        if (is3D) canvas.SetupProjection(20, {0, 0, W, H}, {0, 0, W, H});
        canvas.SetBackgroundMode(TRANSPARENT);
    }
};

std::vector<TPoint> wave(int count)
{
    std::vector<TPoint> points(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        points[static_cast<std::size_t>(i)] = {static_cast<int>(static_cast<long long>(i) * (W - 1) / (count - 1)),
                                               H / 2 + static_cast<int>(std::lround(150 * std::sin(i * 0.05)))};
    return points;
}

std::vector<QPoint> qwave(int count)
{
    std::vector<QPoint> out;
    for (const TPoint& p : wave(count)) out.emplace_back(p.X, p.Y);
    return out;
}

struct TPainterFrame {
    QImage image{W, H, QImage::Format_ARGB32_Premultiplied};
    TPainterFrame() { image.fill(Qt::white); }
};

QPen roundPen()
{
    QPen pen(QColor(255, 0, 0), 2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// ---- polylines ----

void BM_Polyline_Canvas(benchmark::State& state)
{
    TFrame f;
    const auto points = wave(static_cast<int>(state.range(0)));
    f.canvas.Pen()->SetColor(clRed);
    f.canvas.Pen()->SetWidth(2);
    for (auto _ : state) f.canvas.Polyline(points);
}
BENCHMARK(BM_Polyline_Canvas)->Arg(300)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_Polyline_QPainter(benchmark::State& state)
{
    TFrame canvasFirst;  // the application and fonts, as the canvas has them
    TPainterFrame f;
    const auto points = qwave(static_cast<int>(state.range(0)));
    QPainter p(&f.image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(roundPen());
    for (auto _ : state) p.drawPolyline(points.data(), static_cast<int>(points.size()));
}
BENCHMARK(BM_Polyline_QPainter)->Arg(300)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Fast line runs: one cached segment after another, unsmoothed.
void BM_LineToCached_Canvas(benchmark::State& state)
{
    TFrame f;
    const auto points = wave(static_cast<int>(state.range(0)));
    f.canvas.Pen()->SetColor(clRed);
    f.canvas.Pen()->SetWidth(2);
    for (auto _ : state) {
        f.canvas.CacheDeviceContext(true);
        f.canvas.MoveTo(points[0].X, points[0].Y);
        for (std::size_t i = 1; i < points.size(); ++i) f.canvas.LineToCached(points[i].X, points[i].Y);
        f.canvas.CacheDeviceContext(false);
    }
}
BENCHMARK(BM_LineToCached_Canvas)->Arg(300)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_LineToCached_QPainter(benchmark::State& state)
{
    TFrame canvasFirst;
    TPainterFrame f;
    const auto points = qwave(static_cast<int>(state.range(0)));
    QPainter p(&f.image);
    p.setPen(roundPen());
    for (auto _ : state)
        for (std::size_t i = 1; i < points.size(); ++i) p.drawLine(points[i - 1], points[i]);
}
BENCHMARK(BM_LineToCached_QPainter)->Arg(300)->Arg(100000)->Unit(benchmark::kMicrosecond);

// ---- text ----

void BM_Labels40_Canvas(benchmark::State& state)
{
    TFrame f;
    f.canvas.Font()->SetName("Arial");
    f.canvas.Font()->SetSize(8);
    for (auto _ : state)
        for (int i = 0; i < 40; ++i) f.canvas.TextOut(10 + (i % 8) * 80, 20 + (i / 8) * 60, "-12.5");
}
BENCHMARK(BM_Labels40_Canvas)->Unit(benchmark::kMicrosecond);

void BM_Labels40_QPainter(benchmark::State& state)
{
    TFrame canvasFirst;
    TPainterFrame f;
    QPainter p(&f.image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(QFont("Liberation Sans", 8));
    p.setPen(Qt::black);
    for (auto _ : state)
        for (int i = 0; i < 40; ++i) p.drawText(10 + (i % 8) * 80, 32 + (i / 8) * 60, "-12.5");
}
BENCHMARK(BM_Labels40_QPainter)->Unit(benchmark::kMicrosecond);

void BM_Measure1000_Canvas(benchmark::State& state)
{
    TFrame f;
    f.canvas.Font()->SetName("Arial");
    f.canvas.Font()->SetSize(8);
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(f.canvas.TextWidth("-12.5"));
}
BENCHMARK(BM_Measure1000_Canvas)->Unit(benchmark::kMicrosecond);

void BM_Measure1000_QPainter(benchmark::State& state)
{
    TFrame canvasFirst;
    const QFontMetricsF metrics(QFont("Liberation Sans", 8));
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(metrics.horizontalAdvance("-12.5"));
}
BENCHMARK(BM_Measure1000_QPainter)->Unit(benchmark::kMicrosecond);

// ---- fills of the whole frame: 0 linear, 1 radial, 2 rectangular path gradient, 3 hatch ----

void BM_Fill_Canvas(benchmark::State& state)
{
    TFrame f;
    f.canvas.Pen()->SetStyle(psClear);
    const int kind = static_cast<int>(state.range(0));
    if (kind == 3) {
        f.canvas.Brush()->SetStyle(bsCross);
        f.canvas.Brush()->SetColor(clNavy);
        f.canvas.Brush()->SetBackColor(clWhite);
    } else {
        TZebGradient& g = *f.canvas.Brush()->Gradient();
        g.SetStartColor(clNavy);
        g.SetEndColor(clYellow);
        g.SetDirection(kind == 0 ? gdTopBottom : kind == 1 ? gdRadial : gdFromCenter);
        g.SetVisible(true);
    }
    for (auto _ : state) f.canvas.FillRectangle({0, 0, W, H});
}
BENCHMARK(BM_Fill_Canvas)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_Fill_QPainter(benchmark::State& state)
{
    TFrame canvasFirst;
    TPainterFrame f;
    QPainter p(&f.image);
    p.setRenderHint(QPainter::Antialiasing);
    QBrush brush;
    switch (state.range(0)) {
    case 0: {
        QLinearGradient g(0, 0, 0, H);
        g.setColorAt(0, QColor(255, 255, 0));
        g.setColorAt(1, QColor(0, 0, 128));
        brush = QBrush(g);
        break;
    }
    case 1:
    case 2: {  // QPainter has no rectangular path gradient: a radial one stands in
        QRadialGradient g(W / 2.0, H / 2.0, W * 0.75);
        g.setColorAt(0, QColor(0, 0, 128));
        g.setColorAt(1, QColor(255, 255, 0));
        brush = QBrush(g);
        break;
    }
    default: brush = QBrush(QColor(0, 0, 128), Qt::CrossPattern); break;
    }
    for (auto _ : state) p.fillRect(QRect(0, 0, W, H), brush);
}
BENCHMARK(BM_Fill_QPainter)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// ---- 3-D boxes through the inherited solids ----

void BM_Boxes1000_Canvas(benchmark::State& state)
{
    TFrame f(true);
    f.canvas.Brush()->SetColor(clRed);
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i) {
            const int x = (i % 50) * 13, y = 40 + (i / 50) * 15;
            f.canvas.DrawBox(x, x + 10, y, y + 12, 0, 10, true, 0);
        }
}
BENCHMARK(BM_Boxes1000_Canvas)->Unit(benchmark::kMillisecond);

void BM_Boxes1000_QPainter(benchmark::State& state)
{
    TFrame canvasFirst;
    TPainterFrame f;
    QPainter p(&f.image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i) {
            const int x = (i % 50) * 13, y = 40 + (i / 50) * 15;
            const QPoint front[] = {{x, y}, {x + 10, y}, {x + 10, y + 12}, {x, y + 12}};
            const QPoint top[] = {{x, y}, {x + 7, y - 7}, {x + 17, y - 7}, {x + 10, y}};
            const QPoint side[] = {{x + 10, y}, {x + 17, y - 7}, {x + 17, y + 5}, {x + 10, y + 12}};
            p.setBrush(QColor(255, 0, 0));
            p.drawPolygon(front, 4);
            p.setBrush(QColor(200, 0, 0));
            p.drawPolygon(top, 4);
            p.drawPolygon(side, 4);
        }
}
BENCHMARK(BM_Boxes1000_QPainter)->Unit(benchmark::kMillisecond);

// ---- a 256 x 256 transparent bitmap stretched over the frame ----

void BM_StretchTransparent_Canvas(benchmark::State& state)
{
    TFrame f;
    TBitmap picture(256, 256, pf24bit);
    picture.Canvas()->Brush()->SetColor(clFuchsia);
    picture.Canvas()->FillRect({0, 0, 256, 256});
    picture.Canvas()->Brush()->SetColor(clTeal);
    picture.Canvas()->Ellipse(20, 20, 236, 236);
    picture.SetTransparent(true);
    for (auto _ : state) f.canvas.StretchGraphic({0, 0, W, H}, &picture);
}
BENCHMARK(BM_StretchTransparent_Canvas)->Unit(benchmark::kMillisecond);

void BM_StretchTransparent_QPainter(benchmark::State& state)
{
    TFrame canvasFirst;
    TPainterFrame f;
    QImage picture(256, 256, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter q(&picture);
        q.setBrush(QColor(0, 128, 128));
        q.drawEllipse(20, 20, 216, 216);
    }
    QPainter p(&f.image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (auto _ : state) p.drawImage(QRect(0, 0, W, H), picture);
}
BENCHMARK(BM_StretchTransparent_QPainter)->Unit(benchmark::kMillisecond);

}  // namespace
