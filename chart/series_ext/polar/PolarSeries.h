#pragma once
// The polar family's plain members: TPolarSeries takes points as (angle, radius) with the angle in
// a list of its own, so that both axes scale the radius; TRadarSeries spreads one value per
// category evenly from the top on polygon rings; TPolarBarSeries draws each point as a spoke.
#include "chart/series_ext/polar/PolarBase.h"

class TPolarSeries : public TCustomPolarSeries {
    TV_CLASS(TPolarSeries, TCustomPolarSeries)
public:
    explicit TPolarSeries(TComponent* owner);

    TChartValueList* AngleValues() const { return angleValues_; }
    TChartValueList* GetAngleValues() const override { return angleValues_; }
    void SetAngleValues(TChartValueList* value) override { angleValues_->Assign(value); }
    double GetPointAngle(int index) const override { return angleValues_->ValueAt(index); }
    void SetPointAngle(int index, double angle) override;

    // The angle is stored as given, or as 360 - angle with clockwise labels.
    virtual int AddPolar(double angle, double radius, const String& label = String(), TColor color = clAutomatic);
    int AppendNull(const String& label = String()) override;
    int AppendNullXY(double x, double y, const String& label = String()) override;
    void AddRandomPoints(int count, bool valuesOnly) override;
    bool DependsOnAxes() const override { return false; }
    bool AllowsZoomScroll() const override { return true; }

    int PointScreenX(int index) const override;
    int PointScreenY(int index) const override;
    int ValueScreenY(double value) const override;
    double ValueAtScreenX(int pixel) const override;
    double ValueAtScreenY(int pixel) const override;
    void MovePoint(int x, int y, int index, bool changeAngle, bool changeRadius) override;

    void BeforeDrawPoints() override;
    void DrawVisiblePoints() override;
    void AfterDrawPoints() override;

private:
    void removeClip();

    TChartValueList* angleValues_;
    bool clipped_ = false;
};

class TRadarSeries : public TCustomPolarSeries {
    TV_CLASS(TRadarSeries, TCustomPolarSeries)
public:
    using TCustomPolarSeries::TCustomPolarSeries;

    // The angle of category index (reversed with clockwise labels); 0 while there are no sides.
    double GetPointX(int index) const override;
    // The category's label, else its index.
    String GetAngleLabel(int index, double angle) const override;
    void AddRandomPoints(int count, bool valuesOnly) override;
    int DefaultSampleCount() const override { return 5; }
    void SetupGalleryPreview() override;
    // The first category at the top, as many sides as the longest active series has points.
    void PrepareDraw() override;

private:
    int categoryOf(int index) const { return ClockWiseLabels() ? Count() - index - 1 : index; }
};

class TPolarBarSeries : public TPolarSeries {
    TV_CLASS(TPolarBarSeries, TPolarSeries)
public:
    using TPolarSeries::TPolarSeries;

protected:
    void DrawPolarPoint(int index, int x, int y) override;
};
