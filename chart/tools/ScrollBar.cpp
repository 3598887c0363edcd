#include "chart/tools/ScrollBar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/PaintOverBuffer.h"
#include "chart/core/ResourceBitmaps.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/MathUtils.h"
#include "platform/rtl/Strings.h"

void TvRegisterResources_charttools();

namespace {

class TZebScrollBarClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TScrollBarEditor"; }
    String GalleryName() const override { return "Scrollbar"; }
};

constexpr TColor silver = static_cast<TColor>(0xC0C0C0);
constexpr TColor grey = static_cast<TColor>(0x808080);
// How near a thumb end grabs it, and the repeat interval after the first delay.
constexpr int edgeTolerance = 3;
constexpr Cardinal repeatInterval = 50;

bool inside(const TRect& r, int x, int y) { return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom; }

}  // namespace

TV_PUBLISHED(TScrollBarThumb)
{
    Prop("Brush", &TScrollBarThumb::Brush, &TScrollBarThumb::SetBrush);
    Prop("Pen", &TScrollBarThumb::Pen, &TScrollBarThumb::SetPen);
    Prop("Visible", &TScrollBarThumb::Visible, &TScrollBarThumb::SetVisible)
        .NoDefault()
        .Stored(&TScrollBarThumb::IsVisibleStored);
    Prop("Gradient", &TScrollBarThumb::Gradient, &TScrollBarThumb::SetGradient).Stored(false);
    Prop("Image", &TScrollBarThumb::Image, &TScrollBarThumb::SetImage).Stored(false);
    // The style first: its picture sizes the thumb, a stored Size then wins.
    PropEnum("Style", &TScrollBarThumb::Style, &TScrollBarThumb::SetStyle, stsCustom, TScrollThumbStyleNames);
    Prop("Size", &TScrollBarThumb::Size, &TScrollBarThumb::SetSize, 0);
}

TV_PUBLISHED_AS(TZebScrollBar, TZebScrollBarClass)
{
    Prop("AllowResize", &TZebScrollBar::AllowResize, &TZebScrollBar::SetAllowResize, false);
    Prop("ArrowBrush", &TZebScrollBar::ArrowBrush, &TZebScrollBar::SetArrowBrush);
    Prop("Arrows", &TZebScrollBar::Arrows, &TZebScrollBar::SetArrows, true);
    Prop("AutoRepeat", &TZebScrollBar::AutoRepeat, &TZebScrollBar::SetAutoRepeat, true);
    PropColor("BackColor", &TZebScrollBar::BackColor, &TZebScrollBar::SetBackColor, static_cast<TColor>(0xF0F0F0))
        .Stored(false);
    PropEnum("Bevel", &TZebScrollBar::Bevel, &TZebScrollBar::SetBevel, bvRaised, TBevelCutNames);
    Prop("Brush", &TZebScrollBar::Brush, &TZebScrollBar::SetBrush);
    Prop("DisabledArrow", &TZebScrollBar::DisabledArrow, &TZebScrollBar::SetDisabledArrow);
    PropEnum("DrawStyle", &TZebScrollBar::DrawStyle, &TZebScrollBar::SetDrawStyle, dsAlways,
             TZebScrollBarDrawStyleNames);
    Prop("Gradient", &TZebScrollBar::Gradient, &TZebScrollBar::SetGradient).Stored(false);
    Prop("InitialDelay", &TZebScrollBar::InitialDelay, &TZebScrollBar::SetInitialDelay, 250);
    Prop("MinThumbSize", &TZebScrollBar::MinThumbSize, &TZebScrollBar::SetMinThumbSize, 4);
    Prop("Pen", &TZebScrollBar::Pen, &TZebScrollBar::SetPen);
    Prop("RoundSize", &TZebScrollBar::RoundSize, &TZebScrollBar::SetRoundSize, 0);
    Prop("Size", &TZebScrollBar::Size, &TZebScrollBar::SetSize, 18);
    Prop("Thumb", &TZebScrollBar::Thumb, &TZebScrollBar::SetThumb);
    Prop("ThumbBrush", &TZebScrollBar::ThumbBrush, &TZebScrollBar::SetThumbBrush).Stored(false);
    Prop("ThumbSize", &TZebScrollBar::ThumbSize, &TZebScrollBar::SetThumbSize, 0).Stored(false);
    Prop("OnChangeSize", &TZebScrollBar::OnChangeSize, &TZebScrollBar::SetOnChangeSize);
    Prop("OnScrolled", &TZebScrollBar::OnScrolled, &TZebScrollBar::SetOnScrolled);
    Prop("OnSetPosition", &TZebScrollBar::OnSetPosition, &TZebScrollBar::SetOnSetPosition);
}

