#pragma once
// The recording canvas with the element groups in its log: "Begin <name>" and "End".
#include <string>
#include <vector>

#include "chart/core/ZebPanel.h"
#include "tests/chart/support/RecordingCanvas.h"

class TElementCanvas : public TRecordingCanvas {
public:
    using TRecordingCanvas::TRecordingCanvas;
    TObject* BeginElement(const String& name, TObject* owner, TZebTransform*) override
    {
        Note("Begin " + name);
        return owner;
    }
    void EndElement() override { Note("End"); }
    // The lines of elements and clips, each by its operation's name.
    std::vector<std::string> Structure() const
    {
        std::vector<std::string> out;
        for (const std::string& line : Log())
            if (line.starts_with("Begin") || line == "End")
                out.push_back(line);
            else if (line.starts_with("ClipToBox") || line.starts_with("RemoveClip"))
                out.push_back(line.substr(0, line.find('(')));
        return out;
    }
};

// The panel flat at width x height, drawing on a fresh element canvas of its size (the panel owns
// it).
inline TElementCanvas* RecordFlat(TCustomZebPanel& panel, int width, int height)
{
    panel.SetBounds(0, 0, width, height);
    panel.SetView3D(false);
    auto* canvas = new TElementCanvas(width, height);
    panel.ReplaceCanvas(canvas);
    return canvas;
}

// One whole frame of the panel on a cleared log.
inline void RecordFrame(TCustomZebPanel& panel, TRecordingCanvas& canvas)
{
    canvas.ClearLog();
    panel.RenderTo(nullptr, {0, 0, panel.Width(), panel.Height()});
}
