#pragma once
// The chart's four titles: Title and SubTitle above the plot, Foot and SubFoot below. Unless
// custom-positioned, a title is centred (or aligned left or right) in a band it takes from the
// chart rectangle.
#include "chart/core/StringsShape.h"

class TCustomChart;

class TChartTitle : public TStringsShape {
    TV_CLASS(TChartTitle, TStringsShape)
public:
    explicit TChartTitle(TCustomZebPanel* panel = nullptr);
    // AdjustFrame, the lines and VertMargin, then the positioned shape.
    void Assign(TPersistent* source) override;

    bool AdjustFrame() const { return adjustFrame_; }
    void SetAdjustFrame(bool value);
    // Pixels between the title and the plot.
    int VertMargin() const { return vertMargin_; }
    void SetVertMargin(int value);
    // Above the plot (a foot title sits below).
    virtual bool IsOnTop() const { return true; }

    bool IsVisibleWithText() const { return Visible() && Lines()->Count() > 0; }
    bool Clicked(TPoint p) const;
    TRect GetBoundsRect() const { return ShapeBounds(); }
    // Places and draws the title on chart and, unless custom-positioned, takes its band.
    void LayoutTitle(TCustomChart& chart);

private:
    bool adjustFrame_ = true;
    int vertMargin_ = 5;
};

class TChartFootTitle : public TChartTitle {
    TV_CLASS(TChartFootTitle, TChartTitle)
public:
    explicit TChartFootTitle(TCustomZebPanel* panel = nullptr);
    bool IsOnTop() const override { return false; }
};
