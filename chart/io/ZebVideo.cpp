#include "chart/io/ZebVideo.h"

#include <memory>

#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "chart/io/ZebVideoPlayer.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"

namespace {

class TVideoToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TVideoToolEditor"; }
    String GalleryName() const override { return "Video creator"; }
    String GalleryHint() const override { return "Creates an AVI video with Chart images"; }
};

TUnitStarts videoStarts;

// The compressors of our own writer.
struct TCompressor {
    const char* code;
    const char* name;
};
constexpr TCompressor compressors[] = {{"MJPG", "Motion JPEG"}};

}  // namespace

TV_PUBLISHED_AS(TVideoTool, TVideoToolClass)
{
    Prop("FileName", &TVideoTool::FileName, &TVideoTool::SetFileName);
    Prop("FrameDuration", &TVideoTool::FrameDuration, &TVideoTool::SetFrameDuration, 50);
    Prop("Compression", &TVideoTool::Compression, &TVideoTool::SetCompression);
    Prop("CompressionQuality", &TVideoTool::CompressionQuality, &TVideoTool::SetCompressionQuality, 8000);
    Prop("OnNewFrame", &TVideoTool::OnNewFrame, &TVideoTool::SetOnNewFrame);
    Prop("OnStart", &TVideoTool::OnStart, &TVideoTool::SetOnStart);
    Prop("OnStop", &TVideoTool::OnStop, &TVideoTool::SetOnStop);
}

TVideoTool::TVideoTool(TComponent* owner) : TZebCustomTool(owner) {}

TVideoTool::~TVideoTool()
{
    // A file that cannot be finished now stays as far as it was written.
    try {
        closeVideoFile();
    } catch (const Exception&) {
    }
}

void TVideoTool::SetCompression(const String& value)
{
    if (value.empty() || value == "No Compression") {
        compression_.clear();
        return;
    }
    TStringList list;
    ListCompressors(list);
    bool found = false;
    for (int i = 1; i < list.Count() && !found; ++i)
        found = SameText(list.Strings(i).substr(0, 4), value);
    compression_ = value;
    if (!found) throw Exception("No compressor for " + value + " available");
}

void TVideoTool::ListCompressors(TStrings& list)
{
    list.Clear();
    list.Add("No Compression");
    for (const TCompressor& c : compressors) list.Add(String(c.code) + " " + c.name);
}

TAviFrameFormat TVideoTool::FrameFormat() const
{
    TAviFrameFormat format;
    if (ParentChart()) {
        format.Width = ParentChart()->Width();
        format.Height = ParentChart()->Height();
    }
    return format;
}

void TVideoTool::BeginCapture(const String& fileName)
{
    fileName_ = fileName;
    if (!ParentChart()) return;
    recording_ = false;
    closeVideoFile();
    std::uint32_t code = 0;
    if (!compression_.empty()) {
        code = StringToFourCC(UpperCase(compression_));
        if (code != FourCC("MJPG")) throw EAviError(AVIERR_NOCOMPRESSOR);
    }
    writer_ = std::make_unique<TAviWriter>(fileName_, ParentChart()->Width(), ParentChart()->Height(), frameDuration_,
                                           code, compressionQuality_);
    frames_ = 0;
    recording_ = true;
    if (onStart_) onStart_(this);
}

void TVideoTool::EndCapture()
{
    try {
        closeVideoFile();
    } catch (...) {
        recording_ = false;
        throw;
    }
    recording_ = false;
    if (onStop_) onStop_(this);
}

void TVideoTool::closeVideoFile()
{
    std::unique_ptr<TAviWriter> writer = std::move(writer_);
    if (writer) writer->Close();
}

void TVideoTool::AddFrame(TBitmap& bitmap)
{
    if (!writer_) return;
    writer_->AddFrame(bitmap);
    ++frames_;
    if (onNewFrame_) onNewFrame_(this);
}

void TVideoTool::ChartDrawStage(TChartDrawStage stage)
{
    if (stage != cdsEnd || !recording_ || !ParentChart()) return;
    TCanvas3D* canvas = ParentChart()->Canvas3D();
    // Only a drawing into the chart's own buffer is a frame (not a picture export or a print).
    if (!canvas || !canvas->GetBuffered() || !canvas->BufferBitmap()) return;
    try {
        if (canvas->IsTrue3D()) {
            const TRect r = ParentChart()->GetPanelRect();
            TBitmap copy(r.Width(), r.Height(), pf32bit);
            copy.Canvas()->CopyRect({0, 0, r.Width(), r.Height()}, canvas->BufferBitmap()->Canvas(), r);
            AddFrame(copy);
        } else {
            AddFrame(*canvas->BufferBitmap());
        }
    } catch (...) {
        try {
            EndCapture();
        } catch (...) {
        }
        throw;
    }
}

void StartVideoUnit()
{
    if (!videoStarts.First()) return;
    RegisterToolTypes({&TVideoTool::StaticClass(), &TVideoPlayerTool::StaticClass()});
}

void StopVideoUnit()
{
    if (!videoStarts.Last()) return;
    UnregisterToolTypes({&TVideoTool::StaticClass(), &TVideoPlayerTool::StaticClass()});
}
