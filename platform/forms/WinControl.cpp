// TWinControl: children, tab order and focus, alignment and anchors, the host window, painting.
#include <QWidget>
#include <algorithm>

#include "platform/classes/Published.h"
#include "platform/classes/Assign.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/StandardProps.h"
#include "platform/forms/WinControl.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/graphics/Region.h"
#include "platform/rtl/MathUtils.h"
#include "platform/rtl/Strings.h"

namespace {

// An empty mask would show the whole window; an empty region hides all of it.
QRegion WindowMask(const TRegion& region)
{
    return region.IsEmpty() ? QRegion(-1, -1, 1, 1) : region.impl().rgn;
}

}  // namespace

// ---- TWinControl -------------------------------------------------------------------------------

TV_PUBLISHED(TWinControl)
{
    Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1);
    Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false);
    Prop("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered, false);
    Prop("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth, 0);
    PublishStandardProps(*this);  // adds the focus and key events
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    // A constructor that raised skips BeforeDestruction: the children made so far still point here.
    freeChildren();
    TControlAccess::DetachHost(this);
}

void TWinControl::freeChildren()
{
    // Child controls go with their parent, whoever owns them.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        child->Free();
    }
}

void TWinControl::BeforeDestruction()
{
    freeChildren();
    TControl::BeforeDestruction();
    TControlAccess::DetachHost(this);
}

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return controls_[static_cast<size_t>(index)];
}

void TWinControl::InsertControl(TControl* control)
{
    if (!control || control->parent_ == this) return;
    if (control->parent_) control->parent_->RemoveControl(control);
    // Windowed controls stay above the windowless ones.
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(w);
        if (w->pendingTabOrder_ >= 0) {
            int order = w->pendingTabOrder_;
            w->pendingTabOrder_ = -1;
            w->SetTabOrder(order);
        }
        HandleNeeded();
        w->HandleNeeded();
        w->attachToParentHost();
    }
    control->updateAnchorBase();
    if (!control->IsLoading()) {
        if (control->parentColor_) control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (control->parentFont_) control->Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (control->parentShowHint_) control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
    control->ParentChanged();
    if (control->align_ != alNone) Realign();
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control)
{
    if (!control || control->parent_ != this) return;
    control->Invalidate();
    std::erase(controls_, control);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        std::erase(tabList_, w);
        if (w->host_ && w->host_->widget) {
            w->host_->widget->hide();
            w->host_->widget->setParent(nullptr);
        }
    }
    if (host_) {
        if (host_->mouseControl == control) host_->mouseControl = nullptr;
        if (host_->pressControl == control) host_->pressControl = nullptr;
    }
    control->parent_ = nullptr;
    control->anchorValid_ = false;
    if (!IsDestroying()) {
        control->ParentChanged();
        if (control->align_ != alNone) Realign();
    }
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls) continue;
        if (!c->Visible() && !c->IsDesigning()) continue;
        if (!allowDisabled && !c->Enabled()) continue;
        if (!PtInRect(c->BoundsRect(), p)) continue;
        if (c->Perform(CM_HITTEST, 0, MakeLParam(p.X - c->Left(), p.Y - c->Top())) == 0) continue;
        return c;
    }
    return nullptr;
}

TControl* TWinControl::FindChildControl(const String& name) const
{
    for (TControl* c : controls_)
        if (SameText(c->Name(), name)) return c;
    return nullptr;
}

int TWinControl::TabOrder() const
{
    if (!Parent()) return pendingTabOrder_;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (!Parent()) {
        pendingTabOrder_ = value;
        return;
    }
    auto& list = Parent()->tabList_;
    std::erase(list, this);
    if (value < 0 || value > static_cast<int>(list.size())) value = static_cast<int>(list.size());
    list.insert(list.begin() + value, this);
    // Qt's focus chain follows the tab list.
    QWidget* prev = nullptr;
    for (TWinControl* w : list) {
        if (!w->host_ || !w->host_->widget) continue;
        if (prev) QWidget::setTabOrder(prev, w->host_->widget);
        prev = w->host_->widget;
    }
}

bool TWinControl::CanFocus() const
{
    TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    HandleNeeded();
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->SetActiveControl(this);
    if (host_ && host_->widget) {
        if (host_->widget->focusPolicy() == Qt::NoFocus) host_->widget->setFocusPolicy(Qt::ClickFocus);
        host_->widget->setFocus(Qt::OtherFocusReason);
    }
}

bool TWinControl::Focused() const
{
    if (!host_ || !host_->widget) return false;
    if (host_->widget->hasFocus()) return true;
    TCustomForm* form = GetParentForm(this);
    return form && form->ActiveControl() == this && host_->widget->window()->focusWidget() == host_->widget;
}

