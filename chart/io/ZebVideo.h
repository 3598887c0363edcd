#pragma once
// A chart tool that records the chart into an AVI file: while recording, every completed drawing
// of the chart becomes the next frame, uncompressed or as Motion JPEG.
#include <memory>

#include "chart/core/ChartTools.h"
#include "chart/io/AviFile.h"

class TBitmap;
class TStrings;

class TVideoTool : public TZebCustomTool {
    TV_CLASS(TVideoTool, TZebCustomTool)
public:
    explicit TVideoTool(TComponent* owner);
    // Ends a running recording.
    ~TVideoTool() override;

    const String& FileName() const { return fileName_; }
    void SetFileName(const String& value) { fileName_ = value; }
    // Milliseconds per frame; below 1 counts as 1.
    int FrameDuration() const { return frameDuration_; }
    void SetFrameDuration(int value) { frameDuration_ = value; }
    // The compressor's four-character code; empty: uncompressed.
    const String& Compression() const { return compression_; }
    // "No Compression" or "" clears it; a code no compressor has raises "No compressor for " +
    // code + " available" and stays stored.
    void SetCompression(const String& value);
    int CompressionQuality() const { return compressionQuality_; }
    void SetCompressionQuality(int value) { compressionQuality_ = value; }
    const TNotifyEvent& OnNewFrame() const { return onNewFrame_; }
    void SetOnNewFrame(TNotifyEvent value) { onNewFrame_ = std::move(value); }
    const TNotifyEvent& OnStart() const { return onStart_; }
    void SetOnStart(TNotifyEvent value) { onStart_ = std::move(value); }
    const TNotifyEvent& OnStop() const { return onStop_; }
    void SetOnStop(TNotifyEvent value) { onStop_ = std::move(value); }

    // Stores the name; with a chart the file is created at the chart's size and recording starts.
    // A stored code no compressor has: EAviError AVIERR_NOCOMPRESSOR.
    void BeginCapture(const String& fileName);
    void EndCapture();
    bool IsRecording() const { return recording_; }
    int FrameCount() const { return frames_; }
    // "No Compression", then "<code> <name>" of each compressor.
    static void ListCompressors(TStrings& list);
    // The 40-byte frame format of the chart: its size, 32 bits, uncompressed, 1 pixel per metre.
    TAviFrameFormat FrameFormat() const;
    // Adds bitmap as the next frame while a file is open; another size is scaled to the file's.
    void AddFrame(TBitmap& bitmap);

    // Stage 0 (the end of a drawing) records the drawn chart while recording.
    void ChartDrawStage(TChartDrawStage stage) override;

private:
    void closeVideoFile();

    String fileName_;
    int frameDuration_ = 50;
    String compression_;
    int compressionQuality_ = 8000;
    TNotifyEvent onNewFrame_, onStart_, onStop_;
    bool recording_ = false;
    int frames_ = 0;
    std::unique_ptr<TAviWriter> writer_;
};

// Registration among the tool types (counting its starts).
void StartVideoUnit();
void StopVideoUnit();
