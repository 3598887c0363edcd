// The legend's settings, what it lists and with which texts, its check boxes and title.
#include "chart/core/Legend.h"

#include <algorithm>

#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesGroups.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TLegendTitle)
{
    Prop("Transparency", &TLegendTitle::Transparency, &TLegendTitle::SetTransparency, 0);
    Prop("Visible", &TLegendTitle::Visible, &TLegendTitle::SetVisible).NoDefault().Stored(&TLegendTitle::IsVisibleStored);
}

TV_PUBLISHED(TCustomChartLegend) {}

TV_PUBLISHED(TChartLegend)
{
    using C = TChartLegend;
    PropEnum("Alignment", &C::Alignment, &C::SetAlignment, laRight, TLegendAlignmentNames);
    PropEnum("Bevel", &C::Bevel, &C::SetBevel, bvNone, TBevelCutNames);
    Prop("BevelWidth", &C::BevelWidth, &C::SetBevelWidth, 2);
    Prop("Brush", &C::Brush, &C::SetBrush);
    Prop("CheckBoxes", &C::CheckBoxes, &C::SetCheckBoxes, false);
    PropEnum("CheckBoxesStyle", &C::CheckBoxesStyle, &C::SetCheckBoxesStyle, cbsCheck, TCheckBoxesStyleNames);
    Prop("Children", &C::Children, &C::SetChildren).Stored(&C::IsChildrenStored);
    PropColor("Color", &C::Color, &C::SetColor, clWhite);
    Prop("ColorWidth", &C::ColorWidth, &C::SetColorWidth, 20);
    Prop("CurrentPage", &C::CurrentPage, &C::SetCurrentPage, true);
    Prop("CustomPosition", &C::CustomPosition, &C::SetCustomPosition)
        .NoDefault()
        .Stored(&C::IsCustomPositionStored);
    Prop("DividingLines", &C::DividingLines, &C::SetDividingLines);
    Prop("DrawBehind", &C::DrawBehind, &C::SetDrawBehind, false);
    Prop("Emboss", &C::Emboss, &C::SetEmboss).Stored(&C::HasEmboss);
    Prop("FirstValue", &C::FirstValue, &C::SetFirstValue, 0);
    Prop("Font", &C::Font, &C::SetFont);
    Prop("FontSeriesColor", &C::FontSeriesColor, &C::SetFontSeriesColor, false);
    Prop("Frame", &C::Pen, &C::SetPen);
    Prop("GlobalTransparency", &C::GlobalTransparency, &C::SetGlobalTransparency, 0);
    Prop("Gradient", &C::Gradient, &C::SetGradient).Stored(false);
    PropEnum("HorizJustify", &C::HorizJustify, &C::SetHorizJustify, ljAutomatic, TLegendJustifyNames);
    Prop("HorizMargin", &C::HorizMargin, &C::SetHorizMargin, 0);
    Prop("Inverted", &C::Inverted, &C::SetInverted, false);
    Prop("Left", &C::Left, &C::SetLeft).NoDefault().Stored(&C::CustomPosition);
    Prop("LeftPercent", &C::LeftPercent, &C::SetLeftPercent, 0);
    PropEnum("LegendStyle", &C::LegendStyle, &C::SetLegendStyle, lsAuto, TLegendStyleNames);
    Prop("MaxNumRows", &C::MaxNumRows, &C::SetMaxNumRows, 0);
    Prop("Picture", &C::Picture, &C::SetPicture).Stored(&C::HasPicture);
    PropEnum("PositionUnits", &C::PositionUnits, &C::SetPositionUnits, muPixels, TZebUnitsNames);
    Prop("ResizeChart", &C::ResizeChart, &C::SetResizeChart, true);
    Prop("RoundSize", &C::RoundSize, &C::SetRoundSize, 16);
    Prop("Selected", &C::Selected, &C::SetSelected).Stored(&C::HasSelected);
    Prop("Shadow", &C::Shadow, &C::SetShadow);
    Prop("ShapeCallout", &C::ShapeCallout, &C::SetShapeCallout).Stored(&C::HasShapeCallout);
    PropEnum("ShapeStyle", &C::ShapeStyle, &C::SetShapeStyle, fosRectangle, TChartObjectShapeStyleNames);
    Prop("Symbol", &C::Symbol, &C::SetSymbol);
    PropEnum("TextStyle", &C::TextStyle, &C::SetTextStyle, ltsLeftValue, TLegendTextStyleNames);
    Prop("TextSymbolGap", &C::TextSymbolGap, &C::SetTextSymbolGap, 2);
    Prop("Title", &C::Title, &C::SetTitle).Stored(&C::HasTitle);
    Prop("Top", &C::Top, &C::SetTop).NoDefault().Stored(&C::CustomPosition);
    Prop("TopPercent", &C::TopPercent, &C::SetTopPercent, 0);
    Prop("TopPos", &C::TopPos, &C::SetTopPos, 10);
    Prop("Transparency", &C::Transparency, &C::SetTransparency, 0);
    Prop("Transparent", &C::Transparent, &C::SetTransparent).NoDefault().Stored(&C::IsTransparentStored);
    Prop("VertMargin", &C::VertMargin, &C::SetVertMargin, 0);
    Prop("VertSpacing", &C::VertSpacing, &C::SetVertSpacing, 0);
    Prop("Visible", &C::Visible, &C::SetVisible).NoDefault().Stored(&C::IsVisibleStored);
}

