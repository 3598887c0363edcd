#include "chart/io/ChartFile.h"

#include <memory>
#include <vector>

#include "chart/core/ChartException.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/FormTextToXml.h"
#include "chart/core/SeriesData.h"
#include "chart/core/UnitStarts.h"
#include "chart/core/ZebConst.h"
#include "chart/io/FileReplace.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"

namespace {

constexpr int FilerBufferSize = 4096;

// The first bytes of the stream without moving it; fewer when the stream is shorter.
String peekBytes(TStream& stream, int count)
{
    const std::int64_t position = stream.Position();
    String bytes(static_cast<std::size_t>(count), '\0');
    bytes.resize(static_cast<std::size_t>(stream.Read(bytes.data(), count)));
    stream.SetPosition(position);
    return bytes;
}

void checkChartStream(TStream& stream)
{
    if (!IsChartStream(stream)) throw ChartException(TxtWrongZebFileFormat);
}

// Gives the component its name back on every way out.
class TBlankName {
public:
    explicit TBlankName(TComponent* component) : component_(component->IsDesigning() ? nullptr : component)
    {
        if (!component_) return;
        saved_ = component_->Name();
        component_->SetName({});
    }
    ~TBlankName()
    {
        if (component_) component_->SetName(saved_);
    }
    TBlankName(const TBlankName&) = delete;
    TBlankName& operator=(const TBlankName&) = delete;

private:
    TComponent* component_;
    String saved_;
};

// The chart lists what a chart file holds while it is written, whatever way the write ends.
class TChartFileChildren {
public:
    explicit TChartFileChildren(TComponent* component) : chart_(dynamic_cast<TCustomChart*>(component))
    {
        if (chart_) chart_->SetWritingChartFile(true);
    }
    ~TChartFileChildren()
    {
        if (chart_) chart_->SetWritingChartFile(false);
    }
    TChartFileChildren(const TChartFileChildren&) = delete;
    TChartFileChildren& operator=(const TChartFileChildren&) = delete;

private:
    TCustomChart* chart_;
};


// Auto-repaint off while a chart loads; on again and the chart repainted however the load ends.
class TLoadRepaint {
public:
    explicit TLoadRepaint(TCustomChart& chart) : chart_(chart) { chart_.SetAutoRepaint(false); }
    ~TLoadRepaint()
    {
        chart_.SetAutoRepaint(true);
        chart_.Invalidate();
    }
    TLoadRepaint(const TLoadRepaint&) = delete;
    TLoadRepaint& operator=(const TLoadRepaint&) = delete;

private:
    TCustomChart& chart_;
};

TUnitStarts chartFileStarts;

void readChartContents(TCustomChart& chart, TStream& stream, bool readData, const TChartReadErrorHook& hook);

}  // namespace

// ---- reader ----

TChartReader::TChartReader(TStream& stream, int bufSize, TChartReadErrorHook hook)
    : TReader(stream, bufSize), hook_(std::move(hook))
{
}

bool TChartReader::Error(const String& message) { return hook_ ? hook_(message) : true; }

void IgnoreMissingMethod(TReader&, const String&, bool& error) { error = false; }

// ---- recognition and conversion ----

void WriteChartHeader(TStream& stream)
{
    const Byte header[4] = {ChartFileSignature & 0xFF, ChartFileSignature >> 8, ChartFileVersion & 0xFF,
                            ChartFileVersion >> 8};
    stream.WriteBuffer(header, sizeof header);
}

void ReadChartHeader(TStream& stream, std::int32_t& header)
{
    Byte bytes[4];
    stream.ReadBuffer(bytes, sizeof bytes);
    header = static_cast<std::int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
}

bool IsBinaryChartStream(TStream& stream)
{
    const String bytes = peekBytes(stream, 2);
    return bytes.size() == 2 && static_cast<Byte>(bytes[0]) == (ChartFileSignature & 0xFF) &&
           static_cast<Byte>(bytes[1]) == (ChartFileSignature >> 8);
}

bool IsChartStream(TStream& stream)
{
    if (IsBinaryChartStream(stream)) return true;
    const String first = peekBytes(stream, 1);
    return first == "O" || first == "o";
}

void ChartStreamToBinary(TStream& source, TStream& destination)
{
    checkChartStream(source);
    if (IsBinaryChartStream(source)) {
        if (source.Remaining() > 0) destination.CopyFrom(source, source.Remaining());
        return;
    }
    WriteChartHeader(destination);
    ObjectTextToBinary(source, destination);
}

void ChartStreamToText(TStream& source, TStream& destination)
{
    checkChartStream(source);
    if (IsBinaryChartStream(source)) {
        std::int32_t header = 0;
        ReadChartHeader(source, header);
        ObjectBinaryToText(source, destination);
        return;
    }
    if (source.Remaining() > 0) destination.CopyFrom(source, source.Remaining());
}

// ---- writing ----

