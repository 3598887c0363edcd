#pragma once
// A pen of the antialiased layer: colour or brush, width, separate start and end caps, a dash cap,
// join and dash style. Dash lengths are multiples of the width (dash 3, dot 1, gap 1).
#include <memory>

#include "platform/graphics/GPBase.h"

class TGPBrush;

class TGPPen : public TGdiplusBase {
public:
    TGPPen(TGPColor color, float width = 1, TGPUnit unit = UnitWorld);
    ~TGPPen() override;
    std::unique_ptr<TGPPen> Clone() const;

    TGPStatus SetWidth(float width);
    float GetWidth() const;
    TGPUnit GetUnit() const;
    TGPStatus SetColor(TGPColor color);  // the pen draws in a colour again
    TGPStatus GetColor(TGPColor& color) const;
    // The pen draws with a copy of the brush (a gradient or a texture along the stroke).
    TGPStatus SetBrush(const TGPBrush& brush);
    bool HasBrush() const;
    TGPStatus SetLineCap(TGPLineCap startCap, TGPLineCap endCap, TGPDashCap dashCap);
    TGPStatus SetStartCap(TGPLineCap cap);
    TGPStatus SetEndCap(TGPLineCap cap);
    TGPStatus SetDashCap(TGPDashCap cap);
    TGPLineCap GetStartCap() const;
    TGPLineCap GetEndCap() const;
    TGPDashCap GetDashCap() const;
    TGPStatus SetLineJoin(TGPLineJoin join);
    TGPLineJoin GetLineJoin() const;
    TGPStatus SetMiterLimit(float limit);
    float GetMiterLimit() const;
    TGPStatus SetDashStyle(TGPDashStyle style);
    TGPDashStyle GetDashStyle() const;
    // Dash and gap lengths in widths; the style becomes DashStyleCustom.
    TGPStatus SetDashPattern(const float* dashes, int count);

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

private:
    std::unique_ptr<Impl> impl_;
};