void TWinControl::SetBorderWidth(int value)
{
    if (value < 0) value = 0;
    if (AssignIfChanged(borderWidth_, value)) FrameChanged();
}

void TWinControl::EnableAlign()
{
    if (alignLevel_ > 0) --alignLevel_;
    if (alignLevel_ == 0) Realign();
}

void TWinControl::Realign()
{
    if (alignLevel_ > 0 || IsLoading() || aligning_) return;
    alignAll();
}

void TWinControl::alignAll()
{
    TRect r = ClientRect();
    AdjustClientRect(r);
    aligning_ = true;
    try {
        AlignControls(nullptr, r);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl*, TRect& rect)
{
    auto place = [&](TAlign align) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->align_ == align && (c->visible_ || c->IsDesigning())) list.push_back(c);
        auto key = [align](TControl* c) {
            switch (align) {
            case alTop: return c->top_;
            case alBottom: return -(c->top_ + c->height_);
            case alLeft: return c->left_;
            case alRight: return -(c->left_ + c->width_);
            default: return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) { return key(a) < key(b); });
        for (TControl* c : list) {
            int w = std::max(0, rect.Width()), h = std::max(0, rect.Height());
            switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, w, c->height_);
                rect.Top += c->height_;
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - c->height_, w, c->height_);
                rect.Bottom -= c->height_;
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, c->width_, h);
                rect.Left += c->width_;
                break;
            case alRight:
                c->SetBounds(rect.Right - c->width_, rect.Top, c->width_, h);
                rect.Right -= c->width_;
                break;
            case alClient: c->SetBounds(rect.Left, rect.Top, w, h); break;
            default: break;
            }
        }
    };
    place(alTop);
    place(alBottom);
    place(alLeft);
    place(alRight);
    place(alClient);
}

void TWinControl::childBoundsChanged(TControl* control)
{
    if (control->align_ != alNone && !aligning_) Realign();
}

void TWinControl::anchorChildren(int oldW, int oldH)
{
    TRect cr = ClientRect();
    int nw = cr.Width(), nh = cr.Height();
    if (oldW < 0 || (oldW == nw && oldH == nh)) return;
    int dx = nw - oldW, dy = nh - oldH;
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (c->align_ != alNone || !c->anchorValid_) continue;
        TAnchors a = c->anchors_;
        int l = c->left_, t = c->top_, w = c->width_, h = c->height_;
        if (a.Contains(akRight)) {
            if (a.Contains(akLeft))
                w += dx;
            else
                l += dx;
        } else if (!a.Contains(akLeft)) {
            l += dx / 2;
        }
        if (a.Contains(akBottom)) {
            if (a.Contains(akTop))
                h += dy;
            else
                t += dy;
        } else if (!a.Contains(akTop)) {
            t += dy / 2;
        }
        c->SetBounds(l, t, w, h);
    }
}

bool TWinControl::HandleAllocated() const { return host_ && host_->widget; }

void TWinControl::HandleNeeded()
{
    if (host_) return;
    if (Parent()) Parent()->HandleNeeded();
    host_ = CreateHostWindow();
    QWidget* w = host_->widget;
    w->setMouseTracking(true);
    w->setAttribute(Qt::WA_NoSystemBackground, !host_->nativePaint);
    syncOpaque();
    if (!host_->nativePaint) w->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
    w->setEnabled(Enabled());
    w->setFont(ToQFont(*Font()));
    attachToParentHost();
    if (windowRgn_) w->setMask(WindowMask(*windowRgn_));
    tvforms::SyncHintAndCursor(this);
    HostCreated();
}

void TWinControl::SetWindowRgn(const TRegion* region, bool redraw)
{
    windowRgn_ = region ? std::make_unique<TRegion>(*region) : nullptr;
    if (!HandleAllocated()) return;
    QWidget* w = host_->widget;
    if (windowRgn_)
        w->setMask(WindowMask(*windowRgn_));
    else
        w->clearMask();
    if (redraw) w->update();
}

bool TWinControl::GetWindowRgn(TRegion& region) const
{
    if (!windowRgn_) return false;
    region = *windowRgn_;
    return true;
}

void TWinControl::attachToParentHost()
{
    if (!host_ || !host_->widget) return;
    QWidget* w = host_->widget;
    if (Parent() && Parent()->host_ && Parent()->host_->widget) {
        if (w->parentWidget() != Parent()->host_->widget) w->setParent(Parent()->host_->widget);
        placeHost();
        w->setVisible(Visible());
    } else {
        placeHost();
    }
}

