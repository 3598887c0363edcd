#pragma once
// TTabControl: a row of tabs over one area, without pages: the caller shows what the chosen tab
// means. OnChanging and OnChange fire when the user picks a tab, not when TabIndex is set in code.
// TScrollBox: a container whose children scroll under it with the wheel and the keys.
#include <memory>

#include "platform/forms/CustomControls.h"
#include "platform/forms/PageControl.h"

class TStrings;
class TStringList;

class TTabControl : public TCustomControl {
    TV_CLASS(TTabControl, TCustomControl)
public:
    explicit TTabControl(TComponent* owner);
    ~TTabControl() override;

    TStrings* Tabs() const;
    void SetTabs(TStrings* value);  // copies
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int value);
    TRect TabRect(int index) const;
    int IndexOfTabAt(int x, int y) const;
    // The area under the tabs (client coordinates).
    TRect DisplayRect() const;

    const TTabChangingEvent& OnChanging() const { return onChanging_; }
    void SetOnChanging(const TTabChangingEvent& e) { onChanging_ = e; }
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void Loaded() override;

private:
    void userPicked(int index);
    int rowHeight() const;

    std::unique_ptr<TStringList> tabs_;
    int tabIndex_ = -1;
    TTabChangingEvent onChanging_;
    TNotifyEvent onChange_;
};

class TScrollBox : public TWinControl {
    TV_CLASS(TScrollBox, TWinControl)
public:
    explicit TScrollBox(TComponent* owner);

    // How far the children are scrolled (pixels, from 0 to the extent beyond the client area).
    int VertPosition() const { return vert_; }
    void SetVertPosition(int value);
    int HorzPosition() const { return horz_; }
    void SetHorzPosition(int value);
    // The children's extent: the far edges of the lowest and rightmost child, scrolled back.
    TPoint ContentSize() const;
    // Scrolls so that a child lies wholly in view.
    void ScrollInView(TControl* control);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

protected:
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void KeyDown(Word& key, TShiftState shift) override;
    TRect GetClientMargins() const override;
    void PaintNonClient(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;

private:
    void scrollTo(int horz, int vert);

    int vert_ = 0;
    int horz_ = 0;
    TBorderStyle borderStyle_ = bsSingle;
};

void RegisterTabControls();
