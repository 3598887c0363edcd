// TCustomZebNavigator and its buttons.
#include <algorithm>

#include "chart/core/ResourceBitmaps.h"
#include "chart/core/ZebConst.h"
#include "chart/editor/EditorResources.h"
#include "chart/editor/ZebNavigator.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Messages.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/StringList.h"

namespace {
constexpr int MinButtonWidth = 20;
constexpr int MinButtonHeight = 18;
constexpr const char* ButtonNames[ZebNavButtonCount] = {"First",  "Prior", "Next", "Last",  "Insert",
                                                        "Delete", "Edit",  "Post", "Cancel"};
const String* const DefaultHints[ZebNavButtonCount] = {&TxtFirst,   &TxtPrior, &TxtNext2, &TxtLast,  &TxtInsert,
                                                       &TxtDelete2, &TxtEdit,  &TxtPost,  &TxtCancel};
}  // namespace

// ---- TZebNavButton -----------------------------------------------------------------------------

TV_PUBLISHED(TZebNavButton) {}

TZebNavButton::TZebNavButton(TComponent* owner) : TSpeedButton(owner) {}

TZebNavButton::~TZebNavButton() = default;

TCustomZebNavigator* TZebNavButton::navigator() const { return dynamic_cast<TCustomZebNavigator*>(Parent()); }

void TZebNavButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Enabled()) {
        if (auto* nav = navigator()) nav->buttonPressed(this);
        if (!timer_) {
            timer_ = new TTimer(this);
            timer_->SetOnTimer(TNotifyEvent(this, &TZebNavButton::timerFired));
        }
        held_ = true;
        timer_->SetInterval(400);
        timer_->SetEnabled(true);
    }
    TSpeedButton::MouseDown(button, shift, x, y);
}

void TZebNavButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    held_ = false;
    if (timer_) timer_->SetEnabled(false);
    TSpeedButton::MouseUp(button, shift, x, y);
}

void TZebNavButton::RepeatTick()
{
    if (!timer_) return;
    timer_->SetInterval(100);
    if (!held_ || !Enabled()) {
        timer_->SetEnabled(false);
        return;
    }
    try {
        if (auto* nav = navigator()) nav->BtnClick(index_);
    } catch (...) {
        timer_->SetEnabled(false);
        throw;
    }
}

void TZebNavButton::Paint()
{
    TSpeedButton::Paint();
    if (!glyphs_) return;
    // Normal glyph on the left half, disabled one on the right.
    const int gw = glyphs_->Width() / 2, gh = glyphs_->Height();
    const int push = held_ ? 1 : 0;
    const int x = (Width() - gw) / 2 + push, y = (Height() - gh) / 2 + push;
    TBitmap one;
    one.SetSize(gw, gh);
    one.Canvas()->CopyRect(Rect(0, 0, gw, gh), glyphs_->Canvas(),
                           Enabled() ? Rect(0, 0, gw, gh) : Rect(gw, 0, 2 * gw, gh));
    one.SetTransparent(true);
    Canvas()->Draw(x, y, &one);
    auto* nav = navigator();
    if (nav && nav->Focused() && nav->FocusedButton() == index_) {
        TRect f = Rect(3 + push, 3 + push, Width() - 3 + push, Height() - 3 + push);
        Canvas()->DrawFocusRect(f);
    }
}

// ---- TCustomZebNavigator -----------------------------------------------------------------------

TV_PUBLISHED(TCustomZebNavigator)
{
    Prop("Locked", &TCustomZebNavigator::Locked, &TCustomZebNavigator::SetLocked, false);
    PropEnum("BorderStyle", &TCustomZebNavigator::BorderStyle, &TCustomZebNavigator::SetBorderStyle, bsNone,
             TBorderStyleNames);
    Prop("Hints", &TCustomZebNavigator::Hints, &TCustomZebNavigator::SetHints);
    PropEnum("BevelOuter", &TCustomZebNavigator::BevelOuter, &TCustomZebNavigator::SetBevelOuter, bvNone,
             TBevelCutNames);
}

TV_PUBLISHED(TZebNavigator) {}

TCustomZebNavigator::TCustomZebNavigator(TComponent* owner)
    : TCustomPanelNoCaption(owner), hints_(std::make_unique<TStringList>())
{
    RegisterEditorResources();
    TControlStyle style = ControlStyle();
    style -= csAcceptsControls;
    style -= csSetCaption;
    style += csOpaque;
    SetControlStyle(style);
    hints_->OnChange = [this] { applyHints(); };
    CreateButtons();
    applyHints();
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBounds(Left(), Top(), 241, 25);
    focused_ = 0;
}

TCustomZebNavigator::~TCustomZebNavigator() = default;

void TCustomZebNavigator::BeforeDestruction()
{
    SetPanel(nullptr);
    TCustomPanelNoCaption::BeforeDestruction();
}

void TCustomZebNavigator::CreateButtons()
{
    for (int i = 0; i < ZebNavButtonCount; ++i) {
        auto* b = new TZebNavButton(this);
        b->SetIndex(i);
        b->SetFlat(true);
        b->SetEnabled(false);
        b->SetBounds(i * MinButtonWidth, 0, MinButtonWidth, MinButtonHeight);
        b->glyphs_ = std::make_unique<TBitmap>();
        if (!LoadNamedBitmapResource(*b->glyphs_, String("ZebNav_") + ButtonNames[i])) b->glyphs_.reset();
        b->SetOnClick(TNotifyEvent(this, &TCustomZebNavigator::buttonClick));
        b->SetParent(this);
        buttons_[static_cast<size_t>(i)] = b;
    }
    for (int i = nbInsert; i < ZebNavButtonCount; ++i) buttons_[static_cast<size_t>(i)]->SetVisible(false);
    layout();
}

