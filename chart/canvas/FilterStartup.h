#pragma once
// Start-up of the picture filters: the 25 filter classes registered by name, the gradient-rotation
// hook, and the engine texts the filters show as their descriptions.
#include "platform/rtl/Types.h"

// The strings belong to the engine's text table, which a translation may overwrite while the engine
// runs; a filter reads its text when asked. A missing text describes the filter as empty.
struct TFilterTexts {
    const String* Invert = nullptr;
    const String* GrayScale = nullptr;
    const String* Mosaic = nullptr;
    const String* Flip = nullptr;
    const String* Reverse = nullptr;
    const String* Brightness = nullptr;
    const String* Contrast = nullptr;
    const String* Color = nullptr;
    const String* ColorReplacer = nullptr;
    const String* HueLumSat = nullptr;
    const String* Blur = nullptr;
    const String* Sharpen = nullptr;
    const String* GammaCorrection = nullptr;
    const String* Emboss = nullptr;
    const String* Antialias = nullptr;
    const String* Crop = nullptr;
    const String* Resize = nullptr;
    const String* Rotate = nullptr;
    const String* Mirror = nullptr;
    const String* Tile = nullptr;
    const String* Bevel = nullptr;
    const String* Equalize = nullptr;
    const String* Zoom = nullptr;
    const String* Sobel = nullptr;
    const String* Sepia = nullptr;
};

// Registers the filter classes (again harmlessly) and installs the gradient-rotation hook.
void StartFilterUnit(const TFilterTexts& texts);
// Removes the hook and forgets the texts and the registered names.
void StopFilterUnit();

// The current text of one description; empty outside StartFilterUnit .. StopFilterUnit.
String FilterText(const String* TFilterTexts::*text);
