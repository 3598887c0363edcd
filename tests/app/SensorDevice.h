#pragma once
// A simulated sensor on the far end of a pseudo-terminal, named as a COM port in the device map.
// A thread records every byte the viewer sends and answers as the sensor model does (or keeps
// silent), streams data lines while the model streams, and writes scripted bytes on request.
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/comm/PseudoTerminal.h"
#include "tools/SensorModel.h"

class SensorDevice {
public:
    enum TAnswer { anModel, anSilent };

    explicit SensorDevice(const SensorOptions& options = {}, TAnswer answer = anModel);
    ~SensorDevice();
    SensorDevice(const SensorDevice&) = delete;
    SensorDevice& operator=(const SensorDevice&) = delete;

    // Opens the line, enters it in the per-user device map as port and starts the thread;
    // false when the line cannot be opened or named.
    bool Start(const String& port = "COM7");
    const String& DevicePath() const { return pty_.DevicePath(); }

    // Bytes to write as one write, in order after what was pushed before.
    void Push(const String& bytes);
    // Hangs the line up (the thread closes its end) and waits until it is done.
    void HangUp();

    // Everything received so far.
    String Received() const;
    // The data lines streamed so far, as they went on the line.
    std::vector<String> DataLines() const;
    std::uint64_t DataLineCount() const { return lineCount_; }
    bool Streaming() const { return streaming_; }
    int Id() const { return id_; }
    // Time the thread spent waiting for room on the line (the reader was behind).
    double BlockedSeconds() const { return blockedMicros_ / 1e6; }
    // Keep only the count of data lines, not their text (long floods).
    void KeepLines(bool keep) { keepLines_ = keep; }

private:
    void Run();
    bool WriteOut(const String& bytes);

    SensorModel model_;
    SensorOptions options_;
    TAnswer answer_;
    PseudoTerminal pty_;
    String port_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> hangUp_{false};
    std::atomic<bool> hungUp_{false};
    std::atomic<bool> streaming_{false};
    std::atomic<int> id_{0};
    std::atomic<std::uint64_t> lineCount_{0};
    std::atomic<std::int64_t> blockedMicros_{0};
    std::atomic<bool> keepLines_{true};
    mutable std::mutex lock_;
    String received_;
    std::vector<String> lines_;
    std::deque<String> pushed_;
};