// ---- thumb ----

TScrollBarThumb::TScrollBarThumb(TZebScrollBar* bar) : bar_(bar)
{
    Brush()->InitColor(silver);
    Brush()->SetBackColor(silver);
    Pen()->InitVisible(false);
}

void TScrollBarThumb::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TScrollBarThumb*>(source)) {
        size_ = s->size_;
        style_ = s->style_;
    }
    TZebCustomShapeBrushPen::Assign(source);
}

void TScrollBarThumb::InvalidateChart()
{
    if (bar_)
        bar_->InvalidateChart();
    else
        TZebCustomShapeBrushPen::InvalidateChart();
}

TZebGradient* TScrollBarThumb::Gradient() { return Brush()->Gradient(); }
void TScrollBarThumb::SetGradient(TZebGradient* value) { Brush()->SetGradient(value); }
TZebPicture* TScrollBarThumb::Image() { return Brush()->Image(); }
void TScrollBarThumb::SetImage(TZebPicture* value) { Brush()->SetImage(value); }
bool TScrollBarThumb::IsImageStored() const { return Brush()->IsImageStored(); }

void TScrollBarThumb::SetSize(int value)
{
    if (!AssignIfChanged(size_, value)) return;
    InvalidateChart();
}

void TScrollBarThumb::SetStyle(TScrollThumbStyle value)
{
    if (!AssignIfChanged(style_, value)) return;
    TZebPicture& image = *Image();
    if (value == stsCustom) {
        image.SetGraphic(nullptr);
    } else {
        static const bool registered = (TvRegisterResources_charttools(), true);
        (void)registered;
        TBitmap bitmap;
        if (LoadNamedBitmapResource(bitmap, "ZebThumb" + IntToStr(static_cast<int>(value)), String()))
            image.Assign(&bitmap);
    }
    if (image.HasGraphic()) {
        size_ = image.Graphic()->Width();
        if (bar_) bar_->StoreSize(image.Graphic()->Height());
    }
    InvalidateChart();
}

// ---- bar ----

TZebScrollBar::TZebScrollBar(TComponent* owner) : TZebCustomTool(owner)
{
    const TNotifyEvent changed(static_cast<TCustomChartElement*>(this), &TCustomChartElement::StyleChanged);
    thumb_ = std::make_unique<TScrollBarThumb>(this);
    arrowBrush_ = std::make_unique<TZebBrush>(changed);
    arrowBrush_->SetBackColor(grey);
    disabledArrow_ = std::make_unique<TZebBrush>(changed);
    disabledArrow_->SetBackColor(clWhite);
    Brush()->InitColor(clWhite);
    Brush()->SetBackColor(static_cast<TColor>(0xF0F0F0));
    Pen()->SetColor(static_cast<TColor>(ColorToRGB(clWindowFrame)));
}

TZebScrollBar::~TZebScrollBar() = default;

void TZebScrollBar::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TZebScrollBar*>(source)) {
        allowResize_ = s->allowResize_;
        arrowBrush_->Assign(s->arrowBrush_.get());
        arrows_ = s->arrows_;
        autoRepeat_ = s->autoRepeat_;
        SetBackColor(s->BackColor());
        bevel_ = s->bevel_;
        disabledArrow_->Assign(s->disabledArrow_.get());
        drawStyle_ = s->drawStyle_;
        if (s->Brush()->HasGradient()) SetGradient(s->Brush()->Gradient());
        initialDelay_ = s->initialDelay_;
        minThumbSize_ = s->minThumbSize_;
        roundSize_ = s->roundSize_;
        SetSize(s->size_);
        thumb_->Assign(s->thumb_.get());
    }
    TZebCustomTool::Assign(source);
}

void TZebScrollBar::SetParentChart(TCustomAxisPanel* value)
{
    TZebCustomTool::SetParentChart(value);
    thumb_->SetParentPanel(value);
    InvalidateChart();
}

void TZebScrollBar::SetArrowBrush(TZebBrush* value) { arrowBrush_->Assign(value); }
void TZebScrollBar::SetDisabledArrow(TZebBrush* value) { disabledArrow_->Assign(value); }
TColor TZebScrollBar::BackColor() const { return Brush()->BackColor(); }
void TZebScrollBar::SetBackColor(TColor value) { Brush()->SetBackColor(value); }
TZebGradient* TZebScrollBar::Gradient() { return Brush()->Gradient(); }
void TZebScrollBar::SetGradient(TZebGradient* value) { Brush()->SetGradient(value); }

