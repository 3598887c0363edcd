#include "widgets/styled/QMSizableControl.h"

#include <algorithm>

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Canvas.h"
#include "widgets/styled/QMCommon.h"
#include "widgets/styled/QMGeometry.h"

TQMCustomSizableControl::TQMCustomSizableControl(TComponent* owner) : TQMCustomControl(owner) {}

void TQMCustomSizableControl::Assign(TPersistent* source)
{
    TQMCustomControl::Assign(source);
    if (auto* s = dynamic_cast<TQMCustomSizableControl*>(source)) {
        SetShowSizeGrip(s->ShowSizeGrip());
        SetShowStatusbar(s->ShowStatusbar());
        SetStatusbarColor(s->StatusbarColor());
        SetStatusbarText(s->StatusbarText());
    }
}

void TQMCustomSizableControl::SetShowSizeGrip(bool value)
{
    if (AssignIfChanged(showSizeGrip_, value) && showStatusbar_) PaintBorders(nullptr);
}

void TQMCustomSizableControl::SetShowStatusbar(bool value)
{
    if (!AssignIfChanged(showStatusbar_, value)) return;
    FrameChanged();
    AdjustSize();
    StatusbarChanged();
}

void TQMCustomSizableControl::SetStatusbarColor(TColor value)
{
    if (AssignIfChanged(statusbarColor_, value) && showStatusbar_) PaintBorders(nullptr);
}

void TQMCustomSizableControl::SetStatusbarText(const String& value)
{
    if (AssignIfChanged(statusbarText_, value) && showStatusbar_) PaintBorders(nullptr);
}

void TQMCustomSizableControl::ShrinkForBorders(TRect& rect) const
{
    TQMCustomControl::ShrinkForBorders(rect);
    if (showStatusbar_) rect.Bottom -= QMStatusbarHeight;
}

void TQMCustomSizableControl::BoundsChanged()
{
    TQMCustomControl::BoundsChanged();
    if (showStatusbar_) PaintBorders(nullptr);
}

int TQMCustomSizableControl::GetClientHitArea(TPoint p) const
{
    const int area = TQMCustomControl::GetClientHitArea(p);
    if (area != qmhaNone || !showStatusbar_ || !HandleAllocated()) return area;
    const int frame = GetBorderSize() + GetInnerBorderSize() + BorderWidth();
    return qm::StatusbarHitArea(p, Width(), Height(), frame, showSizeGrip_);
}

void TQMCustomSizableControl::WMNCHitTest(TMessage& message)
{
    TQMCustomControl::WMNCHitTest(message);
    if (IsDesigning() || !showStatusbar_ || !showSizeGrip_) return;
    const TPoint p = ScreenToWindow({LParamX(message.LParam), LParamY(message.LParam)});
    const int frame = GetBorderSize() + GetInnerBorderSize() + BorderWidth();
    message.Result = qm::SizeGripHitTest(static_cast<int>(message.Result),
                                         qm::StatusbarHitArea(p, Width(), Height(), frame, true));
}

void TQMCustomSizableControl::PaintBorders(TCanvas* canvas)
{
    TQMCustomControl::PaintBorders(canvas);
    if (!canvas || !showStatusbar_ || IsDestroying()) return;
    const int frame = GetBorderSize() + GetInnerBorderSize() + BorderWidth();
    const TRect bar = qm::StatusbarRect(Width(), Height(), frame);
    if (bar.IsEmpty()) return;
    HDC dc = canvas->Handle();
    const int level = dc->SaveDC();
    dc->IntersectClipRect(bar.Left, bar.Top, bar.Right, bar.Bottom);
    dc->FillRect(bar, statusbarColor_);
    TRect text = qm::StatusbarTextRect(bar, showSizeGrip_);
    if (!text.IsEmpty()) {
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(clWindowText);
        dc->SelectFont(TLogFont{});
        dc->DrawText(statusbarText_, text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    TLogPen pen;
    pen.Color = clBlack;
    const TLogPen old = dc->SelectPen(pen);
    for (const qm::Line& line :
         qm::StatusbarLines(bar, showSizeGrip_, statusbarColor_, DarkShadowOf(statusbarColor_), clBlack)) {
        pen.Color = line.Color;
        dc->SelectPen(pen);
        dc->MoveTo(line.From.X, line.From.Y);
        dc->LineTo(line.To.X, line.To.Y);
    }
    dc->SelectPen(old);
    dc->RestoreDC(level);
}

TV_PUBLISHED(TQMCustomSizableControl) {}
