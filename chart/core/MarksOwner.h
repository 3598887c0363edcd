#pragma once
// What series marks ask of their series beyond the series base (visible range, orientation,
// chart). The series implements it and hands it to its marks (TSeriesMarks::SetOwner) when it
// creates them; marks without one compose no texts, shift nothing and see no hover or pictures.
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Types.h"

class TGraphic;
class TZebFont;

class IMarksOwner {
public:
    virtual ~IMarksOwner() = default;

    // The mark text of point index (the item's own text, else by the marks' Style; then the
    // series' text event).
    virtual String ComposeMarkText(int index) = 0;
    // The shift along the value axis that moves mark clear of other.
    virtual void GetMarkOverlapShift(const TRect& mark, TPoint& shift, const TRect& other) = 0;
    // The point is hovered (or a neighbour of the hovered point, by the hover settings).
    virtual bool IsPointHovered(int index) = 0;
    // The font of the series' hover shape (Selected.Hover); null when the series has none.
    virtual TZebFont* HoverFont() = 0;
    // The picture of point index; null when it has none.
    virtual TGraphic* PointPicture(int index) = 0;
    // A mark was hit: the series records the mark as its hovered part (3).
    virtual void MarkHit() = 0;

    // ---- the stored-data flags ----
    // X values other than 0, 1, 2 ... within the first 10,001 points.
    virtual bool XValuesNeedStoring() = 0;
    // A point colour other than the series colour within the first 10,001 points.
    virtual bool HasOwnColors() = 0;
    // A label within the first 101 points.
    virtual bool HasAnyLabel() = 0;
    // The point picture list is not empty and marked as holding pictures.
    virtual bool HasPointPictures() = 0;
};
