#pragma once
// The font of chart texts: a class-library font with a fractional size, a text quality, extra
// spacing between characters, an outline, a shadow, an emboss, a brush (gradient and picture of the
// letters) and a depth for 3-D text. Colour and style are stored against defaults recorded per
// font; name and size against the chart's default font.
#include <iterator>

#include "platform/classes/Object.h"
#include "platform/graphics/GraphicsObjects.h"

class TZebBrush;
class TZebGradient;
class TZebHiddenPen;
class TZebPicture;
class TZebShadow;
class TZebEmboss;

// The chart's text quality. The class library's TFontQuality is the quality byte a device font is
// made with; the canvases derive that byte from this setting (and their own text quality), so
// the two live side by side: this one scoped, published under the name "Quality".
enum class TZebFontQuality { fqBest, fqNormal, fqDefault, fqClearType };
inline constexpr const char* TZebFontQualityNames[] = {"fqBest", "fqNormal", "fqDefault", "fqClearType"};
static_assert(std::size(TZebFontQualityNames) == static_cast<int>(TZebFontQuality::fqClearType) + 1);

class TZebFont : public TFont {
    TV_CLASS(TZebFont, TFont)
public:
    explicit TZebFont(TNotifyEvent onChange = {});
    ~TZebFont() override;
    void Assign(TPersistent* source) override;

    // Size plus the stored fraction; setting takes floor(value) as Size and keeps the remainder.
    float SizeFloat() const;
    void SetSizeFloat(float value);
    // Hides the class library's quality byte (TFont::Quality), which the canvases set.
    TZebFontQuality Quality() const { return quality_; }
    void SetQuality(TZebFontQuality value);
    int InterCharSize() const { return interCharSize_; }
    void SetInterCharSize(int value);
    double Depth() const { return depth_; }
    void SetDepth(double value);
    bool DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(bool value);

    // Created on first read with the owner's change event.
    TZebHiddenPen* OutLine();
    void SetOutLine(TZebHiddenPen* value);
    TZebShadow* Shadow();
    void SetShadow(TZebShadow* value);
    TZebEmboss* Emboss();
    void SetEmboss(TZebEmboss* value);
    bool HasOutLine() const { return outLine_ != nullptr; }
    bool HasShadow() const { return shadow_ != nullptr; }
    bool HasEmboss() const { return emboss_ != nullptr; }
    // Always present; its gradient and picture paint the letters.
    TZebBrush* Brush() const { return brush_; }
    void SetBrush(TZebBrush* value);
    TZebGradient* Gradient();
    void SetGradient(TZebGradient* value);
    TZebPicture* Picture();
    void SetPicture(TZebPicture* value);

    // Colour of the font and its brush, set without calling the owner back and recorded as default.
    void InitColor(TColor value);
    void InitStyle(TFontStyles value);

    bool IsSizeFloatStored() const { return fraction_ != 0; }
    bool IsColorStored() const { return Color() != defaultColor_; }
    bool IsStyleStored() const { return Style() != defaultStyle_; }
    bool IsHeightStored() const;
    bool IsNameStored() const;
    bool IsDepthStored() const { return depth_ != 0; }

private:
    float fraction_ = 0;
    TZebFontQuality quality_ = TZebFontQuality::fqDefault;
    int interCharSize_ = 0;
    TZebHiddenPen* outLine_ = nullptr;  // owned
    TZebShadow* shadow_ = nullptr;      // owned
    TZebEmboss* emboss_ = nullptr;      // owned
    TZebBrush* brush_ = nullptr;        // owned
    double depth_ = 0;
    bool defaultFont_ = false;
    TColor defaultColor_ = clBlack;
    TFontStyles defaultStyle_;
};
