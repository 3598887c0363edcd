#include "chart/core/AxisPens.h"

#include "chart/canvas/ChangeGuard.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TChartAxisPen)
{
    PropEnum("LineMode", &TChartAxisPen::LineMode, &TChartAxisPen::SetLineMode, lmLine, TPenLineModeNames);
}

TV_PUBLISHED(TTicks) {}

TV_PUBLISHED(TAxisGridPen)
{
    PropColor("Color", &TAxisGridPen::Color, &TAxisGridPen::SetColor, static_cast<TColor>(0xC0C0C0));
    Prop("DrawEvery", &TAxisGridPen::DrawEvery, &TAxisGridPen::SetDrawEvery, 1);
    Prop("DrawAlways", &TAxisGridPen::DrawAlways, &TAxisGridPen::SetDrawAlways, false);
    Prop("ZPosition", &TAxisGridPen::ZPosition, &TAxisGridPen::SetZPosition)
        .NoDefault()
        .Stored(&TAxisGridPen::IsZPositionStored);
}

TChartAxisPen::TChartAxisPen(TNotifyEvent onChange) : TZebPen(std::move(onChange))
{
    TChangeEventDetach quiet(*this);
    InitWidth(2);
}

void TChartAxisPen::Assign(TPersistent* source)
{
    if (auto* p = dynamic_cast<TChartAxisPen*>(source)) lineMode_ = p->lineMode_;
    TZebPen::Assign(source);
}

void TChartAxisPen::SetLineMode(TPenLineMode value)
{
    if (AssignIfChanged(lineMode_, value)) Changed();
}

TAxisGridPen::TAxisGridPen(TNotifyEvent onChange) : TZebPen(std::move(onChange))
{
    TChangeEventDetach quiet(*this);
    SetColor(static_cast<TColor>(0xC0C0C0));
}

void TAxisGridPen::Assign(TPersistent* source)
{
    if (auto* p = dynamic_cast<TAxisGridPen*>(source)) {
        centered_ = p->centered_;
        drawAlways_ = p->drawAlways_;
        drawEvery_ = p->drawEvery_;
        zPosition_ = p->zPosition_;
    }
    TZebPen::Assign(source);
}

void TAxisGridPen::SetCentered(bool value)
{
    if (AssignIfChanged(centered_, value)) Changed();
}

void TAxisGridPen::SetDrawAlways(bool value)
{
    if (AssignIfChanged(drawAlways_, value)) Changed();
}

void TAxisGridPen::SetDrawEvery(int value)
{
    if (AssignIfChanged(drawEvery_, value)) Changed();
}

void TAxisGridPen::SetZPosition(double value)
{
    if (AssignIfChanged(zPosition_, value)) Changed();
}

void TAxisGridPen::DefineProperties(TFiler& filer)
{
    TZebPen::DefineProperties(filer);
    filer.DefineProperty(
        "ZZero", [this](TReader& reader) { if (reader.ReadBoolean()) SetZPosition(0); },
        [](TWriter& writer) { writer.WriteBoolean(true); }, defaultZPosition_ != 0 && zPosition_ == 0);
}
