// A series' stored points: the "Data" layout byte for byte, the columns its flags byte switches on,
// when the property is stored at all, sub-series in "Detail", and corrupt or hostile data read as
// an error that keeps the points read so far.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "tests/support/Commands.h"
#include "SeriesFixtures.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/MarkPositions.h"
#include "chart/core/PictureComponent.h"
#include "chart/core/SeriesData.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Streams.h"

namespace {

// A series with one extra value list, as the financial and bubble types have.
class TSizedSeries : public TTestSeries {
    TV_CLASS(TSizedSeries, TTestSeries)
public:
    explicit TSizedSeries(TComponent* owner) : TTestSeries(owner), sizes_(new TChartValueList(this, "Size")) {}
    TChartValueList* Sizes() const { return sizes_; }

private:
    TChartValueList* sizes_;
};

}  // namespace

TV_PUBLISHED(TSizedSeries) {}

namespace {

std::string dataOf(TChartSeries& series)
{
    TMemoryStream stream;
    series.WriteDataBinary(stream);
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

void readData(TChartSeries& series, const std::string& bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    series.ReadDataBinary(stream);
}

template <class T>
void append(std::string& bytes, T value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
T at(const std::string& bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

class SeriesData : public ChartCoreSuite {
protected:
    static void SetUpTestSuite()
    {
        ChartCoreSuite::SetUpTestSuite();
        RegisterClasses({&TTestSeries::StaticClass(), &TSizedSeries::StaticClass()});
    }
    static void TearDownTestSuite()
    {
        UnRegisterClasses({&TTestSeries::StaticClass(), &TSizedSeries::StaticClass()});
        ChartCoreSuite::TearDownTestSuite();
    }

    // Whether writing series' properties against ancestor writes "Data".
    static bool writesData(TChartSeries& series, TChartSeries* ancestor)
    {
        TMemoryStream stream;
        TWriter writer(stream);
        writer.SetAncestor(ancestor);
        writer.WriteProperties(&series);
        const std::string bytes(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
        return bytes.find("\x04" "Data") != std::string::npos;
    }
};

TEST_F(SeriesData, FlagsAndSizesByTable)
{
    struct Case {
        const char* name;
        std::function<void(TTestSeries&)> fill;
        std::uint8_t flags;
        size_t bytesPerPoint;
    };
    const Case cases[] = {
        {"X 0, 1, 2", [](TTestSeries& s) { for (double y : {5.0, 6.0, 7.0}) s.AppendValue(y); }, 0x00, 8},
        {"X 0, 1, 5",
         [](TTestSeries& s) {
             s.InsertXY(0, 5);
             s.InsertXY(1, 6);
             s.InsertXY(5, 7);
         },
         0x01, 16},
        {"first X not 0",
         [](TTestSeries& s) {
             s.InsertXY(1, 5);
             s.InsertXY(2, 6);
             s.InsertXY(3, 7);
         },
         0x01, 16},
        {"point in the series colour",
         [](TTestSeries& s) {
             s.SetSeriesColor(clRed);
             s.AppendValue(5, "", clRed);
             s.AppendValue(6);
             s.AppendValue(7);
         },
         0x00, 8},
        {"null point",
         [](TTestSeries& s) {
             s.AppendValue(5);
             s.AppendNull();
             s.AppendValue(7);
         },
         0x02, 12},
        {"labels", [](TTestSeries& s) { for (const char* l : {"a", "", "ccc"}) s.AppendValue(1, l); }, 0x04, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTestSeries written(nullptr), read(nullptr);
        c.fill(written);
        const std::string bytes = dataOf(written);
        EXPECT_EQ(at<std::uint8_t>(bytes, 0), c.flags);
        EXPECT_EQ(at<std::int32_t>(bytes, 1), 3);
        if (!(c.flags & sdfLabels)) {
            EXPECT_EQ(bytes.size(), 5 + 3 * c.bytesPerPoint);
        }
        readData(read, bytes);
        ASSERT_EQ(read.Count(), 3);
        EXPECT_TRUE(read.ManualData());
        EXPECT_EQ(read.UpdateCount(), 0);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(read.GetPointX(i), written.GetPointX(i));
            EXPECT_EQ(read.GetPointY(i), written.GetPointY(i));
            EXPECT_EQ(read.GetLabelAt(i), written.GetLabelAt(i));
            EXPECT_EQ(read.IsNullPoint(i), written.IsNullPoint(i));
        }
    }
}

TEST_F(SeriesData, LongLabelTakesTheFourByteLength)
{
    TTestSeries written(nullptr), read(nullptr);
    const String label(300, 'q');
    written.AppendValue(1, label);
    const std::string bytes = dataOf(written);
    ASSERT_EQ(at<std::uint8_t>(bytes, 0), sdfLabels);
    EXPECT_EQ(at<std::uint8_t>(bytes, 13), 0xFF);
    EXPECT_EQ(at<std::int32_t>(bytes, 14), 300);
    EXPECT_EQ(bytes.substr(18), label);
    readData(read, bytes);
    EXPECT_EQ(read.GetLabelAt(0), label);
}

TEST_F(SeriesData, HorizontalSeriesWritesItsOrderingValuesFirst)
{
    TTestSeries written(nullptr), read(nullptr);
    written.MakeHorizontal();
    read.MakeHorizontal();
    written.InsertXY(10, 0);
    written.InsertXY(20, 1);
    written.InsertXY(30, 4);
    const std::string bytes = dataOf(written);
    ASSERT_EQ(at<std::uint8_t>(bytes, 0), sdfXValues);
    EXPECT_EQ(at<double>(bytes, 5), 0);
    EXPECT_EQ(at<double>(bytes, 13), 10);
    EXPECT_EQ(at<double>(bytes, 5 + 32), 4);
    readData(read, bytes);
    EXPECT_EQ(valuesOf(read.XValues()), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(valuesOf(read.YValues()), (std::vector<double>{0, 1, 4}));
}

TEST_F(SeriesData, ExtraValueListsFollowTheLabel)
{
    TSizedSeries written(nullptr), read(nullptr);
    for (int i = 0; i < 3; ++i) {
        written.Sizes()->SetPendingValue(100 + i);
        written.AppendValue(i * 2);
    }
    const std::string bytes = dataOf(written);
    EXPECT_EQ(bytes.size(), 5u + 3 * 16);
    EXPECT_EQ(at<double>(bytes, 5 + 16 + 8), 101);
    readData(read, bytes);
    EXPECT_EQ(valuesOf(read.Sizes()), (std::vector<double>{100, 101, 102}));
}

TEST_F(SeriesData, LateLabelAndColourSurvive)
{
    TTestSeries written(nullptr), read(nullptr);
    for (int i = 0; i < 20000; ++i) written.AppendValue(i % 7);
    written.SetLabelAt(5000, "late");
    written.SetPointColor(15000, clBlue);
    readData(read, dataOf(written));
    ASSERT_EQ(read.Count(), 20000);
    EXPECT_EQ(read.GetLabelAt(5000), "late");
    EXPECT_EQ(read.GetStoredColor(15000), clBlue);
    EXPECT_EQ(read.GetStoredColor(14999), clAutomatic);
}

TEST_F(SeriesData, MarkPositionsAreStoredWithoutAddingRecords)
{
    TTestSeries written(nullptr), read(nullptr);
    for (double y : {1.0, 2.0, 3.0}) written.AppendValue(y);
    TSeriesMarkPosition placed;
    placed.ArrowFrom = {1, 2};
    placed.ArrowTo = {3, 4};
    placed.LeftTop = {5, 6};
    placed.Width = 7;
    placed.Height = 8;
    written.Marks().Positions().StoreAt(1, placed);
    const std::string bytes = dataOf(written);
    EXPECT_EQ(at<std::uint8_t>(bytes, 0), sdfMarkPositions);
    EXPECT_EQ(bytes.size(), 5u + 3 * (8 + StoredMarkPositionSize));
    // Saving leaves the marks as they were: no records for the other points.
    EXPECT_EQ(written.Marks().Positions().PositionAt(0), nullptr);
    EXPECT_EQ(written.Marks().Positions().PositionAt(2), nullptr);
    readData(read, bytes);
    const TSeriesMarkPosition* back = read.Marks().Positions().PositionAt(1);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->Custom);
    EXPECT_EQ(back->GetBounds(), placed.GetBounds());
    EXPECT_EQ(back->ArrowFrom, placed.ArrowFrom);
    EXPECT_EQ(back->ArrowTo, placed.ArrowTo);
    EXPECT_FALSE(read.Marks().Positions().PositionAt(0)->Custom);
}

// A refused point's picture and mark record are read and dropped; the others land on the points
// InsertXY placed.
TEST_F(SeriesData, RefusedPointsKeepPicturesAndMarksInStep)
{
    TTestSeries written(nullptr), read(nullptr);
    for (double y : {1.0, 2.0, 3.0}) written.AppendValue(y);
    for (int i : {0, 2}) {
        TBitmap bitmap;
        bitmap.SetSize(4 + i, 3);
        written.Pictures().EnsurePicture(i)->SetGraphic(&bitmap);
        TSeriesMarkPosition position;
        position.LeftTop = {i, i};
        written.Marks().Positions().StoreAt(i, position);
    }
    const std::string bytes = dataOf(written);
    EXPECT_EQ(at<std::uint8_t>(bytes, 0), sdfMarkPositions | sdfPictures);
    int offered = 0;
    read.SetOnBeforeAdd([&](TChartSeries*) { return ++offered != 2; });
    readData(read, bytes);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(valuesOf(read.YValues()), (std::vector<double>{1, 3}));
    ASSERT_NE(read.Pictures().PictureAt(1), nullptr);
    EXPECT_EQ(read.Pictures().PictureAt(0)->Graphic()->Width(), 4);
    EXPECT_EQ(read.Pictures().PictureAt(1)->Graphic()->Width(), 6);
    EXPECT_EQ(read.Marks().Positions().PositionAt(1)->LeftTop, (TPoint{2, 2}));
}

TEST_F(SeriesData, StoredOnlyWhenTheSeriesOwnsPointsOtherThanItsAncestors)
{
    TTestSeries series(nullptr), ancestor(nullptr);
    for (TTestSeries* s : {&series, &ancestor})
        for (double y : {1.0, 2.0}) s->AppendValue(y);
    EXPECT_FALSE(writesData(series, nullptr)) << "points not entered by hand";
    series.SetManualData(true);
    ancestor.SetManualData(true);
    EXPECT_TRUE(writesData(series, nullptr));
    EXPECT_FALSE(writesData(series, &ancestor)) << "equal to the ancestor";
    ancestor.SetPointY(1, 5);
    EXPECT_TRUE(writesData(series, &ancestor));
    {
        TSeriesDataMarkGuard skip(series, TChartSeries::dmSkipData);
        EXPECT_FALSE(writesData(series, nullptr));
    }
    series.SetManualData(false);
    TSeriesDataMarkGuard force(series, TChartSeries::dmForceData);
    EXPECT_TRUE(writesData(series, nullptr));
}

TEST_F(SeriesData, SeriesFedBySourceStoresNoData)
{
    TTestAxisPanel chart(nullptr);
    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    TTestSource source(nullptr);
    source.SetSeries(&series);
    source.SetActive(true);
    ASSERT_EQ(series.Count(), 3);
    EXPECT_FALSE(series.IsDataStored());
    EXPECT_FALSE(writesData(series, nullptr));
}

TEST_F(SeriesData, DetailRoundTripsWithItsAggregate)
{
    TTestSeries written(nullptr), read(nullptr);
    written.SetName("Master");
    for (double y : {0.0, 0.0}) written.AppendValue(y);
    for (int j = 0; j < 2; ++j) {
        auto* sub = new TTestSeries(&written);
        sub->SetTitle(j ? "second" : "first");
        for (double y : {1.0 + j, 3.0 + j}) sub->AppendValue(y);
        sub->SetManualData(true);
        written.Detail().AppendSeries(sub);
    }
    written.Detail().SetAggregate(daAverage);
    written.SetManualData(true);
    {
        TMemoryStream binary;
        WriteComponentToStream(binary, &written);
        binary.SetPosition(0);
        ReadComponentFromStream(binary, &read);
    }
    ASSERT_NE(read.DetailOrNull(), nullptr);
    ASSERT_EQ(read.Detail().Count(), 2);
    EXPECT_EQ(read.Detail().Aggregate(), daAverage);
    EXPECT_EQ(read.Detail().GetSeriesAt(1)->Title(), "second");
    EXPECT_EQ(valuesOf(read.Detail().GetSeriesAt(1)->YValues()), (std::vector<double>{2, 4}));
    EXPECT_EQ(valuesOf(read.YValues()), (std::vector<double>{2, 3}));
}

// Hostile and truncated blobs: an error before anything is allocated from their counts, the update
// block closed, the points read so far kept and the series' own again.
TEST_F(SeriesData, CorruptDataIsAReadErrorKeepingWhatWasRead)
{
    TTestSeries good(nullptr);
    good.InsertXY(0, 1, "one");
    good.InsertXY(3, 2, "two");
    good.InsertXY(4, 3, "three");
    const std::string whole = dataOf(good);

    const auto header = [](std::uint8_t flags, std::int32_t n) {
        std::string b;
        append(b, flags);
        append(b, n);
        return b;
    };
    std::string hugeLabel = header(sdfLabels, 1);
    append(hugeLabel, 1.0);
    append(hugeLabel, std::uint8_t{0xFF});
    append(hugeLabel, std::int32_t{0x7FFFFFF0});
    std::string negativeLabel = hugeLabel.substr(0, hugeLabel.size() - 4);
    append(negativeLabel, std::int32_t{-5});
    std::string pictureTooLong = header(sdfPictures, 2);
    append(pictureTooLong, 1.0);
    append(pictureTooLong, std::uint8_t{0});
    append(pictureTooLong, 2.0);
    append(pictureTooLong, std::uint8_t{1});
    pictureTooLong += "TPF0";
    append(pictureTooLong, std::uint8_t{20});
    pictureTooLong += "TZebPictureComponent";

    struct Case {
        const char* name;
        std::string bytes;
        int kept;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"truncated in the third point", whole.substr(0, whole.size() - 7), 2},
        {"count beyond the data", header(0, 0x7FFFFFFF) + std::string(16, '\0'), 0},
        {"negative count", header(0, -1), 0},
        {"unknown flag", header(0x40, 0), 0},
        {"label length beyond the data", hugeLabel, 0},
        {"negative label length", negativeLabel, 0},
        {"picture stream longer than the data", pictureTooLong, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTestSeries read(nullptr);
        read.AppendValue(99);
        EXPECT_THROW(readData(read, c.bytes), EReadError);
        EXPECT_EQ(read.Count(), c.kept);
        EXPECT_EQ(read.UpdateCount(), 0);
        if (c.kept) {
            EXPECT_TRUE(read.ManualData());
        }
    }

    std::string hugeDetail;
    append(hugeDetail, std::uint8_t{daSum});
    append(hugeDetail, std::int32_t{0x10000000});
    std::string wrongClass;
    append(wrongClass, std::uint8_t{daSum});
    append(wrongClass, std::int32_t{1});
    {
        TOwnedPtr<TComponent> notSeries(TZebPictureComponent::StaticClass().CreateComponent(nullptr));
        TStringStream s;
        WriteComponentToStream(s, notSeries.get());
        wrongClass += s.DataString();
    }
    for (const std::string& bytes : {hugeDetail, wrongClass, std::string("\x09\x00\x00\x00\x00", 5)}) {
        TTestSeries read(nullptr);
        TStringStream s(bytes);
        EXPECT_THROW(ReadSeriesDetail(read, s), EReadError);
        EXPECT_EQ(read.Detail().Count(), 0);
    }
}

// Read through a stored description, the error names the series and its property.
TEST_F(SeriesData, ReaderErrorNamesTheSeries)
{
    const std::string text = "object Series7: TTestSeries\n  Data = {\n    0002000000000000000000F03F00}\nend\n";
    TStringStream input(text), binary;
    ObjectTextToBinary(input, binary);
    binary.SetPosition(0);
    TTestSeries read(nullptr);
    try {
        ReadComponentFromStream(binary, &read);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(String(e.Message()).find("Series7.Data"), String::npos) << e.Message();
    }
    EXPECT_EQ(read.Count(), 0);
}

// An independent decoder (python3 struct) reads what the series wrote.
TEST_F(SeriesData, IndependentDecoderReadsTheLayout)
{
    if (RunCommand("command -v python3").empty()) GTEST_SKIP() << "no python3";
    TTestSeries written(nullptr);
    written.InsertXY(0.5, -1, "a");
    written.InsertXY(2, 1e10, String(260, 'z'), clGreen);
    const std::string path = testing::TempDir() + "series_data.bin";
    std::ofstream(path, std::ios::binary) << dataOf(written);
    const std::string script = R"(
import struct,sys
b=open(sys.argv[1],'rb').read()
f,n=struct.unpack_from('<Bi',b,0);p=5;out=[str(f),str(n)]
for i in range(n):
    x=struct.unpack_from('<d',b,p)[0] if f&1 else float(i);p+=8 if f&1 else 0
    y=struct.unpack_from('<d',b,p)[0];p+=8
    c=struct.unpack_from('<i',b,p)[0] if f&2 else None;p+=4 if f&2 else 0
    L=b[p];p+=1
    if L==255: L=struct.unpack_from('<i',b,p)[0];p+=4
    lab=b[p:p+L].decode();p+=L
    out.append('%r %r %r %d%s'%(x,y,c,len(lab),lab[:1]))
print(';'.join(out)+(';end' if p==len(b) else ';left'))
)";
    const std::string scriptPath = testing::TempDir() + "series_data.py";
    std::ofstream(scriptPath) << script;
    const std::string out = RunCommand("python3 " + scriptPath + " " + path);
    EXPECT_EQ(out, "7;2;0.5 -1.0 536870912 1a;2.0 10000000000.0 " + std::to_string(int(clGreen)) + " 260z;end\n");
    std::remove(path.c_str());
    std::remove(scriptPath.c_str());
}

}  // namespace
