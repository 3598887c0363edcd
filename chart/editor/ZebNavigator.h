#pragma once
// TCustomZebNavigator: a bar of nine flat buttons (first, prior, next, last, insert, delete, edit,
// post, cancel) sharing the width, with a keyboard focus, auto-repeat and an optional link to a
// chart panel whose events it hears. Descendants give the buttons their meaning.
#include <array>
#include <memory>

#include "chart/core/ChartEvents.h"
#include "chart/core/ZebPanel.h"
#include "platform/forms/SpeedButton.h"

class TTimer;
class TStrings;
class TStringList;
class TCustomZebNavigator;

enum TZebNavButtonKind { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel };
inline constexpr int ZebNavButtonCount = nbCancel + 1;

class TZebNavButton : public TSpeedButton {
    TV_CLASS(TZebNavButton, TSpeedButton)
public:
    explicit TZebNavButton(TComponent* owner);
    ~TZebNavButton() override;
    int Index() const { return index_; }
    void SetIndex(int value) { index_ = value; }
    // The auto-repeat timer (created on the first press; nullptr before).
    TTimer* RepeatTimer() const { return timer_; }
    // One tick of the repeat timer: the next ones come every 100 ms; the button clicks again
    // while still held.
    void RepeatTick();
    bool Held() const { return held_; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    friend class TCustomZebNavigator;
    void timerFired(TObject*) { RepeatTick(); }
    TCustomZebNavigator* navigator() const;
    int index_ = 0;
    bool held_ = false;
    TTimer* timer_ = nullptr;          // owned as a component
    std::unique_ptr<TBitmap> glyphs_;  // normal and disabled, side by side
};

using TZebNavClickEvent = TMethodEvent<void(TObject* Sender, int Index)>;

class TCustomZebNavigator : public TCustomPanelNoCaption, public IChartEventListener {
    TV_CLASS(TCustomZebNavigator, TCustomPanelNoCaption)
public:
    explicit TCustomZebNavigator(TComponent* owner);
    ~TCustomZebNavigator() override;
    void BeforeDestruction() override;

    bool Locked() const { return locked_; }
    void SetLocked(bool value) { locked_ = value; }
    TZebNavButton* Buttons(int index) const { return buttons_[static_cast<size_t>(index)]; }
    int ButtonWidth() const { return buttonWidth_; }
    int FocusedButton() const { return focused_; }
    // A non-empty line i replaces the hint of button i.
    TStrings* Hints() const;
    void SetHints(TStrings* value);
    TCustomZebPanel* Panel() const { return panel_; }
    virtual void SetPanel(TCustomZebPanel* value);
    const TZebNavClickEvent& OnButtonClicked() const { return onButtonClicked_; }
    void SetOnButtonClicked(const TZebNavClickEvent& e) { onButtonClicked_ = e; }

    void HandleChartEvent(TZebEvent&) override {}
    virtual void EnableButtons() {}
    virtual int GetPageCount() { return 1; }
    virtual void PrintPages() {}
    // A button was clicked (by the user or the repeat).
    virtual void BtnClick(int index);
    void SetBounds(int left, int top, int width, int height) override;
    // The buttons belong to the bar: nothing to store.
    void GetChildren(const TGetChildProc&, TComponent*) override {}

protected:
    virtual void CreateButtons();
    void layout();
    void applyHints();
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void Resize() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;
    void DoEnter() override;
    void DoExit() override;

private:
    friend class TZebNavButton;
    void buttonPressed(TZebNavButton* button);
    void buttonClick(TObject* sender);

    std::array<TZebNavButton*, ZebNavButtonCount> buttons_{};
    std::unique_ptr<TStringList> hints_;
    TCustomZebPanel* panel_ = nullptr;
    int buttonWidth_ = 0;
    int focused_ = 0;
    bool locked_ = false;
    bool layingOut_ = false;
    TZebNavClickEvent onButtonClicked_;
};

class TZebNavigator : public TCustomZebNavigator {
    TV_CLASS(TZebNavigator, TCustomZebNavigator)
public:
    using TCustomZebNavigator::TCustomZebNavigator;
};

void RegisterNavigators();
