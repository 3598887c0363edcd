#pragma once
// The concrete line family: line and horizontal line, point (scatter), area and horizontal area.
#include <iterator>

#include "chart/series/CustomSeries.h"

enum TMultiArea { maNone, maStacked, maStacked100 };
inline constexpr const char* TMultiAreaNames[] = {"maNone", "maStacked", "maStacked100"};
static_assert(std::size(TMultiAreaNames) == maStacked100 + 1);

class TLineSeries : public TCustomSeries {
    TV_CLASS(TLineSeries, TCustomSeries)
public:
    explicit TLineSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const override;
    void ApplyGalleryStyle(int index) override;
};

class THorizLineSeries : public TLineSeries {
    TV_CLASS(THorizLineSeries, TLineSeries)
public:
    explicit THorizLineSeries(TComponent* owner);
    int MarkGap() const override;
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
};

class TPointSeries : public TCustomSeries {
    TV_CLASS(TPointSeries, TCustomSeries)
public:
    explicit TPointSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void SetColorEachPoint(bool value) override;
    void ApplyGalleryStyle(int index) override;
    void SetTransparency(int value) override;
    virtual bool OffersPointerStyles() const { return true; }

private:
    void presetPoint();
};

class TAreaSeries : public TCustomSeries {
    TV_CLASS(TAreaSeries, TCustomSeries)
public:
    explicit TAreaSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    double YOrigin() const { return yOrigin_; }
    void SetYOrigin(double value) { ChangeDouble(yOrigin_, value); }
    bool UseYOrigin() const { return useYOrigin_; }
    void SetUseYOrigin(bool value) { ChangeBoolean(useYOrigin_, value); }
    int StackGroup() const { return stackGroup_; }
    void SetStackGroup(int value) { ChangeInteger(stackGroup_, value); }
    TMultiArea MultiArea() const;
    void SetMultiArea(TMultiArea value);

    void ReserveZSlot() override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void FillLegendSymbol(int index, const TRect& rect) override;
    void GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const override;
    void ApplyGalleryStyle(int index) override;
    double HighestX() override;
    double HighestY() override;
    double LowestX() override;
    double LowestY() override;
    bool IsStackOrderForward(int index) const override;
    bool StacksWith(const TCustomSeries* series) const override;
    int OriginPixel(int index) const override;
    void UseDefaultColor() override;
    TZebGradient* GetGradient() override;

private:
    double yOrigin_ = 0;
    bool useYOrigin_ = false;
    int stackGroup_ = 0;
};

class THorizAreaSeries : public TAreaSeries {
    TV_CLASS(THorizAreaSeries, TAreaSeries)
public:
    explicit THorizAreaSeries(TComponent* owner);
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
};
