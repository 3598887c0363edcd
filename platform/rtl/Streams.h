#pragma once
// Byte streams: the class library's TStream family.
#include <cstddef>
#include <cstdio>
#include <vector>

#include "platform/rtl/Types.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Transfer up to count bytes; return the number moved.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    // Exact transfers: EReadError "Stream read error" / EWriteError "Stream write error" when short.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from source (count 0: the whole source from its start); returns bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t pos) { Seek(pos, soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t newSize);
    std::int64_t Remaining() { return Size() - Position(); }
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    void SetSize(std::int64_t newSize) override;
    void Clear();
    const Byte* Memory() const { return data_.data(); }
    Byte* Memory() { return data_.data(); }
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& dest);
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);

private:
    std::vector<Byte> data_;
    std::int64_t position_ = 0;
};

// A stream over a String; DataString() is the whole content.
class TStringStream : public TStream {
public:
    explicit TStringStream(String data = {}) : data_(std::move(data)) {}
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    void SetSize(std::int64_t newSize) override;
    const String& DataString() const { return data_; }
    String ReadString(std::int64_t count);
    void WriteString(const String& s) { WriteBuffer(s.data(), static_cast<std::int64_t>(s.size())); }

private:
    String data_;
    std::int64_t position_ = 0;
};

// Open modes as the class library numbers them.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;
constexpr unsigned fmCreate = 0xFF00;

// EFCreateError "Cannot create file \"%s\". %s" / EFOpenError "Cannot open file \"%s\". %s".
class TFileStream : public TStream {
public:
    TFileStream(const String& fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t newSize) override;
    const String& FileName() const { return fileName_; }

private:
    String fileName_;
    int fd_ = -1;
};
