// .xls workbooks, read here rather than by a library that trusts its input: a compound file whose
// "Workbook" (or "Book") stream holds BIFF records, or a bare BIFF stream as the BIFF2 exporter
// writes it. Every count, offset and length is checked against what the file holds, so a damaged
// file gives EWorkbookError ("not a readable spreadsheet: ...") and nothing is read outside it.
// Read: the sheet list (BIFF5/8) or the one sheet of BIFF2-4, numbers (RK, MULRK, NUMBER, the
// integers of BIFF2), texts (LABEL, RSTRING, LABELSST with the shared strings), booleans and
// error codes, and the stored results of formulas; dates are numbers (days since 1899-12-30).
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <set>
#include <unordered_map>

#include "platform/rtl/Unicode.h"
#include "platform/system/Workbook_p.h"

namespace {

using TKind = TWorkbookCell::TKind;

constexpr std::uint64_t MaxFileBytes = std::uint64_t{256} << 20;

class EDamaged : public std::exception {
public:
    explicit EDamaged(std::string why) : why_(std::move(why)) {}
    const char* what() const noexcept override { return why_.c_str(); }

private:
    std::string why_;
};

[[noreturn]] void damaged(const std::string& why) { throw EDamaged(why); }

std::uint16_t u16(const std::string& b, std::size_t at)
{
    if (at + 2 > b.size()) damaged("a record ends early");
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}

std::uint32_t u32(const std::string& b, std::size_t at)
{
    return u16(b, at) | static_cast<std::uint32_t>(u16(b, at + 2)) << 16;
}

double f64(const std::string& b, std::size_t at)
{
    if (at + 8 > b.size()) damaged("a record ends early");
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// ---- the compound file ----

constexpr std::uint32_t EndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t FreeSector = 0xFFFFFFFF;

class TCompoundFile {
public:
    explicit TCompoundFile(const std::string& file) : file_(file)
    {
        if (file.size() < 512) damaged("the compound file header is cut short");
        const unsigned shift = u16(file, 30);
        if (shift != 9 && shift != 12) damaged("the compound file has no valid sector size");
        sectorSize_ = std::size_t{1} << shift;
        const unsigned miniShift = u16(file, 32);
        if (miniShift != 6) damaged("the compound file has no valid mini sector size");
        sectorCount_ = file.size() > sectorSize_ ? (file.size() - sectorSize_ + sectorSize_ - 1) / sectorSize_ : 0;
        readFat();
        directory_ = chain(u32(file, 48), fat_);
        miniCutoff_ = u32(file, 56);
        const std::string miniFat = chain(u32(file, 60), fat_);
        for (std::size_t at = 0; at + 4 <= miniFat.size(); at += 4) miniFat_.push_back(u32(miniFat, at));
    }

    // The named stream (names compared without letter case), or nothing.
    std::optional<std::string> Stream(std::initializer_list<const char*> names) const
    {
        for (std::size_t at = 0; at + 128 <= directory_.size(); at += 128) {
            const std::uint8_t type = static_cast<std::uint8_t>(directory_[at + 66]);
            if (type != 2) continue;
            const unsigned nameBytes = std::min<unsigned>(u16(directory_, at + 64), 64);
            std::string name;
            for (unsigned i = 0; i + 2 <= nameBytes; i += 2) {
                const std::uint16_t unit = u16(directory_, at + i);
                if (unit == 0) break;
                name += unit < 128 ? static_cast<char>(std::tolower(unit)) : '?';
            }
            for (const char* wanted : names) {
                std::string lower = wanted;
                std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return std::tolower(c); });
                if (name == lower) return streamOf(at);
            }
        }
        return std::nullopt;
    }

private:
    std::size_t sectorOffset(std::uint32_t sector) const
    {
        if (sector >= sectorCount_) damaged("a sector lies beyond the end of the file");
        return (static_cast<std::size_t>(sector) + 1) * sectorSize_;
    }

    std::string sectorBytes(std::uint32_t sector) const
    {
        const std::size_t at = sectorOffset(sector);
        return file_.substr(at, std::min(sectorSize_, file_.size() - at));
    }

