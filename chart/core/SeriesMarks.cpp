#include "chart/core/SeriesMarks.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AutomaticText.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/MarksOwner.h"
#include "chart/core/MarksTail.h"
#include "chart/core/PanelZoom.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"

namespace {

constexpr TColor MarksColor = static_cast<TColor>(0xE1FFFF);
constexpr TColor EffectGray = static_cast<TColor>(0x808080);

}  // namespace

TV_PUBLISHED(TSeriesMarks)
{
    Prop("Angle", &TSeriesMarks::Angle, &TSeriesMarks::SetAngle, 0);
    Prop("Arrow", &TSeriesMarks::Arrow, &TSeriesMarks::SetArrow).Stored(&TSeriesMarks::HasCallout);
    Prop("ArrowLength", &TSeriesMarks::ArrowLength, &TSeriesMarks::SetArrowLength).Stored(false);
    Prop("AutoPosition", &TSeriesMarks::AutoPosition, &TSeriesMarks::SetAutoPosition, true);
    PropColor("BackColor", &TSeriesMarks::Color, &TSeriesMarks::SetColor, MarksColor).Stored(false);
    PropEnum("Bevel", &TSeriesMarks::Bevel, &TSeriesMarks::SetBevel, bvNone, TBevelCutNames);
    Prop("BevelWidth", &TSeriesMarks::BevelWidth, &TSeriesMarks::SetBevelWidth, 2);
    Prop("Brush", &TSeriesMarks::Brush, &TSeriesMarks::SetBrush);
    Prop("Callout", &TSeriesMarks::Callout, &TSeriesMarks::SetCallout).Stored(&TSeriesMarks::HasCallout);
    Prop("Children", &TSeriesMarks::Children, &TSeriesMarks::SetChildren).Stored(&TSeriesMarks::IsChildrenStored);
    PropEnum("ChildLayout", &TSeriesMarks::ChildLayout, &TSeriesMarks::SetChildLayout, slTopBottom,
             TZebShapeLayoutNames);
    Prop("Clip", &TSeriesMarks::Clip, &TSeriesMarks::SetClip, false);
    PropColor("Color", &TSeriesMarks::Color, &TSeriesMarks::SetColor, MarksColor);
    Prop("DrawEvery", &TSeriesMarks::DrawEvery, &TSeriesMarks::SetDrawEvery, 1);
    Prop("Emboss", &TSeriesMarks::Emboss, &TSeriesMarks::SetEmboss).Stored(&TSeriesMarks::HasEmboss);
    Prop("Font", &TSeriesMarks::Font, &TSeriesMarks::SetFont);
    Prop("FontSeriesColor", &TSeriesMarks::FontSeriesColor, &TSeriesMarks::SetFontSeriesColor, false);
    Prop("Frame", &TSeriesMarks::Pen, &TSeriesMarks::SetPen);
    Prop("Gradient", &TSeriesMarks::Gradient, &TSeriesMarks::SetGradient);
    Prop("MultiLine", &TSeriesMarks::MultiLine, &TSeriesMarks::SetMultiLine, false);
    Prop("OnTop", &TSeriesMarks::OnTop, &TSeriesMarks::SetOnTop, false);
    Prop("Picture", &TSeriesMarks::Picture, &TSeriesMarks::SetPicture).Stored(&TSeriesMarks::HasPicture);
    Prop("RoundSize", &TSeriesMarks::RoundSize, &TSeriesMarks::SetRoundSize, 4);
    Prop("Shadow", &TSeriesMarks::Shadow, &TSeriesMarks::SetShadow);
    PropEnum("ShapeStyle", &TSeriesMarks::ShapeStyle, &TSeriesMarks::SetShapeStyle, fosRoundRectangle,
             TChartObjectShapeStyleNames);
    Prop("SoftClip", &TSeriesMarks::SoftClip, &TSeriesMarks::SetSoftClip, false);
    Prop("Symbol", &TSeriesMarks::Symbol, &TSeriesMarks::SetSymbol).Stored(&TSeriesMarks::HasSymbol);
    Prop("Tail", &TSeriesMarks::Tail, &TSeriesMarks::SetTail).Stored(&TSeriesMarks::HasTail);
    // The composed text of the last mark drawn is not a setting.
    Prop("Text", &TSeriesMarks::Text, &TSeriesMarks::SetText).Stored(false);
    PropEnum("TextAlign", &TSeriesMarks::TextAlignment, &TSeriesMarks::SetTextAlignment, taCenter, TAlignmentNames)
        .Stored(false);
    Prop("Transparency", &TSeriesMarks::Transparency, &TSeriesMarks::SetTransparency, 0);
    Prop("Transparent", &TSeriesMarks::Transparent, &TSeriesMarks::SetTransparent)
        .NoDefault()
        .Stored(&TSeriesMarks::IsTransparentStored);
    PropEnum("UseImages", &TSeriesMarks::UseImages, &TSeriesMarks::SetUseImages, miSymbol, TSeriesMarksImagesNames);
    Prop("UseSeriesTransparency", &TSeriesMarks::UseSeriesTransparency, &TSeriesMarks::SetUseSeriesTransparency, true);
    Prop("Visible", &TSeriesMarks::Visible, &TSeriesMarks::SetVisible).NoDefault().Stored(&TSeriesMarks::IsVisibleStored);
}

