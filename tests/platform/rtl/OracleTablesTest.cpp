// Formatting and conversion routines against tables produced by an independent implementation
// (oracle/oracle.pas); rows listed in data/overrides.tsv expect our behaviour instead.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstring>

#include "platform/rtl/Convert.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "tests/platform/rtl/TableSupport.h"

namespace rtltest {

double ParseLiteral(const std::string& s)
{
    double v = 0;
    const char* b = s.data();
    const char* e = b + s.size();
    bool negative = false;
    if (b < e && *b == '-') {
        negative = true;
        ++b;
    }
    std::from_chars(b, e, v);
    return negative ? -v : v;
}

}  // namespace rtltest

using namespace rtltest;

namespace {

// Runs every row through check (which returns our output) and reports all differences at once.
template <typename F>
void CheckTable(const std::string& table, std::size_t columns, F check, std::size_t outputs = 1)
{
    const auto rows = ReadTable(table);
    ASSERT_FALSE(rows.empty()) << table;
    const auto overrides = Overrides(table, outputs);
    int failures = 0;
    for (const Row& row : rows) {
        ASSERT_EQ(row.size(), columns) << table;
        const std::string key = Key(row, outputs);
        const auto o = overrides.find(key);
        std::string oracle;
        for (std::size_t i = columns - outputs; i < columns; ++i) oracle += (oracle.empty() ? "" : "\t") + row[i];
        const std::string expected = o == overrides.end() ? oracle : o->second;
        const std::string actual = check(row);
        if (actual != expected && ++failures <= 100)
            ADD_FAILURE() << table << ": " << key << " expected [" << expected << "] got [" << actual << "]";
    }
    EXPECT_EQ(failures, 0) << table;
}

Extended ArgValue(const std::string& s) { return ParseLiteral(s); }

}  // namespace

TEST(OracleTables, FormatFloat)
{
    CheckTable("formatfloat.tsv", 4,
               [](const Row& r) { return FormatFloat(r[1], ParseLiteral(r[2]), Settings(r[0])); });
}

TEST(OracleTables, FloatToStrAndFloatToStrF)
{
    CheckTable("floattostr.tsv", 6, [](const Row& r) {
        const TFormatSettings fs = Settings(r[0]);
        const double v = ParseLiteral(r[4]);
        if (r[1] == "FloatToStr") return FloatToStr(v, fs);
        static const char* names[] = {"ffGeneral", "ffExponent", "ffFixed", "ffNumber", "ffCurrency"};
        int f = 0;
        while (r[1] != names[f]) ++f;
        return FloatToStrF(v, static_cast<TFloatFormat>(f), std::stoi(r[2]), std::stoi(r[3]), fs);
    });
}

TEST(OracleTables, Format)
{
    CheckTable("format.tsv", 4, [](const Row& r) -> std::string {
        std::vector<FormatArg> args;
        std::string spec = r[2];
        while (!spec.empty()) {
            const auto bar = spec.find('|');
            const std::string item = spec.substr(0, bar);
            spec = bar == std::string::npos ? "" : spec.substr(bar + 1);
            const std::string value = item.substr(2);
            switch (item[0]) {
            case 'i': args.emplace_back(std::stoi(value)); break;
            case 'l': args.emplace_back(static_cast<Int64>(std::stoll(value))); break;
            case 'f': args.emplace_back(ArgValue(value)); break;
            case 'c': args.emplace_back(value[0]); break;
            default: args.emplace_back(value); break;
            }
        }
        try {
            return Format(r[1], args.data(), args.size(), Settings(r[0]));
        } catch (const EConvertError&) {
            return "ERR";
        }
    });
}

TEST(OracleTables, StrToFloat)
{
    CheckTable("strtofloat.tsv", 3, [](const Row& r) -> std::string {
        const std::string input = r[1].substr(1, r[1].size() - 2);  // inside the [brackets]
        double v = 0;
        if (!TryStrToFloat(input, v, Settings(r[0]))) return "ERR";
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        char buf[20];
        std::snprintf(buf, sizeof buf, "%016llX", static_cast<unsigned long long>(bits));
        return buf;
    });
}

TEST(OracleTables, StrToIntAndStrToInt64)
{
    CheckTable(
        "strtoint.tsv", 3,
        [](const Row& r) -> std::string {
            const std::string input = r[0].substr(1, r[0].size() - 2);
            int v = 0;
            Int64 v64 = 0;
            const std::string a = TryStrToInt(input, v) ? std::to_string(v) : "ERR";
            const std::string b = TryStrToInt64(input, v64) ? std::to_string(v64) : "ERR";
            return a + "\t" + b;
        },
        2);
}

TEST(OracleTables, FormatDateTime)
{
    CheckTable("formatdatetime.tsv", 3, [](const Row& r) {
        int y, m, d, h, n, s, z;
        std::sscanf(r[1].c_str(), "%d %d %d %d %d %d %d", &y, &m, &d, &h, &n, &s, &z);
        const TDateTime dt = EncodeDateTime(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(d),
                                            static_cast<Word>(h), static_cast<Word>(n), static_cast<Word>(s),
                                            static_cast<Word>(z));
        return FormatDateTime(r[0], dt, Settings("."));
    });
}

// Times given as raw values (the bits column): where a half millisecond rounds, and the carries.
TEST(OracleTables, FormatDateTimeOfRawValues)
{
    CheckTable("datetimevalues.tsv", 3, [](const Row& r) {
        const std::uint64_t bits = std::stoull(r[1], nullptr, 16);
        TDateTime dt = 0;
        std::memcpy(&dt, &bits, sizeof dt);
        return FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", dt, Settings("."));
    });
}