    void readFat()
    {
        std::vector<std::uint32_t> fatSectors;
        for (std::size_t i = 0; i < 109; ++i) {
            const std::uint32_t s = u32(file_, 76 + i * 4);
            if (s != FreeSector && s != EndOfChain) fatSectors.push_back(s);
        }
        std::uint32_t difat = u32(file_, 68);
        std::set<std::uint32_t> seen;
        while (difat != EndOfChain && difat != FreeSector) {
            if (!seen.insert(difat).second) damaged("the sector allocation list runs in a circle");
            const std::string bytes = sectorBytes(difat);
            const std::size_t entries = sectorSize_ / 4 - 1;
            for (std::size_t i = 0; i < entries; ++i) {
                const std::uint32_t s = u32(bytes, i * 4);
                if (s != FreeSector && s != EndOfChain) fatSectors.push_back(s);
            }
            difat = u32(bytes, entries * 4);
        }
        if (fatSectors.size() > sectorCount_) damaged("the sector allocation list is larger than the file");
        for (const std::uint32_t s : fatSectors) {
            const std::string bytes = sectorBytes(s);
            for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) fat_.push_back(u32(bytes, at));
        }
    }

    // The sectors of a chain, each visited once.
    std::string chain(std::uint32_t start, const std::vector<std::uint32_t>& table) const
    {
        std::string out;
        std::vector<bool> seen(table.size(), false);
        for (std::uint32_t s = start; s != EndOfChain && s != FreeSector;) {
            if (s >= table.size() || seen[s]) damaged("a stream's sector chain is broken");
            seen[s] = true;
            out += sectorBytes(s);
            s = table[s];
        }
        return out;
    }

    std::string streamOf(std::size_t entry) const
    {
        const std::uint32_t start = u32(directory_, entry + 116);
        const std::uint64_t size = u32(directory_, entry + 120);
        std::string data;
        if (size < miniCutoff_) {
            if (directory_.size() < 128) damaged("the compound file has no root entry");
            const std::string mini = chain(u32(directory_, 116), fat_);
            std::vector<bool> seen(miniFat_.size(), false);
            for (std::uint32_t s = start; s != EndOfChain && s != FreeSector && data.size() < size;) {
                if (s >= miniFat_.size() || seen[s]) damaged("a stream's mini sector chain is broken");
                seen[s] = true;
                const std::size_t at = static_cast<std::size_t>(s) * 64;
                if (at + 64 > mini.size()) damaged("a mini sector lies beyond the mini stream");
                data += mini.substr(at, 64);
                s = miniFat_[s];
            }
        } else {
            data = chain(start, fat_);
        }
        if (data.size() < size) damaged("a stream is shorter than its entry says");
        data.resize(static_cast<std::size_t>(size));
        return data;
    }

    const std::string& file_;
    std::size_t sectorSize_ = 512;
    std::size_t sectorCount_ = 0;
    std::uint32_t miniCutoff_ = 4096;
    std::vector<std::uint32_t> fat_;
    std::vector<std::uint32_t> miniFat_;
    std::string directory_;
};

// ---- BIFF records ----

struct TRecord {
    std::uint16_t Type = 0;
    std::size_t Offset = 0;  // of the record's header in the stream
    std::string Data;
};

class TRecords {
public:
    TRecords(const std::string& stream, std::size_t at) : stream_(stream), at_(at) {}
    bool Next(TRecord& record)
    {
        if (at_ + 4 > stream_.size()) return false;
        record.Offset = at_;
        record.Type = u16(stream_, at_);
        const std::size_t length = u16(stream_, at_ + 2);
        if (at_ + 4 + length > stream_.size()) damaged("a record runs past the end of the workbook stream");
        record.Data = stream_.substr(at_ + 4, length);
        at_ += 4 + length;
        return true;
    }
    // The type of the record that follows, 0 at the end.
    std::uint16_t PeekType() const { return at_ + 4 <= stream_.size() ? u16(stream_, at_) : 0; }

private:
    const std::string& stream_;
    std::size_t at_;
};

