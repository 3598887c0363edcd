#pragma once
// Lines of equal value over a grid of Y values: a map seen from above in 2-D, a plane at height
// YPosition in 3-D. Levels are made evenly over the data or edited by hand; the bands between them
// can be filled, and a frame outlines the grid. The cell geometry is TLevelDifs'.
#include <iterator>
#include <memory>
#include <vector>

#include "chart/series_ext/grid3d/ColorGridSeries.h"
#include "chart/series_ext/grid3d/LevelDifs.h"
#include "platform/classes/Collection.h"

class TContourSeries;
class TIsoSurfaceSeries;
class TSeriesPointer;

class TContourLevel : public TCollectionItem {
    TV_CLASS(TContourLevel, TCollectionItem)
public:
    explicit TContourLevel(TCollection* collection);
    ~TContourLevel() override;
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    double UpToValue() const { return upToValue_; }
    void SetUpToValue(double value);
    // Made on first read; none frees the level's own pen.
    TZebPen* Pen();
    void SetPen(TZebPen* value);
    bool HasPen() const { return pen_ != nullptr; }
    const String& Text() const { return text_; }
    void SetText(const String& value);

    // Colour and pen the level is drawn with.
    TColor DrawColor() const;
    TZebPen* DrawPen() const;
    const TLevelSegments& Lines() const { return lines_; }
    TLevelSegments& Lines() { return lines_; }
    TContourSeries* Series() const;

private:
    friend class TContourSeries;
    friend class TContourLevels;
    void penChanged(TObject*);

    TColor color_ = clBlack;
    double upToValue_ = 0;
    std::unique_ptr<TZebPen> pen_;
    String text_;
    TLevelSegments lines_;
};

class TContourLevels : public TOwnedCollection {
    TV_CLASS(TContourLevels, TOwnedCollection)
public:
    explicit TContourLevels(TContourSeries* series = nullptr);
    TContourLevel* GetLevel(int index) const { return static_cast<TContourLevel*>(Items(index)); }
    TContourLevel* LastLevel() const { return Count() ? GetLevel(Count() - 1) : nullptr; }
    TContourLevel* AddLevel(TColor color, double value);
    // The first level with a line segment within a pixel of the screen point; -1 when none.
    int FindLevelAt(int x, int y) const;
    TContourSeries* Series() const { return series_; }

private:
    TContourSeries* series_;
};

class TContourMarks : public TPersistent {
    TV_CLASS(TContourMarks, TPersistent)
public:
    explicit TContourMarks(TContourSeries* series = nullptr) : series_(series) {}
    void Assign(TPersistent* source) override;

    bool AtSegments() const { return atSegments_; }
    void SetAtSegments(bool value) { change(atSegments_, value); }
    bool AntiOverlap() const { return antiOverlap_; }
    void SetAntiOverlap(bool value) { change(antiOverlap_, value); }
    bool ColorLevel() const { return colorLevel_; }
    void SetColorLevel(bool value) { change(colorLevel_, value); }
    int Density() const { return density_; }
    void SetDensity(int value) { change(density_, std::max(1, value)); }
    int Margin() const { return margin_; }
    void SetMargin(int value) { change(margin_, value); }
    bool Visible() const;
    void SetVisible(bool value);

private:
    template <class T>
    void change(T& field, T value);

    TContourSeries* series_;
    bool atSegments_ = true;
    bool antiOverlap_ = false;
    bool colorLevel_ = false;
    int density_ = 4;
    int margin_ = 0;
};

using TOnGetLevelEvent = TMethodEvent<void(TContourSeries* Sender, int LevelIndex, double& Value, TColor& Color)>;
using TOnBeforeDrawLevelEvent = TMethodEvent<void(TContourSeries* Sender, int LevelIndex)>;

class TContourSeries : public TCustom3DGridSeries {
    TV_CLASS(TContourSeries, TCustom3DGridSeries)
public:
    explicit TContourSeries(TComponent* owner);
    ~TContourSeries() override;
    void Assign(TPersistent* source) override;
    void CopyAppearance(TChartSeries* other) override;

