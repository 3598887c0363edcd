#include "chart/core/LegendSymbol.h"

#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Legend.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

TV_PUBLISHED(TLegendSymbol)
{
    using C = TLegendSymbol;
    Prop("Continuous", &C::Continuous, &C::SetContinuous, false);
    Prop("DefaultPen", &C::DefaultPen, &C::SetDefaultPen, true);
    Prop("Emboss", &C::Emboss, &C::SetEmboss);
    Prop("Gradient", &C::Gradient, &C::SetGradient);
    Prop("Height", &C::Height, &C::SetHeight, 100);
    PropEnum("HeightUnits", &C::HeightUnits, &C::SetHeightUnits, lcsPercent, TLegendSymbolSizeNames);
    Prop("OnDraw", &C::OnDraw, &C::SetOnDraw);
    Prop("Pen", &C::Pen, &C::SetPen);
    PropEnum("Position", &C::Position, &C::SetPosition, spLeft, TLegendSymbolPositionNames);
    Prop("Shadow", &C::Shadow, &C::SetShadow);
    Prop("Squared", &C::Squared, &C::SetSquared, true);
    Prop("UseImages", &C::UseImages, &C::SetUseImages, true);
    Prop("Visible", &C::Visible, &C::SetVisible, true);
    Prop("Width", &C::Width, &C::SetWidth, 20);
    PropEnum("WidthUnits", &C::WidthUnits, &C::SetWidthUnits, lcsPercent, TLegendSymbolSizeNames);
}

TLegendSymbol::TLegendSymbol(TCustomChartLegend* legend) : legend_(legend)
{
    const TNotifyEvent changed(this, &TLegendSymbol::changedObject);
    emboss_ = std::make_unique<TZebEmboss>(changed);
    emboss_->InitDefaults(emboss_->Visible(), emboss_->Color(), 1);
    gradient_ = std::make_unique<TZebGradient>(changed);
    pen_ = std::make_unique<TZebPen>(changed);
    shadow_ = std::make_unique<TZebShadow>(changed);
    shadow_->InitDefaults(shadow_->Visible(), shadow_->Color(), 1);
}

TLegendSymbol::~TLegendSymbol() = default;

void TLegendSymbol::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TLegendSymbol*>(source);
    if (!s) return inherited::Assign(source);
    continuous_ = s->continuous_;
    defaultPen_ = s->defaultPen_;
    emboss_->Assign(s->emboss_.get());
    gradient_->Assign(s->gradient_.get());
    height_ = s->height_;
    heightUnits_ = s->heightUnits_;
    pen_->Assign(s->pen_.get());
    position_ = s->position_;
    shadow_->Assign(s->shadow_.get());
    squared_ = s->squared_;
    useImages_ = s->useImages_;
    visible_ = s->visible_;
    width_ = s->width_;
    widthUnits_ = s->widthUnits_;
}

void TLegendSymbol::changed()
{
    if (legend_) legend_->InvalidateChart();
}

template <class T>
void TLegendSymbol::change(T& field, T value)
{
    if (AssignIfChanged(field, value)) changed();
}

void TLegendSymbol::SetContinuous(bool value) { change(continuous_, value); }
void TLegendSymbol::SetDefaultPen(bool value) { change(defaultPen_, value); }
void TLegendSymbol::SetEmboss(TZebEmboss* value) { emboss_->Assign(value); }
void TLegendSymbol::SetGradient(TZebGradient* value) { gradient_->Assign(value); }
void TLegendSymbol::SetHeight(int value) { change(height_, value); }
void TLegendSymbol::SetHeightUnits(TLegendSymbolSize value) { change(heightUnits_, value); }
void TLegendSymbol::SetPen(TZebPen* value) { pen_->Assign(value); }
void TLegendSymbol::SetPosition(TLegendSymbolPosition value) { change(position_, value); }
void TLegendSymbol::SetShadow(TZebShadow* value) { shadow_->Assign(value); }
void TLegendSymbol::SetSquared(bool value) { change(squared_, value); }
void TLegendSymbol::SetUseImages(bool value) { change(useImages_, value); }
void TLegendSymbol::SetVisible(bool value) { change(visible_, value); }
void TLegendSymbol::SetWidth(int value) { change(width_, value); }
void TLegendSymbol::SetWidthUnits(TLegendSymbolSize value) { change(widthUnits_, value); }

int TLegendSymbol::PixelHeight() const
{
    if (heightUnits_ == lcsPixels) return height_;
    if (!legend_ || !legend_->Chart()) return 0;
    if (height_ > 100) return legend_->Chart()->Canvas3D()->StandardTextHeight();
    return static_cast<int>(Round((legend_->LayoutRowHeight() - 4) * height_ * 0.01));
}

int TLegendSymbol::PixelWidth(int textWidth) const
{
    if (!visible_) return 0;
    if (squared_) return PixelHeight() - (legend_ ? legend_->VertSpacing() : 0);
    if (widthUnits_ == lcsPercent) return static_cast<int>(Round(textWidth * width_ * 0.01));
    return width_;
}

void TLegendSymbol::PaintColorBox(TColor color, const TRect& rect)
{
    if (!legend_ || !legend_->Chart()) return;
    TCanvas3D& canvas = *legend_->Chart()->Canvas3D();
    TZebBrush& brush = *canvas.Brush();
    if (shadow_->IsActive() || emboss_->IsActive()) {
        const TColor savedColor = brush.Color();
        const TBrushStyle savedStyle = brush.Style();
        TBitmap* savedBitmap = brush.Bitmap();
        if (shadow_->IsActive()) shadow_->DrawRect(canvas, rect);
        if (emboss_->IsActive()) emboss_->DrawRect(canvas, rect);
        brush.SetColor(savedColor);
        brush.SetStyle(savedStyle);
        brush.SetBitmap(savedBitmap);
    }
    if (!defaultPen_) canvas.UsePen(*pen_);
    if (canvas.HasBrushGradient() && canvas.GetBrushGradient()->Visible()) {
        gradient_->SetEndColor(color);
        canvas.GetBrushGradient()->Assign(gradient_.get());
        canvas.GetBrushGradient()->SetVisible(true);
    } else {
        if (canvas.HasBrushGradient()) canvas.GetBrushGradient()->SetVisible(false);
        brush.SetColor(color);
    }
    TRect box = rect;
    TZebPen& pen = *canvas.Pen();
    if (pen.Style() == psClear) {
        if (brush.Style() == bsClear) return;
        ++box.Right;
        ++box.Bottom;
    } else {
        if (defaultPen_ && color == clBlack && legend_->Color() == clBlack) pen.SetColor(clWhite);
        const int width = pen.Width();
        box = {box.Left + width, box.Top + width, box.Right - width, box.Bottom - width};
    }
    canvas.DrawRect(box);
}
