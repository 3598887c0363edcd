#pragma once
// Where a series mark was drawn or dragged to: its box, and the callout arrow from the point to
// the box. The marks keep one record per point index, with empty slots for points never drawn.
#include <memory>
#include <vector>

#include "platform/graphics/GraphicsTypes.h"

class TZebCustomShape;

class TSeriesMarkPosition {
public:
    TPoint ArrowFrom;             // the point on screen
    bool ArrowFix = false;        // the arrow start follows the point even for a custom position
    TPoint ArrowTo;               // where the arrow meets the box
    bool Custom = false;          // set by the user (dragging): the box stays
    int Height = 0;
    TPoint LeftTop;
    int Width = 0;
    TPoint MidPoint;              // bend of the arrow
    bool HasMid = false;

    void CopyFrom(const TSeriesMarkPosition& source) { *this = source; }
    TRect GetBounds() const { return {LeftTop.X, LeftTop.Y, LeftTop.X + Width, LeftTop.Y + Height}; }
    // Moves the box, the arrow end and the bend; the arrow start stays at the point.
    void Offset(TPoint delta);
};

class TSeriesMarksPositions {
public:
    int Count() const { return static_cast<int>(positions_.size()); }
    // None beyond the end or for an empty slot.
    TSeriesMarkPosition* PositionAt(int index) const;
    // Grows the list with empty slots; the stored copy is custom.
    void StoreAt(int index, const TSeriesMarkPosition& position);
    // The record of index, created (not custom) when missing.
    TSeriesMarkPosition& Ensure(int index);
    // Removes n records from index; later records move down.
    void RemoveRange(int index, int n);
    void Clear() { positions_.clear(); }
    bool HasCustom() const;
    // Forgets every custom flag.
    void ClearCustom();
    // Exchanges two records (either may be empty).
    void Swap(int a, int b);
    // The box centred above (x, y) with both arrow ends there; symbol (when given) keeps its size
    // and moves into the box's top-left corner.
    static void CenterAbove(TSeriesMarkPosition& position, int x, int y, TZebCustomShape* symbol);

private:
    std::vector<std::unique_ptr<TSeriesMarkPosition>> positions_;
};
