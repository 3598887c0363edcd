// The values of the binary form, both ways: value types, integers, floats, strings, sets,
// binary blocks, skipping, and the component prefix.
#include "platform/classes/Filer.h"

#include <cstring>

#include "platform/classes/Filer_p.h"
#include "platform/classes/StreamValues_p.h"
#include "platform/classes/TypeInfo.h"

using namespace tv_filer;

namespace {

void readExact(TStream& stream, void* buf, std::int64_t n)
{
    if (n > 0 && stream.Read(buf, n) != n) throw EStreamCorrupt("Stream read error");
}

// A value stored with its own fixed-width type is taken as is; any other number is converted.
template <typename T, TValueType Type>
T readFixed(TReader& reader, T (*fromNumber)(Extended))
{
    if (reader.NextValue() != Type) return fromNumber(reader.ReadFloat());
    reader.ReadValue();
    T value;
    readExact(reader.Stream(), &value, sizeof value);
    return value;
}

template <TValueType Type, typename T>
void writeFixed(TWriter& writer, T value)
{
    writer.WriteValue(Type);
    writer.Stream().WriteBuffer(&value, sizeof value);
}

}  // namespace

// ---- TFiler ----------------------------------------------------------------------------------

TFiler::TFiler(TStream& stream, int) : stream_(stream) {}
TFiler::~TFiler() = default;

// ---- TReader: values -------------------------------------------------------------------------

void TReader::readError(const String& message) { throw EStreamCorrupt(message); }

void TReader::checkRemaining(std::int64_t n)
{
    if (n < 0 || n > stream_.Size() - stream_.Position()) readError("Stream read error");
}

void TReader::readBytes(void* buf, std::int64_t n) { readExact(stream_, buf, n); }

Byte TReader::readByte()
{
    Byte b = 0;
    readBytes(&b, 1);
    return b;
}

void TReader::ReadSignature()
{
    char sig[4] = {};
    readBytes(sig, 4);
    if (std::memcmp(sig, "TPF0", 4) != 0) throw EReadError("Invalid stream format");
}

TValueType TReader::ReadValue()
{
    const Byte b = readByte();
    if (b > vaDouble) readError("Invalid value type " + std::to_string(b) + " in stream");
    return static_cast<TValueType>(b);
}

TValueType TReader::NextValue()
{
    const TValueType v = ReadValue();
    stream_.Seek(-1, soCurrent);
    return v;
}

void TReader::CheckValue(TValueType value)
{
    if (ReadValue() != value) {
        stream_.Seek(-1, soCurrent);
        propertyError("Invalid property value");
    }
}

bool TReader::EndOfList()
{
    // A raw peek: the next byte may be a component's flag prefix (0xF0..0xF7), not a value type.
    const Byte b = readByte();
    stream_.Seek(-1, soCurrent);
    return b == vaNull;
}
void TReader::ReadListBegin() { CheckValue(vaList); }
void TReader::ReadListEnd() { CheckValue(vaNull); }

String TReader::ReadStr()
{
    const Byte len = readByte();
    String s(len, '\0');
    readBytes(s.data(), len);
    return s;
}

Int64 TReader::ReadInt64()
{
    switch (ReadValue()) {
    case vaInt8: return static_cast<std::int8_t>(readByte());
    case vaInt16: {
        Byte b[2];
        readBytes(b, 2);
        return static_cast<std::int16_t>(b[0] | (b[1] << 8));
    }
    case vaInt32: {
        Byte b[4];
        readBytes(b, 4);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
                                         (static_cast<std::uint32_t>(b[2]) << 16) |
                                         (static_cast<std::uint32_t>(b[3]) << 24));
    }
    case vaInt64: {
        Byte b[8];
        readBytes(b, 8);
        std::uint64_t v = 0;
        for (int i = 7; i >= 0; --i) v = (v << 8) | b[i];
        return static_cast<Int64>(v);
    }
    default:
        stream_.Seek(-1, soCurrent);
        propertyError("Invalid property value");
        return 0;
    }
}

int TReader::ReadInteger()
{
    const Int64 v = ReadInt64();
    if (v < INT32_MIN || v > INT32_MAX) propertyError("Invalid property value");
    return static_cast<int>(v);
}

bool TReader::ReadBoolean()
{
    const TValueType v = ReadValue();
    if (v == vaTrue) return true;
    if (v == vaFalse) return false;
    stream_.Seek(-1, soCurrent);
    propertyError("Invalid property value");
    return false;
}

