#pragma once
// The brush of chart elements: a class-library brush with a back colour, a hatch style of the
// antialiased canvas, a gradient and a picture, each created on first use. A new brush has the
// automatic colour (clDefault), recorded as its stored default.
#include <iterator>

#include "platform/classes/Object.h"
#include "platform/graphics/GraphicsObjects.h"

class TZebGradient;
class TZebPicture;

enum THatchStyle {
    hsHorizontal,
    hsVertical,
    hsForwardDiagonal,
    hsBackwardDiagonal,
    hsCross,
    hsDiagonalCross,
    hs05Percent,
    hs10Percent,
    hs20Percent,
    hs25Percent,
    hs30Percent,
    hs40Percent,
    hs50Percent,
    hs60Percent,
    hs70Percent,
    hs75Percent,
    hs80Percent,
    hs90Percent,
    hsLightDownwardDiagonal,
    hsLightUpwardDiagonal,
    hsDarkDownwardDiagonal,
    hsDarkUpwardDiagonal,
    hsWideDownwardDiagonal,
    hsWideUpwardDiagonal,
    hsLightVertical,
    hsLightHorizontal,
    hsNarrowVertical,
    hsNarrowHorizontal,
    hsDarkVertical,
    hsDarkHorizontal,
    hsDashedDownwardDiagonal,
    hsDashedUpwardDiagonal,
    hsDashedHorizontal,
    hsDashedVertical,
    hsSmallConfetti,
    hsLargeConfetti,
    hsZigZag,
    hsWave,
    hsDiagonalBrick,
    hsHorizontalBrick,
    hsWeave,
    hsPlaid,
    hsDivot,
    hsDottedGrid,
    hsDottedDiamond,
    hsShingle,
    hsTrellis,
    hsSphere,
    hsSmallGrid,
    hsSmallCheckerBoard,
    hsLargeCheckerBoard,
    hsOutlinedDiamond,
    hsSolidDiamond
};
inline constexpr const char* THatchStyleNames[] = {"hsHorizontal",
                                                   "hsVertical",
                                                   "hsForwardDiagonal",
                                                   "hsBackwardDiagonal",
                                                   "hsCross",
                                                   "hsDiagonalCross",
                                                   "hs05Percent",
                                                   "hs10Percent",
                                                   "hs20Percent",
                                                   "hs25Percent",
                                                   "hs30Percent",
                                                   "hs40Percent",
                                                   "hs50Percent",
                                                   "hs60Percent",
                                                   "hs70Percent",
                                                   "hs75Percent",
                                                   "hs80Percent",
                                                   "hs90Percent",
                                                   "hsLightDownwardDiagonal",
                                                   "hsLightUpwardDiagonal",
                                                   "hsDarkDownwardDiagonal",
                                                   "hsDarkUpwardDiagonal",
                                                   "hsWideDownwardDiagonal",
                                                   "hsWideUpwardDiagonal",
                                                   "hsLightVertical",
                                                   "hsLightHorizontal",
                                                   "hsNarrowVertical",
                                                   "hsNarrowHorizontal",
                                                   "hsDarkVertical",
                                                   "hsDarkHorizontal",
                                                   "hsDashedDownwardDiagonal",
                                                   "hsDashedUpwardDiagonal",
                                                   "hsDashedHorizontal",
                                                   "hsDashedVertical",
                                                   "hsSmallConfetti",
                                                   "hsLargeConfetti",
                                                   "hsZigZag",
                                                   "hsWave",
                                                   "hsDiagonalBrick",
                                                   "hsHorizontalBrick",
                                                   "hsWeave",
                                                   "hsPlaid",
                                                   "hsDivot",
                                                   "hsDottedGrid",
                                                   "hsDottedDiamond",
                                                   "hsShingle",
                                                   "hsTrellis",
                                                   "hsSphere",
                                                   "hsSmallGrid",
                                                   "hsSmallCheckerBoard",
                                                   "hsLargeCheckerBoard",
                                                   "hsOutlinedDiamond",
                                                   "hsSolidDiamond"};
static_assert(std::size(THatchStyleNames) == hsSolidDiamond + 1);

class TZebBrush : public TBrush {
    TV_CLASS(TZebBrush, TBrush)
public:
    explicit TZebBrush(TNotifyEvent onChange = {});
    ~TZebBrush() override;
    void Assign(TPersistent* source) override;

    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value);
    // The first six styles also set the class-library style (bsHorizontal .. bsDiagCross); the
    // others only show on canvases that draw hatches themselves.
    THatchStyle HatchStyle() const { return hatchStyle_; }
    void SetHatchStyle(THatchStyle value);
    // Created on first read with the brush's change event; null frees them.
    TZebGradient* Gradient();
    void SetGradient(TZebGradient* value);
    TZebPicture* Image();
    void SetImage(TZebPicture* value);

    // Sets the colour without calling the owner back and records it as the stored default.
    void InitColor(TColor value);
    // Style bsClear without gradient and picture.
    void Clear();
    bool HasGradient() const { return gradient_ != nullptr; }
    bool HasVisibleGradient() const;
    bool HasImage() const;  // a picture holding a non-empty graphic
    bool IsImageStored() const { return image_ != nullptr; }
    bool IsGradientStored() const { return gradient_ != nullptr; }
    bool IsColorStored() const { return Color() != defaultColor_; }

private:
    void partChanged(TObject*) { Changed(); }

    TColor backColor_ = clNone;
    TZebGradient* gradient_ = nullptr;  // owned
    TZebPicture* image_ = nullptr;      // owned
    THatchStyle hatchStyle_ = hsHorizontal;
    TColor defaultColor_ = clDefault;
};
