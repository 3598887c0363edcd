// TControl: the control base (geometry, placement, look, notifications, painting requests).
#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/forms/Control.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/SizeConstraints.h"
#include "platform/forms/StandardProps.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/MathUtils.h"
#include "platform/rtl/Strings.h"

namespace {

struct CursorIdent {
    TCursor value;
    const char* name;
};
constexpr CursorIdent CursorIdents[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"}};

void RegisterCursorIdents()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterIntegerConsts(
        "TCursor",
        [](const String& ident, Int64& value) {
            for (const auto& c : CursorIdents)
                if (SameText(ident, c.name)) {
                    value = c.value;
                    return true;
                }
            if (SameText(ident, "crSize")) {
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

}  // namespace

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
    // Stored against the anchors its Align gives (read before it), not a fixed default.
    PropSet("Anchors", &TControl::Anchors, &TControl::SetAnchors, (TAnchors{akLeft, akTop}), TAnchorKindNames)
        .NoDefault()
        .Stored(&TControl::IsAnchorsStored);
    PropColor("Color", &TControl::Color, &TControl::SetColor, clWindow).Stored(&TControl::IsColorStored);
    Prop("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::IsFontStored);
    Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true);
    Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true);
    Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true);
    PublishStandardProps(*this);
    Prop("OnMouseEnter", &TControl::OnMouseEnter, &TControl::SetOnMouseEnter);
    PropEnum("DragMode", &TControl::DragMode, &TControl::SetDragMode, dmManual, TDragModeNames);
    Prop("OnDragOver", &TControl::OnDragOver, &TControl::SetOnDragOver);
    Prop("OnDragDrop", &TControl::OnDragDrop, &TControl::SetOnDragDrop);
    Prop("OnEndDrag", &TControl::OnEndDrag, &TControl::SetOnEndDrag);
    Prop("OnMouseLeave", &TControl::OnMouseLeave, &TControl::SetOnMouseLeave);
    Prop("OnMouseWheel", &TControl::OnMouseWheel, &TControl::SetOnMouseWheel);
    Prop("OnMouseWheelDown", &TControl::OnMouseWheelDown, &TControl::SetOnMouseWheelDown);
    Prop("OnMouseWheelUp", &TControl::OnMouseWheelUp, &TControl::SetOnMouseWheelUp);
    Prop("OnResize", &TControl::OnResize, &TControl::SetOnResize);
    Prop("Constraints", &TControl::Constraints, &TControl::SetConstraints);
    Prop("OnCanResize", &TControl::OnCanResize, &TControl::SetOnCanResize);
    Prop("OnConstrainedResize", &TControl::OnConstrainedResize, &TControl::SetOnConstrainedResize);
    Prop("OnContextPopup", &TControl::OnContextPopup, &TControl::SetOnContextPopup);
}

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    tvforms::EnsureApp();
    RegisterCursorIdents();
    font_ = new TFont;
    font_->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
    constraints_ = new TSizeConstraints(TNotifyEvent(this, &TControl::constraintsChanged));
    tvforms::RegisterLive(this);
}

TControl::~TControl()
{
    // Still placed when a constructor raised (BeforeDestruction did not run).
    if (parent_) parent_->RemoveControl(this);
    tvforms::UnregisterLive(this);
    tvforms::ForgetCapture(this);
    TObject::Free(font_);
    TObject::Free(constraints_);
}

void TControl::BeforeDestruction()
{
    tvforms::ForgetCapture(this);
    if (parent_) parent_->RemoveControl(this);
    TComponent::BeforeDestruction();
}

void TControl::ChangeScale(int multiplier, int divisor)
{
    if (multiplier == divisor || divisor == 0) return;
    const int left = MulDiv(left_, multiplier, divisor), top = MulDiv(top_, multiplier, divisor);
    SetBounds(left, top, MulDiv(left_ + width_, multiplier, divisor) - left,
              MulDiv(top_ + height_, multiplier, divisor) - top);
    if (!parentFont_) Font()->SetHeight(MulDiv(Font()->Height(), multiplier, divisor));
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
    constrain(width, height);
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

bool TControl::CanResize(int& newWidth, int& newHeight)
{
    bool resize = true;
    if (onCanResize_) onCanResize_(this, newWidth, newHeight, resize);
    return resize;
}

void TControl::ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight)
{
    if (onConstrainedResize_) onConstrainedResize_(this, minWidth, minHeight, maxWidth, maxHeight);
}

