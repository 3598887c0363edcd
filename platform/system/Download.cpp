#include "platform/system/Download.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/rtl/Streams.h"

namespace {

constexpr int Cancelled = -1;
std::atomic<int> connectLimit{30};
std::atomic<int> idleLimit{60};

void InitCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct TEasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct TListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// Collects what arrives into reads of DownloadChunkSize bytes, as a reader asking for that much
// at a time would see them, and asks the progress handler after each.
class TTransfer {
public:
    TTransfer(TStream& stream, const TDownloadProgress& progress) : stream_(stream), progress_(progress)
    {
        chunk_.reserve(DownloadChunkSize);
    }
    // false when the handler cancelled.
    bool Ask()
    {
        if (!progress_) return true;
        bool cancel = false;
        progress_(received_, cancel);
        cancelled_ = cancelled_ || cancel;
        return !cancel;
    }
    // Takes bytes from the transfer; false stops it.
    bool Take(const char* data, std::size_t size)
    {
        while (size > 0) {
            const std::size_t take = std::min<std::size_t>(size, DownloadChunkSize - chunk_.size());
            chunk_.insert(chunk_.end(), data, data + take);
            data += take;
            size -= take;
            if (chunk_.size() == static_cast<std::size_t>(DownloadChunkSize) && !Flush()) return false;
        }
        return true;
    }
    // The last, partial read.
    bool Finish() { return chunk_.empty() || Flush(); }
    bool Cancelled() const { return cancelled_; }
    void Fail(std::exception_ptr error) { error_ = error; }
    void RethrowFailure() const
    {
        if (error_) std::rethrow_exception(error_);
    }

private:
    bool Flush()
    {
        stream_.WriteBuffer(chunk_.data(), static_cast<std::int64_t>(chunk_.size()));
        received_ += static_cast<std::int64_t>(chunk_.size());
        chunk_.clear();
        return Ask();
    }

    TStream& stream_;
    const TDownloadProgress& progress_;
    std::vector<char> chunk_;
    std::int64_t received_ = 0;
    bool cancelled_ = false;
    std::exception_ptr error_;
};

std::size_t OnData(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& transfer = *static_cast<TTransfer*>(user);
    try {
        return transfer.Take(data, size * count) ? size * count : 0;
    } catch (...) {
        transfer.Fail(std::current_exception());
        return 0;
    }
}

}  // namespace

int DownloadURL(const String& address, TStream& stream, bool allowCache, const TDownloadProgress& progress)
{
    InitCurl();
    TTransfer transfer(stream, progress);
    if (!transfer.Ask()) return Cancelled;
    std::unique_ptr<CURL, TEasyDeleter> curl(curl_easy_init());
    if (!curl) return CURLE_FAILED_INIT;
    std::unique_ptr<curl_slist, TListDeleter> headers;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, address.c_str());
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Zeb");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_BUFFERSIZE, static_cast<long>(DownloadChunkSize));
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(connectLimit.load()));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(idleLimit.load()));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &OnData);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    if (!allowCache) {
        curl_slist* list = curl_slist_append(nullptr, "Cache-Control: no-cache");
        if (list) list = curl_slist_append(list, "Pragma: no-cache");
        headers.reset(list);
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, list);
    }
    stream.SetPosition(0);
    if (!transfer.Ask()) return Cancelled;
    const CURLcode code = curl_easy_perform(c);
    transfer.RethrowFailure();
    if (transfer.Cancelled()) return Cancelled;
    if (code != CURLE_OK) return code;
    if (!transfer.Finish()) return Cancelled;
    stream.SetPosition(0);
    return 0;
}

String DownloadErrorText(int code)
{
    if (code == Cancelled) return String();
    String text = curl_easy_strerror(static_cast<CURLcode>(code));
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.')) text.pop_back();
    return text;
}

void SetDownloadWaitLimits(int connectSeconds, int idleSeconds)
{
    connectLimit = std::max(1, connectSeconds);
    idleLimit = std::max(1, idleSeconds);
}