void TZebScrollBar::SetSize(int value)
{
    if (value == size_) return;
    StoreSize(value);
    if (onChangeSize_) onChangeSize_(this);
}

void TZebScrollBar::SetPosition(int value)
{
    if (AssignIfChanged(position_, value)) InvalidateChart();
    if (onSetPosition_) onSetPosition_(this, value);
}

void TZebScrollBar::ResizePage(bool atEnd, double delta)
{
    (void)atEnd;
    pageSize_ = std::max(1, pageSize_ + static_cast<int>(Round(delta)));
}

// ---- geometry ----

TRect TZebScrollBar::BarRect()
{
    TRect a;
    if (!GetScrollArea(a)) return {};
    return horizontal_ ? TRect{a.Left, a.Bottom, a.Right, a.Bottom + size_}
                       : TRect{a.Right - size_ - 1, a.Top, a.Right, a.Bottom};
}

TRect TZebScrollBar::TrackRect()
{
    TRect r = BarRect();
    if (!arrows_) return r;
    if (horizontal_) {
        r.Left += size_;
        r.Right -= size_;
    } else {
        r.Top += size_;
        r.Bottom -= size_;
    }
    return r;
}

TRect TZebScrollBar::DecreaseRect()
{
    const TRect b = BarRect();
    return horizontal_ ? TRect{b.Left, b.Top, b.Left + size_, b.Bottom} : TRect{b.Left, b.Top, b.Right, b.Top + size_};
}

TRect TZebScrollBar::IncreaseRect()
{
    const TRect b = BarRect();
    return horizontal_ ? TRect{b.Right - size_, b.Top, b.Right, b.Bottom}
                       : TRect{b.Left, b.Bottom - size_, b.Right, b.Bottom};
}

void TZebScrollBar::calcThumb(const TRect& area)
{
    const int n = arrows_ ? size_ : 0;
    const int low = horizontal_ ? area.Left : area.Top, high = horizontal_ ? area.Right : area.Bottom;
    const int track = high - low - 2 * n;
    const int maximum = GetMaxPosition(), page = GetPageSize();
    if (maximum <= 0 || track <= 0) {
        thumbStart_ = thumbEnd_ = low + n;
        return;
    }
    double scale = 0;
    int length = 0;
    if (thumb_->Size() == 0) {
        scale = static_cast<double>(track) / maximum;
        length = std::max(static_cast<int>(Round(page * scale)), minThumbSize_);
    } else {
        length = thumb_->Size();
        scale = static_cast<double>(track) / std::max(1, maximum - page + 1);
    }
    thumbStart_ = low + n + static_cast<int>(Round(GetPosition() * scale));
    thumbEnd_ = thumbStart_ + length + 1;
    // A position outside the model (an axis shown beyond its data) still draws inside the track.
    thumbStart_ = std::clamp(thumbStart_, low + n, std::max(low + n, high - n - length));
    thumbEnd_ = std::min(std::max(thumbEnd_, thumbStart_ + length), high - n);
}

TRect TZebScrollBar::ThumbRect()
{
    TRect a;
    if (!GetScrollArea(a)) return {};
    calcThumb(a);
    if (horizontal_) {
        TRect r{thumbStart_, a.Bottom + 1, thumbEnd_, a.Bottom + size_ - 1};
        if (r.Width() < 2) ++r.Right;
        return r;
    }
    return {a.Right - size_, thumbStart_, a.Right, thumbEnd_};
}

std::vector<TPoint> TZebScrollBar::arrowTriangle(bool increase, const TRect& r) const
{
    const int s = size_, d = s / 6;
    if (horizontal_) {
        if (!increase) return {{r.Left + d, r.Top + s / 2}, {r.Left + s - d, r.Top + d}, {r.Left + s - d, r.Bottom - d}};
        return {{r.Right - d, r.Top + s / 2}, {r.Right + d - s, r.Top + d}, {r.Right + d - s, r.Bottom - d}};
    }
    if (!increase)
        return {{r.Left + d, r.Top + s - 2 * d}, {r.Left + s / 2, r.Top + d}, {r.Left + s - d, r.Top + s - 2 * d}};
    return {{r.Left + d, r.Bottom + 2 * d - s}, {r.Left + s / 2, r.Bottom - d}, {r.Left + s - d, r.Bottom + 2 * d - s}};
}

// ---- drawing ----