// ---- set-up ----

TSeriesMarks::TSeriesMarks(TChartSeries* series)
    : TSeriesMarkShape(series ? series->ParentChart() : nullptr),
      series_(series),
      automaticText_(new TAutomaticText(TNotifyEvent(static_cast<TZebCustomShapeBrushPen*>(this),
                                                     &TZebCustomShapeBrushPen::StyleChanged)))
{
    setMarks(this);
    SetDefaultTextAlignment(taCenter);
    Margins()->SetDefaultHorizontal(20);
    Gradient()->InitDirection(gdRightLeft);
    Gradient()->InitColors(static_cast<TColor>(0xC0C0C0), clWhite);
    SetRoundSize(4);
    SetColor(MarksColor);
    PresetVisible(false);
    const TNotifyEvent keep = Shadow()->OnChange();
    Shadow()->SetOnChange({});
    InitShadowDefaults(*Shadow());
    Shadow()->SetOnChange(keep);
}

TSeriesMarks::~TSeriesMarks()
{
    TObject::Free(automaticText_);
    TObject::Free(symbol_);
    TObject::Free(callout_);
    TObject::Free(tail_);
}

void TSeriesMarks::InitShadowDefaults(TZebShadow& shadow) { shadow.InitDefaults(shadow.Visible(), EffectGray, 3); }

void TSeriesMarks::InitEmbossDefaults(TZebEmboss& emboss) { emboss.InitDefaults(emboss.Visible(), EffectGray, 3); }

const TMetaClass& TSeriesMarks::ChildShapeClass() const { return TSeriesMarkShape::StaticClass(); }

void TSeriesMarks::SetParentPanel(TCustomZebPanel* panel)
{
    TSeriesMarkShape::SetParentPanel(panel);
    if (callout_) callout_->SetParentPanel(panel);
    if (symbol_) symbol_->SetParentPanel(panel);
}

void TSeriesMarks::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TSeriesMarks*>(source)) {
        SetAngle(s->Angle());
        automaticText_->Assign(s->automaticText_);
        SetCallout(s->callout_);
        clip_ = s->clip_;
        drawEvery_ = s->drawEvery_;
        SetStyle(s->Style());
        multiLine_ = s->multiLine_;
        onTop_ = s->onTop_;
        softClip_ = s->softClip_;
        SetSymbol(s->symbol_);
        SetTail(s->tail_);
        useImages_ = s->useImages_;
        useSeriesTransparency_ = s->useSeriesTransparency_;
        // The source's empty slots are copied as the items they would be; the source keeps them empty.
        items_.Clear();
        for (int i = 0; i < s->items_.Count(); ++i) {
            TOwnedPtr<TMarksItem> scratch;
            items_.EnsureItem(i).Assign(&s->items_.ItemOrScratch(i, scratch));
        }
    }
    TSeriesMarkShape::Assign(source);
}

void TSeriesMarks::DefineProperties(TFiler& filer)
{
    TSeriesMarkShape::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Items", [this](TStream& stream) { items_.ReadItems(stream); },
        [this](TStream& stream) { items_.WriteItems(stream); }, items_.Count() > 0);
}

// ---- settings ----

void TSeriesMarks::repaintSeries()
{
    if (series_)
        series_->InvalidateChart();
    else
        InvalidateChart();
}

void TSeriesMarks::settingsChanged(TObject*) { repaintSeries(); }

namespace {

template <class T>
void changeThrough(TChartSeries* series, T& field, T value, void (TCustomChartElement::*change)(T&, T),
                   TSeriesMarks& marks)
{
    if (series)
        (series->*change)(field, value);
    else if (AssignIfChanged(field, value))
        marks.InvalidateChart();
}

}  // namespace

void TSeriesMarks::SetAutomaticText(TAutomaticText* value) { automaticText_->Assign(value); }

bool TSeriesMarks::AutoPosition() const { return automaticText_->Move(); }

void TSeriesMarks::SetAutoPosition(bool value) { automaticText_->SetMove(value); }

TMarksCallout* TSeriesMarks::Callout()
{
    if (!callout_) {
        callout_ = new TMarksCallout(series_);
        callout_->SetParentPanel(ParentPanel());
    }
    return callout_;
}

void TSeriesMarks::SetCallout(TMarksCallout* value)
{
    if (!value) {
        TObject::Free(std::exchange(callout_, nullptr));
        return;
    }
    Callout()->Assign(value);
}

TWhitePen* TSeriesMarks::Arrow() { return Callout()->Arrow(); }

void TSeriesMarks::SetArrow(TZebPen* value) { Callout()->SetArrow(value); }