void TControl::constrain(int& width, int& height)
{
    int minWidth = constraints_->MinWidth(), minHeight = constraints_->MinHeight();
    int maxWidth = constraints_->MaxWidth(), maxHeight = constraints_->MaxHeight();
    ConstrainedResize(minWidth, minHeight, maxWidth, maxHeight);
    if (maxWidth > 0 && width > maxWidth) width = maxWidth;
    if (minWidth > 0 && width < minWidth) width = minWidth;
    if (maxHeight > 0 && height > maxHeight) height = maxHeight;
    if (minHeight > 0 && height < minHeight) height = minHeight;
}

void TControl::SetConstraints(TSizeConstraints* value) { constraints_->Assign(value); }

// New limits apply to the present size at once.
void TControl::constraintsChanged(TObject*) { SetBounds(left_, top_, width_, height_); }

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
    if (AssignIfChanged(autoSize_, value) && value) AdjustSize();
}

void TControl::BoundsChanged() {}

void TControl::Resize()
{
    if (onResize_) onResize_(this);
}

TRect TControl::GetClientRect() const { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int value) { SetWidth(width_ - ClientWidth() + value); }

void TControl::SetClientHeight(int value) { SetHeight(height_ - ClientHeight() + value); }

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

namespace {

TAnchors alignAnchors(TAlign align)
{
    switch (align) {
    case alTop: return TAnchors{akLeft, akTop, akRight};
    case alBottom: return TAnchors{akLeft, akRight, akBottom};
    case alLeft: return TAnchors{akLeft, akTop, akBottom};
    case alRight: return TAnchors{akRight, akTop, akBottom};
    case alClient: return TAnchors{akLeft, akTop, akRight, akBottom};
    default: return TAnchors{akLeft, akTop};
    }
}

}  // namespace

void TControl::SetAlign(TAlign value)
{
    if (align_ == value) return;
    TAlign old = align_;
    align_ = value;
    anchors_ = alignAnchors(value);
    if (parent_ && (old != alNone || value != alNone)) parent_->Realign();
}

bool TControl::IsAnchorsStored() const { return anchors_ != alignAnchors(align_); }

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
    if (AssignIfChanged(enabled_, value)) Perform(CM_ENABLEDCHANGED, 0, 0);
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
    if (!AssignIfChanged(color_, value)) return;
    parentColor_ = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value)
{
    if (!AssignIfChanged(parentColor_, value)) return;
    if (value) {
        if (parent_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    } else if (IsLoading()) {
        // A stream that turns the parent's colour off and gives no colour of its own (the
        // writer leaves the published default out) means that default, not the parent's.
        const TPropInfo* color = ClassType().FindProperty("Color");
        if (color && color->HasDefault) {
            color_ = static_cast<TColor>(color->DefaultOrd);
            Perform(CM_COLORCHANGED, 0, 0);
        }
    }
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
    if (AssignIfChanged(parentFont_, value) && value && parent_) Perform(CM_PARENTFONTCHANGED, 0, 0);
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
    if (AssignIfChanged(parentShowHint_, value) && value && parent_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor value)
{
    if (AssignIfChanged(cursor_, value)) Perform(CM_CURSORCHANGED, 0, 0);
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

void TControl::Invalidate()
{
    if (parent_) parent_->InvalidateRect(BoundsRect());
}

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

void TControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: WMMouseButton(m); return;
    case WM_MOUSEMOVE: WMMouseMove(m); return;
    case WM_MOUSEWHEEL: WMMouseWheel(m); return;
    case WM_CONTEXTMENU: WMContextMenu(m); return;
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
