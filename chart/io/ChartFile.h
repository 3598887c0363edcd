#pragma once
// Chart files: a chart with its series, tools and animations (and, on request, their points) in
// binary form (header 60 30 57 01, then the component stream), in the component text form, or as
// XML (written only). Binary and text load back into an existing chart.
#include <cstdint>
#include <functional>

#include "chart/core/Chart.h"
#include "platform/classes/Filer.h"

class TComponent;
class TCustomChart;
class TCustomZebPanel;
class TStream;

// Answers whether reading may go on after the error message.
using TChartReadErrorHook = std::function<bool(const String& message)>;

// The reader of chart files: recoverable errors (an unknown property, a value of the wrong kind)
// go to the hook; without one they are skipped.
class TChartReader : public TReader {
public:
    TChartReader(TStream& stream, int bufSize, TChartReadErrorHook hook);
    bool Error(const String& message) override;

private:
    TChartReadErrorHook hook_;
};

// Root classes of older chart files; they add nothing.
class TChartChart : public TChart {
    TV_CLASS(TChartChart, TChart)
public:
    using TChart::TChart;
};
class TODBCChart : public TChartChart {
    TV_CLASS(TODBCChart, TChartChart)
public:
    using TChartChart::TChartChart;
};

inline constexpr std::uint16_t ChartFileSignature = 0x3060;
inline constexpr std::uint16_t ChartFileVersion = 343;

void WriteChartHeader(TStream& stream);
void ReadChartHeader(TStream& stream, std::int32_t& header);
// A binary or text chart stream; the position is left where it was.
bool IsChartStream(TStream& stream);
bool IsBinaryChartStream(TStream& stream);
// ChartException "Wrong *.zeb file format" unless the source is a chart stream.
void ChartStreamToBinary(TStream& source, TStream& destination);
void ChartStreamToText(TStream& source, TStream& destination);

// The chart with a blank root name; its points with includeData.
void WriteChartStream(TComponent* component, TStream& stream, bool includeData, bool asText = false);
void WriteChartXmlStream(TComponent* component, TStream& stream, bool includeData, bool xmlDeclaration = true);
// The name unchanged when it has an extension, else with ".zeb".
String AddChartFileExtension(const String& fileName);
// Written to a temporary file beside the target and renamed over it when complete.
void WriteChartFile(TCustomZebPanel* panel, const String& fileName, bool includeData, bool asText = false);
void WriteChartXmlFile(TComponent* component, const String& fileName, bool includeData,
                       bool xmlDeclaration = true);

// Empties the chart and loads it from the stream; the chart keeps its name. A refused stream
// (empty, not a chart stream) leaves the chart untouched; a load that fails later leaves it
// emptied, repainting.
void ReadChartStream(TCustomChart* chart, TStream& stream, bool readData = false,
                     const TChartReadErrorHook& hook = {});
void ReadChartStreamBasic(TCustomChart* chart, TStream& stream);
void ReadChartFile(TCustomChart* chart, const String& fileName, const TChartReadErrorHook& hook = {});
void ReadChartFileBasic(TCustomChart* chart, const String& fileName);
// One point block in the "Data" layout per series of the chart, in list order.
void ReadChartSeriesData(TStream& stream, TCustomChart* chart);
// Find-method handler of the chart reader: a handler name the program lacks is skipped.
void IgnoreMissingMethod(TReader& reader, const String& methodName, bool& error);

// Registers the root classes of older chart files (first start only); the last stop unregisters.
void StartChartFileUnit();
void StopChartFileUnit();