// ---- title ----

TLegendTitle::TLegendTitle(TCustomZebPanel* panel) : TStringsShape(panel)
{
    PresetTransparent(true);
    Font()->SetStyle(TFontStyles{fsBold});
}

void TLegendTitle::InitShadowDefaults(TZebShadow& shadow)
{
    shadow.InitDefaults(shadow.Visible(), static_cast<TColor>(0xC0C0C0), 2);
}

void TLegendTitle::InitEmbossDefaults(TZebEmboss& emboss)
{
    emboss.InitDefaults(emboss.Visible(), static_cast<TColor>(0xC0C0C0), 2);
}

// ---- the legend ----

TCustomChartLegend::TCustomChartLegend(TCustomAxisPanel* chart)
    : TZebCustomShapePosition(chart),
      chart_(chart),
      dividingLines_(std::make_unique<TZebHiddenPen>(
          TNotifyEvent(static_cast<TZebCustomShapeBrushPen*>(this), &TZebCustomShapeBrushPen::StyleChanged))),
      symbol_(std::make_unique<TLegendSymbol>(this))
{
    dividingLines_->InitEndStyle(esFlat);
    TZebGradient* gradient = Brush()->Gradient();
    gradient->InitDirection(gdRightLeft);
    gradient->InitColors(static_cast<TColor>(0xC0C0C0), clWhite);
    // Copies of a gradient take only colours it holds, not its defaults.
    gradient->SetStartColor(static_cast<TColor>(0xC0C0C0));
    gradient->SetEndColor(clWhite);
}

TCustomChartLegend::~TCustomChartLegend()
{
    // The chart keeps no pen of a legend that is gone.
    if (chart_ && symbolPen_ && chart_->LegendSymbolPen() == symbolPen_) chart_->SetLegendSymbolPen(nullptr);
}

void TCustomChartLegend::SetParentPanel(TCustomZebPanel* panel)
{
    auto* chart = dynamic_cast<TCustomAxisPanel*>(panel);
    if (chart_ != chart && chart_ && symbolPen_ && chart_->LegendSymbolPen() == symbolPen_)
        chart_->SetLegendSymbolPen(nullptr);
    chart_ = chart;
    TZebCustomShapePosition::SetParentPanel(panel);
    if (title_) title_->SetParentPanel(panel);
}

