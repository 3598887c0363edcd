#include "widgets/styled/QMControl.h"

#include <algorithm>

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/StringList.h"
#include "widgets/styled/QMCommon.h"
#include "widgets/styled/QMGeometry.h"

namespace {
constexpr TPoint kNoPoint{-1, -1};
}  // namespace

Word ShiftStateToKeyFlags(TShiftState shift)
{
    Word flags = 0;
    if (shift.Contains(ssLeft)) flags |= 1;
    if (shift.Contains(ssRight)) flags |= 2;
    if (shift.Contains(ssShift)) flags |= 4;
    if (shift.Contains(ssCtrl)) flags |= 8;
    if (shift.Contains(ssMiddle)) flags |= 16;
    if (shift.Contains(ssAlt)) flags |= 32;
    return flags;
}

TShiftState QMKeyDataToShiftState(intptr keyData, TShiftState keyboard)
{
    TShiftState s;
    if (keyboard.Contains(ssShift)) s += ssShift;
    if (keyboard.Contains(ssCtrl)) s += ssCtrl;
    if ((static_cast<std::uint64_t>(keyData) >> 29) & 1u) s += ssAlt;
    return s;
}

// ---- border settings ----

TPersistent* TQMControlBorderProps::GetOwner() const { return control_; }

TV_PUBLISHED(TQMControlBorderProps) {}

void TQMBorderProps::Assign(TPersistent* source)
{
    if (auto* p = dynamic_cast<TQMBorderProps*>(source)) {
        SetBorder(p->Border());
        SetColor(p->Color());
        SetExDraw(p->ExDraw());
        SetFlatColor(p->FlatColor());
        SetFlatInnerColor(p->FlatInnerColor());
        SetInnerBorder(p->InnerBorder());
        SetWidth(p->Width());
        return;
    }
    TQMControlBorderProps::Assign(source);
}

TQMControlBorder TQMBorderProps::Border() const { return control_ ? control_->OuterBorder() : qmcbNone; }
void TQMBorderProps::SetBorder(TQMControlBorder value)
{
    if (control_) control_->SetOuterBorder(value);
}
TColor TQMBorderProps::Color() const { return control_ ? control_->BandColor() : clBtnFace; }
void TQMBorderProps::SetColor(TColor value)
{
    if (control_) control_->SetBandColor(value);
}
bool TQMBorderProps::ExDraw() const { return control_ ? control_->ExDraw() : false; }
void TQMBorderProps::SetExDraw(bool value)
{
    if (control_) control_->SetExDraw(value);
}
TColor TQMBorderProps::FlatColor() const { return control_ ? control_->FlatColor() : clBtnShadow; }
void TQMBorderProps::SetFlatColor(TColor value)
{
    if (control_) control_->SetFlatColor(value);
}
TColor TQMBorderProps::FlatInnerColor() const { return control_ ? control_->FlatInnerColor() : clBtnShadow; }
void TQMBorderProps::SetFlatInnerColor(TColor value)
{
    if (control_) control_->SetFlatInnerColor(value);
}
TQMControlBorder TQMBorderProps::InnerBorder() const { return control_ ? control_->InnerBorder() : qmcbNone; }
void TQMBorderProps::SetInnerBorder(TQMControlBorder value)
{
    if (control_) control_->SetInnerBorder(value);
}
int TQMBorderProps::Width() const { return control_ ? control_->BorderWidth() : 0; }
void TQMBorderProps::SetWidth(int value)
{
    if (control_) control_->SetBandWidth(std::max(value, 0));
}

