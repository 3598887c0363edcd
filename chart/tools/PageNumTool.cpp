#include "chart/tools/PageNumTool.h"

#include <array>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartPage.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Format.h"

namespace {

class TPageNumToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TPageNumToolEdit"; }
    String GalleryName() const override { return "Page Number"; }
    String GalleryHint() const override
    {
        return "Shows current chart Page number and total number of Pages in chart.";
    }
};

constexpr TColor silver = static_cast<TColor>(0xC0C0C0);
// Space a button takes beside the text, and the box widening for both.
int buttonRoom(int width) { return width + 4; }

bool insideTriangle(const std::vector<TPoint>& p, int x, int y)
{
    if (p.size() != 3) return false;
    auto side = [](TPoint a, TPoint b, int px, int py) {
        return static_cast<long long>(b.X - a.X) * (py - a.Y) - static_cast<long long>(b.Y - a.Y) * (px - a.X);
    };
    const long long d1 = side(p[0], p[1], x, y), d2 = side(p[1], p[2], x, y), d3 = side(p[2], p[0], x, y);
    const bool negative = d1 < 0 || d2 < 0 || d3 < 0, positive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
}

TUnitStarts pageNumStarts;

}  // namespace

const TMetaClass* PageNumToolClass = nullptr;

TV_PUBLISHED_AS(TPageNumTool, TPageNumToolClass)
{
    Prop("Format", &TPageNumTool::Format, &TPageNumTool::SetFormat, String("Page %d of %d"));
    Prop("ShowButtons", &TPageNumTool::ShowButtons, &TPageNumTool::SetShowButtons, true);
    Prop("ButtonWidth", &TPageNumTool::ButtonWidth, &TPageNumTool::SetButtonWidth, 12);
    Prop("ButtonPen", &TPageNumTool::ButtonPen, &TPageNumTool::SetButtonPen);
    Prop("EnabledBrush", &TPageNumTool::EnabledBrush, &TPageNumTool::SetEnabledBrush);
    Prop("EnabledButton", &TPageNumTool::EnabledButton, &TPageNumTool::SetEnabledButton).Stored(false);
    Prop("DisabledBrush", &TPageNumTool::DisabledBrush, &TPageNumTool::SetDisabledBrush);
    Prop("DisabledButton", &TPageNumTool::DisabledButton, &TPageNumTool::SetDisabledButton).Stored(false);
    PropEnum("TextAlignment", &TPageNumTool::TextAlignment, &TPageNumTool::SetTextAlignment, taCenter,
             TAlignmentNames);
}

TPageNumTool::TPageNumTool(TComponent* owner) : TAnnotationTool(owner)
{
    const TNotifyEvent changed(static_cast<TCustomChartElement*>(this), &TCustomChartElement::StyleChanged);
    buttonPen_ = std::make_unique<TZebPen>(changed);
    enabledBrush_ = std::make_unique<TZebBrush>(changed);
    enabledBrush_->Gradient()->InitVisible(true);
    enabledBrush_->Gradient()->InitColors(clBlack, silver);
    disabledBrush_ = std::make_unique<TZebBrush>(changed);
    disabledBrush_->Gradient()->InitVisible(true);
    disabledBrush_->Gradient()->InitColors(clWhite, silver);
    SetTextAlignment(taCenter);
}

TPageNumTool::~TPageNumTool() = default;

void TPageNumTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TPageNumTool*>(source)) {
        buttonWidth_ = s->buttonWidth_;
        buttonPen_->Assign(s->buttonPen_.get());
        enabledBrush_->Assign(s->enabledBrush_.get());
        disabledBrush_->Assign(s->disabledBrush_.get());
        format_ = s->format_;
        showButtons_ = s->showButtons_;
    }
    TAnnotationTool::Assign(source);
}

void TPageNumTool::SetButtonPen(TZebPen* value) { buttonPen_->Assign(value); }
void TPageNumTool::SetEnabledBrush(TZebBrush* value) { enabledBrush_->Assign(value); }
void TPageNumTool::SetDisabledBrush(TZebBrush* value) { disabledBrush_->Assign(value); }
TZebGradient* TPageNumTool::EnabledButton() const { return enabledBrush_->Gradient(); }
void TPageNumTool::SetEnabledButton(TZebGradient* value) { enabledBrush_->SetGradient(value); }
TZebGradient* TPageNumTool::DisabledButton() const { return disabledBrush_->Gradient(); }
void TPageNumTool::SetDisabledButton(TZebGradient* value) { disabledBrush_->SetGradient(value); }

