#pragma once
// AVI video files of our own: a RIFF writer of 32-bit uncompressed (bottom-up BI_RGB) or Motion
// JPEG frames, and a reader of the video stream of any AVI file that plays uncompressed 24- and
// 32-bit and Motion JPEG frames. Files past the segment size continue as OpenDML (AVI 2.0): every
// segment carries its own chunk index, the header a super index, and the first segment also the
// classic idx1 index.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

class TBitmap;
class TStream;

// Failures of the video files: "AVI Error: " and the result as 8 hexadecimal digits.
class EAviError : public Exception {
public:
    explicit EAviError(std::uint32_t result);
    std::uint32_t Result() const { return result_; }

private:
    std::uint32_t result_;
};

// The results the files report.
constexpr std::uint32_t AVIERR_BADFORMAT = 0x80044066;
constexpr std::uint32_t AVIERR_FILEREAD = 0x8004406D;
constexpr std::uint32_t AVIERR_FILEWRITE = 0x8004406E;
constexpr std::uint32_t AVIERR_FILEOPEN = 0x8004406F;
constexpr std::uint32_t AVIERR_NOCOMPRESSOR = 0x80044071;
constexpr std::uint32_t AVIERR_NODATA = 0x80044073;

// The four characters of a code, lowest byte first.
std::uint32_t FourCC(const char (&code)[5]);
String FourCCText(std::uint32_t code);
// The code of up to four characters, blanks after a shorter text, case kept.
std::uint32_t StringToFourCC(const String& text);

// The frame format the files carry: a 40-byte bitmap information header.
struct TAviFrameFormat {
    std::int32_t Width = 0, Height = 0;  // a positive height: bottom row first
    std::uint16_t BitCount = 32;
    std::uint32_t Compression = 0;  // 0: uncompressed
    std::uint32_t SizeImage = 0;
    std::int32_t XPelsPerMeter = 1, YPelsPerMeter = 1;
};

class TAviWriter {
public:
    // Creates (or empties) the file. compression: 0 for uncompressed frames or "MJPG"; quality
    // 0 .. 10000; frameDuration in milliseconds (the stream's scale over a rate of 1000).
    TAviWriter(const String& fileName, int width, int height, int frameDuration, std::uint32_t compression,
               int quality);
    // Closes the file when Close was not called (errors are swallowed there).
    ~TAviWriter();
    TAviWriter(const TAviWriter&) = delete;
    TAviWriter& operator=(const TAviWriter&) = delete;

    // The next frame; another size is scaled to the file's.
    void AddFrame(TBitmap& frame);
    // Writes the indexes and the final sizes.
    void Close();
    int FrameCount() const { return frames_; }
    const TAviFrameFormat& FrameFormat() const { return format_; }

    // The size at which a segment ends (1 GB); tests lower it.
    static void SetSegmentLimit(std::int64_t bytes);
    static std::int64_t SegmentLimit();

private:
    struct Entry {
        std::int64_t dataPos;  // where the frame's bytes start
        std::uint32_t size;
    };
    void writeHeaders();
    void startSegment();
    void endSegment();
    void writeChunk(const void* data, std::uint32_t size);
    // A 32-bit field written earlier (the position is left behind it).
    void patch(std::int64_t at, std::uint32_t value);
    void encode(TBitmap& frame, std::vector<Byte>& out) const;

    std::unique_ptr<TStream> file_;
    TAviFrameFormat format_;
    int frameDuration_;
    int quality_;
    std::uint32_t chunkId_;
    int frames_ = 0;
    std::uint32_t maxChunk_ = 0;
    // Positions to patch and the segments written so far.
    std::int64_t riffPos_ = 0, moviPos_ = 0;
    std::int64_t avihPos_ = 0, strhPos_ = 0, indxPos_ = 0, dmlhPos_ = 0;
    std::vector<Entry> segment_;
    struct Segment {
        std::int64_t indexPos;
        std::uint32_t indexSize, frames;
    };
    std::vector<Segment> segments_;
    int firstSegmentFrames_ = 0;
    bool closed_ = false;
};

class TAviReader {
public:
    // Opens the file and finds its first video stream: EAviError AVIERR_FILEOPEN when the file
    // cannot be opened, AVIERR_BADFORMAT when it is no AVI file, AVIERR_NODATA without a video
    // stream.
    explicit TAviReader(const String& fileName);
    ~TAviReader();
    TAviReader(const TAviReader&) = delete;
    TAviReader& operator=(const TAviReader&) = delete;

    const TAviFrameFormat& FrameFormat() const { return format_; }
    std::uint32_t Handler() const { return handler_; }
    int Scale() const { return scale_; }
    int Rate() const { return rate_; }
    int Start() const { return start_; }
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    // Uncompressed 24 or 32 bits per pixel, or Motion JPEG.
    bool CanDecode() const;
    // The frame into bitmap (32 bits per pixel, the frame's size); false when it cannot be read or
    // decoded. An empty frame (a dropped one) leaves the bitmap as it was.
    bool ReadFrame(int index, TBitmap& bitmap);

private:
    struct Frame {
        std::int64_t pos;
        std::uint32_t size;
    };
    void readHeaders(std::int64_t end);
    void scanMovie(std::int64_t pos, std::int64_t end);

    std::unique_ptr<TStream> file_;
    TAviFrameFormat format_;
    std::uint32_t handler_ = 0;
    int scale_ = 0, rate_ = 0, start_ = 0;
    int videoStream_ = -1;
    std::uint32_t idDb_ = 0, idDc_ = 0;
    std::vector<Frame> frames_;
};
