#pragma once
// A recording canvas that also logs every transparent section it opens: "Blend(t)".
#include <string>

#include "tests/chart/support/RecordingCanvas.h"

class TBlendCanvas : public TRecordingCanvas {
    TV_CLASS(TBlendCanvas, TRecordingCanvas)
public:
    using TRecordingCanvas::TRecordingCanvas;
    TZebBlend* StartBlend(const TRect& rect, TZebTransparency transparency) override
    {
        Note("Blend(" + std::to_string(transparency) + ")");
        return TRecordingCanvas::StartBlend(rect, transparency);
    }
};