// Bytes of a record followed by its CONTINUE records; a string's characters that cross into the
// next record start there with a new option byte.
class TContinued {
public:
    void Add(const std::string& data) { parts_.push_back(data); }
    bool AtEnd()
    {
        skipEmpty();
        return part_ >= parts_.size();
    }
    std::uint8_t Byte()
    {
        skipEmpty();
        if (part_ >= parts_.size()) damaged("a text runs past its record");
        return static_cast<std::uint8_t>(parts_[part_][at_++]);
    }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
    std::uint32_t U32() { return U16() | static_cast<std::uint32_t>(U16()) << 16; }
    void Skip(std::uint64_t count)
    {
        while (count > 0) {
            skipEmpty();
            if (part_ >= parts_.size()) damaged("a text runs past its record");
            const std::size_t step = static_cast<std::size_t>(
                std::min<std::uint64_t>(count, parts_[part_].size() - at_));
            at_ += step;
            count -= step;
        }
    }
    // A BIFF8 text of count characters after its option byte; characters that go on in the next
    // record start there with an option byte of their own.
    std::string Chars(std::uint32_t count, std::uint8_t options)
    {
        std::string text;
        bool wide = options & 1;
        std::size_t part = part_;
        for (std::uint32_t i = 0; i < count; ++i) {
            skipEmpty();
            if (part_ != part) {
                part = part_;
                wide = Byte() & 1;
            }
            AppendUtf8(text, wide ? U16() : Byte());
        }
        return text;
    }

private:
    void skipEmpty()
    {
        while (part_ < parts_.size() && at_ >= parts_[part_].size()) {
            ++part_;
            at_ = 0;
        }
    }
    std::vector<std::string> parts_;
    std::size_t part_ = 0;
    std::size_t at_ = 0;
};

// A BIFF8 text as stored in cells and names: its length (1 or 2 bytes), options, characters, and
// the formatting runs and extra data it skips.
std::string unicodeText(TContinued& in, bool shortLength)
{
    const std::uint32_t count = shortLength ? in.Byte() : in.U16();
    const std::uint8_t options = in.Byte();
    const std::uint32_t runs = (options & 8) ? in.U16() : 0;
    const std::uint32_t extra = (options & 4) ? in.U32() : 0;
    std::string text = in.Chars(count, options);
    in.Skip(std::uint64_t{runs} * 4 + extra);
    return text;
}

std::string unicodeText(const std::string& data, std::size_t at, bool shortLength)
{
    TContinued in;
    in.Add(data.substr(std::min(at, data.size())));
    return unicodeText(in, shortLength);
}

// Windows-1252's characters 0x80..0x9F; the rest of the 8-bit range is Latin-1.
const std::uint16_t Cp1252High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                      0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

std::string eightBitText(const std::string& bytes, unsigned codePage)
{
    std::string text;
    for (const char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        AppendUtf8(text, codePage == 1252 && b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : b);
    }
    return text;
}

String errorCode(std::uint8_t code)
{
    switch (code) {
    case 0x00: return "#NULL!";
    case 0x07: return "#DIV/0!";
    case 0x0F: return "#VALUE!";
    case 0x17: return "#REF!";
    case 0x1D: return "#NAME?";
    case 0x24: return "#NUM!";
    case 0x2A: return "#N/A";
    default: return "#ERROR!";
    }
}

double rkNumber(std::uint32_t rk)
{
    double value = 0;
    if (rk & 2) {
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFC) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return rk & 1 ? value / 100 : value;
}

// Whether a number format shows a date or a time: a date or time letter outside quotes, brackets
// and escaped characters.
bool isDateFormat(const std::string& format)
{
    bool quoted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\\' || c == '_' || c == '*') {
            ++i;
            continue;
        }
        if (c == '[') {
            const std::size_t end = format.find(']', i);
            if (end == std::string::npos) return false;
            i = end;
            continue;
        }
        if (std::strchr("dmyhsDMYHS", c) && c != '\0') return true;
    }
    return false;
}

bool isBuiltInDateFormat(unsigned index) { return (index >= 14 && index <= 22) || (index >= 45 && index <= 47); }

struct TStoredCell {
    std::int64_t Key = 0;
    double Number = 0;
    std::uint32_t Text = 0;
    TKind Kind = TKind::Empty;
};

std::int64_t cellKey(int row, int column) { return static_cast<std::int64_t>(row) * 65536 + column; }

