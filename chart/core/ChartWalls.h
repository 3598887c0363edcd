#pragma once
// The panes of the chart box: the back wall behind the plot (in 2-D the plot rectangle itself),
// the left wall and the floor of the 3-D box and an optional right wall. Each is a shape with a
// thickness and, for the side walls, the share of the height or depth it covers. The chart
// paints them (ChartWallPaint.cpp); TChartWalls holds the four of one chart.
#include <memory>

#include "chart/core/ChartShapes.h"

class TCustomChart;
class TZebBlend;

class TCustomChartWall : public TZebCustomShape {
    TV_CLASS(TCustomChartWall, TZebCustomShape)
public:
    // defaultColor is the colour the wall starts with and is stored against.
    explicit TCustomChartWall(TCustomChart* chart = nullptr, TColor defaultColor = clDefault);
    // AutoHide, Dark3D, EndPosition, Size and StartPosition, then the shape.
    void Assign(TPersistent* source) override;

    bool AutoHide() const { return autoHide_; }
    void SetAutoHide(bool value);
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value);
    // Percent of the height (side walls) or depth (floor) where the wall ends and starts.
    int EndPosition() const { return endPosition_; }
    void SetEndPosition(int value);
    int StartPosition() const { return startPosition_; }
    void SetStartPosition(int value);
    // Thickness in pixels; 0 draws a plane.
    int Size() const { return size_; }
    void SetSize(int value);
    TColor DefaultColor() const { return defaultColor_; }
    bool IsColorStored() const { return Color() != defaultColor_; }

    TCustomChart* ParentChart() const;
    // The chart's View3DWalls on, Visible and AutoHide off.
    bool IsShown() const;
    // Boxes of the wall get darkened sides.
    bool IsDark3D() const;
    // The wall's top and bottom on screen: from the chart bottom plus the floor thickness, cut by
    // StartPosition and EndPosition.
    void VerticalExtent(int& top, int& bottom) const;
    // A blend of Transparency percent over the wall plane at x (none when Transparent or opaque).
    TZebBlend* StartTransparency(int x, int bottom);
    void EndTransparency(TZebBlend* blend);

private:
    bool autoHide_ = false;
    bool dark3D_ = true;
    int endPosition_ = 100;
    int size_ = 0;
    int startPosition_ = 0;
    TColor defaultColor_;
};

class TChartWall : public TCustomChartWall {
    TV_CLASS(TChartWall, TCustomChartWall)
public:
    using TCustomChartWall::TCustomChartWall;
};

class TChartBackWall : public TChartWall {
    TV_CLASS(TChartBackWall, TChartWall)
public:
    explicit TChartBackWall(TCustomChart* chart = nullptr);

protected:
    void InitShadowDefaults(TZebShadow& shadow) override;
    void InitEmbossDefaults(TZebEmboss& emboss) override;
};

class TChartLeftWall : public TChartWall {
    TV_CLASS(TChartLeftWall, TChartWall)
public:
    explicit TChartLeftWall(TCustomChart* chart = nullptr);
};

class TChartBottomWall : public TChartWall {
    TV_CLASS(TChartBottomWall, TChartWall)
public:
    explicit TChartBottomWall(TCustomChart* chart = nullptr);
};

class TChartRightWall : public TChartWall {
    TV_CLASS(TChartRightWall, TChartWall)
public:
    explicit TChartRightWall(TCustomChart* chart = nullptr);
};

class TChartWalls : public TPersistent {
    TV_CLASS(TChartWalls, TPersistent)
public:
    explicit TChartWalls(TCustomChart* chart = nullptr);
    ~TChartWalls() override;
    // The four walls; the other's right wall is made when missing.
    void Assign(TPersistent* source) override;

    TChartBackWall* Back() const { return back_; }
    TChartLeftWall* Left() const { return left_; }
    TChartBottomWall* Bottom() const { return bottom_; }
    // Made hidden and silver on first read, without a repaint.
    TChartRightWall* Right();
    bool HasRight() const { return right_ != nullptr; }
    TChartRightWall* RightOrNull() const { return right_; }

    void HideWalls();
    void SetWallsVisible(bool value);
    void SetAllSizes(int value);

private:
    TCustomChart* chart_;
    TChartBackWall* back_ = nullptr;      // owned
    TChartLeftWall* left_ = nullptr;      // owned
    TChartBottomWall* bottom_ = nullptr;  // owned
    TChartRightWall* right_ = nullptr;    // owned
};
