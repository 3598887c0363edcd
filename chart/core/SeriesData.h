#pragma once
// A series' points in stored descriptions: the binary "Data" property (the points with the
// optional columns its flags byte names) and "Detail" (the sub-series of each point). The writing
// and reading of "Data" are members of the series (WriteDataBinary, ReadDataBinary).
#include <cstdint>

#include "chart/core/ChartSeries.h"

class TStream;

// Bits of the flags byte that opens "Data".
inline constexpr std::uint8_t sdfXValues = 0x01;
inline constexpr std::uint8_t sdfColors = 0x02;
inline constexpr std::uint8_t sdfLabels = 0x04;
inline constexpr std::uint8_t sdfMarkPositions = 0x08;
inline constexpr std::uint8_t sdfPictures = 0x10;
// Size of one stored mark position.
inline constexpr int StoredMarkPositionSize = 34;

// The flags byte the series' points need.
std::uint8_t StoredDataFlags(const TChartSeries& series);

// "Detail": the aggregate, the count and each sub-series as a component stream. Reading replaces
// the sub-series; a class that is not a registered series class, a count beyond the data or a
// truncated stream raise EReadError, and the sub-series read so far stay.
void WriteSeriesDetail(const TChartSeries& series, TStream& stream);
void ReadSeriesDetail(TChartSeries& series, TStream& stream);

// The series' data mark for the guard's lifetime; the previous mark after.
class TSeriesDataMarkGuard {
public:
    TSeriesDataMarkGuard(TChartSeries& series, TChartSeries::TDataMark mark) : series_(series), saved_(series.DataMark())
    {
        series_.SetDataMark(mark);
    }
    ~TSeriesDataMarkGuard() { series_.SetDataMark(saved_); }
    TSeriesDataMarkGuard(const TSeriesDataMarkGuard&) = delete;
    TSeriesDataMarkGuard& operator=(const TSeriesDataMarkGuard&) = delete;

private:
    TChartSeries& series_;
    TChartSeries::TDataMark saved_;
};