TV_PUBLISHED(TQMBorderProps)
{
    PropEnum("Border", &TQMBorderProps::Border, &TQMBorderProps::SetBorder, qmcbNone, TQMControlBorderNames);
    PropColor("Color", &TQMBorderProps::Color, &TQMBorderProps::SetColor, clBtnFace);
    Prop("ExDraw", &TQMBorderProps::ExDraw, &TQMBorderProps::SetExDraw, false);
    PropColor("FlatColor", &TQMBorderProps::FlatColor, &TQMBorderProps::SetFlatColor, clBtnShadow);
    PropColor("FlatInnerColor", &TQMBorderProps::FlatInnerColor, &TQMBorderProps::SetFlatInnerColor, clBtnShadow);
    PropEnum("InnerBorder", &TQMBorderProps::InnerBorder, &TQMBorderProps::SetInnerBorder, qmcbNone,
             TQMControlBorderNames);
    Prop("Width", &TQMBorderProps::Width, &TQMBorderProps::SetWidth, 0);
}

// ---- TQMCustomControl ----

TQMCustomControl::TQMCustomControl(TComponent* owner)
    : TCustomControl(owner),
      borderProps_(new TQMBorderProps(this)),
      imageLink_(std::make_unique<TChangeLink>()),
      notifier_(std::make_unique<TQMPictureNotifier>())
{
    imageLink_->SetOnChange(TNotifyEvent([this](TObject*) { ImagesChanged(); }));
    SetControlStyle(ControlStyle() +
                    TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable});
    notifier_->SetOnNotify(TQMPictureListNotifyEvent(
        [this](TQMPictureList* list, Byte operation) { pictureListNotify(list, operation); }));
    AdjustSize();
}

TQMCustomControl::~TQMCustomControl()
{
    if (images_) images_->UnRegisterChanges(imageLink_.get());
    notifier_->SetOnNotify(nullptr);
    if (pictureList_) {
        pictureList_->UnregisterNotifier(notifier_.get());
        pictureList_->RemoveFreeNotification(this);
    }
}

String TQMCustomControl::About() const { return "Styled controls"; }

void TQMCustomControl::SetAutoSize(bool value)
{
    if (value == AutoSize()) return;
    BeforeAutoSizeChange();
    TCustomControl::SetAutoSize(value);
    AdjustSize();
}

void TQMCustomControl::SetImageIndex(int value)
{
    if (AssignIfChanged(imageIndex_, value) && images_) Invalidate();
}

void TQMCustomControl::SetImages(TCustomImageList* value)
{
    TCustomImageList* old = images_;
    if (old) {
        old->UnRegisterChanges(imageLink_.get());
        old->RemoveFreeNotification(this);
    }
    images_ = value;
    if (images_) {
        images_->RegisterChanges(imageLink_.get());
        images_->FreeNotification(this);
    }
    if (old != images_) {
        Invalidate();
        ImagesChanged();
    }
}

bool TQMCustomControl::IsValidImage(int index) const { return images_ && index >= 0 && index < images_->Count(); }

TRect TQMCustomControl::GetImageRect() const
{
    return images_ ? TRect{0, 0, images_->Width(), images_->Height()} : TRect{};
}

void TQMCustomControl::SetIndent(int value)
{
    if (!AssignIfChanged(indent_, value)) return;
    AdjustSize();
    IndentChanged();
}

void TQMCustomControl::SetSpacing(int value)
{
    value = std::max(value, 0);
    if (!AssignIfChanged(spacing_, value)) return;
    AdjustSize();
    SpacingChanged();
}

void TQMCustomControl::SetTransparent(bool value)
{
    if (!AssignIfChanged(transparent_, value)) return;
    if (value)
        SetControlStyle(ControlStyle() - csOpaque);
    else
        SetControlStyle(ControlStyle() + csOpaque);
    TransparentChanged();
}

void TQMCustomControl::SetPictureList(TQMPictureList* value)
{
    if (value == pictureList_) return;
    if (pictureList_) {
        pictureList_->UnregisterNotifier(notifier_.get());
        pictureList_->RemoveFreeNotification(this);
    }
    pictureList_ = value;
    if (pictureList_) {
        pictureList_->RegisterNotifier(notifier_.get());
        pictureList_->FreeNotification(this);
    }
    PictureListChanged();
}

