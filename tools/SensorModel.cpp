#include "tools/SensorModel.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr char STX = 0x02;
constexpr char ETB = 0x17;
constexpr char CR = 0x0D;
constexpr char LF = 0x0A;
constexpr unsigned char PollBase = 0xB0;
constexpr char PollEnd = 0x05;

}  // namespace

String BlockCheck(const String& text)
{
    unsigned char sum = STX;
    for (unsigned char c : text) sum ^= c;
    // The first pair that XORs to the sum, preferring printable bytes; the pair may
    // be anything but a byte the receive path acts on.
    auto usable = [](unsigned c, bool printable) {
        if (printable) return c > ' ' && c < 0x7F && c != '$';
        return c != CR && c != LF && c != STX && c != ETB && c != '$';
    };
    for (const bool printable : {true, false})
        for (unsigned c1 = '0'; c1 <= 0xFF; ++c1) {
            const unsigned c2 = sum ^ c1;
            if (usable(c1, printable) && usable(c2, printable)) return {static_cast<char>(c1), static_cast<char>(c2)};
        }
    return {};  // not reached: at most five first bytes give a control byte as the second
}

String FrameBlock(const String& text) { return String(1, STX) + text + BlockCheck(text) + ETB + '$'; }

SensorModel::SensorModel(const SensorOptions& options)
    : options_(options), id_(options.id), random_(options.seed ? options.seed : 1)
{
}

std::uint32_t SensorModel::Random()
{
    random_ ^= random_ << 13;
    random_ ^= random_ >> 17;
    random_ ^= random_ << 5;
    return random_;
}

String SensorModel::Reply(const String& text) const { return options_.frame ? FrameBlock(text) : text + CR; }

String SensorModel::Info() const
{
    char text[160];
    std::snprintf(text, sizeof text, "TILT-2 two-axis inclinometer (simulated), ID %d, %g lines/s", id_, options_.rate);
    return text;
}

String SensorModel::Receive(const String& bytes)
{
    String out;
    for (char c : bytes) {
        const unsigned char u = static_cast<unsigned char>(c);
        // The binary poll: 0xB0 + ID, then 0x05, with nothing around it.
        if (pollHead_ && c == PollEnd) {
            pollHead_ = false;
            pending_.clear();
            if (pollId_ == id_) out += Reply(SampleText(sent_++));
            continue;
        }
        pollHead_ = u >= PollBase;
        if (pollHead_) {
            pollId_ = u - PollBase;
            continue;
        }
        if (c == CR || c == LF) {
            if (!pending_.empty()) out += Command(pending_);
            pending_.clear();
            continue;
        }
        if (pending_.size() < 256) pending_ += c;
    }
    return out;
}

String SensorModel::Command(const String& line)
{
    if (line == "#READ") {
        streaming_ = true;
        return {};
    }
    if (line == "#STOP") {
        streaming_ = false;
        return {};
    }
    if (line == "#QKV5302") {
        unlocked_ = true;
        return {};
    }
    if (line == "#SAVE") return Reply("OK");
    if (line == "#INFO") return Reply(Info());
    if (line.compare(0, 3, "#ID") == 0 && unlocked_) {
        const String digits = line.substr(3);
        int id = 0;
        bool ok = !digits.empty() && digits.size() <= 2;
        for (char d : digits) {
            ok = ok && d >= '0' && d <= '9';
            id = id * 10 + (d - '0');
        }
        if (ok && id <= 79) {
            id_ = id;
            unlocked_ = false;
            return Reply("OK");
        }
    }
    return Reply("ERR");
}

String SensorModel::SampleText(std::uint64_t index)
{
    // Slow swaying on two axes with a little noise, like a sensor on a mast.
    const double t = static_cast<double>(index) / (options_.rate > 0 ? options_.rate : 20);
    const double pi = 3.14159265358979323846;
    auto noise = [&] { return (static_cast<double>(Random() % 2001) - 1000.0) / 20000.0; };  // +-0.05
    const double x = 25.0 * std::sin(2 * pi * t / 8.0) + noise();
    const double y = 15.0 * std::sin(2 * pi * t / 13.0 + 1.0) + noise();
    // Hundredths as integers: quick enough for flood mode, and never "-0.00".
    auto put = [](String& out, double v) {
        long cents = std::lround(v * 100.0);
        if (cents < 0) {
            out += '-';
            cents = -cents;
        }
        out += std::to_string(cents / 100);
        out += '.';
        out += static_cast<char>('0' + cents / 10 % 10);
        out += static_cast<char>('0' + cents % 10);
    };
    String text;
    put(text, x);
    text += ' ';
    put(text, y);
    return text;
}

String SensorModel::NextDataLine()
{
    String line;
    if (options_.garbage && sent_ % 10 == 9) {
        // Stray bytes that none of the receive path's control bytes can be.
        const int n = 1 + static_cast<int>(Random() % 4);
        for (int i = 0; i < n; ++i) {
            char c;
            do {
                c = static_cast<char>(Random() & 0xFF);
            } while (c == CR || c == LF || c == STX || c == ETB || c == '$');
            line += c;
        }
    }
    line += Reply(SampleText(sent_++));
    return line;
}
