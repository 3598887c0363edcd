#pragma once
// Chart texts with a small subset of HTML: line breaks, bold, italic, underline, strike-out,
// bigger and smaller text, sub- and superscripts, headings, preformatted text, centring,
// horizontal rules, images and FONT tags. Texts start in the canvas's current font.
#include <functional>

#include "chart/canvas/CanvasTypes.h"
#include "platform/rtl/Types.h"

class TGraphic;
class TStream;
class TZebCanvas;

// The extent of the text; nothing is drawn.
TSize MeasureHtmlText(TZebCanvas& canvas, const String& text);
// Draws the text at (x, y); a canvas aligned to the centre or the right is measured first.
void HtmlTextOut(TZebCanvas& canvas, int x, int y, const String& text);

// Image support of the renderer. A new graphic able to load a file of the upper-case extension
// (with its dot), or null; the renderer frees it.
using TGraphicForExtensionHook = std::function<TGraphic*(const String& extension)>;
// Fills the stream with the bytes of a file or address: 0 on success, else an error code.
using TLoadStreamHook = std::function<int(const String& source, TStream& stream)>;
void SetGraphicForExtensionHook(TGraphicForExtensionHook hook);
void SetLoadStreamHook(TLoadStreamHook hook);
const TGraphicForExtensionHook& GraphicForExtensionHook();
const TLoadStreamHook& LoadStreamHook();
