// TTabControl and TScrollBox.
#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/StdCtrls_p.h"
#include "platform/forms/TabControl.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/rtl/StringList.h"

using tvforms::MeasureCanvas;

namespace {
constexpr int TabPadding = 6;   // blank beside a tab's caption
constexpr int ActiveLift = 2;   // the chosen tab stands higher and wider
constexpr int ScrollStep = 16;  // pixels per wheel step or arrow key
}  // namespace

// ---- TTabControl -------------------------------------------------------------------------------

TV_PUBLISHED(TTabControl)
{
    Prop("Tabs", &TTabControl::Tabs, &TTabControl::SetTabs);
    Prop("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex, -1);
    Prop("TabStop", &TTabControl::TabStop, &TTabControl::SetTabStop, true);
    Prop("OnChanging", &TTabControl::OnChanging, &TTabControl::SetOnChanging);
    Prop("OnChange", &TTabControl::OnChange, &TTabControl::SetOnChange);
}

TTabControl::TTabControl(TComponent* owner) : TCustomControl(owner), tabs_(std::make_unique<TStringList>())
{
    SetControlStyle(TControlStyle{csAcceptsControls, csDoubleClicks, csOpaque});
    SetTabStop(true);
    tabs_->OnChange = [this] {
        if (tabIndex_ >= tabs_->Count()) tabIndex_ = tabs_->Count() - 1;
        if (tabIndex_ < 0 && tabs_->Count() > 0) tabIndex_ = 0;
        Realign();
        Invalidate();
    };
    SetBounds(0, 0, 289, 193);
}

TTabControl::~TTabControl() = default;

TStrings* TTabControl::Tabs() const { return tabs_.get(); }

void TTabControl::SetTabs(TStrings* value)
{
    if (value) tabs_->Assign(*value);
}

void TTabControl::SetTabIndex(int value)
{
    // Loading may set the index before the tabs: keep it, the tabs follow.
    tabIndex_ = IsLoading() ? value : std::clamp(value, -1, tabs_->Count() - 1);
    Invalidate();
}

void TTabControl::Loaded()
{
    TCustomControl::Loaded();
    tabIndex_ = std::clamp(tabIndex_, -1, tabs_->Count() - 1);
    Realign();
}

int TTabControl::rowHeight() const
{
    TCanvas& c = MeasureCanvas();
    c.SetFont(Font());
    return c.TextHeight("Wg") + 6;
}

TRect TTabControl::TabRect(int index) const
{
    if (index < 0 || index >= tabs_->Count()) return {};
    TCanvas& c = MeasureCanvas();
    c.SetFont(Font());
    int x = ActiveLift;
    for (int i = 0; i < index; ++i) x += c.TextWidth(tabs_->Get(i)) + 2 * TabPadding;
    return Rect(x, ActiveLift, x + c.TextWidth(tabs_->Get(index)) + 2 * TabPadding, ActiveLift + rowHeight());
}

int TTabControl::IndexOfTabAt(int x, int y) const
{
    for (int i = 0; i < tabs_->Count(); ++i)
        if (PtInRect(TabRect(i), Point(x, y))) return i;
    return -1;
}

TRect TTabControl::DisplayRect() const
{
    TRect r = ClientRect();
    r.Top = std::min(r.Bottom, r.Top + ActiveLift + rowHeight());
    InflateRect(r, -2, -2);
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    return r;
}

void TTabControl::AdjustClientRect(TRect& rect) { rect = DisplayRect(); }

void TTabControl::userPicked(int index)
{
    if (index < 0 || index >= tabs_->Count() || index == tabIndex_) return;
    bool allow = true;
    if (onChanging_) onChanging_(this, allow);
    if (!allow) return;
    SetTabIndex(index);
    if (onChange_) onChange_(this);
}

void TTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    if (CanFocus()) SetFocus();
    userPicked(IndexOfTabAt(x, y));
}

void TTabControl::KeyDown(Word& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if (key == VK_LEFT || key == VK_RIGHT) {
        userPicked(tabIndex_ + (key == VK_LEFT ? -1 : 1));
        key = 0;
    }
}

