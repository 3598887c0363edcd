#include "chart/series_ext/grid3d/Custom3DSeries.h"

#include <memory>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"

// The descendants publish the Z values and the Z order.
TV_PUBLISHED(TCustom3DSeries) {}

TCustom3DSeries::TCustom3DSeries(TComponent* owner) : TChartSeries(owner), zValues_(new TChartValueList(this, "Z"))
{
    SetScanVisibleRange(false);
    XValues()->SetOrder(loNone);
}

void TCustom3DSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCustom3DSeries*>(source)) {
        zValues_->Assign(s->zValues_);
        timesZOrder_ = s->timesZOrder_;
    }
    TChartSeries::Assign(source);
}

void TCustom3DSeries::LoadFromRGBArray(int width, int height, bool negative, const std::vector<Byte*>& rows)
{
    for (int c = 0; c < width; ++c)
        for (int r = 0; r < height; ++r) {
            const Byte* p = rows[static_cast<size_t>(r)] + 3 * c;
            const double value = p[2] + p[1] * 256.0 + p[0] * 65536.0;
            InsertPoint3D(c, negative ? -value : value, r);
        }
}

int TCustom3DSeries::InsertXYZ(double x, double y, double z, const String& label, TColor color)
{
    zValues_->SetPendingValue(z);
    return InsertXY(x, y, label, color);
}

int TCustom3DSeries::DepthValueToPixel(double value) const
{
    const TCustomAxisPanel* chart = ParentChart();
    return chart && chart->DepthAxis() ? chart->DepthAxis()->ValueToPixel(value) : 0;
}

int TCustom3DSeries::PointScreenZ(int index) const { return DepthValueToPixel(zValues_->ValueAt(index)); }

bool TCustom3DSeries::ViewChanged() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (!chart || !view_.taken) return true;
    return chart->ChartRect() != view_.chartRect || DepthRange().start != view_.start || DepthRange().end != view_.end;
}

void TCustom3DSeries::RememberView()
{
    const TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    view_ = {chart->ChartRect(), DepthRange().start, DepthRange().end, true};
}

void TCustom3DSeries::DrawVisiblePoints()
{
    TChartSeries::DrawVisiblePoints();
    RememberView();
}

void TCustom3DSeries::ReserveZSlot()
{
    TChartSeries::ReserveZSlot();
    if (TCustomAxisPanel* chart = ParentChart(); chart && chart->View3D()) chart->SeriesZSlotMax = timesZOrder_;
}

void TCustom3DSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    if (index != -1) Marks().SetZPosition(PointScreenZ(index));
    TChartSeries::DrawPointMark(index, text, position);
}

bool TCustom3DSeries::AcceptsSourceSeries(const TChartSeries* series) const
{
    return dynamic_cast<const TCustom3DSeries*>(series) != nullptr;
}

bool TCustom3DSeries::IsBoundToAxis(const TChartAxis* axis) const
{
    return axis->IsDepthAxis() || TChartSeries::IsBoundToAxis(axis);
}

TChartValueList* TCustom3DSeries::GetAxisValueList(const TChartAxis* axis) const
{
    return axis->IsDepthAxis() ? zValues_ : TChartSeries::GetAxisValueList(axis);
}

void LoadSeriesFromPicture(TCustom3DSeries& series, TGraphic& graphic, bool negative)
{
    const TPointUpdateBlock block(series);
    series.RemoveAllPoints();
    std::unique_ptr<TBitmap> temporary;
    auto* bitmap = dynamic_cast<TBitmap*>(&graphic);
    if (!bitmap) {
        temporary = std::make_unique<TBitmap>();
        temporary->Assign(&graphic);
        bitmap = temporary.get();
    }
    const std::vector<Byte*> rows = BitmapScanLines24(*bitmap);
    series.LoadFromRGBArray(bitmap->Width(), bitmap->Height(), negative, rows);
}

bool IsDepthViewReversed(const TChartSeries& series)
{
    const TCustomAxisPanel* chart = series.ParentChart();
    if (!chart) return false;
    bool result = chart->DepthAxis() && chart->DepthAxis()->Inverted();
    const int rotation = chart->View3DOptions() ? chart->View3DOptions()->Rotation() : 0;
    if (rotation > 90 && rotation < 270) result = !result;
    return result;
}
