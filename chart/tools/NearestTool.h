#pragma once
// Tools that tell the user about a series point under or near the mouse: the nearest-point marker
// and the mark tips, both showing mark texts through ShowMarkHint.
#include <memory>

#include "chart/core/ChartTools.h"
#include "chart/core/MarkShapes.h"

class TTextShape;
class TTimer;
class TZebFont;
class TMarksTipTool;

enum TNearestToolStyle { hsNone, hsCircle, hsRectangle, hsDiamond, hsSeries };
inline constexpr const char* TNearestToolStyleNames[] = {"hsNone", "hsCircle", "hsRectangle", "hsDiamond",
                                                         "hsSeries"};
static_assert(std::size(TNearestToolStyleNames) == hsSeries + 1);

enum TMarkToolMouseAction { mtmMove, mtmClick };
inline constexpr const char* TMarkToolMouseActionNames[] = {"mtmMove", "mtmClick"};
static_assert(std::size(TMarkToolMouseActionNames) == mtmClick + 1);

using TMarksTipGetText = TMethodEvent<void(TMarksTipTool* Sender, String& Text)>;

// The mark text of a point (in style) as a system hint of the chart's window, or in tool's own
// shape when tool is given and does not use system hints. color clDefault leaves the hint colour.
void ShowMarkHint(TChartSeries& series, int index, TSeriesMarksStyle style, TZebFont* font, TColor color,
                  TMarksTipTool* tool, const TMarksTipGetText& getText, int x, int y);
// Empties the chart's hint and, when there was one, hides the application's.
void CancelChartHint(TCustomAxisPanel& chart);
// The point of series nearest to (x, y) within distance pixels (0: any); -1 when none.
int NearestPoint(TChartSeries& series, int x, int y, int distance);

class TNearestTool : public TZebCustomToolSeries {
    TV_CLASS(TNearestTool, TZebCustomToolSeries)
public:
    explicit TNearestTool(TComponent* owner);
    ~TNearestTool() override;
    void Assign(TPersistent* source) override;
    void ChartDrawStage(TChartDrawStage stage) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    int Distance() const { return distance_; }
    void SetDistance(int value) { distance_ = value; }
    bool DrawLine() const;
    void SetDrawLine(bool value);
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    bool Hint() const { return hint_; }
    void SetHint(bool value) { hint_ = value; }
    TSeriesMarksStyle HintStyle() const { return hintStyle_; }
    void SetHintStyle(TSeriesMarksStyle value) { hintStyle_ = value; }
    TZebPen* LinePen() const { return linePen_.get(); }
    void SetLinePen(TZebPen* value);
    int Size() const { return size_; }
    void SetSize(int value) { ChangeInteger(size_, value); }
    TNearestToolStyle Style() const { return style_; }
    void SetStyle(TNearestToolStyle value) { Change(style_, value); }
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent value) { onChange_ = std::move(value); }
    const TMarksTipGetText& OnGetHint() const { return onGetHint_; }
    void SetOnGetHint(TMarksTipGetText value) { onGetHint_ = std::move(value); }

    // The marked point, -1 none.
    int Point() const { return point_; }
    TPoint MousePoint() const { return mouse_; }

private:
    bool needsFullRepaint() const;
    void drawMarking(TCanvas3D& canvas, bool inverted);
    // Draws the marking once with the inverting pen over the window's picture.
    void paintInverted();
    TRect touchedRect() const;

    int distance_ = 0;
    bool fullRepaint_ = true;
    bool hint_ = false;
    TSeriesMarksStyle hintStyle_ = smsLabelValue;
    std::unique_ptr<TZebPen> linePen_;
    int size_ = 20;
    TNearestToolStyle style_ = hsCircle;
    TNotifyEvent onChange_;
    TMarksTipGetText onGetHint_;

    int point_ = -1;
    TPoint mouse_{};
};

class TMarksTipTool : public TZebCustomToolSeries {
    TV_CLASS(TMarksTipTool, TZebCustomToolSeries)
public:
    explicit TMarksTipTool(TComponent* owner);
    ~TMarksTipTool() override;
    void Assign(TPersistent* source) override;
    void Loaded() override;
    void SetActive(bool value) override;
    void ChartDrawStage(TChartDrawStage stage) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    TZebFont* Font() const;
    void SetFont(TZebFont* value);
    TTextShape* Format() const { return format_.get(); }
    void SetFormat(TTextShape* value);
    int HideDelay() const;
    void SetHideDelay(int value);
    TMarkToolMouseAction MouseAction() const { return mouseAction_; }
    void SetMouseAction(TMarkToolMouseAction value);
    int MouseDelay() const;
    void SetMouseDelay(int value);
    TSeriesMarksStyle Style() const { return style_; }
    void SetStyle(TSeriesMarksStyle value) { style_ = value; }
    bool SystemHints() const { return systemHints_; }
    void SetSystemHints(bool value) { systemHints_ = value; }
    const TNotifyEvent& OnCancelHint() const { return onCancelHint_; }
    void SetOnCancelHint(TNotifyEvent value) { onCancelHint_ = std::move(value); }
    const TMarksTipGetText& OnGetText() const { return onGetText_; }
    void SetOnGetText(TMarksTipGetText value) { onGetText_ = std::move(value); }

    // The chart of the tool's series, else its own.
    TCustomAxisPanel* Chart() const;
    void CancelHint();
    // The own shape shows a tip of series (ShowMarkHint); its removal cancels the tip.
    void TipShownFor(TChartSeries* series);
    TTimer* HideTimer() const { return timer_.get(); }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void hideTimerTick(TObject*);
    void forgetTipSeries();

    std::unique_ptr<TTextShape> format_;
    int hideDelay_ = 2500;
    TMarkToolMouseAction mouseAction_ = mtmMove;
    int mouseDelay_ = 500;
    TSeriesMarksStyle style_ = smsLabelOrValue;
    bool systemHints_ = true;
    TNotifyEvent onCancelHint_;
    TMarksTipGetText onGetText_;

    std::unique_ptr<TTimer> timer_;
    TChartSeries* tipSeries_ = nullptr;
};