class TXlsReader : public TWorkbookReader {
public:
    TXlsReader(const String& fileName, const std::string& file) : fileName_(fileName)
    {
        try {
            read(file);
        } catch (const EDamaged& e) {
            Fail(e.what());
        }
    }

    TWorkbookCell Cell(int sheet, int row, int column) override
    {
        if (sheet < 0 || sheet >= static_cast<int>(sheets_.size())) return {};
        const std::vector<TStoredCell>& cells = sheets_[static_cast<std::size_t>(sheet)];
        const std::int64_t key = cellKey(row, column);
        auto found = std::upper_bound(cells.begin(), cells.end(), key,
                                      [](std::int64_t k, const TStoredCell& cell) { return k < cell.Key; });
        if (found == cells.begin() || (--found)->Key != key) return {};
        TWorkbookCell cell;
        cell.Kind = found->Kind;
        cell.Number = found->Number;
        if (cell.Kind == TKind::Text || cell.Kind == TKind::Error) cell.Text = texts_[found->Text];
        return cell;
    }

private:
    [[noreturn]] void Fail(const String& why) const
    {
        throw EWorkbookError("Cannot read workbook \"" + fileName_ + "\": not a readable spreadsheet: " + why);
    }

    void read(const std::string& file)
    {
        static const char CompoundSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
        if (file.compare(0, 8, CompoundSignature, 8) == 0) {
            const TCompoundFile compound(file);
            const auto stream = compound.Stream({"Workbook", "Book"});
            if (!stream) damaged("the compound file holds no workbook stream");
            readStream(*stream);
        } else {
            readStream(file);
        }
    }

    void readStream(const std::string& stream)
    {
        TRecords records(stream, 0);
        TRecord bof;
        if (!records.Next(bof) ||
            (bof.Type != 0x0809 && bof.Type != 0x0409 && bof.Type != 0x0209 && bof.Type != 0x0009))
            damaged("it does not begin with a BIFF record");
        if (bof.Type != 0x0809) {
            // BIFF2 to BIFF4: one worksheet, the stream itself.
            biff_ = bof.Type == 0x0009 ? 2 : bof.Type == 0x0209 ? 3 : 4;
            sheetNames_.push_back("Sheet1");
            sheets_.emplace_back();
            readSheet(records, sheets_.back());
            finish();
            return;
        }
        biff_ = u16(bof.Data, 0) >= 0x0600 ? 8 : 5;
        std::vector<std::uint32_t> sheetOffsets;
        TRecord r;
        while (records.Next(r) && r.Type != 0x000A) {
            switch (r.Type) {
            case 0x0042: codePage_ = u16(r.Data, 0); break;
            case 0x0022: date1904_ = u16(r.Data, 0) == 1; break;
            case 0x0085: {  // BOUNDSHEET
                const std::uint32_t offset = u32(r.Data, 0);
                if (static_cast<std::uint8_t>(r.Data.size() > 5 ? r.Data[5] : 1) != 0) break;  // charts, macros
                std::string name;
                if (biff_ == 8) {
                    name = unicodeText(r.Data, 6, true);
                } else {
                    const std::size_t length = r.Data.size() > 6 ? static_cast<std::uint8_t>(r.Data[6]) : 0;
                    if (7 + length > r.Data.size()) damaged("a sheet name runs past its record");
                    name = eightBitText(r.Data.substr(7, length), codePage_);
                }
                sheetNames_.push_back(name);
                sheetOffsets.push_back(offset);
                break;
            }
            case 0x00FC: {  // SST and its CONTINUE records
                TContinued in;
                in.Add(r.Data);
                while (records.PeekType() == 0x003C) {
                    TRecord more;
                    records.Next(more);
                    in.Add(more.Data);
                }
                in.U32();
                const std::uint32_t unique = in.U32();
                for (std::uint32_t i = 0; i < unique && !in.AtEnd(); ++i) shared_.push_back(unicodeText(in, false));
                break;
            }
            default: readFormatRecord(r); break;
            }
        }
        for (const std::uint32_t offset : sheetOffsets) {
            sheets_.emplace_back();
            if (offset >= stream.size()) damaged("a sheet lies beyond the workbook stream");
            TRecords sheet(stream, offset);
            TRecord sheetBof;
            if (!sheet.Next(sheetBof) || sheetBof.Type != 0x0809) damaged("a sheet does not begin where the list says");
            readSheet(sheet, sheets_.back());
        }
        finish();
    }

