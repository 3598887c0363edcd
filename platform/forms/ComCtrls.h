#pragma once
// Common controls: status bar, up-down, track bar.
#include <iterator>

#include "platform/classes/Collection.h"
#include "platform/forms/Controls.h"
#include "platform/forms/ExtCtrls.h"

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
inline constexpr const char* TStatusPanelStyleNames[] = {"psText", "psOwnerDraw"};
static_assert(std::size(TStatusPanelStyleNames) == psOwnerDraw + 1);

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
inline constexpr const char* TStatusPanelBevelNames[] = {"pbNone", "pbLowered", "pbRaised"};
static_assert(std::size(TStatusPanelBevelNames) == pbRaised + 1);

class TStatusPanel : public TCollectionItem {
    TV_CLASS(TStatusPanel, TCollectionItem)
public:
    explicit TStatusPanel(TCollection* collection);

    const String& Text() const { return text_; }
    void SetText(const String& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle value);
    void Assign(TPersistent* source) override;
    String DisplayName() const override;

private:
    String text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
};

class TStatusPanels : public TCollection {
    TV_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TStatusBar* statusBar);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }
    TStatusPanel* operator[](int index) const { return Items(index); }

protected:
    TPersistent* GetOwner() const override;
    void Update(TCollectionItem* item) override;

private:
    TStatusBar* statusBar_;
};

// Aligned to the bottom by default; panels drawn left to right, the last one takes the rest.
class TStatusBar : public TCustomControl {
    TV_CLASS(TStatusBar, TCustomControl)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const { return panels_; }
    void SetPanels(TStatusPanels* value);  // copies
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const String& SimpleText() const { return simpleText_; }
    void SetSimpleText(const String& value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    bool UseSystemFont() const { return useSystemFont_; }
    void SetUseSystemFont(bool value) { useSystemFont_ = value; }
    // Rectangle of panel index in client coordinates.
    TRect PanelRect(int index) const;
    // A panel's whole text is its hint: a narrow panel cuts it.
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    TStatusPanels* panels_ = nullptr;  // owned
    bool simplePanel_ = false;
    String simpleText_;
    bool sizeGrip_ = true;
    bool useSystemFont_ = true;
};

enum TUDAlignButton { udLeft, udRight };
inline constexpr const char* TUDAlignButtonNames[] = {"udLeft", "udRight"};
static_assert(std::size(TUDAlignButtonNames) == udRight + 1);

enum TUDOrientation { udHorizontal, udVertical };
inline constexpr const char* TUDOrientationNames[] = {"udHorizontal", "udVertical"};
static_assert(std::size(TUDOrientationNames) == udVertical + 1);

enum TUDBtnType { btNext, btPrev };
using TUDClickEvent = TMethodEvent<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = TMethodEvent<void(TObject* Sender, bool& AllowChange)>;

// Two arrow buttons. With an Associate edit it sits beside the edit and writes Position into its
// text; the edit keeps accepting any text, and the next click starts from the edit's number when it
// holds one.
class TUpDown : public TCustomControl {
    TV_CLASS(TUpDown, TCustomControl)
public:
    explicit TUpDown(TComponent* owner);

    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    bool Thousands() const { return thousands_; }
    void SetThousands(bool value);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value) { wrap_ = value; }
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool value) { arrowKeys_ = value; }
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    TUDAlignButton AlignButton() const { return alignButton_; }
    void SetAlignButton(TUDAlignButton value);

    const TUDClickEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TUDClickEvent& e) { onClick_ = e; }
    const TUDChangingEvent& OnChanging() const { return onChanging_; }
    void SetOnChanging(const TUDChangingEvent& e) { onChanging_ = e; }

    // A press on one of the arrows, as the user does it.
    void Press(TUDBtnType button);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void updateAssociate();
    void placeBesideAssociate();
    String positionText(int value) const;

    TWinControl* associate_ = nullptr;
    int min_ = 0, max_ = 100, position_ = 0;
    int increment_ = 1;
    bool thousands_ = true;
    bool wrap_ = false;
    bool arrowKeys_ = true;
    TUDOrientation orientation_ = udVertical;
    TUDAlignButton alignButton_ = udRight;
    TUDBtnType pressed_ = btNext;
    bool pressing_ = false;
    TUDClickEvent onClick_;
    TUDChangingEvent onChanging_;
};

enum TTrackBarOrientation { trHorizontal, trVertical };
inline constexpr const char* TTrackBarOrientationNames[] = {"trHorizontal", "trVertical"};
static_assert(std::size(TTrackBarOrientationNames) == trVertical + 1);

enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
inline constexpr const char* TTickMarkNames[] = {"tmBottomRight", "tmTopLeft", "tmBoth"};
static_assert(std::size(TTickMarkNames) == tmBoth + 1);

enum TTickStyle { tsNone, tsAuto, tsManual };
inline constexpr const char* TTickStyleNames[] = {"tsNone", "tsAuto", "tsManual"};
static_assert(std::size(TTickStyleNames) == tsManual + 1);

class TTrackBar : public TWinControl {
    TV_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* owner);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Frequency() const { return frequency_; }
    void SetFrequency(int value);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int value) { lineSize_ = value; }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation value);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark value);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle value);

    // Fires on user moves and on Position set in code when the position changes.
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

    // Private to the layer: the user moved the thumb.
    void UserMoved(int position);

protected:
    virtual void Changed();
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;

private:
    void pushToHost();

    int min_ = 0, max_ = 10, position_ = 0;
    int frequency_ = 1, lineSize_ = 1, pageSize_ = 2;
    TTrackBarOrientation orientation_ = trHorizontal;
    TTickMark tickMarks_ = tmBottomRight;
    TTickStyle tickStyle_ = tsAuto;
    TNotifyEvent onChange_;
};

void RegisterComControls();