void TWinControl::placeHost()
{
    if (!host_ || !host_->widget) return;
    QWidget* w = host_->widget;
    if (Parent()) {
        TRect m = Parent()->GetClientMargins();
        w->setGeometry(Left() + m.Left, Top() + m.Top, Width(), Height());
    } else {
        // A form's window is its client area; the frame is the window system's.
        TPoint o = ClientOrigin();
        TRect cr = ClientRect();
        if (dynamic_cast<TCustomForm*>(this))
            w->setGeometry(o.X, o.Y, cr.Width(), cr.Height());
        else
            w->setGeometry(Left(), Top(), Width(), Height());
    }
}

std::unique_ptr<THostWindow> TWinControl::CreateHostWindow() { return MakeHost<QWidget>(this, false); }

TRect TWinControl::GetClientMargins() const { return Rect(borderWidth_, borderWidth_, borderWidth_, borderWidth_); }

void TWinControl::FrameChanged()
{
    int ow = lastClientWidth_, oh = lastClientHeight_;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->placeHost();
    TRect cr = ClientRect();
    lastClientWidth_ = cr.Width();
    lastClientHeight_ = cr.Height();
    if (!IsLoading()) {
        anchorChildren(ow, oh);
        Realign();
    }
    Invalidate();
}

TRect TWinControl::GetClientRect() const
{
    TRect m = GetClientMargins();
    int w = std::max(0, Width() - m.Left - m.Right);
    int h = std::max(0, Height() - m.Top - m.Bottom);
    return Rect(0, 0, w, h);
}

TPoint TWinControl::ClientOrigin() const
{
    TRect m = GetClientMargins();
    if (!Parent()) return {Left() + m.Left, Top() + m.Top};
    TPoint p = Parent()->ClientOrigin();
    return {p.X + Left() + m.Left, p.Y + Top() + m.Top};
}

void TWinControl::SetBounds(int left, int top, int width, int height) { TControl::SetBounds(left, top, width, height); }

void TWinControl::BoundsChanged()
{
    placeHost();
    TRect cr = ClientRect();
    int ow = lastClientWidth_, oh = lastClientHeight_;
    lastClientWidth_ = cr.Width();
    lastClientHeight_ = cr.Height();
    if (!IsLoading() && (ow != cr.Width() || oh != cr.Height())) {
        anchorChildren(ow, oh);
        Realign();
    }
}

void TWinControl::SetParent(TWinControl* parent) { TControl::SetParent(parent); }

void TWinControl::VisibleChanged()
{
    if (host_ && host_->widget && Parent()) host_->widget->setVisible(Visible());
}

void TWinControl::syncOpaque()
{
    // A control that fills its whole client area spares its parent the paint behind it.
    const TControlStyle style = ControlStyle();
    const bool opaque = !host_->nativePaint && style.Contains(csOpaque) && !style.Contains(csParentBackground);
    QWidget* w = host_->widget;
    if (w->testAttribute(Qt::WA_OpaquePaintEvent) != opaque) w->setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

void TWinControl::Invalidate()
{
    if (!host_ || !host_->widget) return;
    syncOpaque();  // the style may have changed since the last paint
    host_->widget->update();
}

void TWinControl::InvalidateRect(const TRect& r)
{
    if (!host_ || !host_->widget) return;
    syncOpaque();
    TRect m = GetClientMargins();
    host_->widget->update(r.Left + m.Left, r.Top + m.Top, r.Width(), r.Height());
}

void TWinControl::Repaint()
{
    if (host_ && host_->widget) host_->widget->repaint();
}

void TWinControl::Update()
{
    if (host_ && host_->widget && host_->widget->isVisible()) host_->widget->repaint();
}

void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    for (TControl* c : controls_)
        if (c->Owner() == root) proc(c);
}

void TWinControl::SetChildOrder(TComponent* child, int order)
{
    auto* c = dynamic_cast<TControl*>(child);
    if (!c || c->Parent() != this) return;
    std::erase(controls_, c);
    if (order < 0 || order > ControlCount()) order = ControlCount();
    controls_.insert(controls_.begin() + order, c);
}

void TWinControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR: WMKey(m); return;
    case WM_SETFOCUS: WMSetFocus(m); return;
    case WM_KILLFOCUS: WMKillFocus(m); return;
    case WM_NCHITTEST: WMNCHitTest(m); return;
    case WM_NCPAINT: WMNCPaint(m); return;
    case WM_PAINT: WMPaint(m); return;
    case WM_ERASEBKGND:
        if (auto* canvas = reinterpret_cast<TCanvas*>(m.WParam)) {
            canvas->Brush()->SetColor(Color());
            canvas->Brush()->SetStyle(bsSolid);
            canvas->FillRect(ClientRect());
        }
        m.Result = 1;
        return;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(m); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_FOCUSCHANGED:
        for (TControl* c : std::vector<TControl*>(controls_))
            if (tvforms::IsLive(c)) c->Perform(CM_FOCUSCHANGED, m.WParam, m.LParam);
        return;
    default: TControl::WndProc(m); return;
    }
}