int TPageNumTool::page() const { return ParentChart() ? ParentChart()->Pages()->Current() : 1; }
int TPageNumTool::pageCount() const { return ParentChart() ? ParentChart()->Pages()->GetPageCount() : 1; }

String TPageNumTool::GetText() const
{
    // The format comes from a chart file: a wrong one shows as written instead of failing a frame.
    try {
        return ::Format(format_, {page(), pageCount()});
    } catch (const Exception&) {
        return format_;
    }
}

int TPageNumTool::GetTextOffset() const
{
    const int offset = TAnnotationTool::GetTextOffset();
    if (!showButtons_) return offset;
    const int room = buttonRoom(buttonWidth_);
    const bool leftSide = Shape()->CustomPosition() || Position() == ppLeftTop || Position() == ppLeftBottom;
    switch (TextAlignment()) {
    case taRightJustify:
        return leftSide ? offset - room : -room;
    case taLeftJustify:
        return leftSide ? offset + room : room;
    default:
        return leftSide ? offset : 0;
    }
}

void TPageNumTool::CalcShapeBounds(TCustomAxisPanel& panel, const TRect& panelRect, TRect& bounds, int& top,
                                   int& left)
{
    TAnnotationTool::CalcShapeBounds(panel, panelRect, bounds, top, left);
    if (!AutoSize() || !showButtons_) return;
    const int extra = 2 * buttonWidth_ + 8;
    if (Shape()->CustomPosition() || Position() == ppLeftTop || Position() == ppLeftBottom)
        bounds.Right += extra;
    else
        bounds.Left -= extra;
    left = bounds.Left;
    Shape()->SetTextXOffset(GetTextOffset());
    Shape()->SetShapeBounds(bounds);
}

std::vector<TPoint> TPageNumTool::button(bool next)
{
    if (!showButtons_ || !ParentChart()) return {};
    const TRect r = GetBounds();
    const int middle = (r.Top + r.Bottom) / 2;
    if (!next)
        return {{r.Left + 3, middle}, {r.Left + 3 + buttonWidth_, r.Top + 4}, {r.Left + 3 + buttonWidth_, r.Bottom - 4}};
    return {{r.Right - 4, middle}, {r.Right - 4 - buttonWidth_, r.Top + 4}, {r.Right - 4 - buttonWidth_, r.Bottom - 4}};
}

std::vector<TPoint> TPageNumTool::PreviousButton() { return button(false); }
std::vector<TPoint> TPageNumTool::NextButton() { return button(true); }

void TPageNumTool::DrawAnnotation(TCustomAxisPanel& panel)
{
    TAnnotationTool::DrawAnnotation(panel);
    if (!showButtons_) return;
    TCanvas3D& canvas = *panel.Canvas3D();
    const bool previousOn = page() > 1, nextOn = page() < pageCount();
    canvas.UsePen(*buttonPen_);
    canvas.UseBrushColored(previousOn ? *enabledBrush_ : *disabledBrush_, clWhite);
    canvas.Polygon(PreviousButton());
    canvas.UsePen(*buttonPen_);
    canvas.UseBrushColored(nextOn ? *enabledBrush_ : *disabledBrush_, clWhite);
    canvas.Polygon(NextButton());
}

void TPageNumTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    if (showButtons_ && chart && Active()) {
        const bool onPrevious = insideTriangle(PreviousButton(), x, y), onNext = insideTriangle(NextButton(), x, y);
        if (kind == tmkDown && button == mbLeft && (onPrevious || onNext)) {
            // A press on a button is the button's, usable or not.
            if (onPrevious) chart->Pages()->PreviousPage();
            if (onNext) chart->Pages()->NextPage();
            chart->SetMouseHandled(true);
            return;
        }
        if (kind == tmkMove && ((onPrevious && page() > 1) || (onNext && page() < pageCount()))) {
            chart->SetCursor(crHandPoint);
            chart->SetMouseHandled(true);
            return;
        }
    }
    TAnnotationTool::HandleMouse(kind, button, shift, x, y);
}

void StartPageNumUnit()
{
    if (!pageNumStarts.First()) return;
    RegisterToolTypes({&TPageNumTool::StaticClass()});
    PageNumToolClass = &TPageNumTool::StaticClass();
}

void StopPageNumUnit()
{
    if (!pageNumStarts.Last()) return;
    PageNumToolClass = nullptr;
    UnregisterToolTypes({&TPageNumTool::StaticClass()});
}
