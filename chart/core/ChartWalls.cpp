#include "chart/core/ChartWalls.h"

#include <algorithm>

#include "chart/canvas/Blend.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/Chart.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/PanelZoom.h"
#include "chart/core/ZebProcs.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

namespace {

template <class C>
void PublishWall(TPublishedBuilder<C>& b)
{
    b.Prop("AutoHide", &C::AutoHide, &C::SetAutoHide, false);
    b.Prop("Brush", &C::Brush, &C::SetBrush);
    b.PropColor("Color", &C::Color, &C::SetColor, clDefault).NoDefault().Stored(&C::IsColorStored);
    b.Prop("Dark3D", &C::Dark3D, &C::SetDark3D, true);
    b.Prop("EndPosition", &C::EndPosition, &C::SetEndPosition, 100);
    b.Prop("Gradient", &C::Gradient, &C::SetGradient).Stored(false);
    b.Prop("Pen", &C::Pen, &C::SetPen);
    b.Prop("RoundSize", &C::RoundSize, &C::SetRoundSize, 16);
    b.Prop("Size", &C::Size, &C::SetSize, 0);
    b.Prop("StartPosition", &C::StartPosition, &C::SetStartPosition, 0);
    b.Prop("Transparency", &C::Transparency, &C::SetTransparency, 0);
    b.Prop("Transparent", &C::Transparent, &C::SetTransparent).NoDefault().Stored(&C::IsTransparentStored);
    b.Prop("Visible", &C::Visible, &C::SetVisible).NoDefault().Stored(&C::IsVisibleStored);
}

}  // namespace

TV_PUBLISHED(TCustomChartWall) {}
TV_PUBLISHED(TChartWall) { PublishWall(*this); }
TV_PUBLISHED(TChartBackWall)
{
    Prop("Emboss", &TChartBackWall::Emboss, &TChartBackWall::SetEmboss).Stored(&TChartBackWall::HasEmboss);
    Prop("Picture", &TChartBackWall::Picture, &TChartBackWall::SetPicture).Stored(&TChartBackWall::HasPicture);
    Prop("Shadow", &TChartBackWall::Shadow, &TChartBackWall::SetShadow);
}
TV_PUBLISHED(TChartLeftWall)
{
    Prop("Picture", &TChartLeftWall::Picture, &TChartLeftWall::SetPicture).Stored(&TChartLeftWall::HasPicture);
}
TV_PUBLISHED(TChartBottomWall)
{
    Prop("Picture", &TChartBottomWall::Picture, &TChartBottomWall::SetPicture).Stored(&TChartBottomWall::HasPicture);
}
TV_PUBLISHED(TChartRightWall)
{
    Prop("Picture", &TChartRightWall::Picture, &TChartRightWall::SetPicture).Stored(&TChartRightWall::HasPicture);
}
TV_PUBLISHED(TChartWalls) {}

// ---- one wall ----

TCustomChartWall::TCustomChartWall(TCustomChart* chart, TColor defaultColor)
    : defaultColor_(defaultColor)
{
    // Coloured before it joins the chart: making a wall repaints nothing.
    SetColor(defaultColor);
    SetParentPanel(chart);
}

TCustomChart* TCustomChartWall::ParentChart() const { return dynamic_cast<TCustomChart*>(ParentPanel()); }

void TCustomChartWall::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCustomChartWall*>(source)) {
        autoHide_ = s->autoHide_;
        dark3D_ = s->dark3D_;
        endPosition_ = s->endPosition_;
        size_ = s->size_;
        startPosition_ = s->startPosition_;
    }
    TZebCustomShape::Assign(source);
}

void TCustomChartWall::SetAutoHide(bool value) { Change(autoHide_, value); }
void TCustomChartWall::SetDark3D(bool value) { Change(dark3D_, value); }
void TCustomChartWall::SetEndPosition(int value) { Change(endPosition_, value); }
void TCustomChartWall::SetStartPosition(int value) { Change(startPosition_, value); }
void TCustomChartWall::SetSize(int value) { Change(size_, value); }

