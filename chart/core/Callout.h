#pragma once
// Callouts: the connector from a text box (a series mark, an annotation) to its point, a line or
// an arrow, with a pointer symbol at the point when there is no arrow head. TMarksCallout is the
// marks' own, which also lifts the mark away from its point.
#include <iterator>

#include "chart/core/SeriesPointer.h"

class TWhitePen;

enum TArrowHeadStyle { ahNone, ahLine, ahSolid };
inline constexpr const char* TArrowHeadStyleNames[] = {"ahNone", "ahLine", "ahSolid"};
static_assert(std::size(TArrowHeadStyleNames) == ahSolid + 1);

class TCallout : public TSeriesPointer {
    TV_CLASS(TCallout, TSeriesPointer)
public:
    explicit TCallout(TChartSeries* series = nullptr);
    ~TCallout() override;
    void Assign(TPersistent* source) override;

    // The connector's pen (white unless set).
    TWhitePen* Arrow() const { return arrow_; }
    void SetArrow(TZebPen* value);
    TArrowHeadStyle ArrowHead() const { return arrowHead_; }
    void SetArrowHead(TArrowHeadStyle value);
    // Width and length of the head in pixels.
    int ArrowHeadSize() const { return arrowHeadSize_; }
    void SetArrowHeadSize(int value);
    // Pixels between the point and the start of the connector.
    int Distance() const { return distance_; }
    void SetDistance(int value);

    // The connector from markPoint to targetPoint (through bendPoint first when withBend) at depth
    // z, then the symbol at the target when there is no head. The symbol takes the brush colour;
    // an automatic brush colour means color, the point's.
    void DrawCallout(TCustomZebPanel& chart, TColor color, bool withBend, int z, TPoint markPoint, TPoint bendPoint,
                     TPoint targetPoint);
    // DrawCallout on the callout's own chart; nothing without one.
    void DrawCalloutOnParent(TColor color, bool withBend, int z, TPoint markPoint, TPoint bendPoint,
                             TPoint targetPoint);

private:
    TWhitePen* arrow_;  // owned
    TArrowHeadStyle arrowHead_ = ahNone;
    int arrowHeadSize_ = 8;
    int distance_ = 0;
};

class TMarksCallout : public TCallout {
    TV_CLASS(TMarksCallout, TCallout)
public:
    explicit TMarksCallout(TChartSeries* series = nullptr);
    void Assign(TPersistent* source) override;

    // Pixels of connector between the mark and the point.
    int Length() const { return length_; }
    void SetLength(int value);
    // Sets the length and records it as the stored default (series types with their own).
    void InitLength(int value);
    bool IsLengthStored() const { return length_ != defaultLength_; }

    // Where the marks place a mark: the arrow start (at the point) rises by Distance, the arrow
    // end and the mark's top-left corner by Length + Distance.
    void OffsetMarkPosition(TPoint& arrowFrom, TPoint& arrowTo, TPoint& leftTop) const;

private:
    int length_ = 8;
    int defaultLength_ = 8;
};
