#pragma once
// Routines shared by the styled controls: colour shading, gradient and band fills, frame drawing,
// key flags and the text form of a control's stored description.
#include "platform/classes/Component.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DeviceContext.h"
#include "widgets/styled/QMConsts.h"

// OS version code of the running platform, set once at start (-1 here: no such version information).
extern int QMOSVersion;
int GetOSVersionCode();

// The platform's gradient call, when its library is loaded; null (always, on this platform) makes
// FillGradient use the band fill.
using TQMGradientFillProc = bool (*)(HDC dc, const TTriVertex* vertices, int count, const TRect& rect, unsigned mode);
extern TQMGradientFillProc QMGradientFill;

// The screen shows every 24-bit colour, so this only resolves system colours.
TColor NearestScreenColor(TColor color);
TColorRef ShadeRGB(TColorRef rgb, int dR, int dG, int dB, bool lighten);
TColor ShadeColor(TColor color, int dR, int dG, int dB, bool lighten);
TColor HighlightOf(TColor color);
TColor ShadowOf(TColor color);
TColor SoftShadowOf(TColor color);
TColor DarkShadowOf(TColor color);

void FillGradient(TCanvas* canvas, const TRect& rect, TQMGradient direction, TColor startColor, TColor endColor);
void FillBandsHorizontal(TCanvas* canvas, const TRect& rect, TColor startColor, TColor endColor, int maxSteps,
                         bool reverse);
void FillBandsVertical(TCanvas* canvas, const TRect& rect, TColor startColor, TColor endColor, int maxSteps,
                       bool reverse);

// One-pixel lines along the chosen edges: top and left in first, bottom and right in second.
void DrawEdgeLines(HDC dc, const TRect& rect, TColor first, TColor second, TQMBorderEdges edges);
void DrawShadedBorder(HDC dc, const TRect& rect, TColor baseColor, TQMBorderEdges edges, TQMControlBorder style);
void DrawSystemBorder(HDC dc, const TRect& rect, TColor flatColor, TQMBorderEdges edges, TQMControlBorder style);
void DrawCanvasBorder(TCanvas* canvas, const TRect& rect, TColor color, TQMBorderEdges edges, TQMControlBorder style);

// The control's stored description in text form, and a new component made from such a text
// (its class must be registered). EReadError/EClassNotFound on a bad text.
String ControlToText(TComponent* control);
TOwnedPtr<TComponent> TextToControl(const String& text);