void TQMCustomControl::SetPictureIndex(int value)
{
    value = std::max(value, -1);
    if (AssignIfChanged(pictureIndex_, value) && pictureList_) PictureListChanged();
}

void TQMCustomControl::pictureListNotify(TQMPictureList* list, Byte operation)
{
    if (list != pictureList_) return;
    if (operation == qmpnRemoved) {
        pictureList_ = nullptr;
        PictureListChanged();
    } else {
        PictureListChanged();
    }
}

// ---- frame settings ----

void TQMCustomControl::SetOuterBorder(TQMControlBorder value)
{
    if (!IsBorderAllowed(value) || !AssignIfChanged(border_, value)) return;
    BorderChanged();
}

void TQMCustomControl::SetBandColor(TColor value)
{
    if (AssignIfChanged(bandColor_, value)) PaintBorders(nullptr);
}

void TQMCustomControl::SetBandWidth(int value)
{
    if (value == BorderWidth()) return;
    SetBorderWidth(value);
    AdjustSize();
}

void TQMCustomControl::SetExDraw(bool value)
{
    if (AssignIfChanged(exDraw_, value) && border_ != qmcbNone) BorderChanged();
}

void TQMCustomControl::SetFlatColor(TColor value)
{
    if (AssignIfChanged(flatColor_, value) && border_ != qmcbNone) PaintBorders(nullptr);
}

void TQMCustomControl::SetFlatInnerColor(TColor value)
{
    if (AssignIfChanged(flatInnerColor_, value) && innerBorder_ != qmcbNone) PaintBorders(nullptr);
}

void TQMCustomControl::SetInnerBorder(TQMControlBorder value)
{
    if (!IsInnerBorderAllowed(value) || !AssignIfChanged(innerBorder_, value)) return;
    BorderChanged();
}

void TQMCustomControl::BorderChanged()
{
    FrameChanged();
    AdjustSize();
    PaintBorders(nullptr);
}

int TQMCustomControl::GetBorderSize() const { return QMBorderThickness(border_); }

int TQMCustomControl::GetInnerBorderSize() const { return QMBorderThickness(innerBorder_); }

void TQMCustomControl::ShrinkForBorders(TRect& rect) const
{
    const int t = GetBorderSize() + GetInnerBorderSize();
    rect = qm::Shrink(rect, t, t);
}

TRect TQMCustomControl::GetFramedBounds(int width, int height) const
{
    const int t = 2 * (GetBorderSize() + BorderWidth() + GetInnerBorderSize());
    return Bounds(Left(), Top(), width + t, height + t);
}

TRect TQMCustomControl::GetClientMargins() const
{
    const TRect m = TCustomControl::GetClientMargins();
    TRect r{m.Left, m.Top, Width() - m.Right, Height() - m.Bottom};
    ShrinkForBorders(r);
    return {r.Left, r.Top, Width() - r.Right, Height() - r.Bottom};
}

TPoint TQMCustomControl::ScreenToWindow(TPoint screenPoint) const
{
    if (!HandleAllocated()) return screenPoint;
    const TPoint origin = ClientOrigin();
    const TRect m = GetClientMargins();
    return {screenPoint.X - (origin.X - m.Left), screenPoint.Y - (origin.Y - m.Top)};
}

// ---- painting ----

void TQMCustomControl::PaintNonClient(TCanvas& canvas)
{
    TCustomControl::PaintNonClient(canvas);
    PaintNonClientHook(canvas);
    PaintBorders(&canvas);
}

