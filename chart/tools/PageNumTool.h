#pragma once
// An annotation showing the chart's page and page count ("Page 2 of 3"), with buttons in the box
// that go to the previous and next page.
#include "chart/tools/AnnotationTool.h"

class TZebBrush;
class TZebGradient;

class TPageNumTool : public TAnnotationTool {
    TV_CLASS(TPageNumTool, TAnnotationTool)
public:
    explicit TPageNumTool(TComponent* owner);
    ~TPageNumTool() override;
    void Assign(TPersistent* source) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    String GetText() const override;
    int GetTextOffset() const override;
    void CalcShapeBounds(TCustomAxisPanel& panel, const TRect& panelRect, TRect& bounds, int& top,
                         int& left) override;
    void DrawAnnotation(TCustomAxisPanel& panel) override;

    // ---- published ----
    const String& Format() const { return format_; }
    void SetFormat(const String& value) { ChangeString(format_, value); }
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value) { ChangeBoolean(showButtons_, value); }
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value) { ChangeInteger(buttonWidth_, value); }
    TZebPen* ButtonPen() const { return buttonPen_.get(); }
    void SetButtonPen(TZebPen* value);
    TZebBrush* EnabledBrush() const { return enabledBrush_.get(); }
    void SetEnabledBrush(TZebBrush* value);
    TZebGradient* EnabledButton() const;
    void SetEnabledButton(TZebGradient* value);
    TZebBrush* DisabledBrush() const { return disabledBrush_.get(); }
    void SetDisabledBrush(TZebBrush* value);
    TZebGradient* DisabledButton() const;
    void SetDisabledButton(TZebGradient* value);

    // The two button triangles of the box; empty without buttons.
    std::vector<TPoint> PreviousButton();
    std::vector<TPoint> NextButton();

private:
    std::vector<TPoint> button(bool next);
    int page() const;
    int pageCount() const;

    String format_ = "Page %d of %d";
    bool showButtons_ = true;
    int buttonWidth_ = 12;
    std::unique_ptr<TZebPen> buttonPen_;
    std::unique_ptr<TZebBrush> enabledBrush_, disabledBrush_;
};

// The page-number annotation class while its unit runs (the chart editor's paging page offers it).
extern const TMetaClass* PageNumToolClass;

// Registers the page number tool among the tool types and sets PageNumToolClass (counted).
void StartPageNumUnit();
void StopPageNumUnit();