void TZebScrollBar::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomTool::ChartDrawStage(stage);
    TCustomAxisPanel* chart = ParentChart();
    if (stage != cdsEnd || !chart || !Active()) return;
    TRect area;
    if (!GetScrollArea(area)) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    canvas.UsePen(*Pen());
    canvas.UseBrush(*Brush());
    const TRect bar = BarRect();
    if (roundSize_ != 0)
        canvas.RoundRect(bar.Left, bar.Top, bar.Right, bar.Bottom, roundSize_, roundSize_);
    else
        canvas.Rectangle(bar.Left, bar.Top, bar.Right, bar.Bottom);

    if (arrows_) {
        const TRect dec = DecreaseRect(), inc = IncreaseRect();
        canvas.Rectangle(dec.Left, dec.Top, dec.Right, dec.Bottom);
        canvas.Rectangle(inc.Left, inc.Top, inc.Right, inc.Bottom);
        canvas.Pen()->SetVisible(false);
        canvas.Pen()->SetStyle(psClear);
        const int position = GetPosition();
        const bool decOff = pressed_ == sbpDecrease || position == 0;
        const bool incOff = pressed_ == sbpIncrease || position == GetMaxPosition() - GetPageSize();
        canvas.UseBrush(decOff ? *disabledArrow_ : *arrowBrush_);
        canvas.Polygon(arrowTriangle(false, dec));
        canvas.UseBrush(incOff ? *disabledArrow_ : *arrowBrush_);
        canvas.Polygon(arrowTriangle(true, inc));
        decreaseHot_ = increaseHot_ = false;
    }

    if (GetMaxPosition() <= 0) return;
    TRect thumb = ThumbRect();
    TZebPicture* image = thumb_->Brush()->IsImageStored() ? thumb_->Image() : nullptr;
    if (image && image->HasGraphic()) {
        canvas.StretchGraphic({thumb.Left, thumb.Top, thumb.Right - 1, thumb.Bottom}, image->GetFilteredGraphic());
    } else {
        canvas.UsePen(*thumb_->Pen());
        canvas.UseBrush(*thumb_->Brush());
        const int half = thumb_->Pen()->HalfWidth();
        TRect r{thumb.Left + half, thumb.Top + half, thumb.Right - half, thumb.Bottom - half};
        if (!arrows_ && roundSize_ != 0)
            canvas.RoundRect(r.Left, r.Top, r.Right, r.Bottom, roundSize_, roundSize_);
        else
            canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    }
    if (bevel_ != bvNone) {
        TRect r{thumb.Left, thumb.Top, thumb.Right - 1, thumb.Bottom};
        const bool raised = bevel_ == bvRaised;
        const TColor light = bevel_ == bvSpace ? clBtnFace : raised ? clBtnHighlight : clBtnShadow;
        const TColor dark = bevel_ == bvSpace ? clBtnFace : raised ? clBtnShadow : clBtnHighlight;
        canvas.DrawBevelFrame(r, light, dark, 1);
    }
}

void TZebScrollBar::highlightArrow(bool increase)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    const TRect r = increase ? IncreaseRect() : DecreaseRect();
    const std::vector<TPoint> triangle = arrowTriangle(increase, r);
    TZebPen pen;
    pen.SetColor(silver);
    pen.SetWidth(2);
    const bool drawn = PaintOverBuffer(*chart, {r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2}, [&](TCanvas3D& canvas) {
        canvas.Brush()->Clear();
        chart->ApplyXorPen(pen);
        canvas.Polyline(std::vector<TPoint>{triangle[0], triangle[1], triangle[2], triangle[0]});
    });
    if (!drawn) return;
    (increase ? increaseHot_ : decreaseHot_) = !(increase ? increaseHot_ : decreaseHot_);
}

// ---- scrolling ----

double TZebScrollBar::PixelsToPosition(int newPixel, int oldPixel)
{
    if (newPixel == oldPixel) return 0;
    const TRect track = TrackRect();
    const int length = horizontal_ ? track.Width() : track.Height();
    if (length <= 0) return 0;
    const double change = static_cast<double>(GetMaxPosition()) * std::abs(newPixel - oldPixel) / length;
    return newPixel < oldPixel ? -change : change;
}

void TZebScrollBar::stopRepeat()
{
    if (timer_) timer_->SetEnabled(false);
}