void TQMCustomControl::PaintBorders(TCanvas* canvas)
{
    if (IsDestroying()) return;
    if (!canvas) {
        // Outside a paint the frame is redrawn through the window.
        Invalidate();
        return;
    }
    HDC dc = canvas->Handle();
    TRect r{0, 0, Width(), Height()};
    TRect f = r;
    const int band = BorderWidth();
    const int outer = GetBorderSize();
    if (band > 0) {
        // The band between the outer and the inner frame, in the band colour.
        const TRect out = qm::Shrink(r, outer, outer);
        const TRect in = qm::Shrink(out, band, band);
        const TColor c = bandColor_;
        if (!out.IsEmpty()) {
            dc->FillRect(TRect{out.Left, out.Top, out.Right, std::min(in.Top, out.Bottom)}, c);
            dc->FillRect(TRect{out.Left, std::max(in.Bottom, out.Top), out.Right, out.Bottom}, c);
            dc->FillRect(TRect{out.Left, in.Top, std::min(in.Left, out.Right), in.Bottom}, c);
            dc->FillRect(TRect{std::max(in.Right, out.Left), in.Top, out.Right, in.Bottom}, c);
        }
    }
    if (!f.IsEmpty() && border_ != qmcbNone) {
        if (exDraw_)
            DrawShadedBorder(dc, f, GetBorderFaceColor(), QMAllEdges, border_);
        else
            DrawSystemBorder(dc, f, flatColor_, QMAllEdges, border_);
        f = qm::Shrink(f, outer, outer);
    }
    const TRect innerRect = qm::Shrink(f, band, band);
    if (!f.IsEmpty() && innerBorder_ != qmcbNone) {
        if (exDraw_)
            DrawShadedBorder(dc, innerRect, GetBorderFaceColor(), QMAllEdges, innerBorder_);
        else
            DrawSystemBorder(dc, innerRect, flatInnerColor_, QMAllEdges, innerBorder_);
    }
}

void TQMCustomControl::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
}

void TQMCustomControl::PaintParentBackground(TCanvas* canvas)
{
    TWinControl* parent = Parent();
    if (!parent || !canvas || paintingParent_) return;
    const TRect p = parent->ClientRect();
    if (p.IsEmpty()) return;
    // This control's client area in the parent's client coordinates.
    const TPoint myOrigin = ClientOrigin();
    const TPoint parentOrigin = parent->ClientOrigin();
    TRect c = Bounds(myOrigin.X - parentOrigin.X, myOrigin.Y - parentOrigin.Y, ClientWidth(), ClientHeight());
    const int ox = -c.Left, oy = -c.Top;
    c = qm::Intersect(c, p);
    if (c.IsEmpty()) return;
    // The guard keeps a transparent parent from painting us into ourselves.
    paintingParent_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{paintingParent_};
    HDC dc = canvas->Handle();
    int level = dc->SaveDC();
    dc->OffsetViewportOrg(ox, oy);
    dc->IntersectClipRect(0, 0, p.Width(), p.Height());
    canvas->Refresh();
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<intptr>(canvas));
    parent->Perform(WM_PAINT, reinterpret_cast<intptr>(canvas));
    dc->RestoreDC(level);
    canvas->Refresh();
    // Windowed siblings below this control, in z-order.
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == this) break;
        auto* win = dynamic_cast<TWinControl*>(sibling);
        if (!win || (!sibling->Visible() && !IsDesigning())) continue;
        if (qm::Intersect(sibling->BoundsRect(), c).IsEmpty()) continue;
        level = dc->SaveDC();
        win->PaintTo(*canvas, sibling->Left() + ox, sibling->Top() + oy);
        dc->RestoreDC(level);
        canvas->Refresh();
    }
}

// ---- notifications ----

void TQMCustomControl::CMColorChanged(TMessage& message)
{
    TCustomControl::CMColorChanged(message);
    Invalidate();
}

void TQMCustomControl::CMParentColorChanged(TMessage& message)
{
    TCustomControl::CMParentColorChanged(message);
    Invalidate();
}

void TQMCustomControl::CMFontChanged(TMessage& message)
{
    TCustomControl::CMFontChanged(message);
    AdjustSize();
    Invalidate();
}

