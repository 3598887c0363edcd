#include "chart/io/AviFile.h"

#include <algorithm>

#include "chart/canvas/GDIPlusCanvas.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Images.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

namespace {

std::int64_t segmentLimit = std::int64_t(1) << 30;

// Entries of the super index in the header; each covers one segment.
constexpr int superIndexEntries = 256;
constexpr std::uint32_t AVIF_HASINDEX = 0x10;
constexpr std::uint32_t AVIIF_KEYFRAME = 0x10;

// Little-endian bytes for the headers.
class TBytes {
public:
    void u8(std::uint8_t v) { data.push_back(v); }
    void u16(std::uint16_t v)
    {
        u8(static_cast<std::uint8_t>(v));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void u64(std::uint64_t v)
    {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }
    void zeros(size_t n) { data.insert(data.end(), n, 0); }
    std::vector<Byte> data;
};

std::uint32_t rd32(const Byte* p)
{
    return p[0] | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16 |
           static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t rd16(const Byte* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

const std::uint32_t RIFF = FourCC("RIFF"), LIST = FourCC("LIST");

std::uint32_t TwoDigitId(int stream, const char* kind)
{
    const char id[5] = {static_cast<char>('0' + stream / 10 % 10), static_cast<char>('0' + stream % 10), kind[0],
                        kind[1], 0};
    return FourCC(id);
}

// Bottom row first, blue, green, red, alpha (opaque: players that honour alpha show the chart).
void BottomUpRows(TBitmap& frame, std::vector<Byte>& out)
{
    const int w = frame.Width(), h = frame.Height();
    out.resize(static_cast<size_t>(w) * h * 4);
    Byte* dst = out.data();
    for (int y = h - 1; y >= 0; --y) {
        const Byte* src = frame.ScanLine(y);
        for (int x = 0; x < w; ++x, dst += 4, src += 4) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            dst[3] = 0xFF;
        }
    }
}

}  // namespace

EAviError::EAviError(std::uint32_t result)
    : Exception("AVI Error: " + IntToHex(static_cast<Int64>(result), 8)), result_(result)
{
}

std::uint32_t FourCC(const char (&code)[5]) { return StringToFourCC(code); }

String FourCCText(std::uint32_t code)
{
    String text;
    for (int i = 0; i < 4; ++i) text += static_cast<char>((code >> (8 * i)) & 0xFF);
    return text;
}

std::uint32_t StringToFourCC(const String& text)
{
    std::uint32_t code = 0;
    for (int i = 0; i < 4; ++i) {
        const auto c = static_cast<Byte>(i < static_cast<int>(text.size()) ? text[static_cast<size_t>(i)] : ' ');
        code |= static_cast<std::uint32_t>(c) << (8 * i);
    }
    return code;
}

// ---- writer ----

void TAviWriter::SetSegmentLimit(std::int64_t bytes) { segmentLimit = bytes; }
std::int64_t TAviWriter::SegmentLimit() { return segmentLimit; }

TAviWriter::TAviWriter(const String& fileName, int width, int height, int frameDuration, std::uint32_t compression,
                       int quality)
    : frameDuration_(std::max(1, frameDuration)), quality_(std::clamp(quality, 0, 10000))
{
    format_.Width = std::max(1, width);
    format_.Height = std::max(1, height);
    format_.Compression = compression;
    format_.BitCount = compression ? 24 : 32;
    format_.SizeImage = compression ? static_cast<std::uint32_t>(format_.Width * format_.Height * 3) : 0;
    chunkId_ = TwoDigitId(0, compression ? "dc" : "db");
    try {
        file_ = std::make_unique<TFileStream>(fileName, fmCreate);
    } catch (const Exception&) {
        throw EAviError(AVIERR_FILEOPEN);
    }
    writeHeaders();
    startSegment();
}

TAviWriter::~TAviWriter()
{
    try {
        Close();
    } catch (const Exception&) {
    }
}

void TAviWriter::writeHeaders()
{
    TBytes b;
    b.u32(RIFF), b.u32(0), b.u32(FourCC("AVI "));
    const size_t hdrl = b.data.size();
    b.u32(LIST), b.u32(0), b.u32(FourCC("hdrl"));
    avihPos_ = static_cast<std::int64_t>(b.data.size());
    b.u32(FourCC("avih")), b.u32(56);
    b.u32(static_cast<std::uint32_t>(frameDuration_) * 1000);  // microseconds per frame
    b.u32(0);                                                  // bytes per second, patched
    b.u32(0);                                                  // padding granularity
    b.u32(AVIF_HASINDEX);
    b.u32(0);  // frames of the first segment, patched
    b.u32(0);  // initial frames
    b.u32(1);  // streams
    b.u32(0);  // suggested buffer size, patched
    b.u32(static_cast<std::uint32_t>(format_.Width)), b.u32(static_cast<std::uint32_t>(format_.Height));
    b.zeros(16);
    const size_t strl = b.data.size();
    b.u32(LIST), b.u32(0), b.u32(FourCC("strl"));
    strhPos_ = static_cast<std::int64_t>(b.data.size());
    b.u32(FourCC("strh")), b.u32(56);
    b.u32(FourCC("vids")), b.u32(format_.Compression);
    b.u32(0);           // flags
    b.u16(0), b.u16(0);  // priority, language
    b.u32(0);           // initial frames
    b.u32(static_cast<std::uint32_t>(frameDuration_)), b.u32(1000);  // scale, rate
    b.u32(0);                                                       // start
    b.u32(0);                                                       // length, patched
    b.u32(0);                                                       // suggested buffer size, patched
    b.u32(static_cast<std::uint32_t>(quality_));
    b.u32(0);  // sample size: frames vary
    b.u16(0), b.u16(0), b.u16(static_cast<std::uint16_t>(format_.Width)), b.u16(static_cast<std::uint16_t>(format_.Height));
    b.u32(FourCC("strf")), b.u32(40);
    b.u32(40), b.u32(static_cast<std::uint32_t>(format_.Width)), b.u32(static_cast<std::uint32_t>(format_.Height));
    b.u16(1), b.u16(format_.BitCount);
    b.u32(format_.Compression), b.u32(format_.SizeImage);
    b.u32(static_cast<std::uint32_t>(format_.XPelsPerMeter)), b.u32(static_cast<std::uint32_t>(format_.YPelsPerMeter));
    b.u32(0), b.u32(0);
    indxPos_ = static_cast<std::int64_t>(b.data.size());
    b.u32(FourCC("indx")), b.u32(24 + 16 * superIndexEntries);
    b.u16(4), b.u8(0), b.u8(0);  // longs per entry, sub type, index of indexes
    b.u32(0);                    // entries in use, patched
    b.u32(chunkId_);
    b.zeros(12 + 16 * superIndexEntries);
    // A list's size: all that follows its size field up to here.
    auto closeList = [&](size_t at) {
        const auto size = static_cast<std::uint32_t>(b.data.size() - at - 8);
        for (int i = 0; i < 4; ++i) b.data[at + 4 + static_cast<size_t>(i)] = static_cast<Byte>(size >> (8 * i));
    };
    closeList(strl);
    b.u32(LIST), b.u32(4 + 8 + 248), b.u32(FourCC("odml"));
    dmlhPos_ = static_cast<std::int64_t>(b.data.size());
    b.u32(FourCC("dmlh")), b.u32(248);
    b.zeros(248);
    closeList(hdrl);
    file_->WriteBuffer(b.data.data(), static_cast<std::int64_t>(b.data.size()));
}

void TAviWriter::patch(std::int64_t at, std::uint32_t value)
{
    TBytes b;
    b.u32(value);
    file_->SetPosition(at);
    file_->WriteBuffer(b.data.data(), 4);
}

void TAviWriter::startSegment()
{
    TBytes b;
    if (segments_.empty()) {
        riffPos_ = 0;  // the first segment is the file's own RIFF list, opened with the headers
    } else {
        riffPos_ = file_->Position();
        b.u32(RIFF), b.u32(0), b.u32(FourCC("AVIX"));
    }
    moviPos_ = file_->Position() + static_cast<std::int64_t>(b.data.size());
    b.u32(LIST), b.u32(0), b.u32(FourCC("movi"));
    file_->WriteBuffer(b.data.data(), static_cast<std::int64_t>(b.data.size()));
    segment_.clear();
}

void TAviWriter::endSegment()
{
    if (segments_.size() >= superIndexEntries) throw EAviError(AVIERR_FILEWRITE);
    // The segment's chunk index, inside its movie list.
    TBytes ix;
    ix.u32(FourCC("ix00")), ix.u32(static_cast<std::uint32_t>(24 + 8 * segment_.size()));
    ix.u16(2), ix.u8(0), ix.u8(1);  // longs per entry, sub type, index of chunks
    ix.u32(static_cast<std::uint32_t>(segment_.size()));
    ix.u32(chunkId_);
    ix.u64(static_cast<std::uint64_t>(riffPos_));
    ix.u32(0);
    for (const Entry& e : segment_) ix.u32(static_cast<std::uint32_t>(e.dataPos - riffPos_)), ix.u32(e.size);
    const std::int64_t ixPos = file_->Position();
    file_->WriteBuffer(ix.data.data(), static_cast<std::int64_t>(ix.data.size()));
    segments_.push_back({ixPos, static_cast<std::uint32_t>(ix.data.size()), static_cast<std::uint32_t>(segment_.size())});
    const std::int64_t moviEnd = file_->Position();
    patch(moviPos_ + 4, static_cast<std::uint32_t>(moviEnd - moviPos_ - 8));
    file_->SetPosition(moviEnd);
    if (segments_.size() == 1) {
        // The classic index of the first segment, offsets from the movie list's type.
        TBytes idx;
        idx.u32(FourCC("idx1")), idx.u32(static_cast<std::uint32_t>(16 * segment_.size()));
        for (const Entry& e : segment_) {
            idx.u32(chunkId_), idx.u32(AVIIF_KEYFRAME);
            idx.u32(static_cast<std::uint32_t>(e.dataPos - 8 - (moviPos_ + 8))), idx.u32(e.size);
        }
        file_->WriteBuffer(idx.data.data(), static_cast<std::int64_t>(idx.data.size()));
        firstSegmentFrames_ = static_cast<int>(segment_.size());
    }
    const std::int64_t end = file_->Position();
    patch(riffPos_ + 4, static_cast<std::uint32_t>(end - riffPos_ - 8));
    file_->SetPosition(end);
}

void TAviWriter::writeChunk(const void* data, std::uint32_t size)
{
    // The segment with this frame and its indexes must stay within the limit.
    const auto count = static_cast<std::int64_t>(segment_.size()) + 1;
    const std::int64_t projected = file_->Position() - riffPos_ + 8 + size + (size & 1) + 32 + 8 * count +
                                   (segments_.empty() ? 8 + 16 * count : 0);
    if (!segment_.empty() && projected > segmentLimit) {
        endSegment();
        startSegment();
    }
    TBytes head;
    head.u32(chunkId_), head.u32(size);
    file_->WriteBuffer(head.data.data(), 8);
    const std::int64_t dataPos = file_->Position();
    file_->WriteBuffer(data, size);
    if (size & 1) {
        const Byte pad = 0;
        file_->WriteBuffer(&pad, 1);
    }
    segment_.push_back({dataPos, size});
    maxChunk_ = std::max(maxChunk_, size);
}

void TAviWriter::encode(TBitmap& frame, std::vector<Byte>& out) const
{
    if (!format_.Compression) {
        BottomUpRows(frame, out);
        return;
    }
    TJPEGImage jpeg;
    jpeg.Assign(&frame);
    jpeg.SetCompressionQuality(std::clamp(quality_ / 100, 1, 100));
    jpeg.Compress();
    TMemoryStream stream;
    jpeg.SaveToStream(stream);
    out.assign(stream.Memory(), stream.Memory() + stream.Size());
}

void TAviWriter::AddFrame(TBitmap& frame)
{
    if (closed_) return;
    TBitmap* source = &frame;
    TBitmap scaled;
    if (frame.Width() != format_.Width || frame.Height() != format_.Height) {
        // A chart resized while recording: the file keeps the size of its first frame.
        scaled.SetPixelFormat(pf32bit);
        scaled.SetSize(format_.Width, format_.Height);
        TGDIPlusCanvas::StretchBitmapSmooth(frame, scaled);
        source = &scaled;
    }
    TBitmap converted;
    if (source->PixelFormat() != pf32bit) {
        converted.Assign(source);
        converted.SetPixelFormat(pf32bit);
        source = &converted;
    }
    std::vector<Byte> bytes;
    encode(*source, bytes);
    try {
        writeChunk(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    } catch (const EAviError&) {
        throw;
    } catch (const Exception&) {
        throw EAviError(AVIERR_FILEWRITE);
    }
    ++frames_;
}

void TAviWriter::Close()
{
    if (closed_) return;
    closed_ = true;
    try {
        endSegment();
        const auto frames = static_cast<std::uint32_t>(frames_);
        patch(avihPos_ + 8 + 4, static_cast<std::uint32_t>(std::min<std::int64_t>(
                                      0xFFFFFFFF, std::int64_t(maxChunk_) * 1000 / frameDuration_)));
        patch(avihPos_ + 8 + 16, static_cast<std::uint32_t>(firstSegmentFrames_));
        patch(avihPos_ + 8 + 28, maxChunk_ + 8);
        patch(strhPos_ + 8 + 32, frames);
        patch(strhPos_ + 8 + 36, maxChunk_ + 8);
        patch(dmlhPos_ + 8, frames);
        patch(indxPos_ + 8 + 4, static_cast<std::uint32_t>(segments_.size()));
        TBytes entries;
        for (const Segment& s : segments_) entries.u64(static_cast<std::uint64_t>(s.indexPos)), entries.u32(s.indexSize), entries.u32(s.frames);
        file_->SetPosition(indxPos_ + 8 + 24);
        file_->WriteBuffer(entries.data.data(), static_cast<std::int64_t>(entries.data.size()));
    } catch (const EAviError&) {
        file_.reset();
        throw;
    } catch (const Exception&) {
        file_.reset();
        throw EAviError(AVIERR_FILEWRITE);
    }
    file_.reset();
}

// ---- reader ----

TAviReader::TAviReader(const String& fileName)
{
    try {
        file_ = std::make_unique<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite);
    } catch (const Exception&) {
        throw EAviError(AVIERR_FILEOPEN);
    }
    const std::int64_t size = file_->Size();
    std::int64_t pos = 0;
    bool first = true;
    try {
        while (pos + 12 <= size) {
            Byte head[12];
            file_->SetPosition(pos);
            file_->ReadBuffer(head, 12);
            const std::uint32_t id = rd32(head), type = rd32(head + 8);
            const std::int64_t end = std::min<std::int64_t>(size, pos + 8 + rd32(head + 4));
            if (id != RIFF || (first && type != FourCC("AVI ")) || (!first && type != FourCC("AVIX"))) {
                if (first) throw EAviError(AVIERR_BADFORMAT);
                break;  // whatever follows the segments is no video
            }
            // The lists of a segment: headers in the first, movie data in every one.
            std::int64_t at = pos + 12;
            while (at + 8 <= end) {
                Byte chunk[12];
                file_->SetPosition(at);
                file_->ReadBuffer(chunk, at + 12 <= end ? 12 : 8);
                const std::uint32_t ckId = rd32(chunk), ckSize = rd32(chunk + 4);
                const std::int64_t ckEnd = std::min<std::int64_t>(end, at + 8 + ckSize);
                if (ckId == LIST && at + 12 <= end) {
                    const std::uint32_t listType = rd32(chunk + 8);
                    if (listType == FourCC("hdrl") && first) readHeaders(ckEnd);
                    if (listType == FourCC("movi")) scanMovie(at + 12, ckEnd);
                }
                at = ckEnd + (ckSize & 1);
            }
            first = false;
            pos = end + (end & 1);
        }
    } catch (const EAviError&) {
        throw;
    } catch (const Exception&) {
        throw EAviError(AVIERR_FILEREAD);
    }
    if (first) throw EAviError(AVIERR_BADFORMAT);
    if (videoStream_ < 0) throw EAviError(AVIERR_NODATA);
}

TAviReader::~TAviReader() = default;

void TAviReader::readHeaders(std::int64_t end)
{
    std::int64_t at = file_->Position();
    int stream = 0;
    while (at + 12 <= end) {
        Byte head[12];
        file_->SetPosition(at);
        file_->ReadBuffer(head, 12);
        const std::uint32_t size = rd32(head + 4);
        const std::int64_t listEnd = std::min<std::int64_t>(end, at + 8 + size);
        if (rd32(head) == LIST && rd32(head + 8) == FourCC("strl")) {
            // strh, then strf, of this stream.
            std::int64_t c = at + 12;
            bool video = false;
            while (c + 8 <= listEnd) {
                Byte ck[8];
                file_->SetPosition(c);
                file_->ReadBuffer(ck, 8);
                const std::uint32_t ckSize = rd32(ck + 4);
                std::vector<Byte> body(std::min<std::int64_t>(ckSize, listEnd - c - 8));
                file_->ReadBuffer(body.data(), static_cast<std::int64_t>(body.size()));
                if (rd32(ck) == FourCC("strh") && body.size() >= 48 && videoStream_ < 0) {
                    video = rd32(body.data()) == FourCC("vids");
                    if (video) {
                        handler_ = rd32(body.data() + 4);
                        scale_ = static_cast<int>(rd32(body.data() + 20));
                        rate_ = static_cast<int>(rd32(body.data() + 24));
                        start_ = static_cast<int>(rd32(body.data() + 28));
                    }
                } else if (rd32(ck) == FourCC("strf") && video && body.size() >= 40) {
                    const Byte* h = body.data();
                    format_.Width = static_cast<std::int32_t>(rd32(h + 4));
                    format_.Height = static_cast<std::int32_t>(rd32(h + 8));
                    format_.BitCount = rd16(h + 14);
                    format_.Compression = rd32(h + 16);
                    format_.SizeImage = rd32(h + 20);
                    format_.XPelsPerMeter = static_cast<std::int32_t>(rd32(h + 24));
                    format_.YPelsPerMeter = static_cast<std::int32_t>(rd32(h + 28));
                    videoStream_ = stream;
                    idDb_ = TwoDigitId(stream, "db");
                    idDc_ = TwoDigitId(stream, "dc");
                }
                c += 8 + ckSize + (ckSize & 1);
            }
            ++stream;
        }
        at = listEnd + (size & 1);
    }
}

void TAviReader::scanMovie(std::int64_t pos, std::int64_t end)
{
    if (videoStream_ < 0) return;
    while (pos + 8 <= end) {
        Byte head[12];
        file_->SetPosition(pos);
        file_->ReadBuffer(head, 8);
        const std::uint32_t id = rd32(head), size = rd32(head + 4);
        if (pos + 8 + size > end) break;  // cut short: the frames before it still play
        if (id == LIST) {
            scanMovie(pos + 12, pos + 8 + size);  // a "rec " group
        } else if (id == idDb_ || id == idDc_) {
            frames_.push_back({pos + 8, size});
        }
        pos += 8 + size + (size & 1);
    }
}

bool TAviReader::CanDecode() const
{
    if (format_.Width <= 0 || format_.Height == 0) return false;
    if (format_.Compression == 0) return format_.BitCount == 24 || format_.BitCount == 32;
    return UpperCase(FourCCText(format_.Compression)) == "MJPG";
}

bool TAviReader::ReadFrame(int index, TBitmap& bitmap)
{
    if (index < 0 || index >= FrameCount() || !CanDecode()) return false;
    const Frame& frame = frames_[static_cast<size_t>(index)];
    if (frame.size == 0) return true;
    std::vector<Byte> bytes(frame.size);
    try {
        file_->SetPosition(frame.pos);
        file_->ReadBuffer(bytes.data(), frame.size);
    } catch (const Exception&) {
        return false;
    }
    const int w = format_.Width, h = std::abs(format_.Height);
    if (format_.Compression == 0) {
        const int bytesPerPixel = format_.BitCount / 8;
        const size_t stride = (static_cast<size_t>(w) * bytesPerPixel + 3) & ~size_t(3);
        if (bytes.size() < stride * h) return false;
        bitmap.SetPixelFormat(pf32bit);
        bitmap.SetSize(w, h);
        for (int row = 0; row < h; ++row) {
            const Byte* src = bytes.data() + stride * row;
            Byte* dst = bitmap.ScanLine(format_.Height > 0 ? h - 1 - row : row);
            for (int x = 0; x < w; ++x, src += bytesPerPixel, dst += 4) {
                dst[0] = src[0];
                dst[1] = src[1];
                dst[2] = src[2];
                dst[3] = 0xFF;
            }
        }
        bitmap.ImageChanged();
        return true;
    }
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    TJPEGImage jpeg;
    try {
        jpeg.LoadFromStream(stream);
    } catch (const Exception&) {
        return false;
    }
    bitmap.Assign(jpeg.Bitmap());
    bitmap.SetPixelFormat(pf32bit);
    return true;
}
