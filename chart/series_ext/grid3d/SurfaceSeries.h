#pragma once
// A grid of Y values as a shaded 3-D surface, one quadrilateral per cell painted back to front, as
// a wire frame or as dots, with optional side walls; and the water fall, which draws each Z row
// as a curtain from its line of nodes down to the bottom of the plot.
#include <memory>
#include <vector>

#include "chart/canvas/CanvasTypes.h"
#include "chart/series_ext/grid3d/GridSeries.h"

class TCanvas3D;
class TZebBrush;
class TZebPen;

class TSurfaceSeries : public TCustom3DGridSeries {
    TV_CLASS(TSurfaceSeries, TCustom3DGridSeries)
public:
    explicit TSurfaceSeries(TComponent* owner);
    ~TSurfaceSeries() override;
    void Assign(TPersistent* source) override;

    bool WireFrame() const { return wireFrame_; }
    void SetWireFrame(bool value);
    bool DotFrame() const { return dotFrame_; }
    void SetDotFrame(bool value);
    bool SmoothPalette() const { return smoothPalette_; }
    void SetSmoothPalette(bool value) { ChangeBoolean(smoothPalette_, value); }
    bool HideCells() const { return hideCells_; }
    void SetHideCells(bool value) { ChangeBoolean(hideCells_, value); }
    // Per-cell colours through the device context's stock brush where the canvas has one (GDI);
    // the antialiased canvas only stores it.
    bool FastBrush() const { return fastBrush_; }
    void SetFastBrush(bool value) { ChangeBoolean(fastBrush_, value); }
    TZebBrush* SideBrush() const { return sideBrush_.get(); }
    void SetSideBrush(TZebBrush* value);
    TZebPen* SideLines() const { return sideLines_.get(); }
    void SetSideLines(TZebPen* value);
    bool WaterFall() const { return waterFall_; }
    void SetWaterFall(bool value) { ChangeBoolean(waterFall_, value); }
    TZebPen* WaterLines() const { return waterLines_.get(); }
    void SetWaterLines(TZebPen* value);

    // The loops over rows (X) and columns (Z): start, end (exclusive) and step; sets CellStepX and
    // CellStepZ.
    struct TCellOrder {
        int rowStart, rowEnd, rowStep, colStart, colEnd, colStep;
    };
    TCellOrder GetCellOrder();
    virtual void DrawCell(int x, int z);
    virtual void DrawSidePlane(const TFourPoints& points, int z0, int z1);
    virtual void CacheAxisConversions();
    virtual bool CanvasDrawsWholeSurface() const;
    virtual bool HasSides() const;
    // The index of the first corner of the cell under the screen point; -1 when none.
    int CellAtPoint(int x, int y);
    TPoint NodeScreenPoint(int index) const;
    // Whether the last draw took the sorted order (cells sorted by depth) rather than the loops.
    bool LastDrawSorted() const { return lastDrawSorted_; }

    void DrawVisiblePoints() override;
    void DrawPoint(int index) override;
    int HitTest(int x, int y) override;
    bool SharesZSlot() const override { return false; }
    void CopyAppearance(TChartSeries* other) override;
    void SetupGalleryPreview() override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;

protected:
    void prepareCanvas(TCanvas3D& canvas);
    int depthPixel(int index) const { return zAxis_ ? zAxis_->ValueToPixel(zs_[index]) : 0; }

    // Per draw.
    TCanvas3D* canvas_ = nullptr;
    const TChartAxis* xAxis_ = nullptr;
    const TChartAxis* yAxis_ = nullptr;
    const TChartAxis* zAxis_ = nullptr;
    const double* xs_ = nullptr;
    const double* ys_ = nullptr;
    const double* zs_ = nullptr;
    // False where a subclass draws cells of its own between plain ones, which must keep their order.
    bool cellsInOneRun_ = true;

private:
    void sideChanged(TObject*) { InvalidateChart(); }
    void drawCells(TCanvas3D& canvas, const TCellOrder& order);
    void drawCellsInOrder(TCanvas3D& canvas, const TCellOrder& order);
    void drawSides(TCanvas3D& canvas, bool front);
    void drawHoverMark(TCanvas3D& canvas, int index);
    bool planeFacesViewer(TCanvas3D& canvas, int z) const;

    bool wireFrame_ = false;
    bool dotFrame_ = false;
    bool smoothPalette_ = false;
    bool hideCells_ = true;
    bool fastBrush_ = false;
    bool waterFall_ = false;
    std::unique_ptr<TZebBrush> sideBrush_;
    std::unique_ptr<TZebPen> sideLines_;
    std::unique_ptr<TZebPen> waterLines_;

    bool uniformColor_ = false;
    bool lastDrawSorted_ = false;
    struct TCellRecord {
        int row, col;
        double z;
        bool valid;
    };
    std::vector<TCellRecord> records_;
    // Plain cells of one draw, projected, handed to the canvas as one run.
    bool collectCells_ = false;
    HDC cellDC_ = nullptr;  // the device context whose brush colours the cells (fast brush)
    std::vector<TFourPoints> runBlocks_;
    std::vector<int> runDepths_;
    std::vector<TColor> runColors_;
};

class TWaterFallSeries : public TSurfaceSeries {
    TV_CLASS(TWaterFallSeries, TSurfaceSeries)
public:
    explicit TWaterFallSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    void ApplyGallery3D(bool is3D) override;
};