void TQMCustomControl::CMTextChanged(TMessage& message)
{
    TCustomControl::CMTextChanged(message);
    AdjustSize();
    Invalidate();
}

void TQMCustomControl::Loaded()
{
    TCustomControl::Loaded();
    AdjustSize();
}

void TQMCustomControl::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == images_) {
        images_->UnRegisterChanges(imageLink_.get());
        images_ = nullptr;
        Invalidate();
        ImagesChanged();
    }
    if (operation == opRemove && component == pictureList_) {
        pictureList_->UnregisterNotifier(notifier_.get());
        pictureList_ = nullptr;
        PictureListChanged();
    }
}

bool TQMCustomControl::CanAutoSize(int& newWidth, int& newHeight)
{
    if (!AutoSize() || !TCustomControl::CanAutoSize(newWidth, newHeight)) return false;
    const TRect r = GetFramedBounds(newWidth, newHeight);
    newWidth = std::max(r.Width(), 0);
    newHeight = std::max(r.Height(), 0);
    return true;
}

void TQMCustomControl::Assign(TPersistent* source)
{
    auto* control = dynamic_cast<TControl*>(source);
    if (!control) {
        TCustomControl::Assign(source);
        return;
    }
    SetAlign(control->Align());
    SetAnchors(control->Anchors());
    SetCursor(control->Cursor());
    SetEnabled(control->Enabled());
    SetHint(control->Hint());
    SetShowHint(control->ShowHint());
    SetVisible(control->Visible());
    SetWidth(control->Width());
    SetHeight(control->Height());
    if (auto* styled = dynamic_cast<TQMCustomControl*>(source)) {
        borderProps_->Assign(styled->BorderProps());
        SetClickFocus(styled->ClickFocus());
        SetImageIndex(styled->ImageIndex());
        SetIndent(styled->Indent());
        SetPictureIndex(styled->PictureIndex());
        SetSpacing(styled->Spacing());
        SetTransparent(styled->Transparent());
    }
}

void TQMCustomControl::SaveToFile(const String& fileName)
{
    TStringList lines;
    lines.SetText(ControlToText(this));
    lines.SaveToFile(fileName);
}

void TQMCustomControl::LoadFromFile(const String& fileName)
{
    if (!FileExists(fileName)) return;
    TStringList lines;
    lines.LoadFromFile(fileName);
    TOwnedPtr<TComponent> loaded = TextToControl(lines.Text());
    if (auto* styled = dynamic_cast<TQMCustomControl*>(loaded.get())) Assign(styled);
}

// ---- hover, press and focus ----

TControl* TQMCustomControl::ControlUnderCursor() const
{
    // The window layer tells every control when the pointer comes and goes, disabled ones too.
    return pointerInside_ ? const_cast<TQMCustomControl*>(this) : nullptr;
}

void TQMCustomControl::CMMouseEnter(TMessage& message)
{
    if (message.LParam == 0) pointerInside_ = true;
    if (Enabled() && !IsDesigning()) {
        hot_ = true;
        TCustomControl::CMMouseEnter(message);
        HotChanged();
        if (onEnter_) onEnter_(this);
    } else {
        TCustomControl::CMMouseEnter(message);
    }
}

void TQMCustomControl::CMMouseLeave(TMessage& message)
{
    if (message.LParam == 0) pointerInside_ = false;
    if (Enabled() && !IsDesigning()) {
        hot_ = false;
        TCustomControl::CMMouseLeave(message);
        HotChanged();
        MouseLeft();
        if (onLeave_) onLeave_(this);
    } else {
        TCustomControl::CMMouseLeave(message);
    }
}

void TQMCustomControl::SyncHover()
{
    const bool wasHot = hot_;
    hot_ = false;
    if (!Enabled() || IsDesigning()) return;
    if (ControlUnderCursor() == this) {
        Perform(CM_MOUSEENTER);
    } else if (wasHot) {
        // Only a control that was hot has anything to leave.
        hot_ = true;
        Perform(CM_MOUSELEAVE);
    }
}

