#pragma once
// A chart tool that plays an AVI file inside the chart: a timer decodes one frame per tick into a
// target picture, the chart's back image or the picture of a chart element, through picture
// filters.
#include <memory>

#include "chart/core/ChartTools.h"

class TAviReader;
class TBitmap;
class TFilterItems;
class TPicture;
class TTimer;

class TVideoPlayerTool : public TZebCustomTool {
    TV_CLASS(TVideoPlayerTool, TZebCustomTool)
public:
    explicit TVideoPlayerTool(TComponent* owner);
    ~TVideoPlayerTool() override;

    const String& FileName() const { return fileName_; }
    void SetFileName(const String& value) { fileName_ = value; }
    // Milliseconds between frames.
    int Delay() const { return delay_; }
    void SetDelay(int value);
    bool Loop() const { return loop_; }
    void SetLoop(bool value) { loop_ = value; }
    // Applied to every frame (owned; the setter copies).
    TFilterItems* Filters() const { return filters_; }
    void SetFilters(TFilterItems* value);
    const TNotifyEvent& OnFrame() const { return onFrame_; }
    void SetOnFrame(TNotifyEvent value) { onFrame_ = std::move(value); }

    // Opens the file and starts the timer at the first frame; nothing while playing. A file
    // without a playable video stream raises "Error GetFrameOpen AVI file stream".
    void StartPlaying();
    void StopPlaying();
    bool Playing() const { return playing_; }
    // Null: the chart's back image. The previous target is emptied.
    TPicture* TargetPicture() const { return target_; }
    void SetTargetPicture(TPicture* value);
    int FirstFrame() const;
    int LastFrame() const;
    int CurrentFrame() const { return current_; }
    // The last decoded frame; null before the first.
    TBitmap* FrameBitmap() const { return frame_.get(); }
    // The timer's tick: the current frame into the target, then the next one (or the first again
    // with Loop, or the end).
    void ShowNextFrame();

    void SetActive(bool value) override;

protected:
    // "Filters": the filter items, when there are any.
    void DefineProperties(TFiler& filer) override;

private:
    void openVideo();
    void closeVideo();
    void readFrame(int index);
    // The picture frames go to; null without target and chart.
    TPicture* targetOrBackImage() const;
    void timerTick(TObject* sender);

    String fileName_;
    int delay_ = 1;
    bool loop_ = false;
    TFilterItems* filters_;  // owned
    TNotifyEvent onFrame_;
    TPicture* target_ = nullptr;
    std::unique_ptr<TBitmap> frame_;
    int current_ = 0, last_ = 0;
    bool playing_ = false;
    std::unique_ptr<TTimer> timer_;
    std::unique_ptr<TAviReader> reader_;
};