    // XF and FORMAT records: which cells hold dates (needed for the 1904 date system).
    void readFormatRecord(const TRecord& r)
    {
        if (r.Type == 0x00E0 || r.Type == 0x0443 || r.Type == 0x0243) {  // XF (BIFF5/8, 4, 3)
            xfFormats_.push_back(u16(r.Data, 2));
        } else if (r.Type == 0x041E || r.Type == 0x001E) {  // FORMAT
            const unsigned index = biff_ >= 5 ? u16(r.Data, 0) : static_cast<unsigned>(formats_.size());
            std::string text;
            if (biff_ == 8) {
                text = unicodeText(r.Data, 2, false);
            } else {
                const std::size_t at = biff_ >= 4 ? 2 : 0;
                const std::size_t length = r.Data.size() > at ? static_cast<std::uint8_t>(r.Data[at]) : 0;
                text = r.Data.substr(std::min(r.Data.size(), at + 1), length);
            }
            formats_[index] = isDateFormat(text);
        }
    }

    bool isDate(unsigned xf) const
    {
        if (xf >= xfFormats_.size()) return false;
        const unsigned format = xfFormats_[xf];
        const auto custom = formats_.find(format);
        return custom != formats_.end() ? custom->second : isBuiltInDateFormat(format);
    }

    void addNumber(std::vector<TStoredCell>& cells, int row, int column, unsigned xf, double value)
    {
        if (date1904_ && isDate(xf)) value += 1462;
        cells.push_back({cellKey(row + 1, column + 1), value, 0, TKind::Number});
    }

    void addText(std::vector<TStoredCell>& cells, int row, int column, const std::string& text,
                 TKind kind = TKind::Text)
    {
        texts_.push_back(text);
        cells.push_back({cellKey(row + 1, column + 1), 0, static_cast<std::uint32_t>(texts_.size() - 1), kind});
    }

