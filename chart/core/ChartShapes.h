#pragma once
// The framed objects of a chart (titles, legend, marks, axis titles and label backs, walls,
// annotations): a brush, a pen and visibility drawn on a panel, and the shape around them with
// bounds, a style (rectangle, rounded rectangle, ellipse) with per-corner styles, bevel, shadow,
// emboss, picture, gradient, transparency, rotation, a callout pointer and child shapes laid out
// side by side or stacked.
#include <array>
#include <iterator>
#include <memory>
#include <span>
#include <utility>

#include "chart/canvas/Canvas3D.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Collection.h"
#include "platform/forms/Control.h"
#include "platform/forms/ExtCtrls.h"

class TBackImage;
class TCustomZebPanel;
class TZebBrush;
class TZebCorners;
class TZebEmboss;
class TZebFont;
class TZebGradient;
class TZebPen;
class TZebShadow;
class TZebShapes;

enum TShapeCalloutSide { csNone, csLeft, csTop, csRight, csBottom };
inline constexpr const char* TShapeCalloutSideNames[] = {"csNone", "csLeft", "csTop", "csRight", "csBottom"};
static_assert(std::size(TShapeCalloutSideNames) == csBottom + 1);

enum TZebShapeLayout { slTopBottom, slLeftRight };
inline constexpr const char* TZebShapeLayoutNames[] = {"slTopBottom", "slLeftRight"};
static_assert(std::size(TZebShapeLayoutNames) == slLeftRight + 1);

enum TChartObjectShapeStyle { fosRectangle, fosRoundRectangle, fosEllipse };
inline constexpr const char* TChartObjectShapeStyleNames[] = {"fosRectangle", "fosRoundRectangle", "fosEllipse"};
static_assert(std::size(TChartObjectShapeStyleNames) == fosEllipse + 1);

// A brush, a pen and visibility of an object that draws on a panel and repaints it.
class TZebCustomShapeBrushPen : public TPersistent {
    TV_CLASS(TZebCustomShapeBrushPen, TPersistent)
public:
    TZebCustomShapeBrushPen();
    ~TZebCustomShapeBrushPen() override;
    // Brush, Pen and Visible.
    void Assign(TPersistent* source) override;

    TZebBrush* Brush() const { return brush_; }
    void SetBrush(TZebBrush* value);
    TZebPen* Pen() const { return pen_; }
    void SetPen(TZebPen* value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool IsVisibleStored() const { return visible_ != defaultVisible_; }
    void ShowShape() { SetVisible(true); }
    void HideShape() { SetVisible(false); }
    TCustomZebPanel* ParentPanel() const { return panel_; }
    virtual void SetParentPanel(TCustomZebPanel* panel) { panel_ = panel; }
    // Asks the parent panel to repaint.
    virtual void InvalidateChart();
    // Change handler of every settings object of the shape.
    void StyleChanged(TObject* sender);
    // Created on first read.
    TZebTransform* Transform();

protected:
    // Makes the current visibility the stored default.
    void PresetVisible(bool value) { visible_ = defaultVisible_ = value; }
    // Store value and repaint only when it differs.
    template <class T, class V>
    void Change(T& field, V&& value)
    {
        if (AssignIfChanged(field, std::forward<V>(value))) InvalidateChart();
    }

private:
    TZebBrush* brush_ = nullptr;  // owned
    TCustomZebPanel* panel_ = nullptr;
    TZebPen* pen_ = nullptr;  // owned
    bool visible_ = true;
    bool defaultVisible_ = true;
    std::unique_ptr<TZebTransform> transform_;
};

class TZebCustomShape;

// The pointer of a callout on one side of a shape; Position, Size and Width are percentages.
class TShapeCallout : public TPersistent {
    TV_CLASS(TShapeCallout, TPersistent)
public:
    explicit TShapeCallout(TZebCustomShape* owner = nullptr) : owner_(owner) {}
    void Assign(TPersistent* source) override;