static std::uint32_t readU32(TReader&, const Byte b[4])
{
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

String TReader::ReadString()
{
    switch (ReadValue()) {
    case vaString: return tv_stream::AnsiToUtf8(ReadStr());
    case vaLString:
    case vaUTF8String: {
        stream_.Seek(-1, soCurrent);
        const bool utf8 = ReadValue() == vaUTF8String;
        Byte b[4];
        readBytes(b, 4);
        const std::uint32_t len = readU32(*this, b);
        checkRemaining(len);
        String s(len, '\0');
        readBytes(s.data(), len);
        return utf8 ? s : tv_stream::AnsiToUtf8(s);
    }
    case vaWString: {
        Byte b[4];
        readBytes(b, 4);
        const std::uint32_t len = readU32(*this, b);
        checkRemaining(static_cast<std::int64_t>(len) * 2);
        std::vector<std::uint16_t> units(len);
        for (auto& u : units) {
            Byte c[2];
            readBytes(c, 2);
            u = static_cast<std::uint16_t>(c[0] | (c[1] << 8));
        }
        return tv_stream::Utf16ToUtf8(units);
    }
    default:
        stream_.Seek(-1, soCurrent);
        propertyError("Invalid property value");
        return {};
    }
}

char TReader::ReadChar()
{
    const String s = ReadString();
    if (s.size() != 1) {
        // A non-ASCII character arrives as UTF-8; keep its Latin-1 code when it has one.
        const auto cps = tv_stream::CodePoints(s);
        if (cps.size() == 1 && cps[0] < 256) return static_cast<char>(cps[0]);
        propertyError("Invalid property value");
    }
    return s[0];
}

Extended TReader::ReadFloat()
{
    switch (NextValue()) {
    case vaExtended: {
        ReadValue();
        Byte b[10];
        readBytes(b, 10);
        return tv_stream::FromExtended80(b);
    }
    case vaDouble: return ReadDouble();
    case vaDate: return ReadDate();
    case vaSingle: return ReadSingle();
    case vaCurrency: return static_cast<Extended>(ReadCurrency()) / 10000;
    default: return static_cast<Extended>(ReadInt64());
    }
}

float TReader::ReadSingle()
{
    return readFixed<float, vaSingle>(*this, [](Extended v) { return static_cast<float>(v); });
}

double TReader::ReadDouble()
{
    return readFixed<double, vaDouble>(*this, [](Extended v) { return static_cast<double>(v); });
}

Int64 TReader::ReadCurrency()
{
    return readFixed<Int64, vaCurrency>(*this, [](Extended v) { return static_cast<Int64>(v * 10000); });
}

TDateTime TReader::ReadDate()
{
    return readFixed<TDateTime, vaDate>(*this, [](Extended v) { return static_cast<TDateTime>(v); });
}

String TReader::ReadIdent()
{
    switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default:
        stream_.Seek(-1, soCurrent);
        propertyError("Invalid property value");
        return {};
    }
}

std::uint64_t TReader::ReadSet(const TEnumInfo& info)
{
    CheckValue(vaSet);
    std::uint64_t mask = 0;
    bool bad = false;
    for (;;) {
        const String name = ReadStr();
        if (name.empty()) break;
        const int v = GetEnumValue(info, name);
        if (v < 0 || v >= 64)
            bad = true;
        else
            mask |= std::uint64_t{1} << v;
    }
    if (bad) propertyError("Invalid property value");
    return mask;
}

void TReader::ReadBinary(std::vector<Byte>& out)
{
    CheckValue(vaBinary);
    Byte b[4];
    readBytes(b, 4);
    const std::uint32_t len = readU32(*this, b);
    checkRemaining(len);
    out.resize(len);
    readBytes(out.data(), len);
}

void TReader::SkipValue()
{
    DepthGuard guard;
    auto skip = [this](std::int64_t n) {
        checkRemaining(n);
        stream_.Seek(n, soCurrent);
    };
    auto len32 = [this] {
        Byte b[4];
        readBytes(b, 4);
        return static_cast<std::int64_t>(readU32(*this, b));
    };
    switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil: return;
    case vaList:
        while (!EndOfList()) SkipValue();
        ReadValue();
        return;
    case vaInt8: skip(1); return;
    case vaInt16: skip(2); return;
    case vaInt32:
    case vaSingle: skip(4); return;
    case vaExtended: skip(10); return;
    case vaString:
    case vaIdent: skip(readByte()); return;
    case vaBinary:
    case vaLString:
    case vaUTF8String: skip(len32()); return;
    case vaWString: skip(len32() * 2); return;
    case vaSet:
        while (true) {
            const Byte n = readByte();
            if (n == 0) return;
            skip(n);
        }
    case vaCollection:
        while (!EndOfList()) {
            const TValueType v = NextValue();
            if (v == vaInt8 || v == vaInt16 || v == vaInt32) SkipValue();
            if (ReadValue() != vaList) readError("Invalid stream format");
            while (!EndOfList()) SkipProperty();
            ReadValue();
        }
        ReadValue();
        return;
    case vaCurrency:
    case vaDate:
    case vaInt64:
    case vaDouble: skip(8); return;
    }
}

void TReader::SkipProperty()
{
    ReadStr();
    SkipValue();
}

void TReader::ReadPrefix(TFilerFlags& flags, int& childPos)
{
    flags = {};
    childPos = 0;
    Byte first = 0;
    readBytes(&first, 1);
    if ((first & 0xF0) == 0xF0) {
        flags = TFilerFlags::FromMask(first & 0x07);
        if (flags.Contains(ffChildPos)) childPos = static_cast<int>(ReadInt64());
    } else {
        stream_.Seek(-1, soCurrent);
    }
}

