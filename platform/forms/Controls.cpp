// TControl, TWinControl, TGraphicControl, TCustomControl.
#include <QApplication>
#include <QGuiApplication>
#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/StandardProps.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GraphicsObjects.h"

static bool SameTextAscii(const String& a, const String& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

namespace {

constexpr const char* TAlignNames[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
constexpr const char* TAnchorKindNames[] = {"akLeft", "akTop", "akRight", "akBottom"};

struct CursorIdent {
    TCursor value;
    const char* name;
};
constexpr CursorIdent CursorIdents[] = {
    {crDefault, "crDefault"}, {crNone, "crNone"}, {crArrow, "crArrow"}, {crCross, "crCross"},
    {crIBeam, "crIBeam"}, {crSizeNESW, "crSizeNESW"}, {crSizeNS, "crSizeNS"}, {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"}, {crUpArrow, "crUpArrow"}, {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"}, {crHSplit, "crHSplit"}, {crVSplit, "crVSplit"}, {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"}, {crNo, "crNo"}, {crAppStart, "crAppStart"}, {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"}};

void RegisterCursorIdents()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterIntegerConsts(
        "TCursor",
        [](const String& ident, Int64& value) {
            for (const auto& c : CursorIdents)
                if (SameTextAscii(ident, c.name)) {
                    value = c.value;
                    return true;
                }
            if (SameTextAscii(ident, "crSize")) {
                value = crSize;
                return true;
            }
            return false;
        },
        [](Int64 value, String& ident) {
            for (const auto& c : CursorIdents)
                if (c.value == value) {
                    ident = c.name;
                    return true;
                }
            return false;
        });
}

TControl* captureControl = nullptr;

// Clears a capture pointing at a control that goes away.
void ForgetCapture(TControl* c)
{
    if (captureControl == c) captureControl = nullptr;
}

}  // namespace


TShiftState KeysToShiftState(intptr keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s += ssShift;
    if (keys & MK_CONTROL) s += ssCtrl;
    if (keys & MK_LBUTTON) s += ssLeft;
    if (keys & MK_RBUTTON) s += ssRight;
    if (keys & MK_MBUTTON) s += ssMiddle;
    if (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) s += ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(intptr keyData)
{
    TShiftState s = GetShiftState() * TShiftState{ssShift, ssCtrl};
    if (keyData & (intptr{1} << 29)) s += ssAlt;
    return s;
}

TShiftState GetShiftState()
{
    tvforms::EnsureApp();
    return tvforms::ShiftFromQt(QGuiApplication::queryKeyboardModifiers(), QGuiApplication::mouseButtons());
}

TControl* GetCaptureControl() { return captureControl; }
void SetCaptureControl(TControl* control)
{
    TControl* old = captureControl;
    captureControl = control;
    // The control losing the mouse hears of it, with the new holder in LParam.
    if (old && old != control && tvforms::IsLive(old))
        tvforms::Guard(old, [&] { old->Perform(WM_CAPTURECHANGED, 0, reinterpret_cast<intptr>(control)); });
}

TCustomForm* GetParentForm(const TControl* control)
{
    const TControl* c = control;
    while (c && c->Parent()) c = c->Parent();
    return c ? dynamic_cast<TCustomForm*>(const_cast<TControl*>(c)) : nullptr;
}

// ---- TControl ----------------------------------------------------------------------------------

TV_PUBLISHED(TControl)
{
    Prop("Left", &TControl::Left, &TControl::SetLeft);
    Prop("Top", &TControl::Top, &TControl::SetTop);
    Prop("Width", &TControl::Width, &TControl::SetWidth);
    Prop("Height", &TControl::Height, &TControl::SetHeight);
    PropEnum("Align", &TControl::Align, &TControl::SetAlign, alNone, TAlignNames);
    PropSet("Anchors", &TControl::Anchors, &TControl::SetAnchors, (TAnchors{akLeft, akTop}), TAnchorKindNames);
    PropColor("Color", &TControl::Color, &TControl::SetColor, clWindow).Stored(&TControl::IsColorStored);
    Prop("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::IsFontStored);
    Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true);
    Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true);
    Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true);
    PublishStandardProps(*this);
    Prop("OnMouseEnter", &TControl::OnMouseEnter, &TControl::SetOnMouseEnter);
    Prop("OnMouseLeave", &TControl::OnMouseLeave, &TControl::SetOnMouseLeave);
    Prop("OnMouseWheel", &TControl::OnMouseWheel, &TControl::SetOnMouseWheel);
    Prop("OnResize", &TControl::OnResize, &TControl::SetOnResize);
}

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    tvforms::EnsureApp();
    RegisterCursorIdents();
    font_ = new TFont;
    font_->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
    tvforms::RegisterLive(this);
}

