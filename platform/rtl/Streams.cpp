#include "platform/rtl/Streams.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/rtl/Exceptions.h"

namespace {

// Bytes available from pos in a buffer of size, as a transfer length.
std::int64_t Available(std::int64_t pos, std::int64_t size, std::int64_t count)
{
    if (count <= 0 || pos < 0 || pos >= size) return 0;
    return std::min(count, size - pos);
}

std::int64_t NewPosition(std::int64_t offset, TSeekOrigin origin, std::int64_t current, std::int64_t size)
{
    std::int64_t pos = offset;
    if (origin == soCurrent)
        pos = current + offset;
    else if (origin == soEnd)
        pos = size + offset;
    if (pos < 0) throw EStreamError("Invalid stream position");
    return pos;
}

String OsErrorText(int error) { return std::strerror(error); }

}  // namespace

// ---- TStream -------------------------------------------------------------------------------------

void TStream::ReadBuffer(void* buffer, std::int64_t count)
{
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count)
{
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    const std::int64_t total = count;
    std::vector<char> buffer(static_cast<std::size_t>(std::min<std::int64_t>(count, 0xF000)));
    while (count > 0) {
        const std::int64_t n = std::min<std::int64_t>(count, static_cast<std::int64_t>(buffer.size()));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        count -= n;
    }
    return total;
}

std::int64_t TStream::Size()
{
    const std::int64_t pos = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(std::int64_t) {}

// The in-memory streams keep their bytes in a vector or a string; both move them alike.
namespace {

template <class Bytes>
std::int64_t readBytes(const Bytes& data, std::int64_t& position, void* buffer, std::int64_t count)
{
    const std::int64_t n = Available(position, static_cast<std::int64_t>(data.size()), count);
    if (n) std::memcpy(buffer, data.data() + position, static_cast<std::size_t>(n));
    position += n;
    return n;
}

template <class Bytes>
std::int64_t writeBytes(Bytes& data, std::int64_t& position, const void* buffer, std::int64_t count)
{
    if (count <= 0) return 0;
    const std::int64_t end = position + count;
    if (end > static_cast<std::int64_t>(data.size())) data.resize(static_cast<std::size_t>(end));
    std::memcpy(data.data() + position, buffer, static_cast<std::size_t>(count));
    position = end;
    return count;
}

template <class Bytes>
void resizeBytes(Bytes& data, std::int64_t& position, std::int64_t newSize)
{
    if (newSize < 0) throw EStreamError("Invalid stream size");
    data.resize(static_cast<std::size_t>(newSize));
    if (position > newSize) position = newSize;
}

}  // namespace

// ---- TMemoryStream -------------------------------------------------------------------------------

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count)
{
    return readBytes(data_, position_, buffer, count);
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count)
{
    return writeBytes(data_, position_, buffer, count);
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    position_ = NewPosition(offset, origin, position_, Size());
    return position_;
}

void TMemoryStream::SetSize(std::int64_t newSize) { resizeBytes(data_, position_, newSize); }

void TMemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    const std::int64_t size = source.Size();
    std::vector<Byte> data(static_cast<std::size_t>(size));
    if (size) source.ReadBuffer(data.data(), size);
    data_.swap(data);
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& dest)
{
    if (!data_.empty()) dest.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::LoadFromFile(const String& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const String& fileName)
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// ---- TStringStream -------------------------------------------------------------------------------

std::int64_t TStringStream::Read(void* buffer, std::int64_t count)
{
    return readBytes(data_, position_, buffer, count);
}

std::int64_t TStringStream::Write(const void* buffer, std::int64_t count)
{
    return writeBytes(data_, position_, buffer, count);
}

std::int64_t TStringStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    position_ = NewPosition(offset, origin, position_, Size());
    return position_;
}

void TStringStream::SetSize(std::int64_t newSize) { resizeBytes(data_, position_, newSize); }

String TStringStream::ReadString(std::int64_t count)
{
    const std::int64_t n = Available(position_, Size(), count);
    String r = data_.substr(static_cast<std::size_t>(position_), static_cast<std::size_t>(n));
    position_ += n;
    return r;
}

// ---- TFileStream ---------------------------------------------------------------------------------

TFileStream::TFileStream(const String& fileName, unsigned mode) : fileName_(fileName)
{
    const bool create = (mode & 0xFF00) == fmCreate;
    int flags = O_CLOEXEC;
    if (create) {
        flags |= O_RDWR | O_CREAT | O_TRUNC;
    } else {
        switch (mode & 3) {
        case fmOpenWrite: flags |= O_WRONLY; break;
        case fmOpenReadWrite: flags |= O_RDWR; break;
        default: flags |= O_RDONLY; break;
        }
    }
    fd_ = ::open(fileName.c_str(), flags, 0666);
    if (fd_ < 0) {
        const int error = errno;
        const String text = "\"" + fileName + "\". " + OsErrorText(error);
        if (create) throw EFCreateError("Cannot create file " + text);
        throw EFOpenError("Cannot open file " + text);
    }
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + OsErrorText(EISDIR));
    }
    // Share modes map onto advisory locks: exclusive and deny-write exclude other writers.
    const unsigned share = mode & 0xF0;
    if (!create && (share == fmShareExclusive || share == fmShareDenyWrite || share == fmShareDenyRead)) {
        const int lock = (share == fmShareDenyWrite && (mode & 3) == fmOpenRead) ? LOCK_SH : LOCK_EX;
        if (::flock(fd_, lock | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            const int error = errno;
            ::close(fd_);
            fd_ = -1;
            throw EFOpenError("Cannot open file \"" + fileName + "\". " + OsErrorText(error));
        }
    }
}

TFileStream::~TFileStream()
{
    if (fd_ >= 0) ::close(fd_);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count)
{
    std::int64_t done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t n = ::read(fd_, p + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count)
{
    std::int64_t done = 0;
    const auto* p = static_cast<const char*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(fd_, p + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const int whence = origin == soBeginning ? SEEK_SET : (origin == soCurrent ? SEEK_CUR : SEEK_END);
    const off_t r = ::lseek(fd_, static_cast<off_t>(offset), whence);
    if (r < 0) throw EStreamError("Invalid stream position");
    return r;
}

void TFileStream::SetSize(std::int64_t newSize)
{
    if (newSize < 0 || ::ftruncate(fd_, static_cast<off_t>(newSize)) != 0) throw EStreamError("Stream write error");
    if (Position() > newSize) Seek(newSize, soBeginning);
}
