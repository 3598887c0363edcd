// The main window's chart beside a peer plotting library drawing the same picture in the same
// run: two line series with 2-pixel pens, axes with labels and grids, a two-entry legend and a
// gradient background at 697 x 377, antialiased (our GDI+ canvas) and not (our GDI canvas).
// (a) 1,000,000 points per series stored, the newest 300 in view; (b) 100,000 all in view; and
// the cost of one appended reading as the run grows. Ours draws its render pass into a bitmap,
// the peer paints into a QImage through its own painter.
#include <benchmark/benchmark.h>

#include <qcustomplot.h>

#include <algorithm>
#include <memory>

#include "ChartBench.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/series/LineSeries.h"
#include "platform/classes/ObjectText.h"
#include "platform/graphics/Bitmap.h"

namespace {

constexpr int Width = 697, Height = 377;

double WaveX(int i) { return 90 * ((i % 200) / 100.0 - 1); }
double WaveY(int i) { return 70 * ((i % 300) / 150.0 - 1); }

// The chart settings of the main window's stored description.
const char* const MainWindowChart = R"(object Chart1: TChart
  Width = 697
  Height = 377
  BackWall.Color = clWhite
  BackWall.Pen.Color = clSilver
  BackWall.Transparent = False
  Frame.Color = clSilver
  Gradient.Balance = 74
  Gradient.Direction = gdBottomTop
  Gradient.EndColor = clBlack
  Gradient.MidColor = clNavy
  Gradient.StartColor = clBlack
  Gradient.Visible = True
  Legend.Alignment = laBottom
  Legend.Brush.Gradient.EndColor = 16744576
  Legend.Brush.Gradient.StartColor = 10814240
  Legend.Brush.Gradient.Visible = True
  Legend.FontSeriesColor = True
  Legend.LegendStyle = lsSeries
  Legend.TopPos = 0
  BottomAxis.Axis.Color = clSilver
  BottomAxis.Axis.Width = 1
  LeftAxis.Automatic = False
  LeftAxis.AutomaticMaximum = False
  LeftAxis.AutomaticMinimum = False
  LeftAxis.Axis.Color = clSilver
  LeftAxis.Axis.Width = 1
  LeftAxis.Maximum = 100.000000000000000000
  LeftAxis.Minimum = -100.000000000000000000
  View3D = False
  Color = clSilver
end
)";

struct TOurs {
    TOurs(int points, int inView, bool antialiased) : view(inView), target(Width, Height, pf32bit)
    {
        StartChartBench();
        TextToComponent(MainWindowChart, chart.get());
        chart->SetCanvasClassName(antialiased ? "TGDIPlusCanvas" : "TZebCanvas3D");
        // Straight into the bitmap, as the peer paints into its image: no buffer of the screen.
        chart->SetBufferedDisplay(false);
        const TColor colors[] = {static_cast<TColor>(0x8000FF), static_cast<TColor>(4259584)};
        const char* titles[] = {"X-Value", "Y-Value"};
        for (int i = 0; i < 2; ++i) {
            series[i].SetParentChart(chart.get());
            series[i].LinePen()->SetWidth(2);
            series[i].SetSeriesColor(colors[i]);
            series[i].SetTitle(titles[i]);
        }
        for (int i = 0; i < points; ++i) {
            series[0].AppendValue(WaveX(i));
            series[1].AppendValue(WaveY(i));
        }
        Frame();  // the automatic maximum the feed slides against
        slide();
    }
    ~TOurs()
    {
        for (TLineSeries& s : series) s.SetParentChart(nullptr);
    }
    // One reading, as the main window feeds it: a point to each series, the bottom axis slid.
    void Append()
    {
        const int i = series[0].Count();
        series[0].AppendValue(WaveX(i));
        series[1].AppendValue(WaveY(i));
        slide();
    }
    void slide()
    {
        TChartAxis& bottom = *chart->BottomAxis();
        bottom.SetAutomaticMinimum(false);
        if (view < bottom.Maximum()) bottom.SetMinimum(bottom.Maximum() - view);
    }
    void Frame() { chart->RenderTo(target.Canvas(), {0, 0, Width, Height}); }

    int view;
    std::unique_ptr<TChart, TFreeDeleter> chart{new TChart(nullptr)};
    TLineSeries series[2]{TLineSeries(nullptr), TLineSeries(nullptr)};
    TBitmap target;
};

struct TPeer {
    TPeer(int points, int inView, bool antialiased) : view(inView), image(Width, Height, QImage::Format_RGB32)
    {
        StartChartBench();
        plot.resize(Width, Height);
        QLinearGradient back(0, Height, 0, 0);
        back.setColorAt(0, Qt::black);
        back.setColorAt(0.74, QColor(0, 0, 128));
        back.setColorAt(1, Qt::black);
        plot.setBackground(QBrush(back));
        plot.axisRect()->setBackground(Qt::white);
        for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
            axis->setBasePen(QPen(Qt::lightGray));
            axis->setTickLabelColor(Qt::white);
        }
        const QColor colors[] = {QColor(255, 0, 128), QColor(0, 240, 64)};
        const char* titles[] = {"X-Value", "Y-Value"};
        for (int i = 0; i < 2; ++i) {
            QCPGraph* graph = plot.addGraph();
            graph->setPen(QPen(colors[i], 2));
            graph->setName(titles[i]);
        }
        plot.legend->setVisible(true);
        plot.legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
        plot.axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignHCenter);
        plot.yAxis->setRange(-100, 100);
        if (antialiased)
            plot.setAntialiasedElements(QCP::aeAll);
        else
            plot.setNotAntialiasedElements(QCP::aeAll);
        QVector<double> keys(points), xs(points), ys(points);
        for (int i = 0; i < points; ++i) {
            keys[i] = i;
            xs[i] = WaveX(i);
            ys[i] = WaveY(i);
        }
        plot.graph(0)->setData(keys, xs, true);
        plot.graph(1)->setData(keys, ys, true);
        count = points;
        slide();
    }
    void Append()
    {
        plot.graph(0)->addData(count, WaveX(count));
        plot.graph(1)->addData(count, WaveY(count));
        ++count;
        slide();
    }
    void slide() { plot.xAxis->setRange(std::max(0, count - view), std::max(count - 1, 1)); }
    void Frame()
    {
        QCPPainter painter(&image);
        plot.toPainter(&painter, Width, Height);
    }

    int view;
    int count = 0;
    QCustomPlot plot;
    QImage image;
};

template <class Rig>
void Frame(benchmark::State& state)
{
    Rig rig(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2) != 0);
    for (auto _ : state) rig.Frame();
}

template <class Rig>
void Reading(benchmark::State& state)
{
    Rig rig(static_cast<int>(state.range(0)), 300, false);
    for (auto _ : state) rig.Append();
}

void FrameCases(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"stored", "view", "antialiased"});
    for (const int aa : {0, 1}) {
        for (const int stored : {10000, 100000, 1000000}) b->Args({stored, 300, aa});
        b->Args({100000, 100000, aa});
    }
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(Frame<TOurs>)->Name("Ours/Frame")->Apply(FrameCases);
BENCHMARK(Frame<TPeer>)->Name("Peer/Frame")->Apply(FrameCases);
BENCHMARK(Reading<TOurs>)->Name("Ours/Reading")->Arg(1000)->Arg(1000000)->Iterations(20000)->Unit(benchmark::kNanosecond);
BENCHMARK(Reading<TPeer>)->Name("Peer/Reading")->Arg(1000)->Arg(1000000)->Iterations(20000)->Unit(benchmark::kNanosecond);

}  // namespace