void WriteChartStream(TComponent* component, TStream& stream, bool includeData, bool asText)
{
    TMemoryStream binary;
    TStream& target = asText ? binary : stream;
    WriteChartHeader(target);
    {
        const TBlankName blankName(component);
        const TChartFileChildren children(component);
        std::vector<std::unique_ptr<TSeriesDataMarkGuard>> marks;
        if (auto* panel = dynamic_cast<TCustomAxisPanel*>(component))
            for (TChartSeries* series : panel->SeriesList())
                marks.push_back(std::make_unique<TSeriesDataMarkGuard>(
                    *series, includeData ? TChartSeries::dmForceData : TChartSeries::dmSkipData));
        TWriter writer(target, FilerBufferSize);
        if (component->Owner()) {
            writer.SetRoot(component->Owner());
            writer.WriteSignature();
            writer.WriteComponent(component);
        } else {
            writer.WriteRootComponent(component);
        }
    }
    if (asText) {
        binary.SetPosition(0);
        ChartStreamToText(binary, stream);
    }
}

void WriteChartXmlStream(TComponent* component, TStream& stream, bool includeData, bool xmlDeclaration)
{
    WriteChartStream(component, stream, includeData, true);
    stream.SetPosition(0);
    ConvertFormTextToXml(stream, xmlDeclaration);
}

String AddChartFileExtension(const String& fileName)
{
    return ExtractFileExt(fileName).empty() ? fileName + "." + ChartFileExtension : fileName;
}

void WriteChartFile(TCustomZebPanel* panel, const String& fileName, bool includeData, bool asText)
{
    WriteFileReplacing(AddChartFileExtension(fileName),
                       [&](TStream& stream) { WriteChartStream(panel, stream, includeData, asText); });
}

void WriteChartXmlFile(TComponent* component, const String& fileName, bool includeData, bool xmlDeclaration)
{
    WriteFileReplacing(AddChartFileExtension(fileName), [&](TStream& stream) {
        WriteChartXmlStream(component, stream, includeData, xmlDeclaration);
    });
}

// ---- reading ----

void ReadChartStream(TCustomChart* chart, TStream& stream, bool readData, const TChartReadErrorHook& hook)
{
    if (!chart) throw ChartException(TxtInvalidChartInZebFile);
    if (stream.Size() == 0) throw ChartException(TxtEmptyZebFile);
    checkChartStream(stream);

    const TLoadRepaint repaint(*chart);
    chart->ResetContents();
    try {
        readChartContents(*chart, stream, readData, hook);
    } catch (...) {
        // What a broken stream left half read goes too: the chart stays emptied.
        chart->ResetContents();
        throw;
    }
}

namespace {

void readChartContents(TCustomChart& chartRef, TStream& stream, bool readData, const TChartReadErrorHook& hook)
{
    TCustomChart* chart = &chartRef;
    std::unique_ptr<TMemoryStream> converted;
    TStream* source = &stream;
    if (!IsBinaryChartStream(stream)) {
        converted = std::make_unique<TMemoryStream>();
        ChartStreamToBinary(stream, *converted);
        converted->SetPosition(0);
        source = converted.get();
    }
    std::int32_t header = 0;
    ReadChartHeader(*source, header);
    {
        TChartReader reader(*source, FilerBufferSize, hook);
        reader.SetOnFindMethod(IgnoreMissingMethod);
        // A chart file holds series, their functions and data sources, tools and animations
        // inside the chart; anything else (another chart, a control) is refused before it is
        // made, by the reader's own error as far as the reader goes.
        String refused;
        reader.SetOnFindComponentClass([&refused](TReader&, const String& className, TClass& cls) {
            const TMetaClass* found = cls ? cls : GetClass(className);
            if (!found || TCustomChart::IsChartFileChild(*found)) return;
            refused = className;
            throw ChartException(TxtWrongZebFileFormat + ": a chart can not hold a " + className);
        });
        const String name = chart->Name();
        try {
            reader.ReadRootComponent(chart);
        } catch (const std::exception&) {
            if (!refused.empty()) throw ChartException(TxtWrongZebFileFormat + ": a chart can not hold a " + refused);
            throw;
        }
        if (!name.empty()) chart->SetName(name);
    }
    if (readData && source->Remaining() > 0) ReadChartSeriesData(*source, chart);
}

}  // namespace

void ReadChartStreamBasic(TCustomChart* chart, TStream& stream) { ReadChartStream(chart, stream); }

void ReadChartFile(TCustomChart* chart, const String& fileName, const TChartReadErrorHook& hook)
{
    TFileStream file(AddChartFileExtension(fileName), fmOpenRead | fmShareDenyWrite);
    ReadChartStream(chart, file, false, hook);
}

void ReadChartFileBasic(TCustomChart* chart, const String& fileName) { ReadChartFile(chart, fileName); }

void ReadChartSeriesData(TStream& stream, TCustomChart* chart)
{
    for (TChartSeries* series : chart->SeriesList()) series->ReadDataBinary(stream);
}

// ---- unit ----

void StartChartFileUnit()
{
    if (chartFileStarts.First()) {
        RegisterClass(TChartChart::StaticClass());
        RegisterClass(TODBCChart::StaticClass());
    }
}

void StopChartFileUnit()
{
    if (chartFileStarts.Last()) {
        UnRegisterClass(TODBCChart::StaticClass());
        UnRegisterClass(TChartChart::StaticClass());
    }
}

TV_PUBLISHED(TChartChart) {}
TV_PUBLISHED(TODBCChart) {}