void TQMCustomControl::CancelPressAndTrack()
{
    if (!HandleAllocated()) return;
    if (MouseCapture()) SetMouseCapture(false);
    const bool wasPressed = pressed_, wasHot = hot_;
    pressed_ = false;
    downPoint_ = kNoPoint;
    TControl* under = ControlUnderCursor();
    TCustomForm* form = GetParentForm(this);
    hot_ = form && Screen->ActiveForm() == form && under && (under == this || ContainsControl(under));
    if (wasPressed != pressed_ || wasHot != hot_) Invalidate();
}

void TQMCustomControl::cancelOthersMode()
{
    if (TCustomForm* form = GetParentForm(this)) {
        TWinControl* active = form->ActiveControl();
        if (active && active != this) active->Perform(CM_CANCELMODE, 0, reinterpret_cast<intptr>(this));
    }
}

void TQMCustomControl::InternalMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (clickFocus_ && CanClickFocus() && CanFocus()) {
        SetFocus();
        if (!Focused()) return;
    }
    if (button != mbLeft) return;
    if (!CanCapture() || !CanPressAt(x, y)) return;
    if (!shift.Contains(ssLeft) && !shift.Contains(ssDouble)) return;
    SetMouseCapture(true);
    pressed_ = true;
    downPoint_ = {x, y};
}

void TQMCustomControl::InternalMouseMove(TShiftState, int, int)
{
    if (!pressed_ && !hot_) SyncHover();
}

void TQMCustomControl::InternalMouseUp(TMouseButton, TShiftState, int, int)
{
    pressed_ = false;
    downPoint_ = kNoPoint;
}

bool TQMCustomControl::ncClientMessage(TMessage& message)
{
    // After a press in the frame, client input belongs to the frame until the button goes up.
    if (!ncCapture_) return false;
    const TPoint p = ScreenToWindow(ClientToScreen({LParamX(message.LParam), LParamY(message.LParam)}));
    switch (message.Msg) {
    case WM_MOUSEMOVE: NCMouseMove(qmhtClient, p.X, p.Y); break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        ncCapture_ = false;
        if (ControlStyle().Contains(csCaptureMouse)) SetMouseCapture(false);
        const TMouseButton b = message.Msg == WM_LBUTTONUP ? mbLeft : message.Msg == WM_RBUTTONUP ? mbRight : mbMiddle;
        NCMouseUp(b, qmhtClient, p.X, p.Y);
        break;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        ncCapture_ = false;
        SetMouseCapture(true);
        const TMouseButton b = message.Msg == WM_LBUTTONDBLCLK   ? mbLeft
                               : message.Msg == WM_RBUTTONDBLCLK ? mbRight
                                                                 : mbMiddle;
        NCMouseDown(b, qmhtClient, p.X, p.Y, true);
        break;
    }
    default: return false;
    }
    DefaultHandler(message);
    return true;
}