int TSeriesMarks::ArrowLength() { return Callout()->Length(); }

void TSeriesMarks::SetArrowLength(int value) { Callout()->SetLength(value); }

void TSeriesMarks::SetClip(bool value) { changeThrough(series_, clip_, value, &TCustomChartElement::ChangeBoolean, *this); }

void TSeriesMarks::SetDrawEvery(int value)
{
    changeThrough(series_, drawEvery_, value, &TCustomChartElement::ChangeInteger, *this);
}

void TSeriesMarks::SetFontSeriesColor(bool value)
{
    changeThrough(series_, fontSeriesColor_, value, &TCustomChartElement::ChangeBoolean, *this);
}

void TSeriesMarks::SetMultiLine(bool value)
{
    changeThrough(series_, multiLine_, value, &TCustomChartElement::ChangeBoolean, *this);
}

void TSeriesMarks::SetOnTop(bool value) { changeThrough(series_, onTop_, value, &TCustomChartElement::ChangeBoolean, *this); }

void TSeriesMarks::SetSoftClip(bool value)
{
    changeThrough(series_, softClip_, value, &TCustomChartElement::ChangeBoolean, *this);
}

void TSeriesMarks::SetUseSeriesTransparency(bool value)
{
    changeThrough(series_, useSeriesTransparency_, value, &TCustomChartElement::ChangeBoolean, *this);
}

void TSeriesMarks::SetUseImages(TSeriesMarksImages value)
{
    if (AssignIfChanged(useImages_, value)) repaintSeries();
}

TSeriesMarksSymbol* TSeriesMarks::Symbol()
{
    if (!symbol_) {
        const TAutoRepaintOff quiet(ParentPanel());
        symbol_ = new TSeriesMarksSymbol(ParentPanel());
    }
    return symbol_;
}

void TSeriesMarks::SetSymbol(TSeriesMarksSymbol* value)
{
    if (!value) {
        TObject::Free(std::exchange(symbol_, nullptr));
        return;
    }
    Symbol()->Assign(value);
}

TMarksTail* TSeriesMarks::Tail()
{
    if (!tail_) tail_ = new TMarksTail(TNotifyEvent(this, &TSeriesMarks::settingsChanged));
    return tail_;
}

void TSeriesMarks::SetTail(TMarksTail* value)
{
    if (!value) {
        TObject::Free(std::exchange(tail_, nullptr));
        return;
    }
    Tail()->Assign(value);
}

// ---- point data ----

int TSeriesMarks::EffectiveDrawEvery() const
{
    int result = drawEvery_;
    const TCustomAxisPanel* chart = series_ ? series_->ParentChart() : nullptr;
    if (chart && series_->ScanVisibleRange() && series_->FirstVisibleIndex() != -1) {
        const int points = series_->LastVisibleIndex() - series_->FirstVisibleIndex() + 1;
        const int half = (series_->YMandatory() ? chart->ChartWidth() : chart->ChartHeight()) / 2;
        if (half > 0 && half < points) result = std::max(result, RoundHalfEven(static_cast<double>(points) / half));
    }
    // Every index is a multiple of 1; nothing is a multiple of 0.
    return std::max(result, 1);
}

void TSeriesMarks::RemoveMarkAt(int index)
{
    positions_.RemoveRange(index, 1);
    items_.Remove(index);
}

void TSeriesMarks::ClearMarkData()
{
    positions_.Clear();
    if (!items_.Loaded()) items_.Clear();
}

void TSeriesMarks::ForgetCustomPositions()
{
    positions_.ClearCustom();
    repaintSeries();
}

void TSeriesMarks::SwapMarkData(int a, int b)
{
    positions_.Swap(a, b);
    items_.Swap(a, b);
}

void TSeriesMarks::ApplyCalloutOffset(TSeriesMarkPosition& position)
{
    if (callout_) callout_->OffsetMarkPosition(position.ArrowFrom, position.ArrowTo, position.LeftTop);
}

int TSeriesMarks::MarkTextWidth(int index)
{
    if (!owner_ || !ParentPanel()) return 0;
    ParentPanel()->ApplyFont(*Font());
    int lines = 0;
    return ParentPanel()->TextBlockWidth(owner_->ComposeMarkText(index), lines, TextFormat());
}

std::uint8_t StoredDataFlags(IMarksOwner& series, const TSeriesMarks& marks)
{
    std::uint8_t flags = 0;
    if (series.XValuesNeedStoring()) flags |= 1;
    if (series.HasOwnColors()) flags |= 2;
    if (series.HasAnyLabel()) flags |= 4;
    if (marks.Positions().HasCustom()) flags |= 8;
    if (series.HasPointPictures()) flags |= 16;
    return flags;
}

bool IntersectRects(const TRect& a, const TRect& b, TRect& r) { return IntersectRect(r, a, b); }

bool RectsOverlap(const TRect& a, const TRect& b)
{
    TRect scratch;
    return IntersectRects(a, b, scratch);
}
