#pragma once
// TZebCustomShapePosition: a text shape that can sit at a position of its own instead of where its
// owner lays it out (the legend, annotations).
#include "chart/core/TextShapes.h"

class TZebCustomShapePosition : public TCustomTextShape {
    TV_CLASS(TZebCustomShapePosition, TCustomTextShape)
public:
    explicit TZebCustomShapePosition(TCustomZebPanel* panel = nullptr) : TCustomTextShape(panel) {}
    // CustomPosition and, when on, Left and Top; then the text shape's settings.
    void Assign(TPersistent* source) override;

    bool CustomPosition() const { return customPosition_; }
    void SetCustomPosition(bool value);
    bool IsCustomPositionStored() const { return customPosition_ != defaultCustomPosition_; }
    // Setting either coordinate places the shape there from now on.
    int PositionLeft() const { return Left(); }
    void SetPositionLeft(int value);
    int PositionTop() const { return Top(); }
    void SetPositionTop(int value);

protected:
    void PresetCustomPosition(bool value) { customPosition_ = defaultCustomPosition_ = value; }

private:
    bool customPosition_ = false;
    bool defaultCustomPosition_ = false;
};
