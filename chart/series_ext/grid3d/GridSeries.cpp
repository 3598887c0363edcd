#include "chart/series_ext/grid3d/GridSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/Geometry.h"
#include "platform/classes/Published.h"
#include "platform//classes/Component.h"

namespace {

// Holds the value lists' growth step at a whole grid for its lifetime.
class TGrowthStepScope {
public:
    explicit TGrowthStepScope(int step) : old_(ValueListGrowthStep) { ValueListGrowthStep = std::max(step, old_); }
    ~TGrowthStepScope() { ValueListGrowthStep = old_; }
    TGrowthStepScope(const TGrowthStepScope&) = delete;
    TGrowthStepScope& operator=(const TGrowthStepScope&) = delete;

private:
    int old_;
};

// Distinct values in ascending order (exact comparison).
std::vector<double> distinctValues(const TChartValueList& list)
{
    std::vector<double> v(list.Values(), list.Values() + list.Count());
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

int positionOf(const std::vector<double>& sorted, double value)
{
    const auto at = std::lower_bound(sorted.begin(), sorted.end(), value);
    return at != sorted.end() && *at == value ? static_cast<int>(at - sorted.begin()) : -1;
}

}  // namespace

TCustom3DGridSeries::TCustom3DGridSeries(TComponent* owner) : TCustom3DPaletteSeries(owner)
{
    TChartSeries::RemoveAllPoints();
}

void TCustom3DGridSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCustom3DGridSeries*>(source)) {
        numX_ = s->numX_;
        numZ_ = s->numZ_;
        irregularGrid_ = s->irregularGrid_;
        gridIndexStale_ = true;
    }
    TCustom3DPaletteSeries::Assign(source);
}

void TCustom3DGridSeries::SetNumXValues(int value)
{
    if (value == numX_) return;
    numX_ = value;
    RemoveAllPoints();
    RegenerateGrid();
}

void TCustom3DGridSeries::SetNumZValues(int value)
{
    if (value == numZ_) return;
    numZ_ = value;
    RemoveAllPoints();
    RegenerateGrid();
}

bool TCustom3DGridSeries::CanBuildGrid() const
{
    if (NoGridGeneration) return false;
    return bool(onGetYValue_) || ComponentState().Contains(csDesigning) || SampleMode;
}

double TCustom3DGridSeries::CellValue(int x, int z)
{
    if (onGetYValue_) return onGetYValue_(this, x, z);
    if (!ComponentState().Contains(csDesigning) && !SampleMode) return 0;
    const double cx = std::cos(x / (0.2 * numX_)), cz = std::cos(z / (0.2 * numZ_));
    return 0.5 * cx * cx + cz * cz - std::cos(z / (0.5 * numZ_));
}

void TCustom3DGridSeries::BuildGrid(int numX, int numZ)
{
    if (!CanBuildGrid()) return;
    numX_ = numX;
    numZ_ = numZ;
    {
        const TGrowthStepScope growth(numX * numZ);
        TChartSeries::RemoveAllPoints();
        const TPointUpdateBlock block(*this);
        for (int z = 1; z <= numZ; ++z)
            for (int x = 1; x <= numX; ++x) InsertPoint3D(x, CellValue(x, z), z);
    }
    BuildPalette();
}

void TCustom3DGridSeries::resizeIndex(int rows, int columns)
{
    gridRows_ = std::max(rows, 0);
    gridColumns_ = std::max(columns, 0);
    gridIndex_.assign(static_cast<size_t>(gridRows_) * static_cast<size_t>(gridColumns_), -1);
}

void TCustom3DGridSeries::RebuildGridIndex()
{
    const int count = Count();
    const double* xs = XValues()->Values();
    const double* zs = ZValues()->Values();
    if (count == 0) {
        resizeIndex(numX_ + 1, numZ_ + 1);
    } else if (!irregularGrid_) {
        const double lowX = XValues()->Lowest(), lowZ = ZValues()->Lowest();
        xStartsAtNonZero_ = lowX != 0;
        zStartsAtNonZero_ = lowZ != 0;
        const int offX = RoundHalfEven(lowX) - 1, offZ = RoundHalfEven(lowZ) - 1;
        const int nx = RoundHalfEven(XValues()->Highest()) - offX, nz = RoundHalfEven(ZValues()->Highest()) - offZ;
        resizeIndex(nx + 1, nz + 1);
        for (int i = 0; i < count; ++i) indexAt(RoundHalfEven(xs[i]) - offX, RoundHalfEven(zs[i]) - offZ) = i;
        numX_ = nx;
        numZ_ = nz;
    } else {
        const std::vector<double> dx = distinctValues(*XValues()), dz = distinctValues(*ZValues());
        const int nx = static_cast<int>(dx.size()), nz = static_cast<int>(dz.size());
        resizeIndex(nx + 1, nz + 1);
        for (int i = 0; i < count; ++i) {
            const int px = positionOf(dx, xs[i]), pz = positionOf(dz, zs[i]);
            if (px >= 0 && pz >= 0) indexAt(px + 1, pz + 1) = i;
        }
        numX_ = nx;
        numZ_ = nz;
    }
    gridIndexStale_ = false;
}