bool TCustomChartWall::IsShown() const
{
    const TCustomChart* chart = ParentChart();
    return chart && chart->View3DWalls() && Visible() && !autoHide_;
}

bool TCustomChartWall::IsDark3D() const { return Brush()->Style() != bsClear && !Brush()->HasImage() && dark3D_; }

void TCustomChartWall::VerticalExtent(int& top, int& bottom) const
{
    TCustomChart& chart = *ParentChart();
    const TRect& r = chart.ChartRect();
    bottom = r.Bottom + chart.WallSizeAt(chart.BottomAxis());
    if (endPosition_ != 100) bottom -= RoundHalfEven((100 - endPosition_) * (bottom - r.Top) * 0.01);
    top = r.Top;
    if (startPosition_ != 0) top = r.Top + RoundHalfEven(startPosition_ * (r.Bottom - r.Top) * 0.01);
}

TZebBlend* TCustomChartWall::StartTransparency(int x, int bottom)
{
    if (Transparent() || Transparency() <= 0) return nullptr;
    TCustomChart& chart = *ParentChart();
    TCanvas3D& c = *chart.Canvas3D();
    const int top = chart.ChartRect().Top, depth = chart.Depth3D();
    const TPoint corners[] = {c.ProjectXYZ(x, top, 0), c.ProjectXYZ(x, top, depth), c.ProjectXYZ(x, bottom, depth),
                              c.ProjectXYZ(x, bottom, 0)};
    return c.StartBlend(BoundsOfPointArray(corners), static_cast<TZebTransparency>(Transparency()));
}

void TCustomChartWall::EndTransparency(TZebBlend* blend)
{
    if (blend) ParentChart()->Canvas3D()->FinishBlend(blend);
}

// ---- the four walls ----

TChartBackWall::TChartBackWall(TCustomChart* chart) : TChartWall(chart, clSilver)
{
    PresetTransparent(true);
    InitShadowDefaults(*Shadow());
}

void TChartBackWall::InitShadowDefaults(TZebShadow& shadow) { shadow.InitDefaults(false, clGray, shadow.LargestSize()); }

void TChartBackWall::InitEmbossDefaults(TZebEmboss& emboss) { emboss.InitDefaults(false, clGray, emboss.LargestSize()); }

TChartLeftWall::TChartLeftWall(TCustomChart* chart) : TChartWall(chart, 0x80FFFF) {}

TChartBottomWall::TChartBottomWall(TCustomChart* chart) : TChartWall(chart, clWhite) {}

TChartRightWall::TChartRightWall(TCustomChart* chart) : TChartWall(chart, clSilver) { PresetVisible(false); }

// ---- the set ----

TChartWalls::TChartWalls(TCustomChart* chart) : chart_(chart)
{
    back_ = new TChartBackWall(chart);
    left_ = new TChartLeftWall(chart);
    bottom_ = new TChartBottomWall(chart);
}

TChartWalls::~TChartWalls()
{
    TObject::Free(back_);
    TObject::Free(left_);
    TObject::Free(bottom_);
    TObject::Free(right_);
}

TChartRightWall* TChartWalls::Right()
{
    if (!right_) {
        TAutoRepaintOff quiet(chart_);
        right_ = new TChartRightWall(chart_);
    }
    return right_;
}

void TChartWalls::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TChartWalls*>(source);
    if (!s) return inherited::Assign(source);
    back_->Assign(s->back_);
    left_->Assign(s->left_);
    bottom_->Assign(s->bottom_);
    Right()->Assign(s->Right());
}

void TChartWalls::HideWalls() { SetWallsVisible(false); }

void TChartWalls::SetWallsVisible(bool value)
{
    if (chart_) chart_->SetView3DWalls(value);
}

void TChartWalls::SetAllSizes(int value)
{
    left_->SetSize(value);
    Right()->SetSize(value);
    back_->SetSize(value);
    bottom_->SetSize(value);
}
