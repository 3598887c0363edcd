#pragma once
// Text shapes that a chart places by itself unless given a custom position (titles, the legend
// and its title), and the strings shape whose text is a list of lines kept equal to the shape's
// single text.
#include <memory>

#include "chart/core/TextShapes.h"
#include "platform/rtl/StringList.h"

// A text shape with a custom position: setting Left or Top turns CustomPosition on.
class TZebCustomShapePosition : public TCustomTextShape {
    TV_CLASS(TZebCustomShapePosition, TCustomTextShape)
public:
    using TCustomTextShape::TCustomTextShape;
    // CustomPosition and, when on, Left and Top, then the text shape.
    void Assign(TPersistent* source) override;

    bool CustomPosition() const { return customPosition_; }
    void SetCustomPosition(bool value);
    bool IsCustomPositionStored() const { return customPosition_ != defaultCustomPosition_; }
    int Left() const { return TCustomTextShape::Left(); }
    void SetLeft(int value);
    int Top() const { return TCustomTextShape::Top(); }
    void SetTop(int value);
    bool IsPositionStored() const { return customPosition_; }

protected:
    void PresetCustomPosition(bool value) { customPosition_ = defaultCustomPosition_ = value; }

private:
    void moveTo(int left, int top);

    bool customPosition_ = false;
    bool defaultCustomPosition_ = false;
};

class TTextShape : public TZebCustomShapePosition {
    TV_CLASS(TTextShape, TZebCustomShapePosition)
public:
    using TZebCustomShapePosition::TZebCustomShapePosition;
};

class TStringsShape : public TTextShape {
    TV_CLASS(TStringsShape, TTextShape)
public:
    explicit TStringsShape(TCustomZebPanel* panel = nullptr);
    ~TStringsShape() override;

    // Published as "Text"; a change repaints and becomes the shape's single text.
    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* value);
    // Line 0, or empty.
    String FirstLine() const;
    // Empty clears; else the lines of s split at line breaks.
    void SetFromString(const String& s);
    // The shape's single text changed: the list follows.
    void TextChanged() override;

private:
    void linesChanged();

    std::unique_ptr<TStringList> lines_;
    bool syncing_ = false;
};