    // Stored and copied; the outline does not use it.
    int PointPosition() const { return pointPosition_; }
    void SetPointPosition(int value);
    // Where the base centre lies along the side, from the corner the clockwise tour leaves it at.
    int Position() const { return position_; }
    void SetPosition(int value);
    TShapeCalloutSide Side() const { return side_; }
    void SetSide(TShapeCalloutSide value);
    // How far the tip reaches out, of the shape's extent across the side.
    int Size() const { return size_; }
    void SetSize(int value);
    // The base, of the side's length.
    int Width() const { return width_; }
    void SetWidth(int value);

private:
    void changed();

    int pointPosition_ = 50;
    int position_ = 50;
    TShapeCalloutSide side_ = csNone;
    int size_ = 25;
    int width_ = 20;
    TZebCustomShape* owner_;
};

// The pointer of a callout: the base points in the order the clockwise tour meets them, and the
// tip.
struct TCalloutPointer {
    TPoint First, Tip, Second;
};
TCalloutPointer CalloutPointer(const TRect& rect, int roundSize, const TShapeCallout& callout);

class TZebCustomShape : public TZebCustomShapeBrushPen {
    TV_CLASS(TZebCustomShape, TZebCustomShapeBrushPen)
public:
    explicit TZebCustomShape(TCustomZebPanel* panel = nullptr);
    ~TZebCustomShape() override;
    void Assign(TPersistent* source) override;
    void SetParentPanel(TCustomZebPanel* panel) override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    int Angle() const { return angle_; }
    void SetAngle(int value);
    // Without a repaint (the axis title layout).
    void StoreAngle(int value) { angle_ = value; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TBevelCut Bevel() const { return bevel_; }
    void SetBevel(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    TZebShapes* Children() const { return children_; }
    void SetChildren(TZebShapes* value);
    bool IsChildrenStored() const;
    TZebShapeLayout ChildLayout() const { return childLayout_; }
    void SetChildLayout(TZebShapeLayout value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Created on first read; null frees it.
    TZebCorners* Corners();
    void SetCorners(TZebCorners* value);
    bool HasCorners() const { return corners_ != nullptr; }
    TZebEmboss* Emboss();
    void SetEmboss(TZebEmboss* value);
    bool HasEmboss() const { return emboss_ != nullptr; }
    TZebFont* Font() const { return font_; }
    void SetFont(TZebFont* value);
    // The brush's gradient.
    TZebGradient* Gradient();
    void SetGradient(TZebGradient* value);
    TBackImage* Picture();
    void SetPicture(TBackImage* value);
    bool HasPicture() const { return picture_ != nullptr; }
    int RoundSize() const { return roundSize_; }
    // A positive size makes the shape a rounded rectangle.
    void SetRoundSize(int value);
    TZebShadow* Shadow() const { return shadow_; }
    void SetShadow(TZebShadow* value);
    TShapeCallout* ShapeCallout();
    void SetShapeCallout(TShapeCallout* value);
    bool HasShapeCallout() const { return callout_ != nullptr; }
    TChartObjectShapeStyle ShapeStyle() const { return shapeStyle_; }
    void SetShapeStyle(TChartObjectShapeStyle value);
    // No fill, shadow, emboss, picture or bevel.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool IsTransparentStored() const { return transparent_ != defaultTransparent_; }
    // Sets Transparent and its stored default together.
    void PresetTransparent(bool value) { transparent_ = defaultTransparent_ = value; }
    int Transparency() const { return transparency_; }
    void SetTransparency(int value);
    // Draw with the depth-aware primitives even on a flat canvas.
    bool Is3D() const { return is3D_; }
    void SetIs3D(bool value) { is3D_ = value; }

    const TRect& ShapeBounds() const { return bounds_; }
    void SetShapeBounds(const TRect& value) { bounds_ = value; }
    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Right() const { return bounds_.Right; }
    int Bottom() const { return bounds_.Bottom; }
    void MoveBoundsTo(int left, int top);
    int BoundsWidth() const { return bounds_.Width(); }
    int BoundsHeight() const { return bounds_.Height(); }
    void SetBoundsWidth(int value) { bounds_.Right = bounds_.Left + value; }
    void SetBoundsHeight(int value) { bounds_.Bottom = bounds_.Top + value; }

    // ---- drawing ----
    // Collapses auto-sized bounds and grows them by the visible children.
    virtual void MeasureBounds(TCustomZebPanel& panel);
    virtual void PaintPolygon(TCustomZebPanel& panel, std::span<const TPoint> points, const TRect& rect, bool flag,
                              int z);
    virtual void PaintBox(TCustomZebPanel& panel, const TRect& rect, double angle, int z);
    virtual int FirstChildPosition() const;
    virtual const TMetaClass& ChildShapeClass() const;
    virtual String EditorFormClassName() const { return "TFormZebShape"; }

    void DrawAtBounds();
    void DrawInRect(const TRect& rect, double angle, int z);
    void DrawInPolygon(std::span<const TPoint> points, const TRect& rect, int z);
    bool ContainsPoint(TPoint point, const TRect& rect) const;
    // Top-left, top-right, bottom-right, bottom-left of rect turned by angle degrees about its centre.
    static std::array<TPoint, 4> RotatedRectCorners(const TRect& rect, double angle);

protected:
    virtual void InitShadowDefaults(TZebShadow& shadow);
    virtual void InitEmbossDefaults(TZebEmboss& emboss);
    void DefineProperties(TFiler& filer) override;
    void drawOnPanel(TCustomZebPanel& panel, const TRect& rect, std::span<const TPoint> points, bool polygon, int z,
                     double angle);
    bool hasVisiblePen() const;

private:
    void paintEffect(TCustomZebPanel& panel, TZebShadow* effect, bool emboss, const TRect& rect, double angle);
    void paintPicture(TCustomZebPanel& panel, const TRect& rect, std::span<const TPoint> points, bool polygon, int z);
    void drawChildren(TCustomZebPanel& panel, const TRect& rect, int z, double angle);
    void paintCallout(TCanvas3D& canvas, const TRect& rect);

    int angle_ = 0;
    bool autoSize_ = true;
    TBevelCut bevel_ = bvNone;
    int bevelWidth_ = 2;
    TShapeCallout* callout_ = nullptr;  // owned
    TZebShapes* children_ = nullptr;    // owned
    TZebShapeLayout childLayout_ = slTopBottom;
    TColor color_ = clWhite;
    TZebCorners* corners_ = nullptr;  // owned
    TZebFont* font_ = nullptr;        // owned
    int roundSize_ = 16;
    TChartObjectShapeStyle shapeStyle_ = fosRectangle;
    bool transparent_ = false;
    bool defaultTransparent_ = false;
    TAlignment alignment_ = taLeftJustify;
    TZebEmboss* emboss_ = nullptr;   // owned
    TBackImage* picture_ = nullptr;  // owned
    TZebShadow* shadow_ = nullptr;   // owned
    int transparency_ = 0;
    bool is3D_ = false;
    TRect bounds_;
};

class TZebShape : public TZebCustomShape {
    TV_CLASS(TZebShape, TZebCustomShape)
public:
    explicit TZebShape(TCustomZebPanel* panel = nullptr) : TZebCustomShape(panel) {}
};

// One child shape, made of the owner's child class on the owner's panel, transparent.
class TZebShapeItem : public TCollectionItem {
    TV_CLASS(TZebShapeItem, TCollectionItem)
public:
    explicit TZebShapeItem(TCollection* collection);
    ~TZebShapeItem() override;
    void Assign(TPersistent* source) override;

    TZebCustomShape* Shape() const { return shape_; }
    void SetShape(TZebCustomShape* value);

private:
    TZebCustomShape* shape_ = nullptr;  // owned
};

class TZebShapes : public TOwnedCollection {
    TV_CLASS(TZebShapes, TOwnedCollection)
public:
    explicit TZebShapes(TZebCustomShape* owner = nullptr);
    TZebShapeItem* Items(int index) const { return static_cast<TZebShapeItem*>(TCollection::Items(index)); }
    TZebShapeItem* AddItem() { return static_cast<TZebShapeItem*>(Add()); }
    TZebCustomShape* OwnerShape() const { return owner_; }

private:
    TZebCustomShape* owner_;
};
