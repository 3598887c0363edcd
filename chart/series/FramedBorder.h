#pragma once
// The decorative frame drawn around a circle or rectangle as three concentric gradient rings, its
// circular variant that can span an arc, and the brush of one ring.
#include <memory>

#include "chart/canvas/ZebBrush.h"
#include "chart/core/ChartShapes.h"

class TZebEmboss;
class TZebShadow;

// A ring brush with its width in percent of the frame width.
class TFrameBrush : public TZebBrush {
    TV_CLASS(TFrameBrush, TZebBrush)
public:
    explicit TFrameBrush(TNotifyEvent onChange = {}, float size = 0);
    void Assign(TPersistent* source) override;
    float Size() const { return size_; }
    void SetSize(float value);
    bool IsSizeStored() const { return size_ != defaultSize_; }

private:
    float size_;
    float defaultSize_;
};

class TFramedBorder : public TZebCustomShapeBrushPen {
    TV_CLASS(TFramedBorder, TZebCustomShapeBrushPen)
public:
    TFramedBorder();
    ~TFramedBorder() override;
    void DefineProperties(TFiler& filer) override;
    void Assign(TPersistent* source) override;

    bool Circled() const { return circled_; }
    void SetCircled(bool value);
    void InitCircled(bool value) { circled_ = defaultCircled_ = value; }
    bool IsCircledStored() const { return circled_ != defaultCircled_; }
    void InitVisible(bool value) { PresetVisible(value); }
    TZebEmboss* Emboss() const { return emboss_.get(); }
    void SetEmboss(TZebEmboss* value);
    TZebShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TZebShadow* value);
    TFrameBrush* InnerBrush() const { return inner_.get(); }
    void SetInnerBrush(TFrameBrush* value) { inner_->Assign(value); }
    TFrameBrush* MiddleBrush() const { return middle_.get(); }
    void SetMiddleBrush(TFrameBrush* value) { middle_->Assign(value); }
    TFrameBrush* OuterBrush() const { return outer_.get(); }
    void SetOuterBrush(TFrameBrush* value) { outer_->Assign(value); }
    // Percent of the smaller side of the framed rectangle.
    int Width() const { return width_; }
    void SetWidth(int value);

    double PixelWidth(const TRect& rect) const;
    // Paints the rings inside rect.
    virtual void PaintFrame(const TRect& rect);

protected:
    TCanvas3D* canvas() const;
    // Fills rect (an ellipse when circled) with brush in its own colour; nothing for a clear brush.
    void fillRing(TZebBrush& brush, const TRect& rect);

private:
    bool circled_ = false;
    bool defaultCircled_ = false;
    int width_ = 10;
    std::unique_ptr<TZebEmboss> emboss_;
    std::unique_ptr<TZebShadow> shadow_;
    std::unique_ptr<TFrameBrush> inner_;
    std::unique_ptr<TFrameBrush> middle_;
    std::unique_ptr<TFrameBrush> outer_;
};

// Rings in fixed proportions (inner 25, middle 60, outer 15 by default) that may span an arc.
class TCircularFrame : public TFramedBorder {
    TV_CLASS(TCircularFrame, TFramedBorder)
public:
    TCircularFrame();
    void Assign(TPersistent* source) override;

    int RotationAngle() const { return rotationAngle_; }
    void SetRotationAngle(int value);
    int TotalAngle() const { return totalAngle_; }
    void SetTotalAngle(int value);
    // Not stored; proportions that do not sum to 100 are scaled to it when painting.
    double InnerProportion = 25, MiddleProportion = 60, OuterProportion = 15;
    // Its own Brush is not painted (the frame editor hides its pattern page).
    static constexpr bool NoOwnBrush = true;

    void PaintFrame(const TRect& rect) override;

private:
    void ringShape(TZebBrush& brush, const TRect& rect);

    int rotationAngle_ = 0;
    int totalAngle_ = 360;
};