void TTabControl::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(ClientRect());
    TRect frame = DisplayRect();
    InflateRect(frame, 2, 2);
    DrawEdge(tvforms::Ready(c), frame, EDGE_RAISED, BF_RECT | BF_SOFT);
    for (int i = 0; i < tabs_->Count(); ++i) {
        TRect r = TabRect(i);
        if (i == tabIndex_) r = Rect(r.Left - ActiveLift, r.Top - ActiveLift, r.Right + ActiveLift, r.Bottom + 1);
        c.Brush()->SetStyle(bsSolid);
        c.FillRect(r);
        TRect edge = r;
        DrawEdge(tvforms::Ready(c), edge, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
        c.Brush()->SetStyle(bsClear);
        c.Font()->SetColor(IsEnabledInTree() ? Font()->Color() : clGrayText);
        DrawText(tvforms::Ready(c), tabs_->Get(i), r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        if (i == tabIndex_ && Focused()) {
            TRect f = r;
            InflateRect(f, -3, -3);
            c.DrawFocusRect(f);
        }
    }
    c.Font()->SetColor(Font()->Color());
}

// ---- TScrollBox --------------------------------------------------------------------------------

TV_PUBLISHED(TScrollBox)
{
    PropEnum("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle, bsSingle, TBorderStyleNames);
    Prop("TabStop", &TScrollBox::TabStop, &TScrollBox::SetTabStop, false);
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks});
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TBorderStyle value)
{
    borderStyle_ = value;
    FrameChanged();
}

TRect TScrollBox::GetClientMargins() const
{
    int w = borderStyle_ == bsSingle ? 2 : 0;
    return Rect(w, w, w, w);
}

void TScrollBox::PaintNonClient(TCanvas& canvas)
{
    if (borderStyle_ != bsSingle) return TWinControl::PaintNonClient(canvas);
    TRect r = Rect(0, 0, Width(), Height());
    DrawEdge(tvforms::Ready(canvas), r, EDGE_SUNKEN, BF_RECT);
}

TPoint TScrollBox::ContentSize() const
{
    TPoint size{0, 0};
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        size.X = std::max(size.X, c->Left() + c->Width() + horz_);
        size.Y = std::max(size.Y, c->Top() + c->Height() + vert_);
    }
    return size;
}

void TScrollBox::scrollTo(int horz, int vert)
{
    const TPoint size = ContentSize();
    horz = std::clamp(horz, 0, std::max(0, size.X - ClientWidth()));
    vert = std::clamp(vert, 0, std::max(0, size.Y - ClientHeight()));
    const int dx = horz_ - horz, dy = vert_ - vert;
    if (dx == 0 && dy == 0) return;
    horz_ = horz;
    vert_ = vert;
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    EnableAlign();
    Invalidate();
}

void TScrollBox::SetVertPosition(int value) { scrollTo(horz_, value); }

void TScrollBox::SetHorzPosition(int value) { scrollTo(value, vert_); }

void TScrollBox::ScrollInView(TControl* control)
{
    if (!control || control->Parent() != this) return;
    int h = horz_, v = vert_;
    if (control->Top() < 0)
        v += control->Top();
    else if (control->Top() + control->Height() > ClientHeight())
        v += std::min(control->Top(), control->Top() + control->Height() - ClientHeight());
    if (control->Left() < 0)
        h += control->Left();
    else if (control->Left() + control->Width() > ClientWidth())
        h += std::min(control->Left(), control->Left() + control->Width() - ClientWidth());
    scrollTo(h, v);
}

bool TScrollBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    if (TWinControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    const int step = -wheelDelta / 120 * 3 * ScrollStep;
    if (shift.Contains(ssShift))
        scrollTo(horz_ + step, vert_);
    else
        scrollTo(horz_, vert_ + step);
    return true;
}

void TScrollBox::KeyDown(Word& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    switch (key) {
    case VK_UP: scrollTo(horz_, vert_ - ScrollStep); break;
    case VK_DOWN: scrollTo(horz_, vert_ + ScrollStep); break;
    case VK_LEFT: scrollTo(horz_ - ScrollStep, vert_); break;
    case VK_RIGHT: scrollTo(horz_ + ScrollStep, vert_); break;
    case VK_PRIOR: scrollTo(horz_, vert_ - ClientHeight()); break;
    case VK_NEXT: scrollTo(horz_, vert_ + ClientHeight()); break;
    case VK_HOME: scrollTo(horz_, 0); break;
    case VK_END: scrollTo(horz_, ContentSize().Y); break;
    default: return;
    }
    key = 0;
}

void TScrollBox::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTARROWS;
        return;
    }
    TWinControl::WndProc(m);
}

void RegisterTabControls() { RegisterClasses({&TTabControl::StaticClass(), &TScrollBox::StaticClass()}); }
