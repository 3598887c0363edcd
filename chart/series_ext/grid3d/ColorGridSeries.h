#pragma once
// A grid of points seen from above as a flat mosaic of coloured cells: X along the horizontal
// axis, Z along the vertical axis, Y choosing the colour. Regular grids are drawn as one cached
// picture with a pixel per cell, stretched over the grid; irregular grids and vector canvases get a
// rectangle per cell. TSmoothPoints holds the smoothing settings of the contour lines.
#include <memory>
#include <vector>

#include "chart/canvas/CanvasTypes.h"
#include "chart/series_ext/grid3d/GridSeries.h"
#include "platform/classes/Persistent.h"

class TBitmap;
class TGraphic;
class TZebPen;
class TCanvas3D;

class TColorGridSeries : public TCustom3DGridSeries {
    TV_CLASS(TColorGridSeries, TCustom3DGridSeries)
public:
    explicit TColorGridSeries(TComponent* owner);
    ~TColorGridSeries() override;
    void Assign(TPersistent* source) override;
    void CopyAppearance(TChartSeries* other) override;

    bool CenteredPoints() const { return centeredPoints_; }
    void SetCenteredPoints(bool value) { ChangeBoolean(centeredPoints_, value); }
    TCanvas3DPlane DrawPlane3D() const { return drawPlane3D_; }
    void SetDrawPlane3D(TCanvas3DPlane value) { Change(drawPlane3D_, value); }
    int DrawPosition() const { return drawPosition_; }
    void SetDrawPosition(int value) { ChangeInteger(drawPosition_, value); }
    TZebPen* Frame() const { return frame_.get(); }
    void SetFrame(TZebPen* value);
    bool SmoothBitmap() const { return smoothBitmap_; }
    void SetSmoothBitmap(bool value) { ChangeBoolean(smoothBitmap_, value); }
    int XGridEvery() const { return xGridEvery_; }
    void SetXGridEvery(int value) { ChangeInteger(xGridEvery_, value); }
    int ZGridEvery() const { return zGridEvery_; }
    void SetZGridEvery(int value) { ChangeInteger(zGridEvery_, value); }

    // Points from the picture's pixels: X 1..width, Z 1..height with the bottom row at Z 1.
    void LoadFromBitmap(TGraphic& graphic);
    // How many times the cached picture was filled (for checking that repaints reuse it).
    int BitmapBuilds() const { return bitmapBuilds_; }

    double LowestX() override;
    double HighestX() override;
    double LowestY() override { return LowestZ(); }
    double HighestY() override { return HighestZ(); }
    double LowestZ() override;
    double HighestZ() override;
    int PointScreenX(int index) const override;
    int PointScreenY(int index) const override;
    void DrawVisiblePoints() override;
    int HitTest(int x, int y) override;
    void NotifyDependents(TDependantNotice kind, int index = 0) override;
    void PaletteChanged() override { bitmapStale_ = true; }
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    void ApplyGallery3D(bool is3D) override;
    void SetupGalleryPreview() override;

private:
    double centered(double v) const { return centeredPoints_ ? v - 0.5 : v; }
    double upperEdge(double v) const
    {
        if (IrregularGrid()) return centeredPoints_ ? v - 0.5 : v;
        return centeredPoints_ ? v + 0.5 : v + 1;
    }
    double xStep();
    double zStep();
    TRect visibleCells();
    TRect pixelRect(const TRect& cells);
    void drawCells(TCanvas3D& canvas, int z);
    void drawBitmap(TCanvas3D& canvas, TRect cells, const TRect& pixels);
    void fillBitmap(const TRect& cells);
    int referencePoint(int index, bool row) const;
    int planePosition() const;
    void drawGridLines(TCanvas3D& canvas, const TRect& pixels);

    bool centeredPoints_ = false;
    TCanvas3DPlane drawPlane3D_ = cpZ;
    int drawPosition_ = 0;
    std::unique_ptr<TZebPen> frame_;
    bool smoothBitmap_ = false;
    int xGridEvery_ = 1, zGridEvery_ = 1;

    std::unique_ptr<TBitmap> bitmap_;
    bool bitmapStale_ = true;
    bool bitmapTransparent_ = false;
    TRect lastCells_{};
    int bitmapBuilds_ = 0;
    double xStep_ = -1, zStep_ = -1;
    bool xStepDone_ = false, zStepDone_ = false;
};

// Smoothing of contour lines: a B-spline through (or near) each line's points.
class TSmoothPoints : public TPersistent {
    TV_CLASS(TSmoothPoints, TPersistent)
public:
    explicit TSmoothPoints(TChartSeries* series = nullptr) : series_(series) {}
    void Assign(TPersistent* source) override;

    bool Active() const { return active_; }
    void SetActive(bool value) { change(active_, value); }
    bool Interpolate() const { return interpolate_; }
    void SetInterpolate(bool value) { change(interpolate_, value); }
    // Four curve segments per input point (at most the spline's limit), evaluated evenly.
    std::vector<TPointFloat> SmoothPolyline(std::span<const TPointFloat> points) const;

private:
    void change(bool& field, bool value);

    TChartSeries* series_;
    bool active_ = false;
    bool interpolate_ = false;
    int factor_ = 4;
};
