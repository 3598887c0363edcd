#pragma once
// The antialiased object layer in one include: graphics, pens, brushes, images, paths, regions,
// matrices, fonts and the process functions.
#include "platform/graphics/GPBrushes.h"
#include "platform/graphics/GPFonts.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPImages.h"
#include "platform/graphics/GPLibrary.h"
#include "platform/graphics/GPMatrix.h"
#include "platform/graphics/GPPaths.h"
#include "platform/graphics/GPPens.h"
#include "platform/graphics/GPRegion.h"
#include "platform/graphics/GPTypes.h"