    bool AutomaticLevels() const { return automaticLevels_; }
    void SetAutomaticLevels(bool value);
    int NumLevels() const { return automaticLevels_ ? numLevels_ : levels_->Count(); }
    void SetNumLevels(int value);
    TContourLevels* Levels() const { return levels_.get(); }
    void SetLevels(TContourLevels* value) { levels_->Assign(value); }
    bool IsLevelsStored() const { return !automaticLevels_; }
    bool Filled() const;
    void SetFilled(bool value);
    TColor LinesColor() const { return linesColor_; }
    void SetLinesColor(TColor value) { ChangeColor(linesColor_, value); }
    bool LegendLines() const { return legendLines_; }
    void SetLegendLines(bool value) { ChangeBoolean(legendLines_, value); }
    TZebPen* CellPen();
    void SetCellPen(TZebPen* value);
    bool HasCellPen() const { return cellPen_ != nullptr; }
    TZebPen* Frame() const { return frame_.get(); }
    void SetFrame(TZebPen* value);
    TSeriesPointer* Pointer() const { return pointer_.get(); }
    void SetPointer(TSeriesPointer* value);
    TSmoothPoints* Smoothing() const { return smoothing_.get(); }
    void SetSmoothing(TSmoothPoints* value) { smoothing_->Assign(value); }
    TContourMarks* ContourMarks() const { return contourMarks_.get(); }
    void SetContourMarks(TContourMarks* value) { contourMarks_->Assign(value); }
    double YPosition() const { return yPosition_; }
    void SetYPosition(double value) { ChangeDouble(yPosition_, value); }
    bool YPositionLevel() const { return yPositionLevel_; }
    void SetYPositionLevel(bool value) { ChangeBoolean(yPositionLevel_, value); }
    const TOnGetLevelEvent& OnGetLevel() const { return onGetLevel_; }
    void SetOnGetLevel(TOnGetLevelEvent value) { onGetLevel_ = std::move(value); }
    const TOnBeforeDrawLevelEvent& OnBeforeDrawLevel() const { return onBeforeDrawLevel_; }
    void SetOnBeforeDrawLevel(TOnBeforeDrawLevelEvent value) { onBeforeDrawLevel_ = std::move(value); }

    void CreateAutoLevels();
    void RecalcAutoLevels();
    void ClearLevels();
    // Levels up to the first whose value repeats the one before.
    int UsedLevels() const;
    // Recomputes the lines of every level when the data or levels changed.
    void EnsureLevelLines();
    bool LevelLinesStale() const { return linesStale_; }
    void MarkLinesStale() { linesStale_ = true; }
    bool UpdatingLevels() const { return updatingLevels_ > 0; }
    TPoint LevelPointToScreen(const TLevelPoint& p) const;
    // The hidden iso-surface that fills the bands; made on the first filled draw.
    TIsoSurfaceSeries* BandSeries() const { return bandSeries_; }

    // The angle of a mark on the stretch from a to b, in screen units: the stretch's direction
    // turned by 90 degrees, kept readable (never upside down).
    static double MarkAngle(TPointFloat a, TPointFloat b);

    void PrepareDraw() override;
    void DrawVisiblePoints() override;
    void DrawPointMarks() override;
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
    double HighestY() override;
    double LowestY() override;
    void GetPaletteValueRange(double& min, double& range) override;
    void AssignPalette(const TCustom3DPalette& entries) override;
    void PaletteChanged() override { linesStale_ = true; }
    void PointColorChanged(int index) override;
    void NotifyDependents(TDependantNotice kind, int index = 0) override;
    int GetPointCount() const override;
    int LegendItemSource(int index) const override { return NumLevels() - index * LegendEvery() - 1; }
    int PointOfLegendItem(int index) const override { return LegendItemSource(index); }
    int LegendItemOfPoint(int index) const override { return LegendItemSource(index); }
    TColor GetLegendColor(int index) const override;
    String FormatLegendText(int index, TLegendTextStyle style) const override;
    int HitTest(int x, int y) override;
    double GetMainValue(int index) const override;
    void AddRandomPoints(int count, bool valuesOnly) override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;

private:
    const TChartAxis* zAxis() const;
    int planePixel(double value) const;
    TIsoSurfaceSeries& bandSeries();
    void drawBands();
    void drawLine(TCanvas3D& canvas, const TLevelPoints& line, int plane);
    std::vector<TPointFloat> screenLine(const TLevelPoints& line) const;
    // The line with a gap cut for a mark on every Density-th stretch longer than the gap.
    void drawLineWithMarks(TCanvas3D& canvas, const std::vector<TPointFloat>& points, int plane, int level,
                           const String& text, int width, int height, TColor lineColor);
    void drawLineMark(TCanvas3D& canvas, int level, const String& text, double angle, float x, float y, int plane,
                      TColor lineColor);

    bool automaticLevels_ = true;
    int numLevels_ = 10;
    std::unique_ptr<TContourLevels> levels_;
    TColor linesColor_ = clBlack;
    bool legendLines_ = false;
    std::unique_ptr<TZebPen> cellPen_;
    std::unique_ptr<TZebPen> frame_;
    std::unique_ptr<TSeriesPointer> pointer_;
    std::unique_ptr<TSmoothPoints> smoothing_;
    std::unique_ptr<TContourMarks> contourMarks_;
    double yPosition_ = 0;
    bool yPositionLevel_ = false;
    TOnGetLevelEvent onGetLevel_;
    TOnBeforeDrawLevelEvent onBeforeDrawLevel_;
    bool linesStale_ = true;
    int updatingLevels_ = 0;
    // Owned as a component; its points are the contour's, copied after every data change.
    TIsoSurfaceSeries* bandSeries_ = nullptr;
    bool bandDataStale_ = true;
    std::vector<TPoint> screen_;
    // Mark boxes of this draw, for AntiOverlap.
    std::vector<TRect> markBoxes_;
};