void TQMCustomControl::WMMouseButton(TMessage& message)
{
    if (ncClientMessage(message)) return;
    const bool stdEvents = !ControlStyle().Contains(csNoStdEvents) && !IsDesigning();
    const int x = LParamX(message.LParam), y = LParamY(message.LParam);
    TShiftState shift = KeysToShiftState(message.WParam);
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        cancelOthersMode();
        if (message.Msg == WM_LBUTTONDBLCLK) {
            shift += ssDouble;
            if (ControlStyle().Contains(csCaptureMouse)) SetMouseCapture(true);
        }
        if (stdEvents) InternalMouseDown(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (message.Msg == WM_RBUTTONDBLCLK) shift += ssDouble;
        if (stdEvents) InternalMouseDown(mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (message.Msg == WM_MBUTTONDBLCLK) shift += ssDouble;
        if (stdEvents) InternalMouseDown(mbMiddle, shift, x, y);
        break;
    case WM_LBUTTONUP:
        if (stdEvents) InternalMouseUp(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONUP:
        if (stdEvents) InternalMouseUp(mbRight, shift, x, y);
        break;
    case WM_MBUTTONUP:
        if (stdEvents) InternalMouseUp(mbMiddle, shift, x, y);
        break;
    default: break;
    }
    TCustomControl::WMMouseButton(message);
}

void TQMCustomControl::WMMouseMove(TMessage& message)
{
    if (ncClientMessage(message)) return;
    if (!ControlStyle().Contains(csNoStdEvents) && !IsDesigning())
        InternalMouseMove(KeysToShiftState(message.WParam), LParamX(message.LParam), LParamY(message.LParam));
    TCustomControl::WMMouseMove(message);
}

void TQMCustomControl::WMSetFocus(TMessage& message)
{
    TCustomControl::WMSetFocus(message);
    TControl* capture = GetCaptureControl();
    if (!Focused() && capture && capture != this) SetMouseCapture(true);
    Invalidate();
    FocusChanged();
}

void TQMCustomControl::WMKillFocus(TMessage& message)
{
    // Compared with the state before the cancel, which moves hot without telling anyone: the
    // hover events then pair up as the listeners saw them.
    const bool wasHot = hot_;
    CancelPressAndTrack();
    pressed_ = false;
    downPoint_ = kNoPoint;
    const bool live = Enabled() && !IsDesigning();
    hot_ = live && ControlUnderCursor() == this;
    if (live && hot_ != wasHot) Perform(hot_ ? CM_MOUSEENTER : CM_MOUSELEAVE);
    Invalidate();
    TCustomControl::WMKillFocus(message);
    FocusChanged();
}

void TQMCustomControl::CMEnabledChanged(TMessage& message)
{
    TCustomControl::CMEnabledChanged(message);
    Invalidate();
    EnabledChanged();
    pressed_ = false;
    hot_ = false;
    downPoint_ = kNoPoint;
    if (Enabled() && !IsDesigning()) SyncHover();
    HotChanged();
}

int TQMCustomControl::FrameHitAreaAt(TPoint p) const
{
    if (!HandleAllocated()) return qmhaNone;
    const TRect m = GetClientMargins();
    const TRect client{m.Left, m.Top, Width() - m.Right, Height() - m.Bottom};
    const int area = qm::FrameHitArea(p, Width(), Height(), client, GetBorderSize(), BorderWidth(),
                                      GetInnerBorderSize());
    return area >= 0 ? area : GetClientHitArea(p);
}

void TQMCustomControl::WMNCHitTest(TMessage& message)
{
    TControl* capture = GetCaptureControl();
    if (IsDesigning() || (capture && capture != this)) {
        TCustomControl::WMNCHitTest(message);
        return;
    }
    TCustomControl::WMNCHitTest(message);
    const TPoint p = ScreenToWindow({LParamX(message.LParam), LParamY(message.LParam)});
    const int area = FrameHitAreaAt(p);
    if (area != hitArea_) {
        hitArea_ = area;
        message.Result = qmhtBorder;
        HitAreaChanged(message.Result, p.X, p.Y);
    }
}

void TQMCustomControl::ncMouseMessage(TMessage& message)
{
    const TPoint p = ScreenToWindow({LParamX(message.LParam), LParamY(message.LParam)});
    const int hit = static_cast<int>(message.WParam);
    switch (message.Msg) {
    case WM_NCMOUSEMOVE:
        TCustomControl::WndProc(message);
        NCMouseMove(hit, p.X, p.Y);
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        cancelOthersMode();
        if (message.Msg == WM_NCLBUTTONDOWN && WantsNCCapture(p)) SetMouseCapture(true);
        TCustomControl::WndProc(message);
        ncCapture_ = GetCaptureControl() == this;
        NCMouseDown(mbLeft, hit, p.X, p.Y, message.Msg == WM_NCLBUTTONDBLCLK);
        return;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
        TCustomControl::WndProc(message);
        ncCapture_ = GetCaptureControl() == this;
        NCMouseDown(mbRight, hit, p.X, p.Y, message.Msg == WM_NCRBUTTONDBLCLK);
        return;
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        TCustomControl::WndProc(message);
        ncCapture_ = GetCaptureControl() == this;
        NCMouseDown(mbMiddle, hit, p.X, p.Y, message.Msg == WM_NCMBUTTONDBLCLK);
        return;
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONUP: {
        TCustomControl::WndProc(message);
        const TMouseButton b = message.Msg == WM_NCLBUTTONUP   ? mbLeft
                               : message.Msg == WM_NCRBUTTONUP ? mbRight
                                                               : mbMiddle;
        NCMouseUp(b, hit, p.X, p.Y);
        return;
    }
    default: TCustomControl::WndProc(message);
    }
}

void TQMCustomControl::keyDown(TMessage& message)
{
    const TShiftState shift = QMKeyDataToShiftState(message.LParam);
    if (Perform(QM_WANTTABKEY, message.WParam, ShiftStateToKeyFlags(shift)) == 1) {
        PostMessage(WM_KEYDOWN, VK_TAB, 0);
        message.Result = 0;
        return;
    }
    TCustomControl::WndProc(message);
}

void TQMCustomControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_NCMBUTTONUP:
        if (IsDesigning()) break;
        ncMouseMessage(message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: keyDown(message); return;
    case QM_WANTTABKEY: message.Result = 0; return;
    case QM_REFUSECHILDFOCUS: {
        auto* child = reinterpret_cast<TControl*>(message.LParam);
        message.Result = (child && child->Parent() == this && !CanFocusChild(child)) ? 1 : 0;
        return;
    }
    case CM_ENTER:
        BeforeEnter();
        TCustomControl::WndProc(message);
        AfterEnter();
        return;
    case CM_EXIT:
        BeforeExit();
        TCustomControl::WndProc(message);
        AfterExit();
        return;
    case CM_FOCUSCHANGED:
    case CM_CANCELMODE: CancelPressAndTrack(); break;
    case CM_SYSCOLORCHANGE: SysColorsChanged(); break;
    case WM_CAPTURECHANGED:
        TCustomControl::WndProc(message);
        if (!IsDesigning()) CaptureChanged(GetCaptureControl() == this);
        return;
    case WM_ERASEBKGND:
        message.Result = 1;  // the control paints every pixel itself
        return;
    default: break;
    }
    TCustomControl::WndProc(message);
}

TV_PUBLISHED(TQMCustomControl)
{
    Prop("AutoSize", &TQMCustomControl::AutoSize, &TQMCustomControl::SetAutoSize, false);
    Prop("BorderProps", &TQMCustomControl::BorderProps, &TQMCustomControl::SetBorderProps);
    Prop("ClickFocus", &TQMCustomControl::ClickFocus, &TQMCustomControl::SetClickFocus, true);
    Prop("ImageIndex", &TQMCustomControl::ImageIndex, &TQMCustomControl::SetImageIndex, -1);
    Prop("Images", &TQMCustomControl::Images, &TQMCustomControl::SetImages);
    Prop("Indent", &TQMCustomControl::Indent, &TQMCustomControl::SetIndent, 0);
    Prop("Spacing", &TQMCustomControl::Spacing, &TQMCustomControl::SetSpacing, 4);
    Prop("Transparent", &TQMCustomControl::Transparent, &TQMCustomControl::SetTransparent, false);
    Prop("OnMouseEnter", &TQMCustomControl::OnMouseEnter, &TQMCustomControl::SetOnMouseEnter);
    Prop("OnMouseLeave", &TQMCustomControl::OnMouseLeave, &TQMCustomControl::SetOnMouseLeave);
    Prop("About", &TQMCustomControl::About, &TQMCustomControl::SetAbout).Stored(false);
}
