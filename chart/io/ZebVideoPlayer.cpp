#include "chart/io/ZebVideoPlayer.h"

#include "chart/canvas/Filters.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/PanelZoom.h"
#include "chart/io/AviFile.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Graphic.h"

namespace {

class TVideoPlayerToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TVideoPlayerEditor"; }
    String GalleryName() const override { return "Video player"; }
    String GalleryHint() const override { return "Play videos inside Chart regions"; }
};

}  // namespace

TV_PUBLISHED_AS(TVideoPlayerTool, TVideoPlayerToolClass)
{
    Prop("FileName", &TVideoPlayerTool::FileName, &TVideoPlayerTool::SetFileName);
    Prop("Delay", &TVideoPlayerTool::Delay, &TVideoPlayerTool::SetDelay, 1);
    Prop("Loop", &TVideoPlayerTool::Loop, &TVideoPlayerTool::SetLoop, false);
    Prop("OnFrame", &TVideoPlayerTool::OnFrame, &TVideoPlayerTool::SetOnFrame);
}

TVideoPlayerTool::TVideoPlayerTool(TComponent* owner)
    : TZebCustomTool(owner), filters_(new TFilterItems(nullptr)), timer_(std::make_unique<TTimer>(nullptr))
{
    timer_->SetEnabled(false);
    timer_->SetInterval(1);
    timer_->SetOnTimer(TNotifyEvent(this, &TVideoPlayerTool::timerTick));
}

TVideoPlayerTool::~TVideoPlayerTool()
{
    timer_->SetEnabled(false);
    closeVideo();
    TObject::Free(filters_);
}

void TVideoPlayerTool::SetDelay(int value)
{
    delay_ = value;
    timer_->SetInterval(static_cast<Cardinal>(std::max(1, value)));
}

void TVideoPlayerTool::SetFilters(TFilterItems* value) { filters_->Assign(value); }

void TVideoPlayerTool::DefineProperties(TFiler& filer)
{
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "Filters", [this](TReader& reader) { TZebPicture::ReadFilterItems(reader, *filters_); },
        [this](TWriter& writer) { TZebPicture::WriteFilterItems(writer, *filters_); }, filters_->Count() > 0);
}

void TVideoPlayerTool::timerTick(TObject*) { ShowNextFrame(); }

void TVideoPlayerTool::openVideo()
{
    closeVideo();
    std::unique_ptr<TAviReader> reader = std::make_unique<TAviReader>(fileName_);
    if (!reader->CanDecode() || reader->FrameCount() == 0) throw Exception("Error GetFrameOpen AVI file stream");
    reader_ = std::move(reader);
}

void TVideoPlayerTool::closeVideo() { reader_.reset(); }

int TVideoPlayerTool::FirstFrame() const { return reader_ ? reader_->Start() : -1; }

int TVideoPlayerTool::LastFrame() const
{
    return reader_ ? FirstFrame() + reader_->FrameCount() - 1 : FirstFrame();
}

void TVideoPlayerTool::StartPlaying()
{
    if (playing_) return;
    openVideo();
    current_ = FirstFrame();
    playing_ = true;
    timer_->SetEnabled(true);
    last_ = LastFrame();
}

void TVideoPlayerTool::StopPlaying()
{
    if (!playing_) return;
    timer_->SetEnabled(false);
    closeVideo();
    playing_ = false;
}

TPicture* TVideoPlayerTool::targetOrBackImage() const
{
    if (target_) return target_;
    return ParentChart() ? ParentChart()->BackImage() : nullptr;
}

void TVideoPlayerTool::SetTargetPicture(TPicture* value)
{
    if (value == target_) return;
    // The old target is emptied before it is replaced.
    if (TPicture* previous = targetOrBackImage()) previous->SetGraphic(nullptr);
    target_ = value;
}

void TVideoPlayerTool::readFrame(int index)
{
    // The stream counts from its start; the file's frames from 0.
    if (!reader_ || !reader_->ReadFrame(index - reader_->Start(), *frame_)) {
        timer_->SetEnabled(false);
        throw Exception("Error GetFrame AVI file stream");
    }
    filters_->ApplyAll(*frame_);
}

void TVideoPlayerTool::ShowNextFrame()
{
    if (!playing_) return;
    if (!frame_) frame_ = std::make_unique<TBitmap>();
    readFrame(current_);
    if (target_) {
        target_->SetGraphic(frame_.get());
    } else if (TCustomAxisPanel* chart = ParentChart()) {
        chart->BackImage()->SetGraphic(frame_.get());
        // A gradient would cover the video.
        if (!chart->BackImageInside() && chart->HasVisibleGradient()) chart->Gradient()->SetVisible(false);
    }
    if (onFrame_) onFrame_(this);
    if (current_ != last_)
        ++current_;
    else if (loop_)
        current_ = FirstFrame();
    else
        StopPlaying();
}

void TVideoPlayerTool::SetActive(bool value)
{
    TZebCustomTool::SetActive(value);
    TPicture* picture = targetOrBackImage();
    if (!picture) return;
    if (value)
        picture->SetGraphic(frame_.get());
    else
        picture->SetGraphic(nullptr);
}
