#pragma once
// Arrow series: one arrow per point from (X, Y) to (EndX, EndY); the pointer's sizes give the head,
// ArrowPercent of the head width the body.
#include <vector>

#include "chart/series/LineSeries.h"

class TArrowSeries : public TPointSeries {
    TV_CLASS(TArrowSeries, TPointSeries)
public:
    explicit TArrowSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    TChartValueList* StartXValues() const { return XValues(); }
    void SetStartXValues(TChartValueList* value) { SetXValues(value); }
    TChartValueList* StartYValues() const { return YValues(); }
    void SetStartYValues(TChartValueList* value) { SetYValues(value); }
    TChartValueList* EndXValues() const { return endXValues_; }
    void SetEndXValues(TChartValueList* value) { endXValues_->Assign(value); }
    TChartValueList* EndYValues() const { return endYValues_; }
    void SetEndYValues(TChartValueList* value) { endYValues_->Assign(value); }
    // The pointer's half sizes: stored with the pointer, not by themselves.
    int ArrowWidth() const { return Pointer()->HorizSize(); }
    void SetArrowWidth(int value) { Pointer()->SetHorizSize(value); }
    int ArrowHeight() const { return Pointer()->VertSize(); }
    void SetArrowHeight(int value) { Pointer()->SetVertSize(value); }
    int ArrowPercent() const { return arrowPercent_; }
    void SetArrowPercent(int value) { ChangeInteger(arrowPercent_, value); }
    bool Fill2D() const { return fill2D_; }
    void SetFill2D(bool value) { ChangeBoolean(fill2D_, value); }

    int AddArrow(double startX, double startY, double endX, double endY, const String& label = String(),
                 TColor color = clAutomatic);
    // Start and end pixels of the arrow of index through the series' axes.
    void ArrowEndPoints(int index, TPoint& start, TPoint& end) const;

    void CopyAppearance(TChartSeries* other) override;
    void DrawPoint(int index) override;
    double HighestX() override;
    double LowestX() override;
    double HighestY() override;
    double LowestY() override;
    int HitTest(int x, int y) override;
    bool OffersPointerStyles() const override { return false; }
    bool AcceptsSourceSeries(const TChartSeries* series) const override;
    void AddRandomPoints(int count, bool valuesOnly) override;
    void SetupGalleryPreview() override;

private:
    // The seven-point outline of the arrow of index at the series' middle Z; empty when its ends meet.
    std::vector<TPoint> arrowPolygon(int index) const;

    TChartValueList* endXValues_;
    TChartValueList* endYValues_;
    int arrowPercent_ = 50;
    bool fill2D_ = false;
};
