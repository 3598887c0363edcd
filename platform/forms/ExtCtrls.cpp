// Timer, panel, shape, image, bevel.
#include <QTimer>
#include <cmath>

#include "platform/classes/Published.h"
#include "platform/classes/Assign.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms_p.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Graphic.h"

namespace {

// Width rings of a 3-D frame, shrinking rect by one pixel per ring.
void Frame3D(TCanvas& c, TRect& r, TColor topColor, TColor bottomColor, int width)
{
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psSolid);
    --r.Bottom;
    --r.Right;
    for (int i = 0; i < width; ++i) {
        c.Pen()->SetColor(topColor);
        TPoint top[] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
        c.Polyline(top, 3);
        c.Pen()->SetColor(bottomColor);
        TPoint bottom[] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}};
        c.Polyline(bottom, 3);
        InflateRect(r, -1, -1);
    }
    ++r.Bottom;
    ++r.Right;
}

void BevelColors(TBevelCut cut, TColor& top, TColor& bottom)
{
    top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

// ---- TTimer ------------------------------------------------------------------------------------

struct TTimer::Impl {
    QTimer* timer = nullptr;
    ~Impl()
    {
        if (!timer) return;
        timer->stop();
        QObject::disconnect(timer, nullptr, nullptr, nullptr);
        if (tvforms::dispatchDepth > 0)
            timer->deleteLater();
        else
            delete timer;
    }
};

TV_PUBLISHED(TTimer)
{
    Prop("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true);
    Prop("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000u);
    Prop("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), impl_(std::make_unique<Impl>()) { tvforms::EnsureApp(); }

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool value)
{
    if (AssignIfChanged(enabled_, value)) update();
}

void TTimer::SetInterval(Cardinal value)
{
    if (AssignIfChanged(interval_, value)) update();
}

void TTimer::SetOnTimer(const TNotifyEvent& e)
{
    onTimer_ = e;
    update();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    update();
}

void TTimer::update()
{
    if (impl_->timer) impl_->timer->stop();
    if (!enabled_ || interval_ == 0 || !onTimer_ || IsDesigning()) return;
    if (!impl_->timer) {
        impl_->timer = new QTimer;
        impl_->timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(impl_->timer, &QTimer::timeout, impl_->timer, [this] {
            tvforms::DispatchScope scope(tvforms::dispatchDepth);
            tvforms::Guard(this, [this] { Timer(); });
        });
    }
    impl_->timer->start(static_cast<int>(std::min<Cardinal>(interval_, 0x7FFFFFFF)));
}

void TTimer::Timer()
{
    if (enabled_ && onTimer_) onTimer_(this);
}

// ---- TCustomPanel ------------------------------------------------------------------------------

TV_PUBLISHED(TCustomPanel)
{
    Prop("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption);
    PropEnum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, taCenter, TAlignmentNames);
    PropEnum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, bvNone, TBevelCutNames);
    PropEnum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, bvRaised, TBevelCutNames);
    Prop("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1);
    PropEnum("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle, bsNone, TBorderStyleNames);
    Prop("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint, true);
    Prop("ParentBackground", &TCustomPanel::ParentBackground, &TCustomPanel::SetParentBackground, false);
    PropColor("Color", &TCustomPanel::Color, &TCustomPanel::SetColor, clBtnFace).Stored(&TCustomPanel::IsColorStored);
    Prop("ParentColor", &TCustomPanel::ParentColor, &TCustomPanel::SetParentColor, false);
}

TV_PUBLISHED(TPanel) {}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks, csReplicatable});
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value)
{
    bevelInner_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value)
{
    bevelOuter_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value)
{
    bevelWidth_ = std::max(1, value);
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value)
{
    borderStyle_ = value == bsNone ? bsNone : bsSingle;
    FrameChanged();
}

TRect TCustomPanel::GetClientMargins() const
{
    // The border-width band and bevels are drawn in the client area; a single border is a frame.
    int b = borderStyle_ == bsSingle ? 1 : 0;
    return Rect(b, b, b, b);
}

void TCustomPanel::AdjustClientRect(TRect& rect)
{
    TCustomControl::AdjustClientRect(rect);
    int size = BorderWidth();
    if (bevelOuter_ != bvNone) size += bevelWidth_;
    if (bevelInner_ != bvNone) size += bevelWidth_;
    InflateRect(rect, -size, -size);
}

void TCustomPanel::Paint()
{
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    TColor top, bottom;
    if (bevelOuter_ != bvNone) {
        BevelColors(bevelOuter_, top, bottom);
        Frame3D(c, r, top, bottom, bevelWidth_);
    }
    Frame3D(c, r, Color(), Color(), BorderWidth());
    if (bevelInner_ != bvNone) {
        BevelColors(bevelInner_, top, bottom);
        Frame3D(c, r, top, bottom, bevelWidth_);
    }
    c.Brush()->SetColor(Color());
    c.Brush()->SetStyle(bsSolid);
    c.FillRect(r);
    String text = Caption();
    if (!text.empty()) {
        c.Brush()->SetStyle(bsClear);
        c.SetFont(Font());
        unsigned align = alignment_ == taLeftJustify    ? unsigned(DT_LEFT)
                         : alignment_ == taRightJustify ? unsigned(DT_RIGHT)
                                                        : unsigned(DT_CENTER);
        DrawText(tvforms::Ready(c), text, r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | align);
    }
}

void TCustomPanel::PaintNonClient(TCanvas& canvas)
{
    if (borderStyle_ != bsSingle) return TCustomControl::PaintNonClient(canvas);
    canvas.Brush()->SetColor(clWindowFrame);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.FrameRect(Rect(0, 0, Width(), Height()));
}

void TCustomPanel::CMTextChanged(TMessage& m)
{
    TCustomControl::CMTextChanged(m);
    Invalidate();
}

// ---- TShape ------------------------------------------------------------------------------------

TV_PUBLISHED(TShape)
{
    PropEnum("Shape", &TShape::Shape, &TShape::SetShape, stRectangle, TShapeTypeNames);
    Prop("Pen", &TShape::Pen, &TShape::SetPen);
    Prop("Brush", &TShape::Brush, &TShape::SetBrush);
}

TShape::TShape(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() + csReplicatable);
    SetBounds(0, 0, 65, 65);
    pen_ = new TPen;
    pen_->SetOnChange(TNotifyEvent(this, &TShape::styleChanged));
    brush_ = new TBrush;
    brush_->SetOnChange(TNotifyEvent(this, &TShape::styleChanged));
}

TShape::~TShape()
{
    TObject::Free(pen_);
    TObject::Free(brush_);
}

void TShape::SetShape(TShapeType value)
{
    if (AssignIfChanged(shape_, value)) Invalidate();
}

void TShape::SetPen(TPen* value)
{
    if (value) pen_->Assign(value);
}

void TShape::SetBrush(TBrush* value)
{
    if (value) brush_->Assign(value);
}

void TShape::styleChanged(TObject*) { Invalidate(); }

void TShape::Paint()
{
    TCanvas& c = *Canvas();
    c.SetPen(pen_);
    c.SetBrush(brush_);
    int pw = pen_->Width();
    int x = pw / 2, y = x;
    int w = Width() - pw + 1, h = Height() - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    int s = std::min(w, h);
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    switch (shape_) {
    case stRectangle:
    case stSquare: c.Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: c.RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stEllipse:
    case stCircle: c.Ellipse(x, y, x + w, y + h); break;
    }
}

// ---- TImage ------------------------------------------------------------------------------------

TV_PUBLISHED(TImage)
{
    Prop("Picture", &TImage::Picture, &TImage::SetPicture);
    Prop("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false);
    Prop("Stretch", &TImage::Stretch, &TImage::SetStretch, false);
    Prop("Center", &TImage::Center, &TImage::SetCenter, false);
    Prop("Proportional", &TImage::Proportional, &TImage::SetProportional, false);
    Prop("Transparent", &TImage::Transparent, &TImage::SetTransparent, false);
    Prop("IncrementalDisplay", &TImage::IncrementalDisplay, &TImage::SetIncrementalDisplay, false);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() + csReplicatable);
    SetBounds(0, 0, 105, 105);
    picture_ = new TPicture;
    picture_->SetOnChange(TNotifyEvent(this, &TImage::pictureChanged));
}

TImage::~TImage() { TObject::Free(picture_); }

void TImage::SetPicture(TPicture* value)
{
    if (value) picture_->Assign(value);
}

void TImage::SetStretch(bool value)
{
    stretch_ = value;
    Invalidate();
}

void TImage::SetCenter(bool value)
{
    center_ = value;
    Invalidate();
}

void TImage::SetProportional(bool value)
{
    proportional_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    transparent_ = value;
    if (picture_->Graphic()) picture_->Graphic()->SetTransparent(value);
    Invalidate();
}

void TImage::pictureChanged(TObject*)
{
    if (TGraphic* g = picture_->Graphic(); g && g->Transparent() != transparent_ && transparent_)
        g->SetTransparent(true);
    AdjustSize();
    Invalidate();
}

bool TImage::CanAutoSize(int& newWidth, int& newHeight)
{
    if (picture_->Width() <= 0 || picture_->Height() <= 0) return false;
    newWidth = picture_->Width();
    newHeight = picture_->Height();
    return true;
}

TRect TImage::DestRect() const
{
    int w = picture_->Width(), h = picture_->Height();
    int cw = ClientWidth(), ch = ClientHeight();
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_ && w > 0 && h > 0) {
            double aspect = static_cast<double>(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<int>(std::trunc(cw / aspect));
                if (h > ch) {
                    h = ch;
                    w = static_cast<int>(std::trunc(ch * aspect));
                }
            } else {
                h = ch;
                w = static_cast<int>(std::trunc(ch * aspect));
                if (w > cw) {
                    w = cw;
                    h = static_cast<int>(std::trunc(cw / aspect));
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Rect(0, 0, w, h);
    if (center_) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    TCanvas& c = *Canvas();
    if (IsDesigning()) {
        c.Pen()->SetStyle(psDash);
        c.Brush()->SetStyle(bsClear);
        c.Rectangle(0, 0, Width(), Height());
    }
    TGraphic* g = picture_->Graphic();
    if (g && !g->Empty()) c.StretchDraw(DestRect(), g);
}

// ---- TBevel ------------------------------------------------------------------------------------

TV_PUBLISHED(TBevel)
{
    PropEnum("Shape", &TBevel::Shape, &TBevel::SetShape, bsBox, TBevelShapeNames);
    PropEnum("Style", &TBevel::Style, &TBevel::SetStyle, bsLowered, TBevelStyleNames);
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() + csReplicatable);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value)
{
    shape_ = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value)
{
    style_ = value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas& c = *Canvas();
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psSolid);
    TColor color1 = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor color2 = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        c.Pen()->SetColor(color);
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    auto box = [&](TColor a, TColor b, const TRect& r) {
        c.Pen()->SetColor(a);
        TPoint p1[] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
        c.Polyline(p1, 3);
        c.Pen()->SetColor(b);
        TPoint p2[] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
        c.Polyline(p2, 3);
    };
    int w = Width(), h = Height();
    switch (shape_) {
    case bsBox: box(color1, color2, Rect(0, 0, w - 1, h - 1)); break;
    case bsFrame:
        box(color2, color2, Rect(1, 1, w - 1, h - 1));
        box(color1, color1, Rect(0, 0, w - 2, h - 2));
        break;
    case bsTopLine:
        line(color1, 0, 0, w, 0);
        line(color2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(color1, 0, h - 2, w, h - 2);
        line(color2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(color1, 0, 0, 0, h);
        line(color2, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(color1, w - 2, 0, w - 2, h);
        line(color2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        if (IsDesigning()) {
            c.Pen()->SetStyle(psDot);
            c.Brush()->SetStyle(bsClear);
            c.Rectangle(0, 0, w, h);
        }
        break;
    }
}

TV_PUBLISHED(TXPManifest) {}
