#include "tests/app/SensorDevice.h"

#include <chrono>

#include "platform/system/DeviceMap.h"

using Clock = std::chrono::steady_clock;

SensorDevice::SensorDevice(const SensorOptions& options, TAnswer answer)
    : model_(options), options_(options), answer_(answer), id_(options.id)
{
}

SensorDevice::~SensorDevice()
{
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (!port_.empty() && !pty_.DevicePath().empty())
        RemoveSerialMapEntry(SerialMapFilePath(), port_, pty_.DevicePath());
}

bool SensorDevice::Start(const String& port)
{
    if (!pty_.Open()) return false;
    if (!SetSerialMapEntry(SerialMapFilePath(), port, pty_.DevicePath())) return false;
    port_ = port;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void SensorDevice::Push(const String& bytes)
{
    std::lock_guard guard(lock_);
    pushed_.push_back(bytes);
}

void SensorDevice::HangUp()
{
    hangUp_ = true;
    while (!hungUp_ && thread_.joinable()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

String SensorDevice::Received() const
{
    std::lock_guard guard(lock_);
    return received_;
}

std::vector<String> SensorDevice::DataLines() const
{
    std::lock_guard guard(lock_);
    return lines_;
}

// Writes everything unless the line fails or the device stops; waits for room meanwhile.
bool SensorDevice::WriteOut(const String& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (stop_ || hangUp_) return false;
        const int n = pty_.Write(bytes.data() + done, static_cast<int>(bytes.size() - done));
        if (n < 0) return false;
        done += static_cast<std::size_t>(n);
        if (n == 0) {
            const auto from = Clock::now();
            pty_.WaitWritable(5);
            blockedMicros_ += std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - from).count();
        }
    }
    return true;
}

void SensorDevice::Run()
{
    const bool flood = options_.rate <= 0;
    const auto period = std::chrono::duration<double>(flood ? 0 : 1.0 / options_.rate);
    auto next = Clock::now();
    bool wasStreaming = false;
    char buffer[4096];
    while (!stop_) {
        if (hangUp_) {
            pty_.Close();
            hungUp_ = true;
            return;
        }
        for (;;) {
            String chunk;
            {
                std::lock_guard guard(lock_);
                if (pushed_.empty()) break;
                chunk = std::move(pushed_.front());
                pushed_.pop_front();
            }
            WriteOut(chunk);
        }
        const bool streaming = model_.Streaming();
        if (pty_.WaitReadable(streaming && flood ? 0 : 1)) {
            const int n = pty_.Read(buffer, sizeof buffer);
            if (n > 0) {
                const String bytes(buffer, static_cast<std::size_t>(n));
                {
                    std::lock_guard guard(lock_);
                    received_ += bytes;
                }
                const String reply = model_.Receive(bytes);
                streaming_ = model_.Streaming();
                id_ = model_.Id();
                if (answer_ == anModel && !reply.empty()) WriteOut(reply);
            }
        }
        if (!model_.Streaming()) {
            wasStreaming = false;
            continue;
        }
        if (!wasStreaming) next = Clock::now();
        wasStreaming = true;
        // Lines due by now (flood: a batch at a time, as fast as the line takes them).
        String batch;
        int count = 0;
        while ((flood && count < 64) || (!flood && Clock::now() >= next && count < 64)) {
            const String line = model_.NextDataLine();
            if (keepLines_) {
                std::lock_guard guard(lock_);
                lines_.push_back(line);
            }
            batch += line;
            ++count;
            next += std::chrono::duration_cast<Clock::duration>(period);
        }
        if (!batch.empty() && WriteOut(batch)) lineCount_ += static_cast<std::uint64_t>(count);
    }
}