TControl::~TControl()
{
    tvforms::UnregisterLive(this);
    ForgetCapture(this);
    TObject::Free(font_);
}

void TControl::BeforeDestruction()
{
    ForgetCapture(this);
    if (parent_) parent_->RemoveControl(this);
    TComponent::BeforeDestruction();
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (autoSize_ && !inAutoSize_ && !IsLoading()) {
        int w = width, h = height;
        if (CanAutoSize(w, h)) {
            width = w;
            height = h;
        }
    }
    if (!CanResize(width, height)) {
        width = width_;
        height = height_;
    }
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    bool resized = width != width_ || height != height_;
    TRect old = BoundsRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (parent_) {
        parent_->InvalidateRect(old);
        parent_->childBoundsChanged(this);
    }
    BoundsChanged();
    Invalidate();
    if (resized) {
        updateAnchorBase();
        Resize();
    } else {
        updateAnchorBase();
    }
}

bool TControl::CanResize(int&, int&) { return true; }

bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::AdjustSize()
{
    if (!autoSize_ || IsLoading() || inAutoSize_) return;
    int w = width_, h = height_;
    if (CanAutoSize(w, h) && (w != width_ || h != height_)) {
        inAutoSize_ = true;
        try {
            SetBounds(left_, top_, w, h);
        } catch (...) {
            inAutoSize_ = false;
            throw;
        }
        inAutoSize_ = false;
    }
}

void TControl::SetAutoSize(bool value)
{
    if (autoSize_ == value) return;
    autoSize_ = value;
    if (value) AdjustSize();
}

void TControl::BoundsChanged() {}

void TControl::Resize()
{
    if (onResize_) onResize_(this);
}

TRect TControl::GetClientRect() const { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int value)
{
    SetWidth(width_ - ClientWidth() + value);
}

void TControl::SetClientHeight(int value)
{
    SetHeight(height_ - ClientHeight() + value);
}

TPoint TControl::ClientOrigin() const
{
    if (!parent_) return {left_, top_};
    TPoint p = parent_->ClientOrigin();
    return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_) return;
    if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (auto* self = dynamic_cast<TWinControl*>(this); self && parent && self->ContainsControl(parent))
        throw EInvalidOperation("A control cannot have one of its children as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::ReadState(TReader& reader)
{
    // The parent first, so that properties read next (TabOrder, ParentFont) see it.
    if (auto* p = dynamic_cast<TWinControl*>(reader.Parent()); p && p != this) SetParent(p);
    TComponent::ReadState(reader);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* p = dynamic_cast<TWinControl*>(parent)) SetParent(p);
}

void TControl::SetAlign(TAlign value)
{
    if (align_ == value) return;
    TAlign old = align_;
    align_ = value;
    anchors_ = TAnchors{akLeft, akTop};
    switch (value) {
    case alTop: anchors_ = TAnchors{akLeft, akTop, akRight}; break;
    case alBottom: anchors_ = TAnchors{akLeft, akRight, akBottom}; break;
    case alLeft: anchors_ = TAnchors{akLeft, akTop, akBottom}; break;
    case alRight: anchors_ = TAnchors{akRight, akTop, akBottom}; break;
    case alClient: anchors_ = TAnchors{akLeft, akTop, akRight, akBottom}; break;
    default: break;
    }
    if (parent_ && (old != alNone || value != alNone)) parent_->Realign();
}

void TControl::SetAnchors(TAnchors value)
{
    anchors_ = value;
    updateAnchorBase();
}

void TControl::updateAnchorBase()
{
    if (!parent_) {
        anchorValid_ = false;
        return;
    }
    TRect cr = parent_->ClientRect();
    anchorRight_ = cr.Width() - (left_ + width_);
    anchorBottom_ = cr.Height() - (top_ + height_);
    anchorValid_ = true;
}