void TZebScrollBar::ScrollBy(double delta, bool repeat)
{
    const int position = GetPosition(), last = GetMaxPosition() - GetPageSize();
    int target = 0;
    // Reaching either end stops a repeat at once: there is nothing left to step to.
    bool atEnd = false;
    if (delta >= 0) {
        atEnd = position + delta >= last;
        target = atEnd ? last : static_cast<int>(Round(position + delta));
    } else {
        delta = std::max(delta, -static_cast<double>(position));
        if (position <= 0) {
            stopRepeat();
            return;
        }
        atEnd = position + delta <= 0;
        target = atEnd ? 0 : static_cast<int>(Round(position + delta));
    }
    SetPosition(target);
    if (onScrolled_) onScrolled_(this);
    if (atEnd) {
        stopRepeat();
        return;
    }
    if (!repeat || !autoRepeat_) return;
    if (!timer_) {
        timer_ = new TTimer(this);
        timer_->SetEnabled(false);
        timer_->SetOnTimer(TNotifyEvent([this](TObject*) { RepeatTick(); }));
    }
    // The first repeat waits the initial delay; later ticks keep the shorter interval.
    if (timer_->Enabled()) return;
    timer_->SetInterval(static_cast<Cardinal>(std::max(1, initialDelay_)));
    timer_->SetEnabled(true);
}

void TZebScrollBar::RepeatTick()
{
    pressAt(last_.X, last_.Y);
    if (timer_ && timer_->Interval() > repeatInterval) timer_->SetInterval(repeatInterval);
}

TScrollBarPart TZebScrollBar::thumbEdgeAt(int x, int y)
{
    if (!allowResize_) return sbpNone;
    const TRect t = ThumbRect();
    const int across = horizontal_ ? y : x, along = horizontal_ ? x : y;
    const int sideA = horizontal_ ? t.Top : t.Left, sideB = horizontal_ ? t.Bottom : t.Right;
    if (across <= sideA || across >= sideB) return sbpNone;
    if (std::abs(along - thumbEnd_) < edgeTolerance) return sbpThumbEnd;
    if (std::abs(along - thumbStart_) < edgeTolerance) return sbpThumbStart;
    return sbpNone;
}

void TZebScrollBar::pressAt(int x, int y)
{
    pressed_ = sbpNone;
    double step = 0;
    const TRect bar = BarRect();
    if (bar.IsEmpty()) return;
    if (arrows_ && inside(DecreaseRect(), x, y)) {
        pressed_ = sbpDecrease;
        step = -1;
    } else if (arrows_ && inside(IncreaseRect(), x, y)) {
        pressed_ = sbpIncrease;
        step = 1;
    } else if (const TScrollBarPart edge = thumbEdgeAt(x, y); edge != sbpNone) {
        pressed_ = edge;
        return;
    } else if (inside(ThumbRect(), x, y)) {
        pressed_ = sbpThumb;
        return;
    } else if (!inside(bar, x, y)) {
        return;
    } else {
        const int along = horizontal_ ? x : y;
        if (along < thumbStart_)
            step = -GetSmallStep();
        else if (along > thumbEnd_)
            step = GetSmallStep();
    }
    if (step != 0) ScrollBy(step, true);
}

void TZebScrollBar::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    (void)button, (void)shift;
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !Active()) return;
    switch (kind) {
    case tmkDown:
        last_ = {x, y};
        pressAt(x, y);
        if (inside(BarRect(), x, y)) chart->SetMouseHandled(true);
        break;
    case tmkMove: {
        const int along = horizontal_ ? x : y, lastAlong = horizontal_ ? last_.X : last_.Y;
        if (pressed_ == sbpThumb) {
            const double change = PixelsToPosition(along, lastAlong);
            if (std::abs(change) >= 1) {
                ScrollBy(change, false);
                last_ = {x, y};
            }
            chart->SetMouseHandled(true);
        } else if (pressed_ == sbpThumbEnd || pressed_ == sbpThumbStart) {
            const double change = PixelsToPosition(along, lastAlong);
            if (std::abs(change) >= 1) {
                ResizePage(pressed_ == sbpThumbEnd, change);
                last_ = {x, y};
                InvalidateChart();
            }
            chart->SetMouseHandled(true);
        } else if (pressed_ == sbpNone) {
            const bool overDec = arrows_ && inside(DecreaseRect(), x, y) && GetPosition() >= 1;
            const bool overInc =
                arrows_ && inside(IncreaseRect(), x, y) && GetPosition() < GetMaxPosition() - GetPageSize();
            if (overDec != decreaseHot_) highlightArrow(false);
            if (overInc != increaseHot_) highlightArrow(true);
            if (thumbEdgeAt(x, y) != sbpNone) {
                chart->SetCursor(horizontal_ ? crHSplit : crVSplit);
                chart->SetMouseHandled(true);
            }
        }
        break;
    }
    case tmkUp:
        stopRepeat();
        if (pressed_ != sbpNone) {
            pressed_ = sbpNone;
            InvalidateChart();
        }
        break;
    }
}
