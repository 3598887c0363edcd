#include "widgets/sevenseg/SevenSegmentCharacter.h"

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Canvas.h"

namespace {
constexpr TColor kPaletteRelative = 0x02000000;
}  // namespace

TV_PUBLISHED(TiSevenSegmentCharacter)
{
    using C = TiSevenSegmentCharacter;
    PropEnum("Value", &C::Value, &C::SetValue, ssc0, TSevenSegmentCharacterNames);
    Prop("Character", &C::Character, &C::SetCharacter).Stored(false);
    Prop("AutoSize", &C::AutoSize, &C::SetAutoSize, true);
    PropColor("SegmentColor", &C::SegmentColor, &C::SetSegmentColor, 0x00FF00);
    PropColor("SegmentOffColor", &C::SegmentOffColor, &C::SetSegmentOffColor, 0x008000);
    Prop("AutoSegmentOffColor", &C::AutoSegmentOffColor, &C::SetAutoSegmentOffColor, true);
    Prop("ShowOffSegments", &C::ShowOffSegments, &C::SetShowOffSegments, true);
    Prop("PowerOff", &C::PowerOff, &C::SetPowerOff, false);
    Prop("SegmentMargin", &C::SegmentMargin, &C::SetSegmentMargin, 2);
    Prop("SegmentSeperation", &C::SegmentSeperation, &C::SetSegmentSeperation, 1);
    Prop("SegmentSize", &C::SegmentSize, &C::SetSegmentSize, 1);
    Prop("UseSegmentBits", &C::UseSegmentBits, &C::SetUseSegmentBits, false);
    Prop("SegAOn", &C::SegAOn, &C::SetSegAOn, false);
    Prop("SegBOn", &C::SegBOn, &C::SetSegBOn, false);
    Prop("SegCOn", &C::SegCOn, &C::SetSegCOn, false);
    Prop("SegDOn", &C::SegDOn, &C::SetSegDOn, false);
    Prop("SegEOn", &C::SegEOn, &C::SetSegEOn, false);
    Prop("SegFOn", &C::SegFOn, &C::SetSegFOn, false);
    Prop("SegGOn", &C::SegGOn, &C::SetSegGOn, false);
    Prop("SegmentBits", &C::SegmentBits, &C::SetSegmentBits, 0);
    PropColor("BackGroundColor", &C::BackGroundColor, &C::SetBackGroundColor, clBlack);
    PropEnum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, ibsNone, TiBevelStyleNames);
    Prop("Transparent", &C::Transparent, &C::SetTransparent, false);
}

TiSevenSegmentCharacter::TiSevenSegmentCharacter(TComponent* owner) : TiCustomComponent(owner)
{
    SetBackGroundColor(clBlack);
    ApplyAutoSize();
}

void TiSevenSegmentCharacter::SetValue(TSevenSegmentCharacter value)
{
    if (value == value_ || !AllowChange("Value")) return;
    value_ = value;
    InvalidateChange();
    ApplyAutoSize();
    AfterChange("Value");
}

void TiSevenSegmentCharacter::SetAutoSize(bool value)
{
    if (AssignIfChanged(autoSize_, value)) {
        ApplyAutoSize();
        InvalidateChange();
    }
}

void TiSevenSegmentCharacter::SetSegmentMargin(int value)
{
    if (AssignIfChanged(segmentMargin_, std::max(value, 0))) {
        InvalidateChange();
        ApplyAutoSize();
    }
}

void TiSevenSegmentCharacter::SetSegmentSize(int value)
{
    if (AssignIfChanged(segmentSize_, std::max(value, 1))) {
        InvalidateChange();
        ApplyAutoSize();
    }
}

void TiSevenSegmentCharacter::SetSegOn(int index, bool on)
{
    const Byte bits = on ? static_cast<Byte>(segmentBits_ | (1u << index))
                         : static_cast<Byte>(segmentBits_ & ~(1u << index));
    if (AssignIfChanged(segmentBits_, bits)) InvalidateChange();
}

void TiSevenSegmentCharacter::SetSegmentBits(Byte bits)
{
    segmentBits_ = static_cast<Byte>(bits & 0x7F);
    InvalidateChange();
}

TColor TiSevenSegmentCharacter::OffColor() const
{
    return autoSegmentOffColor_ ? DivideColor(segmentColor_, 3) + kPaletteRelative : segmentOffColor_;
}

TColor TiSevenSegmentCharacter::OnColor() const { return powerOff_ ? OffColor() : segmentColor_ + kPaletteRelative; }

int TiSevenSegmentCharacter::NaturalWidth() const
{
    return 2 * segmentMargin_ + (IsNarrowCharacter(value_) ? 2 : 10) * segmentSize_;
}

int TiSevenSegmentCharacter::NaturalHeight() const { return 2 * segmentMargin_ + 18 * segmentSize_; }

void TiSevenSegmentCharacter::ApplyAutoSize()
{
    if (IsLoading() || !autoSize_) return;
    SetBounds(Left(), Top(), NaturalWidth() + 1, NaturalHeight() + 1);
    if (autoSizeHook_) autoSizeHook_(this);
}

void TiSevenSegmentCharacter::DrawCharacter(TCanvas& canvas, int x0, int y0, int w, int h, TSevenSegmentCharacter value)
{
    const TColor on = OnColor(), off = OffColor();
    const CellGeometry g{w, h, segmentMargin_, segmentSeperation_, segmentSize_};
    const CellStyle style{showOffSegments_, useSegmentBits_, segmentBits_};
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    std::vector<TPoint> pts;
    for (const SegShape& shape : CharacterShapes(g, value, style)) {
        const TColor colour = shape.State == SegState::Lit ? on : off;
        canvas.Brush()->SetColor(colour);
        canvas.Pen()->SetColor(colour);
        pts.clear();
        for (const SegPoint& p : shape.Points) pts.push_back(TPoint{x0 + p.X, y0 + p.Y});
        canvas.Polygon(pts.data(), static_cast<int>(pts.size()));
    }
}

void TiSevenSegmentCharacter::PaintTo(TCanvas& canvas)
{
    DrawBackground(canvas, BackGroundColor());
    DrawCharacter(canvas, 0, 0, Width(), Height(), value_);
}
