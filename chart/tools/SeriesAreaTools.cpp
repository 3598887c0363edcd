#include "chart/tools/SeriesAreaTools.h"

#include <algorithm>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ValueList.h"
#include "platform/classes/Published.h"

namespace {

class TChartImageToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TChartImageToolEditor"; }
    String GalleryName() const override { return "Image"; }
    String GalleryHint() const override
    {
        return "Displays a picture using the specified Series axes as boundaries. When the axis are zoomed or "
               "scrolled, the picture will follow the new boundaries.";
    }
};

class TClipSeriesToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TSeriesToolEditor"; }
    String GalleryName() const override { return "Clip Series"; }
    String GalleryHint() const override { return "Restricts Series painting outside Series associated axes boundaries."; }
};

TRect ordered(int x0, int y0, int x1, int y1)
{
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

}  // namespace

// ---- image ----

TV_PUBLISHED_AS(TChartImageTool, TChartImageToolClass)
{
    Prop("Pen", &TChartImageTool::Pen, &TChartImageTool::SetPen);
    Prop("Picture", &TChartImageTool::Picture, &TChartImageTool::SetPicture);
}

TChartImageTool::TChartImageTool(TComponent* owner)
    : TZebCustomToolSeries(owner), picture_(std::make_unique<TZebPicture>())
{
    picture_->SetOnChange(TNotifyEvent(this, &TChartImageTool::pictureChanged));
    Pen()->InitVisible(false);
}

TChartImageTool::~TChartImageTool() = default;

void TChartImageTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TChartImageTool*>(source)) picture_->Assign(s->picture_.get());
    TZebCustomToolSeries::Assign(source);
}

void TChartImageTool::SetSeries(TChartSeries* value)
{
    TZebCustomToolSeries::SetSeries(value);
    InvalidateChart();
}

void TChartImageTool::SetPicture(TZebPicture* value) { picture_->Assign(value); }

TRect TChartImageTool::PictureRect() const
{
    TCustomAxisPanel& chart = *ParentChart();
    TChartSeries* series = Series();
    if (series && series->Count() > 0) {
        TChartValueList& xs = *series->XValues();
        TChartValueList& ys = *series->YValues();
        return ordered(series->ValueScreenX(xs.Lowest()), series->ValueScreenY(ys.Highest()),
                       series->ValueScreenX(xs.Highest()), series->ValueScreenY(ys.Lowest()));
    }
    const TChartAxis* horiz = WorkingHorizAxis();
    const TChartAxis* vert = WorkingVertAxis();
    if (chart.ActiveSeriesTotal() > 0 && horiz && vert)
        return ordered(horiz->ValueToPixel(horiz->Minimum()), vert->ValueToPixel(vert->Maximum()),
                       horiz->ValueToPixel(horiz->Maximum()), vert->ValueToPixel(vert->Minimum()));
    return chart.ChartRect();
}

void TChartImageTool::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomToolSeries::ChartDrawStage(stage);
    TCustomAxisPanel* chart = ParentChart();
    if (stage != cdsBeforeSeries || !chart || !Active() || !picture_->HasGraphic()) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const TRect r = PictureRect();
    const int z = chart->Depth3DWidth();
    const bool clip = chart->ClipPoints() && chart->ClippingAllowed();
    if (clip) canvas.ClipToBox(chart->ChartRect(), 0, z);
    const bool flat = !chart->View3D() || canvas.IsOrthogonal();
    if (flat)
        canvas.StretchGraphic(chart->View3D() ? canvas.ProjectRectAtZ(r, z) : r, picture_->GetFilteredGraphic());
    else
        canvas.PaintImageOnPlane(r, picture_->GetFilteredGraphic(), z, cpZ);
    if (Pen()->Visible()) {
        const TBrushStyle saved = canvas.Brush()->Style();
        canvas.UsePen(*Pen());
        canvas.Brush()->Clear();
        if (chart->View3D())
            canvas.RectangleAtZ(r, z);
        else
            canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        canvas.Brush()->SetStyle(saved);
    }
    if (clip) canvas.RemoveClip();
}

// ---- clip series ----

TV_PUBLISHED_AS(TClipSeriesTool, TClipSeriesToolClass) {}

void TClipSeriesTool::SeriesDrawStage(TChartSeries* series, TSeriesDrawStage stage)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !Active() || series != Series()) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    if (stage == sdsBeforePoints) {
        const TChartAxis* horiz = WorkingHorizAxis();
        const TChartAxis* vert = WorkingVertAxis();
        if (!chart->ClippingAllowed() || !horiz || !vert) return;
        const TRect r = ordered(horiz->StartPixel(), vert->StartPixel(), horiz->EndPixel(), vert->EndPixel());
        if (chart->View3D())
            canvas.ClipToBox(r, 0, chart->Depth3DWidth());
        else
            canvas.ClipToRect(r);
        clipped_ = true;
    } else if (stage == sdsAfterPoints && clipped_) {
        canvas.RemoveClip();
        clipped_ = false;
    }
}
