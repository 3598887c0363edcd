#pragma once
// A surface whose cells are cut into bands between successive palette levels, each band filled in
// the colour of its upper level, with the level lines optionally drawn by a band pen. Seen in 2-D
// it is a filled contour map.
#include <memory>
#include <optional>
#include <vector>

#include "chart/series_ext/grid3d/LevelDifs.h"
#include "chart/series_ext/grid3d/SurfaceSeries.h"
#include "platform/classes/Persistent.h"

class TIsoSurfaceSeries;

// The side faces of an iso-surface: their brush (the surface's side brush), whether they are
// banded in the level colours, and the line at the lower edge of every band.
class TSurfaceSides : public TPersistent {
    TV_CLASS(TSurfaceSides, TPersistent)
public:
    explicit TSurfaceSides(TIsoSurfaceSeries* series = nullptr);
    ~TSurfaceSides() override;
    void Assign(TPersistent* source) override;

    TZebBrush* Brush() const;
    void SetBrush(TZebBrush* value);
    bool Levels() const { return levels_; }
    void SetLevels(bool value);
    TZebPen* Pen() const { return pen_.get(); }
    void SetPen(TZebPen* value);

private:
    void changed(TObject*);

    TIsoSurfaceSeries* series_;
    bool levels_ = true;
    std::unique_ptr<TZebPen> pen_;
    // Without a series (made by name alone) the sides keep a brush of their own.
    std::unique_ptr<TZebBrush> ownBrush_;
};

class TIsoSurfaceSeries : public TSurfaceSeries {
    TV_CLASS(TIsoSurfaceSeries, TSurfaceSeries)
public:
    explicit TIsoSurfaceSeries(TComponent* owner);
    ~TIsoSurfaceSeries() override;
    void Assign(TPersistent* source) override;
    void CopyAppearance(TChartSeries* other) override;

    TZebPen* BandPen() const { return bandPen_.get(); }
    void SetBandPen(TZebPen* value);
    TSurfaceSides* Sides() const { return sides_.get(); }
    void SetSides(TSurfaceSides* value) { sides_->Assign(value); }
    bool UseYPosition() const { return useYPosition_; }
    void SetUseYPosition(bool value) { ChangeBoolean(useYPosition_, value); }
    double YPosition() const { return yPosition_; }
    void SetYPosition(double value) { ChangeDouble(yPosition_, value); }

    double LowestY() override;
    double HighestY() override;
    // In 2-D the nodes stand at their Z values on the vertical axis.
    void CacheAxisConversions() override;
    bool CanvasDrawsWholeSurface() const override { return false; }
    bool HasSides() const override;
    void DrawVisiblePoints() override;
    void DrawCell(int x, int z) override;
    void DrawSidePlane(const TFourPoints& points, int z0, int z1) override;
    void SetupGalleryPreview() override;

private:
    bool flat() const;
    TPoint bandPointToScreen(double x, double z) const;
    void drawBandPolygon(std::span<const TBandPoint> points);

    std::unique_ptr<TZebPen> bandPen_;
    std::unique_ptr<TSurfaceSides> sides_;
    bool useYPosition_ = false;
    double yPosition_ = 0;

    // Per draw.
    std::optional<TLevelDifs> difs_;
    int yPositionPixel_ = 0;
    std::vector<TPoint> screen_;
    std::vector<TPoint3D> screen3D_;
};
