#include "chart/core/StringsShape.h"

#include "chart/canvas/ZebFont.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TZebCustomShapePosition) {}

TV_PUBLISHED(TTextShape)
{
    Prop("CustomPosition", &TTextShape::CustomPosition, &TTextShape::SetCustomPosition)
        .NoDefault()
        .Stored(&TTextShape::IsCustomPositionStored);
    Prop("Left", &TTextShape::Left, &TTextShape::SetLeft).NoDefault().Stored(&TTextShape::IsPositionStored);
    Prop("Top", &TTextShape::Top, &TTextShape::SetTop).NoDefault().Stored(&TTextShape::IsPositionStored);
}

TV_PUBLISHED(TStringsShape) { Prop("Text", &TStringsShape::Lines, &TStringsShape::SetLines); }

// ---- custom position ----

void TZebCustomShapePosition::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TZebCustomShapePosition*>(source);
    if (s) customPosition_ = s->customPosition_;
    TCustomTextShape::Assign(source);
    if (s && customPosition_) MoveBoundsTo(s->Left(), s->Top());
}

void TZebCustomShapePosition::SetCustomPosition(bool value)
{
    if (AssignIfChanged(customPosition_, value)) InvalidateChart();
}

void TZebCustomShapePosition::moveTo(int left, int top)
{
    const bool moved = left != Left() || top != Top();
    customPosition_ = true;
    MoveBoundsTo(left, top);
    if (moved) InvalidateChart();
}

void TZebCustomShapePosition::SetLeft(int value) { moveTo(value, Top()); }

void TZebCustomShapePosition::SetTop(int value) { moveTo(Left(), value); }

// ---- strings shape ----

namespace {
// The list and the single text update each other; the flag stops the echo.
class TSyncScope {
public:
    explicit TSyncScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TSyncScope() { flag_ = false; }
    TSyncScope(const TSyncScope&) = delete;
    TSyncScope& operator=(const TSyncScope&) = delete;

private:
    bool& flag_;
};
}  // namespace

TStringsShape::TStringsShape(TCustomZebPanel* panel) : TTextShape(panel), lines_(std::make_unique<TStringList>())
{
    lines_->OnChange = [this] { linesChanged(); };
}

TStringsShape::~TStringsShape() { lines_->OnChange = nullptr; }

void TStringsShape::SetLines(TStrings* value)
{
    if (value)
        lines_->Assign(*value);
    else
        lines_->Clear();
}

String TStringsShape::FirstLine() const { return lines_->Count() > 0 ? lines_->Strings(0) : String(); }

void TStringsShape::SetFromString(const String& s)
{
    if (s.empty())
        lines_->Clear();
    else
        lines_->SetText(s);
}

void TStringsShape::linesChanged()
{
    if (syncing_) return;
    String text = lines_->Text();
    if (text.size() > 2 && text.ends_with("\r\n")) text.resize(text.size() - 2);
    {
        TSyncScope sync(syncing_);
        SetText(text);
    }
    InvalidateChart();
}

void TStringsShape::TextChanged()
{
    if (!syncing_) {
        TSyncScope sync(syncing_);
        SetFromString(Text());
    }
    TTextShape::TextChanged();
}