void TWinControl::WMNCHitTest(TMessage& m)
{
    TPoint screen{LParamX(m.LParam), LParamY(m.LParam)};
    TPoint p = ScreenToClient(screen);
    m.Result = PtInRect(ClientRect(), p) ? HTCLIENT : HTBORDER;
}

void TWinControl::WMNCPaint(TMessage& m)
{
    if (auto* canvas = reinterpret_cast<TCanvas*>(m.WParam)) PaintNonClient(*canvas);
}

void TWinControl::PaintNonClient(TCanvas& canvas)
{
    TRect m = GetClientMargins();
    if (m.Left == 0 && m.Top == 0 && m.Right == 0 && m.Bottom == 0) return;
    HDC dc = canvas.Handle();
    int saved = dc->SaveDC();
    TRect inner = Rect(m.Left, m.Top, Width() - m.Right, Height() - m.Bottom);
    dc->ExcludeClipRect(inner.Left, inner.Top, inner.Right, inner.Bottom);
    dc->FillRect(Rect(0, 0, Width(), Height()), Color());
    dc->RestoreDC(saved);
    canvas.Refresh();
}

void TWinControl::WMPaint(TMessage& m)
{
    if (auto* canvas = reinterpret_cast<TCanvas*>(m.WParam)) {
        PaintWindow(*canvas);
        PaintControls(*canvas, nullptr);
    }
}

void TWinControl::PaintWindow(TCanvas&) {}

void TWinControl::PaintControls(TCanvas& canvas, TControl* first)
{
    HDC dc = canvas.Handle();
    bool started = first == nullptr;
    TRect clip;
    dc->GetClipBox(clip);
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (!started) {
            started = c == first;
            if (!started) continue;
        }
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !tvforms::IsLive(g)) continue;
        if (!g->Visible() && !g->IsDesigning()) continue;
        TRect overlap;
        if (!IntersectRect(overlap, g->BoundsRect(), clip)) continue;
        int saved = dc->SaveDC();
        dc->OffsetViewportOrg(g->Left(), g->Top());
        dc->IntersectClipRect(0, 0, g->Width(), g->Height());
        tvforms::Guard(g, [&] { g->Perform(WM_PAINT, reinterpret_cast<intptr>(dc), 0); });
        dc->RestoreDC(saved);
        canvas.Refresh();
    }
}

void TWinControl::PaintTo(TCanvas& canvas, int x, int y)
{
    HDC dc = canvas.Handle();
    int saved = dc->SaveDC();
    dc->OffsetViewportOrg(x, y);
    dc->IntersectClipRect(0, 0, Width(), Height());
    canvas.Refresh();
    tvforms::PaintWhole(this, canvas);
    dc->RestoreDC(saved);
    canvas.Refresh();
    // Windowed children, in z-order, each at its place.
    TRect m = GetClientMargins();
    for (TControl* c : controls_) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w || !w->Visible()) continue;
        w->PaintTo(canvas, x + m.Left + w->Left(), y + m.Top + w->Top());
    }
}

void TWinControl::CMEnabledChanged(TMessage& m)
{
    if (host_ && host_->widget) host_->widget->setEnabled(Enabled());
    TControl::CMEnabledChanged(m);
}

void TWinControl::CMFontChanged(TMessage& m)
{
    if (host_ && host_->widget) host_->widget->setFont(ToQFont(*Font()));
    TControl::CMFontChanged(m);
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TWinControl::CMColorChanged(TMessage& m)
{
    TControl::CMColorChanged(m);
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TWinControl::CMShowHintChanged(TMessage&)
{
    tvforms::SyncHintAndCursor(this);
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TWinControl::CMVisibleChanged(TMessage& m) { TControl::CMVisibleChanged(m); }

void TWinControl::ScaleBy(int multiplier, int divisor)
{
    if (multiplier == divisor || divisor == 0) return;
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(multiplier, divisor);
    SetBounds(Left(), Top(), MulDiv(Width(), multiplier, divisor), MulDiv(Height(), multiplier, divisor));
}

void TWinControl::ChangeScale(int multiplier, int divisor)
{
    if (multiplier == divisor || divisor == 0) return;
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(multiplier, divisor);
    TControl::ChangeScale(multiplier, divisor);
}
