#pragma once
// Reads the tab-separated case tables in data/ and the hand-kept rows that replace oracle rows.
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/rtl/FormatSettings.h"

namespace rtltest {

using Row = std::vector<std::string>;

inline std::vector<Row> ReadTable(const std::string& name)
{
    std::vector<Row> rows;
    std::ifstream in(std::string(TV_TEST_DATA) + "/" + name);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        Row row;
        std::size_t p = 0;
        while (true) {
            const auto t = line.find('\t', p);
            row.push_back(line.substr(p, t == std::string::npos ? std::string::npos : t - p));
            if (t == std::string::npos) break;
            p = t + 1;
        }
        rows.push_back(row);
    }
    return rows;
}

// overrides.tsv: "<table> TAB <input columns...> TAB <expected...>"; the expected columns replace the
// oracle's for the row with the same inputs.
inline std::map<std::string, std::string> Overrides(const std::string& table, std::size_t outputs)
{
    std::map<std::string, std::string> result;
    for (const Row& row : ReadTable("overrides.tsv")) {
        if (row.size() < 2 + outputs || row[0] != table) continue;
        std::string key, expected;
        for (std::size_t i = 1; i + outputs < row.size(); ++i) key += row[i] + '\t';
        for (std::size_t i = row.size() - outputs; i < row.size(); ++i)
            expected += (expected.empty() ? "" : "\t") + row[i];
        result[key] = expected;
    }
    return result;
}

inline std::string Key(const Row& row, std::size_t outputs = 1)
{
    std::string key;
    for (std::size_t i = 0; i + outputs < row.size(); ++i) key += row[i] + '\t';
    return key;
}

inline TFormatSettings Settings(const std::string& decimal)
{
    TFormatSettings fs = TFormatSettings::Invariant();
    if (decimal == ",") {
        fs.DecimalSeparator = ',';
        fs.ThousandSeparator = '.';
    }
    return fs;
}

double ParseLiteral(const std::string& s);

}  // namespace rtltest
