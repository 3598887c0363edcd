#pragma once
// Layer-private: metafiles on a painter, for the parts of the layer that draw without a device
// context (the antialiased object layer).
#include <QPainter>

#include "platform/graphics/Metafile.h"

// Plays the metafile's picture, its frame mapped onto target (painter coordinates), clipped to
// target and to the painter's clip. Nothing for an empty metafile or target.
void PlayMetafile(const TMetafile& metafile, QPainter& painter, const QRectF& target);