TStrings* TCustomZebNavigator::Hints() const { return hints_.get(); }

void TCustomZebNavigator::SetHints(TStrings* value)
{
    if (value) hints_->Assign(*value);
}

void TCustomZebNavigator::applyHints()
{
    for (int i = 0; i < ZebNavButtonCount; ++i) {
        const String user = i < hints_->Count() ? hints_->Get(i) : String();
        buttons_[static_cast<size_t>(i)]->SetHint(user.empty() ? *DefaultHints[i] : user);
    }
}

void TCustomZebNavigator::SetBounds(int left, int top, int width, int height)
{
    TCustomPanelNoCaption::SetBounds(left, top, width, height);
    if (!layingOut_ && !HandleAllocated()) layout();
}

void TCustomZebNavigator::Resize()
{
    TCustomPanelNoCaption::Resize();
    if (!layingOut_) layout();
}

void TCustomZebNavigator::layout()
{
    if (layingOut_ || !buttons_[0]) return;
    layingOut_ = true;
    int n = 0;
    for (TZebNavButton* b : buttons_)
        if (b->Visible()) ++n;
    n = std::max(n, 1);
    int w = std::max(Width(), n * MinButtonWidth);
    const int h = std::max(Height(), MinButtonHeight);
    buttonWidth_ = w / n;
    if (Align() == alNone) w = n * buttonWidth_;
    if (w != Width() || h != Height()) TCustomPanelNoCaption::SetBounds(Left(), Top(), w, h);
    // Leftover pixels of an aligned bar go one each to some buttons, spread by error diffusion.
    const int leftover = w - n * buttonWidth_;
    int counter = n / 2, x = 0;
    const int bh = Height() - (BorderStyle() == bsSingle ? 4 : 0);
    for (TZebNavButton* b : buttons_) {
        if (!b->Visible()) {
            b->SetBounds(Width() + 1, 0, buttonWidth_, bh);
            continue;
        }
        int bw = buttonWidth_;
        counter -= leftover;
        if (counter < 0) {
            ++bw;
            counter += n;
        }
        b->SetBounds(x, 0, bw, bh);
        x += bw;
    }
    layingOut_ = false;
}

void TCustomZebNavigator::buttonPressed(TZebNavButton* button)
{
    const int old = focused_;
    focused_ = button->Index();
    if (CanFocus() && !Focused()) {
        SetFocus();
    } else {
        buttons_[static_cast<size_t>(old)]->Invalidate();
        button->Invalidate();
    }
}

void TCustomZebNavigator::buttonClick(TObject* sender)
{
    if (auto* b = dynamic_cast<TZebNavButton*>(sender)) BtnClick(b->Index());
}

void TCustomZebNavigator::BtnClick(int index)
{
    EnableButtons();
    if (onButtonClicked_) onButtonClicked_(this, index);
}

void TCustomZebNavigator::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTARROWS;
        return;
    }
    if (m.Msg == CM_ENABLEDCHANGED) {
        TCustomPanelNoCaption::WndProc(m);
        EnableButtons();
        return;
    }
    TCustomPanelNoCaption::WndProc(m);
}

void TCustomZebNavigator::KeyDown(Word& key, TShiftState shift)
{
    TCustomPanelNoCaption::KeyDown(key, shift);
    auto step = [this](int dir) {
        for (int i = focused_ + dir; i >= 0 && i < ZebNavButtonCount; i += dir)
            if (buttons_[static_cast<size_t>(i)]->Visible()) {
                buttons_[static_cast<size_t>(focused_)]->Invalidate();
                focused_ = i;
                buttons_[static_cast<size_t>(i)]->Invalidate();
                return;
            }
    };
    switch (key) {
    case VK_SPACE:
        if (buttons_[static_cast<size_t>(focused_)]->Enabled()) buttons_[static_cast<size_t>(focused_)]->Click();
        break;
    case VK_LEFT: step(-1); break;
    case VK_RIGHT: step(1); break;
    default: return;
    }
    key = 0;
}

void TCustomZebNavigator::DoEnter()
{
    TCustomPanelNoCaption::DoEnter();
    buttons_[static_cast<size_t>(focused_)]->Invalidate();
}

void TCustomZebNavigator::DoExit()
{
    TCustomPanelNoCaption::DoExit();
    buttons_[static_cast<size_t>(focused_)]->Invalidate();
}

void TCustomZebNavigator::SetPanel(TCustomZebPanel* value)
{
    if (value == panel_) return;
    if (panel_) {
        panel_->RemoveListener(this);
        panel_->RemoveFreeNotification(this);
    }
    panel_ = value;
    if (panel_) {
        panel_->AddListener(this);
        panel_->FreeNotification(this);
    }
    EnableButtons();
}

void TCustomZebNavigator::Notification(TComponent* component, TOperation operation)
{
    TCustomPanelNoCaption::Notification(component, operation);
    if (operation == opRemove && component == panel_) {
        panel_ = nullptr;
        EnableButtons();
    }
}

void TCustomZebNavigator::Loaded()
{
    TCustomPanelNoCaption::Loaded();
    layout();
    applyHints();
    EnableButtons();
}

void RegisterNavigators() { RegisterClasses({&TZebNavigator::StaticClass()}); }