void TCustomChartLegend::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCustomChartLegend*>(source)) {
        alignment_ = s->alignment_;
        checkBoxes_ = s->checkBoxes_;
        checkBoxesStyle_ = s->checkBoxesStyle_;
        currentPage_ = s->currentPage_;
        dividingLines_->Assign(s->dividingLines_.get());
        drawBehind_ = s->drawBehind_;
        firstValue_ = s->firstValue_;
        fontSeriesColor_ = s->fontSeriesColor_;
        globalTransparency_ = s->globalTransparency_;
        horizJustify_ = s->horizJustify_;
        horizMargin_ = s->horizMargin_;
        inverted_ = s->inverted_;
        leftPercent_ = s->leftPercent_;
        legendStyle_ = s->legendStyle_;
        maxNumRows_ = s->maxNumRows_;
        positionUnits_ = s->positionUnits_;
        resizeChart_ = s->resizeChart_;
        SetSelected(s->selected_.get());
        symbol_->Assign(s->symbol_.get());
        textStyle_ = s->textStyle_;
        textSymbolGap_ = s->textSymbolGap_;
        SetTitle(s->title_.get());
        topPercent_ = s->topPercent_;
        topPos_ = s->topPos_;
        vertMargin_ = s->vertMargin_;
        vertSpacing_ = s->vertSpacing_;
        UpdateEffectiveStyle();
    }
    TZebCustomShapePosition::Assign(source);
}

TCustomZebPanel* TCustomChartLegend::panel() const { return chart_; }

void TCustomChartLegend::SetAlignment(TLegendAlignment value) { Change(alignment_, value); }

void TCustomChartLegend::SetCheckBoxes(bool value)
{
    checkBoxes_ = value;
    ChangedNotify();
}

void TCustomChartLegend::SetCheckBoxesStyle(TCheckBoxesStyle value)
{
    checkBoxesStyle_ = value;
    if (value == cbsRadio && chart_) {
        if (effectiveStyle_ == lsSeriesGroups) {
            if (TSeriesGroups* groups = chart_->SeriesGroups())
                for (int i = 1; i < groups->Count(); ++i)
                    if (groups->GetGroup(i)->Active() != gaNo) groups->GetGroup(i)->SetActive(gaNo);
        } else {
            // Deactivating shifts the active entries: the second one is always at position 1.
            while (TChartSeries* second = chart_->LegendSeries(1, true)) second->SetActive(false);
        }
    }
    ChangedNotify();
}

int TCustomChartLegend::ColorWidth() const { return symbol_->Width(); }

void TCustomChartLegend::SetColorWidth(int value) { symbol_->SetWidth(value); }

void TCustomChartLegend::SetDividingLines(TZebHiddenPen* value) { dividingLines_->Assign(value); }

void TCustomChartLegend::SetFirstValue(int value)
{
    if (value < 0) throw LegendException("First Legend Value must be > 0");
    Change(firstValue_, value);
}

void TCustomChartLegend::SetLegendStyle(TLegendStyle value)
{
    legendStyle_ = value;
    UpdateEffectiveStyle();
    InvalidateChart();
}

void TCustomChartLegend::SetResizeChart(bool value)
{
    if (chart_) chart_->ChangeBoolean(resizeChart_, value);
}

TZebSelected* TCustomChartLegend::Selected()
{
    if (!selected_) selected_ = std::make_unique<TZebSelected>(this);
    return selected_.get();
}

void TCustomChartLegend::SetSelected(TZebSelected* value)
{
    if (!value)
        selected_.reset();
    else
        Selected()->Assign(value);
}

void TCustomChartLegend::SetSymbol(TLegendSymbol* value) { symbol_->Assign(value); }

TLegendTitle* TCustomChartLegend::Title()
{
    if (!title_) title_ = std::make_unique<TLegendTitle>(chart_);
    return title_.get();
}

void TCustomChartLegend::SetTitle(TLegendTitle* value)
{
    if (!value)
        title_.reset();
    else
        Title()->Assign(value);
}

void TCustomChartLegend::ChangedNotify()
{
    InvalidateChart();
    if (chart_) chart_->BroadcastNewEvent<TZebLegendEvent>();
}

// ---- what is listed ----

int TCustomChartLegend::CountLegendSeries() const
{
    int n = 0;
    if (chart_)
        while (chart_->LegendSeries(n, true)) ++n;
    return n;
}

