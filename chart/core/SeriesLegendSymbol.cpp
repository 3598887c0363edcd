// The series' symbol in the legend: the pen and brush of the series on the colour the legend
// recorded at its layout, filled by the chart's symbol box.
#include <algorithm>
#include <optional>

#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/SeriesColumns.h"
#include "chart/core/SeriesLegend.h"

namespace {

// The brush style of a series' brush swapped for the duration of a symbol; a brush with a
// picture keeps its style.
class TBrushStyleScope {
public:
    TBrushStyleScope(TZebBrush& brush, TBrushStyle style) : brush_(brush), saved_(brush.Style())
    {
        active_ = style != saved_ && !(brush.Bitmap() && !brush.Bitmap()->Empty());
        if (active_) brush_.SetStyle(style);
    }
    ~TBrushStyleScope()
    {
        if (active_) brush_.SetStyle(saved_);
    }
    TBrushStyleScope(const TBrushStyleScope&) = delete;
    TBrushStyleScope& operator=(const TBrushStyleScope&) = delete;

private:
    TZebBrush& brush_;
    TBrushStyle saved_;
    bool active_ = false;
};

}  // namespace

void TChartSeries::DrawLegendSymbol(int index, const TRect& rect)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    const TAutoRepaintOff repaintOff(*chart);
    const TColor color = index == -1 ? SeriesColor() : GetLegendColor(index);
    if (color == clNullPoint) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    canvas.Brush()->SetColor(color);
    TColor back = chart->LegendColor();
    TBrushStyle style = Brush()->Style();
    canvas.UsePen(*Pen());
    GetLegendSymbolStyle(index, back, style);
    if (TZebPen* symbolPen = chart->LegendSymbolPen()) canvas.UsePen(*symbolPen);
    if (canvas.Pen()->Width() > rect.Height() / 2) canvas.Pen()->SetWidth(std::max(rect.Height() / 2, 1));
    if (back == clAutomatic)
        back = chart->LegendColor() == clAutomatic ? chart->GetBackgroundColor() : chart->LegendColor();
    const TBrushStyleScope brushStyle(*Brush(), style);
    chart->AssignCanvasBrush(*Brush(), color, back);
    FillLegendSymbol(index, rect);
}

void TChartSeries::FillLegendSymbol(int index, const TRect& rect)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    std::optional<TBlendSection> blend;
    if (Transparency() > 0)
        blend.emplace(canvas, canvas.SupportsAlpha() ? TRect{} : rect, static_cast<TZebTransparency>(Transparency()));
    TZebPicture* picture = nullptr;
    if (index == -1) {
        if (const TSeriesLegend* shape = LegendOrNull(); shape && shape->HasPicture())
            picture = const_cast<TSeriesLegend*>(shape)->Picture();
    } else {
        canvas.Brush()->SetColor(GetLegendColor(index));
        if (const TZebPictureList* pictures = PicturesOrNull()) picture = pictures->PictureAt(index);
    }
    chart->PaintLegendSymbolBox(rect, picture && picture->HasGraphic() ? picture->GetFilteredGraphic() : nullptr);
}