// ---- TWriter: values -------------------------------------------------------------------------

void TWriter::writeBytes(const void* buf, std::int64_t n)
{
    if (n > 0) stream_.WriteBuffer(buf, n);
}

void TWriter::WriteValue(TValueType value)
{
    const Byte b = value;
    writeBytes(&b, 1);
}

void TWriter::WriteSignature() { writeBytes("TPF0", 4); }
void TWriter::WriteListBegin() { WriteValue(vaList); }
void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WriteStr(const String& value)
{
    // Names are short strings; cutting one would make a different name.
    if (value.size() > 255) throw EWriteError("Name too long for a stream: " + value.substr(0, 32) + "...");
    const size_t n = value.size();
    const Byte len = static_cast<Byte>(n);
    writeBytes(&len, 1);
    writeBytes(value.data(), static_cast<std::int64_t>(n));
}

static void putLE(Byte* out, std::uint64_t v, int n)
{
    for (int i = 0; i < n; ++i) out[i] = static_cast<Byte>(v >> (8 * i));
}

void TWriter::WriteInteger(Int64 value)
{
    Byte b[9];
    if (value >= -128 && value <= 127) {
        b[0] = vaInt8;
        putLE(b + 1, static_cast<std::uint64_t>(value), 1);
        writeBytes(b, 2);
    } else if (value >= -32768 && value <= 32767) {
        b[0] = vaInt16;
        putLE(b + 1, static_cast<std::uint64_t>(value), 2);
        writeBytes(b, 3);
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        b[0] = vaInt32;
        putLE(b + 1, static_cast<std::uint64_t>(value), 4);
        writeBytes(b, 5);
    } else {
        b[0] = vaInt64;
        putLE(b + 1, static_cast<std::uint64_t>(value), 8);
        writeBytes(b, 9);
    }
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }
void TWriter::WriteChar(char value) { WriteString(String(1, value)); }

void TWriter::WriteFloat(Extended value)
{
    Byte b[11];
    b[0] = vaExtended;
    tv_stream::ToExtended80(value, b + 1);
    writeBytes(b, 11);
}

void TWriter::WriteSingle(float value) { writeFixed<vaSingle>(*this, value); }
void TWriter::WriteDouble(double value) { writeFixed<vaDouble>(*this, value); }
void TWriter::WriteCurrency(Int64 raw) { writeFixed<vaCurrency>(*this, raw); }
void TWriter::WriteDate(TDateTime value) { writeFixed<vaDate>(*this, value); }

void TWriter::WriteString(const String& value)
{
    if (!tv_stream::IsAscii(value)) {
        WriteUTF8Str(value);
        return;
    }
    if (value.size() <= 255) {
        WriteValue(vaString);
        WriteStr(value);
    } else {
        WriteValue(vaLString);
        Byte b[4];
        putLE(b, value.size(), 4);
        writeBytes(b, 4);
        writeBytes(value.data(), static_cast<std::int64_t>(value.size()));
    }
}

void TWriter::WriteUTF8Str(const String& value)
{
    WriteValue(vaUTF8String);
    Byte b[4];
    putLE(b, value.size(), 4);
    writeBytes(b, 4);
    writeBytes(value.data(), static_cast<std::int64_t>(value.size()));
}

void TWriter::WriteWideString(const String& value)
{
    const auto units = tv_stream::Utf8ToUtf16(value);
    WriteValue(vaWString);
    Byte b[4];
    putLE(b, units.size(), 4);
    writeBytes(b, 4);
    for (std::uint16_t u : units) {
        Byte c[2] = {static_cast<Byte>(u), static_cast<Byte>(u >> 8)};
        writeBytes(c, 2);
    }
}

void TWriter::WriteIdent(const String& ident)
{
    if (sameText(ident, "False"))
        WriteValue(vaFalse);
    else if (sameText(ident, "True"))
        WriteValue(vaTrue);
    else if (sameText(ident, "nil"))
        WriteValue(vaNil);
    else if (sameText(ident, "Null"))
        WriteValue(vaNull);
    else {
        WriteValue(vaIdent);
        WriteStr(ident);
    }
}

void TWriter::WriteSet(const TEnumInfo& info, std::uint64_t mask)
{
    WriteValue(vaSet);
    for (int i = 0; i < 64; ++i)
        if (mask & (std::uint64_t{1} << i)) WriteStr(GetEnumName(info, i));
    WriteStr({});
}

void TWriter::WriteBinary(const void* data, std::int64_t size)
{
    WriteValue(vaBinary);
    Byte b[4];
    putLE(b, static_cast<std::uint64_t>(size), 4);
    writeBytes(b, 4);
    writeBytes(data, size);
}

void TWriter::WritePrefix(TFilerFlags flags, int childPos)
{
    if (flags.Empty()) return;
    const Byte b = static_cast<Byte>(0xF0 | (flags.Mask() & 0x07));
    writeBytes(&b, 1);
    if (flags.Contains(ffChildPos)) WriteInteger(childPos);
}
