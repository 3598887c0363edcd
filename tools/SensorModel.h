#pragma once
// The simulated two-axis tilt sensor: what it answers to the bytes it receives
// and the data lines it streams. No I/O here; sensorsim.cpp moves the bytes.
#include <cstdint>

#include "platform/rtl/Types.h"

struct SensorOptions {
    int id = 1;              // bus ID 0..79
    double rate = 20;        // data lines per second while streaming
    bool frame = false;      // replies and data as checked '$' blocks
    bool garbage = false;    // a few stray bytes before every tenth data line
    std::uint32_t seed = 1;  // noise and garbage
};

// A checked block is STX text c1 c2 ETB '$'. The viewer takes it when the bytes
// of its receive event up to the ETB XOR to 0, so c1 c2 are the two bytes that
// bring STX and the text to 0: printable and none of the receive path's control
// bytes where the text allows. The viewer cuts them off the line.
String BlockCheck(const String& text);
String FrameBlock(const String& text);

class SensorModel {
public:
    explicit SensorModel(const SensorOptions& options);

    // Takes received bytes; returns the reply bytes to send (maybe none).
    String Receive(const String& bytes);
    bool Streaming() const { return streaming_; }
    int Id() const { return id_; }
    // The next sample as it goes on the line (garbage, framing included).
    String NextDataLine();
    // The sample's text "X Y" (two decimals each) without line end.
    String SampleText(std::uint64_t index);
    std::uint64_t LinesSent() const { return sent_; }
    String Info() const;

private:
    String Reply(const String& text) const;
    String Command(const String& line);
    std::uint32_t Random();

    SensorOptions options_;
    int id_;
    bool streaming_ = false;
    bool unlocked_ = false;
    String pending_;  // command text since the last line end
    bool pollHead_ = false;
    int pollId_ = 0;
    std::uint64_t sent_ = 0;
    std::uint32_t random_;
};
