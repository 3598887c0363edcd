// The stored points of a series. Every count and length in the data is checked against the bytes
// left before it is used, so corrupt or hostile data is a read error that allocates nothing from it.
#include "chart/core/SeriesData.h"

#include <bit>
#include <cstring>
#include <vector>

#include "chart/canvas/ZebPicture.h"
#include "chart/core/MarkPositions.h"
#include "chart/core/PictureComponent.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"

static_assert(std::endian::native == std::endian::little, "stored point data is little-endian");

namespace {

// Fields gathered in memory and handed to the stream in one piece (before a nested component
// stream and at the end), so a million points cost a few large writes.
class TBlobWriter {
public:
    explicit TBlobWriter(TStream& stream) : stream_(stream) {}
    template <class T>
    void put(T value)
    {
        const size_t at = bytes_.size();
        bytes_.resize(at + sizeof value);
        std::memcpy(bytes_.data() + at, &value, sizeof value);
    }
    void putBytes(const String& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
    void flush()
    {
        if (!bytes_.empty()) stream_.WriteBuffer(bytes_.data(), static_cast<std::int64_t>(bytes_.size()));
        bytes_.clear();
    }
    TStream& Stream() { return stream_; }

private:
    TStream& stream_;
    std::vector<Byte> bytes_;
};

class TBlobReader {
public:
    explicit TBlobReader(TStream& stream) : stream_(stream) {}
    std::int64_t remaining() { return stream_.Remaining(); }
    template <class T>
    T get()
    {
        need(sizeof(T));
        T value;
        stream_.ReadBuffer(&value, sizeof value);
        return value;
    }
    String getBytes(std::int64_t n)
    {
        need(n);
        String text(static_cast<size_t>(n), '\0');
        if (n > 0) stream_.ReadBuffer(text.data(), n);
        return text;
    }
    void need(std::int64_t n)
    {
        if (n < 0 || remaining() < n) throw EReadError("Stored point data ends early");
    }
    TStream& Stream() { return stream_; }

private:
    TStream& stream_;
};

void writeMarkPosition(TBlobWriter& out, const TSeriesMarkPosition* p)
{
    static const TSeriesMarkPosition none;
    if (!p) p = &none;
    out.put<std::int32_t>(p->ArrowFrom.X);
    out.put<std::int32_t>(p->ArrowFrom.Y);
    out.put<std::uint8_t>(p->ArrowFix ? 1 : 0);
    out.put<std::int32_t>(p->ArrowTo.X);
    out.put<std::int32_t>(p->ArrowTo.Y);
    out.put<std::uint8_t>(p->Custom ? 1 : 0);
    out.put<std::int32_t>(p->Height);
    out.put<std::int32_t>(p->LeftTop.X);
    out.put<std::int32_t>(p->LeftTop.Y);
    out.put<std::int32_t>(p->Width);
}

TSeriesMarkPosition readMarkPosition(TBlobReader& in)
{
    in.need(StoredMarkPositionSize);
    TSeriesMarkPosition p;
    p.ArrowFrom.X = in.get<std::int32_t>();
    p.ArrowFrom.Y = in.get<std::int32_t>();
    p.ArrowFix = in.get<std::uint8_t>() != 0;
    p.ArrowTo.X = in.get<std::int32_t>();
    p.ArrowTo.Y = in.get<std::int32_t>();
    p.Custom = in.get<std::uint8_t>() != 0;
    p.Height = in.get<std::int32_t>();
    p.LeftTop.X = in.get<std::int32_t>();
    p.LeftTop.Y = in.get<std::int32_t>();
    p.Width = in.get<std::int32_t>();
    return p;
}

void writeLabel(TBlobWriter& out, const String& label)
{
    if (label.size() < 255) {
        out.put<std::uint8_t>(static_cast<std::uint8_t>(label.size()));
    } else {
        out.put<std::uint8_t>(0xFF);
        out.put<std::int32_t>(static_cast<std::int32_t>(label.size()));
    }
    out.putBytes(label);
}

String readLabel(TBlobReader& in)
{
    std::int64_t length = in.get<std::uint8_t>();
    if (length == 0xFF) {
        length = in.get<std::int32_t>();
        if (length < 0) throw EReadError(Format("Stored label length %d is negative", {length}));
    }
    if (length > in.remaining()) throw EReadError(Format("Stored label length %d exceeds the data", {length}));
    return in.getBytes(length);
}

// The fewest bytes one point takes under flags.
std::int64_t minimumPointSize(std::uint8_t flags, int extraLists)
{
    std::int64_t size = 8 + 8 * static_cast<std::int64_t>(extraLists);
    if (flags & sdfXValues) size += 8;
    if (flags & sdfColors) size += 4;
    if (flags & sdfLabels) size += 1;
    if (flags & sdfMarkPositions) size += StoredMarkPositionSize;
    if (flags & sdfPictures) size += 1;
    return size;
}

// The class a nested component stream names, read without moving the stream.
String peekComponentClass(TStream& stream)
{
    const std::int64_t start = stream.Position();
    String className;
    try {
        TReader reader(stream, 64);
        reader.ReadSignature();
        TFilerFlags flags;
        int position = 0;
        reader.ReadPrefix(flags, position);
        className = reader.ReadStr();
    } catch (...) {
        stream.SetPosition(start);
        throw;
    }
    stream.SetPosition(start);
    return className;
}

// Smallest nested component stream: signature, class and name, two list ends.
constexpr std::int64_t MinimumComponentSize = 4 + 2 + 1 + 2;

}  // namespace

std::uint8_t StoredDataFlags(const TChartSeries& series)
{
    std::uint8_t flags = 0;
    if (XValuesNeedStoring(series)) flags |= sdfXValues;
    if (HasOwnColors(series)) flags |= sdfColors;
    if (HasAnyLabel(series)) flags |= sdfLabels;
    if (const TSeriesMarks* marks = series.MarksOrNull(); marks && marks->Positions().HasCustom())
        flags |= sdfMarkPositions;
    if (const TZebPictureList* pictures = series.PicturesOrNull(); pictures && pictures->Count() > 0)
        flags |= sdfPictures;
    return flags;
}

bool TChartSeries::IsDataStored() const
{
    return dataMark_ == dmForceData || (dataMark_ == dmNone && manualData_);
}

void TChartSeries::WriteDataBinary(TStream& stream)
{
    const std::uint8_t flags = StoredDataFlags(*this);
    const int n = Count();
    TBlobWriter out(stream);
    out.put<std::uint8_t>(flags);
    out.put<std::int32_t>(n);
    const TChartValueList* independent = IndependentValueList();
    const TChartValueList* mandatory = MandatoryValueList();
    const TSeriesMarks* marks = MarksOrNull();
    for (int i = 0; i < n; ++i) {
        if (flags & sdfXValues) out.put<double>(independent->ValueAt(i));
        out.put<double>(mandatory->ValueAt(i));
        if (flags & sdfColors) out.put<std::int32_t>(static_cast<std::int32_t>(GetStoredColor(i)));
        if (flags & sdfLabels) writeLabel(out, GetLabelAt(i));
        for (int k = 2; k < valueLists_.Count(); ++k) out.put<double>(valueLists_.ValueListAt(k)->ValueAt(i));
        // A point without a position writes an empty record and gets none: saving leaves the
        // marks as they were.
        if (flags & sdfMarkPositions) writeMarkPosition(out, marks ? marks->Positions().PositionAt(i) : nullptr);
        if (flags & sdfPictures) {
            TZebPicture* picture = pictures_->PictureAt(i);
            out.put<std::uint8_t>(picture ? 1 : 0);
            if (picture) {
                out.flush();
                TOwnedPtr<TZebPictureComponent> holder(new TZebPictureComponent(nullptr));
                holder->SetPicture(picture);
                WriteComponentToStream(out.Stream(), holder.get());
            }
        }
    }
    out.flush();
}

void TChartSeries::ReadDataBinary(TStream& stream)
{
    RemoveAllPoints();
    TBlobReader in(stream);
    const std::uint8_t flags = in.get<std::uint8_t>();
    if (flags & 0xE0) throw EReadError(Format("Stored point data has unknown flags %d", {int(flags)}));
    const std::int32_t n = in.get<std::int32_t>();
    const int extraLists = valueLists_.Count() - 2;
    if (n < 0 || n > in.remaining() / minimumPointSize(flags, extraLists))
        throw EReadError(Format("Stored point count %d does not fit the data", {n}));
    const bool horizontal = MandatoryValueList() != yValues_;
    if (flags & sdfPictures) Pictures();
    // One record per point kept, at the point's index; given to the marks also when reading fails.
    std::vector<TSeriesMarkPosition> positions;
    struct TFinish {
        TChartSeries& series;
        std::vector<TSeriesMarkPosition>& positions;
        ~TFinish()
        {
            if (!positions.empty()) {
                TSeriesMarksPositions& stored = series.Marks().Positions();
                for (size_t j = 0; j < positions.size(); ++j) stored.Ensure(static_cast<int>(j)) = positions[j];
            }
            series.EndPointUpdate();
            series.manualData_ = true;
        }
    };
    BeginPointUpdate();
    TFinish finish{*this, positions};
    for (std::int32_t i = 0; i < n; ++i) {
        double first = (flags & sdfXValues) ? in.get<double>() : static_cast<double>(i);
        double second = in.get<double>();
        if (horizontal) std::swap(first, second);
        const TColor color = (flags & sdfColors) ? static_cast<TColor>(in.get<std::int32_t>()) : clAutomatic;
        const String label = (flags & sdfLabels) ? readLabel(in) : String();
        for (int k = 2; k < valueLists_.Count(); ++k) valueLists_.ValueListAt(k)->SetPendingValue(in.get<double>());
        // A refused point (-1) still has its record and picture read, so reading stays in step.
        const int index = InsertXY(first, second, label, color);
        if (flags & sdfMarkPositions) {
            TSeriesMarkPosition position = readMarkPosition(in);
            if (index >= 0) positions.insert(positions.begin() + index, position);
        }
        if ((flags & sdfPictures) && in.get<std::uint8_t>() == 1) {
            TOwnedPtr<TZebPictureComponent> holder(new TZebPictureComponent(nullptr));
            ReadComponentFromStream(in.Stream(), holder.get());
            if (index >= 0) Pictures().EnsurePicture(index)->Assign(holder->Picture());
        }
    }
}

void TChartSeries::defineDataProperties(TFiler& filer)
{
    bool store = false;
    // Deciding means writing the points: only a writer asks.
    if (dynamic_cast<TWriter*>(&filer) && IsDataStored()) {
        store = true;
        if (auto* ancestor = dynamic_cast<TChartSeries*>(filer.Ancestor())) {
            TMemoryStream mine, theirs;
            WriteDataBinary(mine);
            ancestor->WriteDataBinary(theirs);
            store = mine.Size() != theirs.Size() ||
                    (mine.Size() > 0 && std::memcmp(mine.Memory(), theirs.Memory(), static_cast<size_t>(mine.Size())) != 0);
        }
    }
    filer.DefineBinaryProperty(
        "Data", [this](TStream& stream) { ReadDataBinary(stream); }, [this](TStream& stream) { WriteDataBinary(stream); },
        store);
    filer.DefineBinaryProperty(
        "Detail", [this](TStream& stream) { ReadSeriesDetail(*this, stream); },
        [this](TStream& stream) { WriteSeriesDetail(*this, stream); }, store && detail_);
}

// ---- sub-series ----

void WriteSeriesDetail(const TChartSeries& series, TStream& stream)
{
    const TSeriesDetail* detail = series.DetailOrNull();
    std::vector<TChartSeries*> subs;
    if (detail)
        for (TChartSeries* sub : *detail)
            if (sub) subs.push_back(sub);
    TBlobWriter out(stream);
    out.put<std::uint8_t>(static_cast<std::uint8_t>(detail ? detail->Aggregate() : daSum));
    out.put<std::int32_t>(static_cast<std::int32_t>(subs.size()));
    out.flush();
    for (TChartSeries* sub : subs) WriteComponentToStream(stream, sub);
}

void ReadSeriesDetail(TChartSeries& series, TStream& stream)
{
    TSeriesDetail& detail = series.Detail();
    detail.DeleteRange(0, detail.Count());
    TBlobReader in(stream);
    const std::uint8_t aggregate = in.get<std::uint8_t>();
    if (aggregate > daMax) throw EReadError(Format("Stored detail aggregate %d is unknown", {int(aggregate)}));
    const std::int32_t m = in.get<std::int32_t>();
    if (m < 0 || m > in.remaining() / MinimumComponentSize)
        throw EReadError(Format("Stored detail count %d does not fit the data", {m}));
    detail.SetAggregate(static_cast<TSeriesDetailAggregate>(aggregate));
    for (std::int32_t j = 0; j < m; ++j) {
        const String className = peekComponentClass(stream);
        const TClass cls = FindClassOf(className, TChartSeries::StaticClass());
        if (!cls || !cls->CanCreate())
            throw EReadError(Format("Stored detail class %s is not a registered series class", {className}));
        TOwnedPtr<TChartSeries> sub(static_cast<TChartSeries*>(cls->CreateComponent(&series)));
        ReadComponentFromStream(stream, sub.get());
        detail.AppendSeries(sub.release());
    }
}