    void readSheet(TRecords& records, std::vector<TStoredCell>& cells)
    {
        TRecord r;
        std::optional<std::pair<int, int>> pendingText;  // a formula whose text result follows
        while (records.Next(r) && r.Type != 0x000A) {
            const std::string& d = r.Data;
            const auto row = [&] { return static_cast<int>(u16(d, 0)); };
            const auto column = [&] { return static_cast<int>(u16(d, 2)); };
            // BIFF2 cells carry 3 attribute bytes; later ones the index of their XF record.
            const std::size_t value = biff_ == 2 ? 7 : 6;
            const auto xf = [&]() -> unsigned { return biff_ == 2 ? 0 : u16(d, 4); };
            switch (r.Type) {
            case 0x0203:  // NUMBER
            case 0x0003: addNumber(cells, row(), column(), xf(), f64(d, value)); break;
            case 0x0002: addNumber(cells, row(), column(), xf(), u16(d, 7)); break;  // BIFF2 INTEGER
            case 0x027E: addNumber(cells, row(), column(), xf(), rkNumber(u32(d, 6))); break;
            case 0x00BD: {  // MULRK
                if (d.size() < 6) damaged("a record ends early");
                const int first = column();
                const std::size_t count = (d.size() - 6) / 6;
                for (std::size_t i = 0; i < count; ++i)
                    addNumber(cells, row(), first + static_cast<int>(i), u16(d, 4 + i * 6),
                              rkNumber(u32(d, 6 + i * 6)));
                break;
            }
            case 0x00FD: {  // LABELSST
                const std::uint32_t index = u32(d, 6);
                if (index >= shared_.size()) damaged("a text refers to no shared string");
                addText(cells, row(), column(), shared_[index]);
                break;
            }
            case 0x0204:  // LABEL
            case 0x00D6:  // RSTRING
                if (biff_ == 8) {
                    addText(cells, row(), column(), unicodeText(d, 6, false));
                } else {
                    const std::size_t length = u16(d, 6);
                    if (8 + length > d.size()) damaged("a text runs past its record");
                    addText(cells, row(), column(), eightBitText(d.substr(8, length), codePage_));
                }
                break;
            case 0x0004: {  // BIFF2 LABEL
                const std::size_t length = d.size() > 7 ? static_cast<std::uint8_t>(d[7]) : 0;
                if (8 + length > d.size()) damaged("a text runs past its record");
                addText(cells, row(), column(), eightBitText(d.substr(8, length), codePage_));
                break;
            }
            case 0x0205:  // BOOLERR
            case 0x0005: {
                if (d.size() < value + 2) damaged("a record ends early");
                const auto v = static_cast<std::uint8_t>(d[value]);
                if (d[value + 1] != 0)
                    addText(cells, row(), column(), errorCode(v), TKind::Error);
                else
                    cells.push_back({cellKey(row() + 1, column() + 1), v != 0 ? 1.0 : 0.0, 0, TKind::Boolean});
                break;
            }
            case 0x0006:    // FORMULA (BIFF2, 5, 8)
            case 0x0206:    // BIFF3
            case 0x0406: {  // BIFF4
                if (d.size() < value + 8) damaged("a record ends early");
                if (u16(d, value + 6) != 0xFFFF) {
                    addNumber(cells, row(), column(), xf(), f64(d, value));
                    break;
                }
                const auto type = static_cast<std::uint8_t>(d[value]);
                const auto v = static_cast<std::uint8_t>(d[value + 2]);
                if (type == 0)
                    pendingText = std::make_pair(row(), column());
                else if (type == 1)
                    cells.push_back({cellKey(row() + 1, column() + 1), v != 0 ? 1.0 : 0.0, 0, TKind::Boolean});
                else if (type == 2)
                    addText(cells, row(), column(), errorCode(v), TKind::Error);
                continue;
            }
            case 0x0207:  // STRING: the text result of the formula before
            case 0x0007:
                if (pendingText) {
                    std::string text;
                    if (biff_ == 8) {
                        text = unicodeText(d, 0, false);
                    } else {
                        const std::size_t length = biff_ == 2 ? (d.empty() ? 0 : static_cast<std::uint8_t>(d[0]))
                                                              : u16(d, 0);
                        const std::size_t at = biff_ == 2 ? 1 : 2;
                        if (at + length > d.size()) damaged("a text runs past its record");
                        text = eightBitText(d.substr(at, length), codePage_);
                    }
                    addText(cells, pendingText->first, pendingText->second, text);
                }
                break;
            case 0x04BC:  // shared formula, array and table records may come between
            case 0x0221:
            case 0x0236: continue;
            case 0x0042: codePage_ = u16(d, 0); break;
            case 0x0022: date1904_ = u16(d, 0) == 1; break;
            default: readFormatRecord(r); break;
            }
            pendingText.reset();
        }
    }

    void finish()
    {
        // Writers put the cells in order; the others are sorted here (the last for a place counts).
        for (auto& cells : sheets_)
            std::stable_sort(cells.begin(), cells.end(),
                             [](const TStoredCell& a, const TStoredCell& b) { return a.Key < b.Key; });
    }

    String fileName_;
    int biff_ = 8;
    unsigned codePage_ = 1252;
    bool date1904_ = false;
    std::vector<std::string> shared_;
    std::vector<unsigned> xfFormats_;
    std::unordered_map<unsigned, bool> formats_;  // custom formats: shows a date
    std::vector<std::string> texts_;
    std::vector<std::vector<TStoredCell>> sheets_;
};

}  // namespace

std::unique_ptr<TWorkbookReader> ReadXlsWorkbook(const String& name, const std::string& bytes)
{
    return std::make_unique<TXlsReader>(name, bytes);
}

std::unique_ptr<TWorkbookReader> OpenXlsWorkbook(const String& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EWorkbookError("Cannot open file \"" + fileName + "\"");
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::uint64_t>(std::max<std::streamoff>(in.tellg(), 0));
    if (size > MaxFileBytes)
        throw EWorkbookError("Cannot read workbook \"" + fileName + "\": the workbook is larger than " +
                             std::to_string(MaxFileBytes >> 20) + " MB");
    in.seekg(0);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (!in) throw EWorkbookError("Cannot read workbook \"" + fileName + "\": it can not be read");
    return ReadXlsWorkbook(fileName, bytes);
}
