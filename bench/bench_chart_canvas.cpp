// Work the chart canvas does on paints: transparent sections, blurred shadows, smooth resampling
// of pictures, measuring an HTML title; and the device canvas's lines, texts, gradients and solids
// on a chart-sized frame, beside plain QPainter drawing the same on the same 697 x 377 image.
#include <benchmark/benchmark.h>

#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "../tests/chart/support/RecordingCanvas.h"
#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/Blend.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/HtmlText.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DeviceContext_p.h"

namespace {

std::unique_ptr<TBitmap> picture(int w, int h, TPixelFormat format = pf24bit)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    auto b = std::make_unique<TBitmap>(w, h, format);
    auto rows = BitmapScanLines24(*b);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x) rows[static_cast<std::size_t>(y)][x] = static_cast<Byte>(x * 7 + y * 13);
    if (format != pf24bit) b->SetPixelFormat(format);
    return b;
}

// A transparent section over a whole chart: the captured background mixed back at 50 %.
void BM_BlendBitmaps697x377(benchmark::State& state)
{
    auto source = picture(697, 377);
    auto destination = picture(697, 377);
    for (auto _ : state) {
        BlendBitmaps(*source, *destination, {0, 0}, nullptr, 50);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlendBitmaps697x377)->Unit(benchmark::kMicrosecond);

// The blurred shadow of a 200 x 100 box multiplied into a chart-sized buffer.
void BM_BlurredShadow200x100(benchmark::State& state)
{
    auto buffer = picture(697, 377, pf32bit);
    TBitmap shadow(200, 100, pf24bit);
    shadow.Canvas()->Brush()->SetColor(clWhite);
    shadow.Canvas()->FillRect({0, 0, 200, 100});
    shadow.Canvas()->Brush()->SetColor(clSilver);
    shadow.Canvas()->FillRect({2, 2, 198, 98});
    for (auto _ : state) {
        BlurShadowInto(shadow, buffer.get(), {100, 100}, 4, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlurredShadow200x100)->Unit(benchmark::kMicrosecond);

void BM_Resample1000x800To697x377(benchmark::State& state)
{
    const bool low = state.range(0) != 0;
    auto source = picture(1000, 800);
    TBitmap destination(697, 377, pf24bit);
    for (auto _ : state) {
        ResampleBitmapQuality(*source, destination, low);
        benchmark::ClobberMemory();
    }
    state.SetLabel(low ? "triangle" : "Lanczos-3");
}
BENCHMARK(BM_Resample1000x800To697x377)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MeasureThreeLineHtmlTitle(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TRecordingCanvas canvas(400, 200);
    TZebFont font;
    font.SetSize(12);
    canvas.UseFont(font);
    const String title =
        "<B>Tilt sensor</B> <FONT COLOR=#C00000>X</FONT> and <I>Y</I><BR>"
        "Readings of <U>the last</U> 300 samples<BR><SMALL>degrees &amp; time</SMALL>";
    for (auto _ : state) benchmark::DoNotOptimize(MeasureHtmlText(canvas, title));
}
BENCHMARK(BM_MeasureThreeLineHtmlTitle)->Unit(benchmark::kMicrosecond);

// ---- the device canvas on a chart frame, beside QPainter ----

constexpr int FrameW = 697, FrameH = 377;

// A line series of n points across the frame: a slow wave with sensor noise.
std::vector<TPoint> seriesPoints(int n)
{
    std::vector<TPoint> pts(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        pts[static_cast<std::size_t>(i)] = {
            static_cast<int>(static_cast<long long>(i) * (FrameW - 1) / std::max(1, n - 1)),
            188 + static_cast<int>(120 * std::sin(i * 6.0 / n)) + static_cast<int>((i * 7919L) % 41) - 20};
    return pts;
}

// A buffered device canvas prepared for a 697 x 377 frame.
struct TFrame {
    TBitmap window{FrameW, FrameH, pf32bit};
    TZebCanvas3D canvas;
    TView3DOptions options;
    explicit TFrame(bool is3D = false, bool orthogonal = true)
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        options.SetOrthogonal(orthogonal);
        if (!orthogonal) {
            options.SetElevationFloat(340);
            options.SetRotationFloat(330);
            options.SetPerspective(30);
        }
        canvas.PrepareView(window.Canvas(), &options, clWhite, is3D, {0, 0, FrameW, FrameH});
        canvas.SetupProjection(100, {0, 0, FrameW, FrameH}, {40, 20, FrameW - 20, FrameH - 40});
        canvas.GetDeviceContext()->FillRect({0, 0, FrameW, FrameH}, clWhite);
    }
    void UsePen(int width)
    {
        TZebPen pen;
        pen.SetColor(clNavy);
        pen.SetWidth(width);
        canvas.UsePen(pen);
    }
};

// The same frame as a plain image and an aliased painter.
struct TQtFrame {
    QImage image{FrameW, FrameH, QImage::Format_RGB32};
    QPainter painter;
    TQtFrame()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        EnsureGuiApplication();
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    void UsePen(int width)
    {
        QPen pen(QColor(0, 0, 128));
        pen.setWidth(width == 1 ? 0 : width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
    }
};

// Args: points, pen width.
void BM_CanvasPolyline(benchmark::State& state)
{
    const auto pts = seriesPoints(static_cast<int>(state.range(0)));
    TFrame f;
    f.UsePen(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        f.canvas.Polyline(pts);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CanvasPolyline)
    ->Args({300, 1})
    ->Args({300, 2})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->Unit(benchmark::kMillisecond);

void BM_CanvasLineToCached(benchmark::State& state)
{
    const auto pts = seriesPoints(static_cast<int>(state.range(0)));
    TFrame f;
    f.UsePen(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        f.canvas.CacheDeviceContext(true);
        f.canvas.MoveTo(pts[0].X, pts[0].Y);
        for (std::size_t i = 1; i < pts.size(); ++i) f.canvas.LineToCached(pts[i].X, pts[i].Y);
        f.canvas.CacheDeviceContext(false);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CanvasLineToCached)
    ->Args({300, 1})
    ->Args({300, 2})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->Unit(benchmark::kMillisecond);

// QPainter drawing the series in runs of 256 points (one long path costs far more).
void BM_QPainterPolylineInRuns(benchmark::State& state)
{
    const auto src = seriesPoints(static_cast<int>(state.range(0)));
    std::vector<QPoint> pts;
    for (const TPoint& p : src) pts.emplace_back(p.X, p.Y);
    TQtFrame f;
    f.UsePen(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        for (std::size_t i = 0; i + 1 < pts.size(); i += 255)
            f.painter.drawPolyline(pts.data() + i, static_cast<int>(std::min<std::size_t>(256, pts.size() - i)));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_QPainterPolylineInRuns)
    ->Args({300, 1})
    ->Args({300, 2})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->Unit(benchmark::kMillisecond);

// The same segment by segment, as LineToCached draws it.
void BM_QPainterLineBySegment(benchmark::State& state)
{
    const auto pts = seriesPoints(static_cast<int>(state.range(0)));
    TQtFrame f;
    f.UsePen(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        for (std::size_t i = 1; i < pts.size(); ++i) f.painter.drawLine(pts[i - 1].X, pts[i - 1].Y, pts[i].X, pts[i].Y);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_QPainterLineBySegment)
    ->Args({300, 1})
    ->Args({300, 2})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->Unit(benchmark::kMillisecond);

// 40 axis labels.
String axisLabel(int i) { return std::to_string(i * 25 - 500) + ".0"; }

void BM_CanvasAxisLabels40(benchmark::State& state)
{
    TFrame f;
    TZebFont font;
    f.canvas.UseFont(font);
    f.canvas.SetBackgroundMode(TRANSPARENT);
    for (auto _ : state) {
        for (int i = 0; i < 40; ++i) f.canvas.TextOut(10 + (i % 20) * 33, i < 20 ? 340 : 20, axisLabel(i));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CanvasAxisLabels40)->Unit(benchmark::kMicrosecond);

void BM_QPainterAxisLabels40(benchmark::State& state)
{
    TQtFrame f;
    TZebFont font;
    f.painter.setFont(ToQFont(TLogFont{-11, 0, 0, 0, FW_NORMAL, false, false, false, DEFAULT_CHARSET,
                                       NONANTIALIASED_QUALITY, DEFAULT_PITCH, font.Name()}));
    f.painter.setPen(Qt::black);
    const QFontMetrics metrics = f.painter.fontMetrics();
    for (auto _ : state) {
        for (int i = 0; i < 40; ++i)
            f.painter.drawText(10 + (i % 20) * 33, (i < 20 ? 340 : 20) + metrics.ascent(),
                               QString::fromStdString(axisLabel(i)));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_QPainterAxisLabels40)->Unit(benchmark::kMicrosecond);

void BM_CanvasTextWidth1000(benchmark::State& state)
{
    TFrame f;
    TZebFont font;
    f.canvas.UseFont(font);
    for (auto _ : state) {
        int sum = 0;
        for (int i = 0; i < 1000; ++i) sum += f.canvas.TextWidth(axisLabel(i % 40));
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_CanvasTextWidth1000)->Unit(benchmark::kMicrosecond);

void BM_QFontMetricsWidth1000(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EnsureGuiApplication();
    TZebFont font;
    const QFontMetrics metrics(ToQFont(TLogFont{-11, 0, 0, 0, FW_NORMAL, false, false, false, DEFAULT_CHARSET,
                                                NONANTIALIASED_QUALITY, DEFAULT_PITCH, font.Name()}));
    for (auto _ : state) {
        int sum = 0;
        for (int i = 0; i < 1000; ++i) sum += metrics.horizontalAdvance(QString::fromStdString(axisLabel(i % 40)));
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_QFontMetricsWidth1000)->Unit(benchmark::kMicrosecond);

// Gradients over the whole frame: 0 the panel's three colours (top to bottom), 1 radial,
// 2 diagonal, 3 linear two colours.
void BM_CanvasGradient697x377(benchmark::State& state)
{
    TFrame f;
    TCustomZebGradient panel;
    panel.SetStartColor(clNavy);
    panel.SetMidColor(clWhite);
    panel.SetEndColor(clSilver);
    const TRect all{0, 0, FrameW, FrameH};
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0: f.canvas.PaintGradient(panel, all); break;
        case 1: f.canvas.FillRectGradient(all, clNavy, clYellow, gdRadial, 50, 0, 0); break;
        case 2: f.canvas.FillRectGradient(all, clNavy, clYellow, gdDiagonalUp, 50, 0, 0); break;
        default: f.canvas.FillRectGradient(all, clNavy, clYellow, gdTopBottom, 50, 0, 0); break;
        }
        benchmark::ClobberMemory();
    }
    const char* labels[] = {"three colours", "radial", "diagonal", "linear"};
    state.SetLabel(labels[state.range(0)]);
}
BENCHMARK(BM_CanvasGradient697x377)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_QPainterGradient697x377(benchmark::State& state)
{
    TQtFrame f;
    const QRect all(0, 0, FrameW, FrameH);
    QLinearGradient panel(0, 0, 0, FrameH);
    panel.setColorAt(0, QColor(192, 192, 192));
    panel.setColorAt(0.5, Qt::white);
    panel.setColorAt(1, QColor(0, 0, 128));
    QRadialGradient radial(all.center(), FrameW / 2.0);
    radial.setColorAt(0, QColor(0, 0, 128));
    radial.setColorAt(1, Qt::yellow);
    QLinearGradient diagonal(0, FrameH, FrameW, 0);
    diagonal.setColorAt(0, QColor(0, 0, 128));
    diagonal.setColorAt(1, Qt::yellow);
    QLinearGradient linear(0, FrameH, 0, 0);
    linear.setColorAt(0, QColor(0, 0, 128));
    linear.setColorAt(1, Qt::yellow);
    const QGradient* gradients[] = {&panel, &radial, &diagonal, &linear};
    const QBrush brush(*gradients[state.range(0)]);
    for (auto _ : state) {
        f.painter.fillRect(all, brush);
        benchmark::ClobberMemory();
    }
    const char* labels[] = {"three colours", "radial", "diagonal", "linear"};
    state.SetLabel(labels[state.range(0)]);
}
BENCHMARK(BM_QPainterGradient697x377)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// 1,000 boxes of a bar series: arg 0 orthogonal, 1 rotated with perspective.
void BM_CanvasDrawBox1000(benchmark::State& state)
{
    TFrame f(true, state.range(0) == 0);
    f.canvas.Brush()->SetColor(clRed);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const int x = 40 + (i % 100) * 6;
            f.canvas.DrawBox(x, x + 5, 300 - (i * 37) % 250, 330, 10, 40, false, 0);
        }
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(0) == 0 ? "orthogonal" : "rotated");
}
BENCHMARK(BM_CanvasDrawBox1000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// QPainter filling the three visible faces of the same orthogonal boxes.
void BM_QPainterBoxFaces1000(benchmark::State& state)
{
    TQtFrame f;
    f.painter.setPen(Qt::black);
    f.painter.setBrush(Qt::red);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const int x = 40 + (i % 100) * 6, top = 300 - (i * 37) % 250;
            const QPoint front[] = {{x, top}, {x + 5, top}, {x + 5, 330}, {x, 330}};
            const QPoint right[] = {{x + 5, top}, {x + 35, top - 30}, {x + 35, 300}, {x + 5, 330}};
            const QPoint roof[] = {{x, top}, {x + 5, top}, {x + 35, top - 30}, {x + 30, top - 30}};
            f.painter.drawPolygon(front, 4);
            f.painter.drawPolygon(right, 4);
            f.painter.drawPolygon(roof, 4);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_QPainterBoxFaces1000)->Unit(benchmark::kMillisecond);

// A bevelled 3-D donut slice of a pie chart.
void BM_CanvasBevelledDonutSlice(benchmark::State& state)
{
    TFrame f(true, false);
    f.canvas.Brush()->SetColor(clYellow);
    TSolidPieSlice slice;
    slice.CenterX = 350, slice.CenterY = 180, slice.RadiusX = 150, slice.RadiusY = 100;
    slice.Z0 = 0, slice.Z1 = 30;
    slice.StartAngle = 0.4, slice.EndAngle = 3.9;
    slice.DarkSides = true;
    slice.DonutPercent = 40;
    slice.BevelPercent = 30;
    slice.BevelBrightness = 40;
    for (auto _ : state) {
        f.canvas.DrawSolidPieSlice(slice);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CanvasBevelledDonutSlice)->Unit(benchmark::kMicrosecond);

}  // namespace