void TControl::SetVisible(bool value)
{
    if (visible_ == value) return;
    if (!value) Invalidate();
    visible_ = value;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
    if (value) Invalidate();
    if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::VisibleChanged() {}

bool TControl::Showing() const
{
    if (!visible_) return false;
    if (!parent_) {
        auto* host = dynamic_cast<const TWinControl*>(this);
        return host && host->Host() && host->Host()->widget && host->Host()->widget->isVisible();
    }
    return parent_->Showing();
}

void TControl::SetEnabled(bool value)
{
    if (enabled_ == value) return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::IsEnabledInTree() const
{
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->enabled_) return false;
    return true;
}

void TControl::BringToFront()
{
    if (!parent_) {
        if (auto* w = dynamic_cast<TWinControl*>(this); w && w->Host() && w->Host()->widget && !tvforms::IsOffscreen())
            w->Host()->widget->raise();
        return;
    }
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.push_back(this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->Host() && w->Host()->widget) w->Host()->widget->raise();
    Invalidate();
}

void TControl::SendToBack()
{
    if (!parent_) return;
    auto& list = parent_->controls_;
    std::erase(list, this);
    list.insert(list.begin(), this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->Host() && w->Host()->widget) w->Host()->widget->lower();
    Invalidate();
}

void TControl::SetColor(TColor value)
{
    if (color_ == value) return;
    color_ = value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value)
{
    if (parentColor_ == value) return;
    parentColor_ = value;
    if (value && parent_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetFont(TFont* value)
{
    if (value) font_->Assign(value);
}

void TControl::FontChanged(TObject*)
{
    parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value)
{
    if (parentFont_ == value) return;
    parentFont_ = value;
    if (value && parent_) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetText(const String& value)
{
    if (GetText() == value) return;
    SetTextValue(value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetHint(const String& value)
{
    hint_ = value;
    if (auto* w = dynamic_cast<TWinControl*>(this)) tvforms::SyncHintAndCursor(w);
}

void TControl::SetShowHint(bool value)
{
    if (showHint_ == value && !parentShowHint_) return;
    showHint_ = value;
    parentShowHint_ = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool value)
{
    if (parentShowHint_ == value) return;
    parentShowHint_ = value;
    if (value && parent_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor value)
{
    if (cursor_ == value) return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TComponent* value)
{
    if (popupMenu_ == value) return;
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = value;
    if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (parent_) {
        if (parentColor_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (parentFont_) Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (parentShowHint_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
    AdjustSize();
    updateAnchorBase();
}

void TControl::Invalidate() { if (parent_) parent_->InvalidateRect(BoundsRect()); }

void TControl::InvalidateRect(const TRect& r)
{
    if (parent_) {
        TRect moved = r;
        OffsetRect(moved, left_, top_);
        parent_->InvalidateRect(moved);
    }
}

void TControl::Repaint()
{
    Invalidate();
    if (parent_) parent_->Update();
}

void TControl::Update()
{
    if (parent_) parent_->Update();
}

intptr TControl::Perform(Cardinal msg, intptr wparam, intptr lparam)
{
    TMessage m{msg, wparam, lparam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::PostMessage(Cardinal msg, intptr wparam, intptr lparam)
{
    tvforms::PostControlMessage(this, TMessage{msg, wparam, lparam, 0});
}

void TControl::DefaultHandler(TMessage&) {}

bool TControl::MouseCapture() const { return captureControl == this; }

void TControl::SetMouseCapture(bool value)
{
    if (value)
        SetCaptureControl(this);
    else if (captureControl == this)
        SetCaptureControl(nullptr);
}

void TControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
        WMMouseButton(m);
        return;
    case WM_MOUSEMOVE: WMMouseMove(m); return;
    case WM_MOUSEWHEEL: WMMouseWheel(m); return;
    case CM_MOUSEENTER: CMMouseEnter(m); return;
    case CM_MOUSELEAVE: CMMouseLeave(m); return;
    case CM_FONTCHANGED: CMFontChanged(m); return;
    case CM_TEXTCHANGED: CMTextChanged(m); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
    case CM_COLORCHANGED: CMColorChanged(m); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(m); return;
    case CM_HITTEST: CMHitTest(m); return;
    case CM_CURSORCHANGED: CMCursorChanged(m); return;
    default: DefaultHandler(m); return;
    }
}

void TControl::CMMouseEnter(TMessage& m)
{
    if (m.LParam == 0 && onMouseEnter_) onMouseEnter_(this);
}

void TControl::CMMouseLeave(TMessage& m)
{
    if (m.LParam == 0 && onMouseLeave_) onMouseLeave_(this);
}

void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage&) {}
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentColorChanged(TMessage&)
{
    if (parentColor_ && parent_) {
        color_ = parent_->Color();
        TMessage changed{CM_COLORCHANGED, 0, 0, 0};
        WndProc(changed);
    }
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (parentFont_ && parent_) {
        font_->SetOnChange(nullptr);
        font_->Assign(parent_->Font());
        font_->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
        Perform(CM_FONTCHANGED, 0, 0);
    }
}

void TControl::CMParentShowHintChanged(TMessage&)
{
    if (parentShowHint_ && parent_) {
        showHint_ = parent_->ShowHint();
        Perform(CM_SHOWHINTCHANGED, 0, 0);
    }
}

void TControl::CMHitTest(TMessage& m) { m.Result = HTCLIENT; }

void TControl::CMCursorChanged(TMessage&)
{
    if (auto* w = dynamic_cast<TWinControl*>(this)) tvforms::SyncHintAndCursor(w);
}

void TControl::WMMouseMove(TMessage& m)
{
    if (controlStyle_.Contains(csNoStdEvents)) return;
    MouseMove(KeysToShiftState(m.WParam), LParamX(m.LParam), LParamY(m.LParam));
}

void TControl::WMMouseButton(TMessage& m)
{
    int x = LParamX(m.LParam), y = LParamY(m.LParam);
    TShiftState shift = KeysToShiftState(m.WParam);
    TMouseButton button = mbLeft;
    bool down = false, dbl = false;
    switch (m.Msg) {
    case WM_LBUTTONDOWN: down = true; break;
    case WM_LBUTTONDBLCLK: down = dbl = true; break;
    case WM_RBUTTONDOWN: button = mbRight; down = true; break;
    case WM_RBUTTONDBLCLK: button = mbRight; down = dbl = true; break;
    case WM_MBUTTONDOWN: button = mbMiddle; down = true; break;
    case WM_MBUTTONDBLCLK: button = mbMiddle; down = dbl = true; break;
    case WM_RBUTTONUP: button = mbRight; break;
    case WM_MBUTTONUP: button = mbMiddle; break;
    default: break;
    }
    if (down) {
        if (button == mbLeft) {
            if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
            if (controlStyle_.Contains(csClickEvents)) controlState_ += csClicked;
        }
        if (dbl) {
            shift += ssDouble;
            if (button == mbLeft && controlStyle_.Contains(csDoubleClicks)) DblClick();
        }
        if (!controlStyle_.Contains(csNoStdEvents)) MouseDown(button, shift, x, y);
        return;
    }
    if (button == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
        if (controlState_.Contains(csClicked)) {
            controlState_ -= csClicked;
            if (PtInRect(ClientRect(), Point(x, y))) Click();
        }
    }
    if (!tvforms::IsLive(this)) return;
    if (!controlStyle_.Contains(csNoStdEvents)) MouseUp(button, shift, x, y);
}

void TControl::WMMouseWheel(TMessage& m)
{
    int delta = static_cast<std::int16_t>((m.WParam >> 16) & 0xFFFF);
    TShiftState shift = KeysToShiftState(m.WParam & 0xFFFF);
    TPoint pos{LParamX(m.LParam), LParamY(m.LParam)};
    if (DoMouseWheel(shift, delta, pos)) {
        m.Result = 1;
        return;
    }
    if (parent_) m.Result = parent_->Perform(WM_MOUSEWHEEL, m.WParam, m.LParam);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    bool handled = false;
    if (onMouseWheel_) onMouseWheel_(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TControl::Click()
{
    if (onClick_) onClick_(this);
}

void TControl::DblClick()
{
    if (onDblClick_) onDblClick_(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (onMouseDown_) onMouseDown_(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (onMouseMove_) onMouseMove_(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (onMouseUp_) onMouseUp_(this, button, shift, x, y);
}

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
    TControlAccess::DetachHost(this);
}

void TWinControl::BeforeDestruction()
{
    // Child controls go with their parent, whoever owns them.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        child->Free();
    }
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
        if (SameTextAscii(c->Name(), name)) return c;
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
    if (borderWidth_ == value) return;
    borderWidth_ = value;
    FrameChanged();
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
            if (a.Contains(akLeft)) w += dx; else l += dx;
        } else if (!a.Contains(akLeft)) {
            l += dx / 2;
        }
        if (a.Contains(akBottom)) {
            if (a.Contains(akTop)) h += dy; else t += dy;
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
    if (!host_->nativePaint) w->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
    w->setEnabled(Enabled());
    w->setFont(ToQFont(*Font()));
    attachToParentHost();
    tvforms::SyncHintAndCursor(this);
    HostCreated();
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

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    TControl::SetBounds(left, top, width, height);
}

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

void TWinControl::Invalidate()
{
    if (host_ && host_->widget) host_->widget->update();
}

void TWinControl::InvalidateRect(const TRect& r)
{
    if (!host_ || !host_->widget) return;
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
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_KEYUP: case WM_SYSKEYUP: case WM_CHAR:
        WMKey(m);
        return;
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

void TWinControl::WMKey(TMessage& m)
{
    TShiftState shift = KeyDataToShiftState(m.LParam);
    if (m.Msg == WM_CHAR) {
        char key = static_cast<char>(m.WParam);
        TCustomForm* form = GetParentForm(this);
        if (form && form != this && form->KeyPreview()) {
            static_cast<TWinControl*>(form)->KeyPress(key);
            if (key == 0) {
                m.Result = 1;
                return;
            }
        }
        KeyPress(key);
        m.WParam = static_cast<unsigned char>(key);
        m.Result = key == 0 ? 1 : 0;
        return;
    }
    Word key = static_cast<Word>(m.WParam);
    bool down = m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN;
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        if (down)
            static_cast<TWinControl*>(form)->KeyDown(key, shift);
        else
            static_cast<TWinControl*>(form)->KeyUp(key, shift);
        if (key == 0) {
            m.Result = 1;
            return;
        }
    }
    if (down)
        KeyDown(key, shift);
    else
        KeyUp(key, shift);
    m.WParam = key;
    m.Result = key == 0 ? 1 : 0;
}

void TWinControl::KeyDown(Word& key, TShiftState shift)
{
    if (onKeyDown_) onKeyDown_(this, key, shift);
}

void TWinControl::KeyUp(Word& key, TShiftState shift)
{
    if (onKeyUp_) onKeyUp_(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    if (onKeyPress_) onKeyPress_(this, key);
}

void TWinControl::DoEnter()
{
    if (onEnter_) onEnter_(this);
}

void TWinControl::DoExit()
{
    if (onExit_) onExit_(this);
}

void TWinControl::WMSetFocus(TMessage&)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        form->SetActiveControl(this);
        // Every control of the form learns which one has the focus now.
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr>(this));
    }
    if (tvforms::IsLive(this)) Perform(CM_ENTER, 0, 0);
}

void TWinControl::WMKillFocus(TMessage&) { Perform(CM_EXIT, 0, 0); }

// ---- control canvases --------------------------------------------------------------------------

TControlCanvas::~TControlCanvas() { SetHandle(nullptr); }

void TControlCanvas::CreateHandle()
{
    int w = control_ ? std::max(1, control_->Width()) : 1;
    int h = control_ ? std::max(1, control_->Height()) : 1;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    scratch_ = CreateImageDC(std::make_shared<TPixelImage>(std::move(image)));
    SetHandle(scratch_.get());
    if (control_) control_->Invalidate();
}

// ---- TGraphicControl ---------------------------------------------------------------------------

TV_PUBLISHED(TGraphicControl) {}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) { canvas_ = new TControlCanvas(this); }

TGraphicControl::~TGraphicControl() { TObject::Free(canvas_); }

void TGraphicControl::WndProc(TMessage& m)
{
    if (m.Msg == WM_PAINT) {
        auto dc = reinterpret_cast<HDC>(m.WParam);
        canvas_->SetHandle(dc);
        canvas_->Refresh();
        static_cast<TControlCanvas*>(canvas_)->ReadyHandle();
        try {
            Paint();
        } catch (...) {
            canvas_->SetHandle(nullptr);
            throw;
        }
        canvas_->SetHandle(nullptr);
        return;
    }
    TControl::WndProc(m);
}

// ---- TCustomControl ----------------------------------------------------------------------------

TV_PUBLISHED(TCustomControl) {}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) { canvas_ = new TControlCanvas(this); }

TCustomControl::~TCustomControl() { TObject::Free(canvas_); }

void TCustomControl::PaintWindow(TCanvas& canvas)
{
    canvas_->SetHandle(canvas.Handle());
    canvas_->Refresh();
    // Calls made straight on the device see the canvas's pen, brush and font from the start.
    static_cast<TControlCanvas*>(canvas_)->ReadyHandle();
    try {
        Paint();
    } catch (...) {
        canvas_->SetHandle(nullptr);
        canvas.Refresh();
        throw;
    }
    canvas_->SetHandle(nullptr);
    canvas.Refresh();
}
