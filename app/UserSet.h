#pragma once
// The viewer's settings record "UserSet.dat": 270 bytes of seven length-prefixed strings, kept byte
// for byte (bytes behind a field's length carry no meaning but are written back as read).
#include <array>

#include "platform/rtl/Types.h"

class TUserSet {
public:
    static constexpr int RecordSize = 270;
    enum TField { fPortNo, fBaudrate, fSend1, fSend2, fSend3, fSend4, fSend5 };

    // The default record: an empty port, "115200", five empty commands, every other byte 0.
    static TUserSet Defaults();

    // A field's text; a length byte beyond the capacity is read as the capacity.
    String Get(TField field) const;
    // Stores the longest head of value that fits the field's capacity in bytes without splitting a
    // character (texts are UTF-8; the file holds one byte per character it was made for).
    void Set(TField field, const String& value);
    static int Capacity(TField field);

    const std::array<Byte, RecordSize>& Bytes() const { return bytes_; }
    std::array<Byte, RecordSize>& Bytes() { return bytes_; }

private:
    std::array<Byte, RecordSize> bytes_{};
};

// "UserSet.dat" in the given folder. Both raise EInOutError with the system's text on failure.
String UserSetPath(const String& folder);
// The record as far as the layout goes (bytes behind it are not read). A file shorter than the
// record still gives record each field it holds whole (its length byte and that many characters;
// the others stay as they were), then raises "Read beyond end of file".
void ReadUserSet(const String& path, TUserSet& record);
TUserSet ReadUserSet(const String& path);
void WriteUserSet(const String& path, const TUserSet& record);
