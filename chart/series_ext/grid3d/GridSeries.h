#pragma once
// The base of series whose points lie on a grid of X and Z positions with one Y value per node. A
// grid index maps a node to the point that holds it; it is derived from the points and rebuilt
// lazily after every data change. Grids are generated from a formula or an event, or loaded from
// a picture.
#include <array>
#include <vector>

#include "chart/series_ext/grid3d/PaletteSeries.h"

using TChartSurfaceGetY = TMethodEvent<double(TChartSeries* Sender, int X, int Z)>;

class TCustom3DGridSeries : public TCustom3DPaletteSeries {
    TV_CLASS(TCustom3DGridSeries, TCustom3DPaletteSeries)
public:
    explicit TCustom3DGridSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    int NumXValues() const { return numX_; }
    void SetNumXValues(int value);
    int NumZValues() const { return numZ_; }
    void SetNumZValues(int value);
    bool IrregularGrid() const { return irregularGrid_; }
    void SetIrregularGrid(bool value) { ChangeBoolean(irregularGrid_, value); }
    const TChartSurfaceGetY& OnGetYValue() const { return onGetYValue_; }
    void SetOnGetYValue(TChartSurfaceGetY value) { onGetYValue_ = std::move(value); }

    virtual void BuildGrid(int numX, int numZ);
    virtual double CellValue(int x, int z);
    void RebuildGridIndex();
    void RegenerateGrid() { BuildGrid(numX_, numZ_); }
    bool CanBuildGrid() const;
    // The four nodes of the cell at (x, z) into CellCorner; false at the first node without a point.
    bool CellCorners(int x, int z);
    void SetCellValue(int x, int z, double y);

    // The point at node (x, z); -1 outside the index or without a point.
    int GridIndexAt(int x, int z) const
    {
        if (x < 0 || z < 0 || x >= gridRows_ || z >= gridColumns_) return -1;
        return gridIndex_[static_cast<size_t>(x) * static_cast<size_t>(gridColumns_) + static_cast<size_t>(z)];
    }
    int GridRows() const { return gridRows_; }
    int GridColumns() const { return gridColumns_; }
    bool GridIndexStale() const { return gridIndexStale_; }
    bool XStartsAtNonZero() const { return xStartsAtNonZero_; }
    bool ZStartsAtNonZero() const { return zStartsAtNonZero_; }

    int CellStepX = 1, CellStepZ = 1;
    std::array<int, 4> CellCorner{-1, -1, -1, -1};
    bool SampleMode = false;
    bool NoGridGeneration = false;

    void RemoveAllPoints() override;
    void NotifyDependents(TDependantNotice kind, int index = 0) override;
    void PrepareDraw() override;
    void ReloadFromSource(TChartSeries* source) override;
    int DefaultSampleCount() const override { return numX_; }
    void AddRandomPoints(int count, bool valuesOnly) override;
    bool FunctionAcceptsSource(TChartSeries* series) const override;
    void LoadFromRGBArray(int width, int height, bool negative, const std::vector<Byte*>& rows) override;

private:
    void resizeIndex(int rows, int columns);
    int& indexAt(int x, int z)
    {
        return gridIndex_[static_cast<size_t>(x) * static_cast<size_t>(gridColumns_) + static_cast<size_t>(z)];
    }

    int numX_ = 10, numZ_ = 10;
    bool irregularGrid_ = false;
    TChartSurfaceGetY onGetYValue_;
    std::vector<int> gridIndex_;
    int gridRows_ = 0, gridColumns_ = 0;
    bool gridIndexStale_ = true;
    bool settingCell_ = false;
    bool xStartsAtNonZero_ = false, zStartsAtNonZero_ = false;
};