void TCustomChartLegend::UpdateEffectiveStyle()
{
    if (legendStyle_ != lsAuto)
        effectiveStyle_ = legendStyle_;
    else
        effectiveStyle_ = checkBoxes_ || CountLegendSeries() > 1 ? lsSeries : lsValues;
}

TChartSeries* TCustomChartLegend::LegendSeries() const
{
    if (legendSeries_) return legendSeries_;
    if (!chart_) return nullptr;
    TChartSeries* firstActive = nullptr;
    for (TChartSeries* series : chart_->SeriesList()) {
        if (!series->Active()) continue;
        if (!firstActive) {
            firstActive = series;
            if (series->ShowInLegend()) return series;
        } else if (series->ShowInLegend()) {
            return series;
        }
    }
    return firstActive;
}

void TCustomChartLegend::SetLegendSeries(TChartSeries* series)
{
    legendSeries_ = series;
    InvalidateChart();
}

bool TCustomChartLegend::EffectiveInverted() const
{
    bool result = inverted_;
    if (effectiveStyle_ == lsValues)
        if (const TChartSeries* series = LegendSeries(); series && series->InvertsLegend()) result = !result;
    return result;
}

bool TCustomChartLegend::HasContent() const
{
    if (!Visible()) return false;
    return HasCheckBoxes() || (chart_ && chart_->ActiveSeriesTotal() > 0);
}

TChartSeries* TCustomChartLegend::entrySeries(int index) const
{
    return chart_ ? chart_->LegendSeries(index, !checkBoxes_) : nullptr;
}

String TCustomChartLegend::ItemText(int index) const
{
    if (!chart_) return String();
    String text;
    switch (effectiveStyle_) {
        case lsSeries:
            text = chart_->LegendSeriesTitle(index, !checkBoxes_);
            break;
        case lsValues:
            if (TChartSeries* series = LegendSeries()) text = chart_->LegendTextOfPoint(series, index);
            break;
        case lsLastValues:
            if (TChartSeries* series = entrySeries(index))
                text = chart_->LegendTextOfPoint(series, series->Count() - 1);
            break;
        case lsSeriesGroups:
            if (TSeriesGroups* groups = chart_->SeriesGroups(); groups && index < groups->Count())
                text = groups->GetGroup(index)->Name();
            break;
        case lsAuto:
            break;
    }
    chart_->GetLegendText(const_cast<TCustomChartLegend&>(*this), index, text);
    return text;
}

bool TCustomChartLegend::ClickItem(int index)
{
    Selected()->SetSelectedIndex(index);
    if (index == -1 || !HasCheckBoxes() || !chart_) return false;
    if (effectiveStyle_ == lsSeriesGroups) {
        TSeriesGroups* groups = chart_->SeriesGroups();
        if (!groups || index >= groups->Count()) return false;
        if (checkBoxesStyle_ == cbsCheck) {
            TSeriesGroup* group = groups->GetGroup(index);
            group->SetActive(group->Active() == gaNo ? gaYes : gaNo);
        } else {
            for (int i = 0; i < groups->Count(); ++i) groups->GetGroup(i)->SetActive(i == index ? gaYes : gaNo);
        }
        return true;
    }
    if (checkBoxesStyle_ == cbsCheck) {
        if (TChartSeries* series = chart_->LegendSeries(index, false)) series->SetActive(!series->Active());
        return true;
    }
    // Only entries that exist: positions past the listed series have nothing to switch.
    for (int i = 0; TChartSeries* series = chart_->LegendSeries(i, false); ++i) series->SetActive(i == index);
    return true;
}

TCursor TCustomChartLegend::HoverCursor() const
{
    return selected_ && selected_->Visible() ? crHandPoint : Cursor();
}

void TCustomChartLegend::SelectSymbolPen()
{
    symbolPen_ = symbol_->DefaultPen() ? nullptr : symbol_->Pen();
    if (chart_) chart_->SetLegendSymbolPen(symbolPen_);
}