bool TCustom3DGridSeries::CellCorners(int x, int z)
{
    const int nodes[4][2] = {{x, z}, {x + CellStepX, z}, {x + CellStepX, z + CellStepZ}, {x, z + CellStepZ}};
    for (int i = 0; i < 4; ++i) {
        const int p = GridIndexAt(nodes[i][0], nodes[i][1]);
        if (p < 0) return false;
        CellCorner[static_cast<size_t>(i)] = p;
    }
    return true;
}

void TCustom3DGridSeries::SetCellValue(int x, int z, double y)
{
    if (!gridIndexStale_) {
        const int p = GridIndexAt(x, z);
        if (p >= 0) {
            // A new height leaves the index as it is.
            settingCell_ = true;
            YValues()->SetValueAt(p, y);
            settingCell_ = false;
            return;
        }
    }
    const int added = InsertPoint3D(x, y, z);
    if (!gridIndexStale_ && added >= 0 && x >= 0 && z >= 0 && x < gridRows_ && z < gridColumns_) indexAt(x, z) = added;
    gridIndexStale_ = true;
}

void TCustom3DGridSeries::RemoveAllPoints()
{
    TCustom3DPaletteSeries::RemoveAllPoints();
    XValues()->SetOrder(loNone);
}

void TCustom3DGridSeries::NotifyDependents(TDependantNotice kind, int index)
{
    TCustom3DPaletteSeries::NotifyDependents(kind, index);
    if (!settingCell_) gridIndexStale_ = true;
}

void TCustom3DGridSeries::PrepareDraw()
{
    TCustom3DPaletteSeries::PrepareDraw();
    if (gridIndexStale_) RebuildGridIndex();
}

void TCustom3DGridSeries::ReloadFromSource(TChartSeries* source)
{
    if (auto* s = dynamic_cast<TCustom3DGridSeries*>(source)) {
        numX_ = s->numX_;
        numZ_ = s->numZ_;
    }
    TCustom3DPaletteSeries::ReloadFromSource(source);
    InvalidateChart();
}

void TCustom3DGridSeries::AddRandomPoints(int count, bool)
{
    if (count <= 0) return;
    const bool old = SampleMode;
    SampleMode = true;
    try {
        BuildGrid(count, count);
    } catch (...) {
        SampleMode = old;
        throw;
    }
    SampleMode = old;
}

bool TCustom3DGridSeries::FunctionAcceptsSource(TChartSeries* series) const
{
    return dynamic_cast<TCustom3DGridSeries*>(series) != nullptr;
}

void TCustom3DGridSeries::LoadFromRGBArray(int width, int height, bool negative, const std::vector<Byte*>& rows)
{
    SetNumXValues(width);
    SetNumZValues(height);
    RebuildGridIndex();
    for (int c = 0; c < width; ++c)
        for (int r = 0; r < height; ++r) {
            const Byte* p = rows[static_cast<size_t>(r)] + 3 * c;
            const double value = p[2] + p[1] * 256.0 + p[0] * 65536.0;
            SetCellValue(c, r, negative ? -value : value);
        }
}

TV_PUBLISHED(TCustom3DGridSeries)
{
    Prop("IrregularGrid", &TCustom3DGridSeries::IrregularGrid, &TCustom3DGridSeries::SetIrregularGrid, false);
    Prop("NumXValues", &TCustom3DGridSeries::NumXValues, &TCustom3DGridSeries::SetNumXValues, 10);
    Prop("NumZValues", &TCustom3DGridSeries::NumZValues, &TCustom3DGridSeries::SetNumZValues, 10);
    Prop("OnGetYValue", &TCustom3DGridSeries::OnGetYValue, &TCustom3DGridSeries::SetOnGetYValue);
}
