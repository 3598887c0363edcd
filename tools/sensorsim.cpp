// sensorsim: a simulated tilt sensor on a pseudo-terminal, registered in the
// per-user serial device map under a COM name. Prints "<device> <COM name>"
// once ready; removes its map line when it ends (SIGTERM, SIGINT, SIGHUP, or
// after --hangup-after lines, when it also hangs the line up). A name another
// simulator (or a line written by hand) holds is refused when asked for with
// --com; without --com the first free name is taken.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/comm/PseudoTerminal.h"
#include "platform/system/DeviceMap.h"
#include "tools/SensorModel.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void OnSignal(int) { stopRequested = 1; }

struct Settings {
    SensorOptions sensor;
    int com = 0;  // 0: the first free name
    String mapFile;
    bool flood = false;
    bool split = false;
    bool stream = false;
    std::uint64_t hangupAfter = 0;
    std::uint64_t count = 0;
};

void Usage(std::FILE* out)
{
    std::fputs(
        "usage: sensorsim [options]\n"
        "  --com COMn          port name to register (default: the first one free, from COM1)\n"
        "  --map-file PATH     device map file (default: the per-user one)\n"
        "  --id N              bus ID 0..79 (default 1)\n"
        "  --rate R            data lines per second while streaming (default 20)\n"
        "  --flood             stream as fast as the line takes it\n"
        "  --stream            start streaming without waiting for #READ\n"
        "  --count N           stop streaming after N data lines\n"
        "  --frame             send replies and data as checked '$' blocks\n"
        "  --split             cut what is sent into several writes\n"
        "  --garbage           stray bytes before every tenth data line\n"
        "  --hangup-after N    hang the line up after N data lines and exit\n"
        "  --seed N            noise seed\n"
        "  --help              this text\n",
        out);
}

enum class Parsed { Run, Help, Bad };

Parsed ParseArgs(int argc, char** argv, Settings& s)
{
    for (int i = 1; i < argc; ++i) {
        const String a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        auto number = [&](double& out) {
            const char* v = value();
            char* end = nullptr;
            if (!v) return false;
            out = std::strtod(v, &end);
            return *v && *end == 0 && out >= 0;
        };
        double n = 0;
        if (a == "--help" || a == "-h") {
            return Parsed::Help;
        } else if (a == "--com") {
            const char* v = value();
            if (!v || ComNumberOfName(v) == 0) return Parsed::Bad;
            s.com = ComNumberOfName(v);
        } else if (a == "--map-file") {
            const char* v = value();
            if (!v) return Parsed::Bad;
            s.mapFile = v;
        } else if (a == "--id") {
            if (!number(n) || n > 79) return Parsed::Bad;
            s.sensor.id = static_cast<int>(n);
        } else if (a == "--rate") {
            if (!number(n) || n <= 0) return Parsed::Bad;
            s.sensor.rate = n;
        } else if (a == "--count") {
            if (!number(n)) return Parsed::Bad;
            s.count = static_cast<std::uint64_t>(n);
        } else if (a == "--hangup-after") {
            if (!number(n)) return Parsed::Bad;
            s.hangupAfter = static_cast<std::uint64_t>(n);
        } else if (a == "--seed") {
            if (!number(n)) return Parsed::Bad;
            s.sensor.seed = static_cast<std::uint32_t>(n);
        } else if (a == "--flood") {
            s.flood = true;
        } else if (a == "--stream") {
            s.stream = true;
        } else if (a == "--frame") {
            s.sensor.frame = true;
        } else if (a == "--split") {
            s.split = true;
        } else if (a == "--garbage") {
            s.sensor.garbage = true;
        } else {
            return Parsed::Bad;
        }
    }
    return Parsed::Run;
}

class Line {
public:
    Line(PseudoTerminal& pty, bool split) : pty_(pty), split_(split) {}

    // False when the line is gone or a stop was asked for.
    bool Send(const String& bytes)
    {
        if (!split_ || bytes.size() < 2) return Write(bytes.data(), bytes.size());
        // Cut at a point that moves around, so lines arrive in pieces.
        cut_ = cut_ * 7 + 3;
        const std::size_t at = 1 + cut_ % (bytes.size() - 1);
        if (!Write(bytes.data(), at)) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return Write(bytes.data() + at, bytes.size() - at);
    }

private:
    bool Write(const char* p, std::size_t n)
    {
        while (n > 0) {
            if (stopRequested) return false;
            const int w = pty_.Write(p, static_cast<int>(n));
            if (w < 0) return false;
            if (w == 0) {
                pty_.WaitWritable(50);
                continue;
            }
            p += w;
            n -= static_cast<std::size_t>(w);
        }
        return true;
    }

    PseudoTerminal& pty_;
    bool split_;
    std::size_t cut_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    Settings s;
    switch (ParseArgs(argc, argv, s)) {
    case Parsed::Help: Usage(stdout); return 0;
    case Parsed::Bad: Usage(stderr); return 2;
    case Parsed::Run: break;
    }
    if (s.mapFile.empty()) s.mapFile = SerialMapFilePath();

    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGHUP, OnSignal);

    PseudoTerminal pty;
    if (!pty.Open()) {
        std::perror("sensorsim: pseudo-terminal");
        return 1;
    }
    const String device = pty.DevicePath();
    TSerialMapClaim claim;
    if (!ClaimSerialMapEntry(s.mapFile, s.com, device, claim)) {
        std::fprintf(stderr, "sensorsim: cannot write %s: %s\n", s.mapFile.c_str(), std::strerror(errno));
        return 1;
    }
    if (claim.Number == 0) {
        if (s.com == 0)
            std::fprintf(stderr, "sensorsim: every name from COM1 to COM99 is taken in %s\n", s.mapFile.c_str());
        else if (claim.OwnerPid > 0)
            std::fprintf(stderr,
                         "sensorsim: COM%d is taken by %s of process %ld (another simulator); choose another "
                         "name with --com, or leave --com out to take the first free one\n",
                         s.com, claim.OwnerDevice.c_str(), claim.OwnerPid);
        else
            std::fprintf(stderr,
                         "sensorsim: COM%d is taken by %s, a line of %s; choose another name with --com, or "
                         "leave --com out to take the first free one\n",
                         s.com, claim.OwnerDevice.c_str(), s.mapFile.c_str());
        return 1;
    }
    const String com = "COM" + std::to_string(claim.Number);
    std::printf("%s %s\n", device.c_str(), com.c_str());
    std::fflush(stdout);

    SensorModel sensor(s.sensor);
    Line line(pty, s.split);
    if (s.stream) sensor.Receive("#READ\r\n");
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration<double>(1.0 / s.sensor.rate);
    auto due = Clock::now();
    bool wasStreaming = false;
    bool ok = true;

    auto limitReached = [&] {
        return (s.count && sensor.LinesSent() >= s.count) || (s.hangupAfter && sensor.LinesSent() >= s.hangupAfter);
    };

    while (ok && !stopRequested) {
        const bool streaming = sensor.Streaming() && !(s.count && sensor.LinesSent() >= s.count);
        if (streaming && !wasStreaming) due = Clock::now();
        wasStreaming = streaming;

        int wait = 50;
        if (streaming)
            wait = s.flood ? 0
                           : static_cast<int>(std::max<long long>(
                                 0, std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now()).count()));
        // Below a millisecond the wait for commands would spin: sleep to the line's deadline.
        if (streaming && !s.flood && wait == 0 && Clock::now() < due) std::this_thread::sleep_until(due);
        if (pty.WaitReadable(wait)) {
            char chunk[512];
            const int n = pty.Read(chunk, sizeof chunk);
            if (n > 0) ok = line.Send(sensor.Receive(String(chunk, static_cast<std::size_t>(n))));
            continue;
        }
        if (!streaming) continue;
        if (s.flood) {
            String batch;
            for (int i = 0; i < 2048 && !limitReached(); ++i) batch += sensor.NextDataLine();
            ok = line.Send(batch);
        } else if (Clock::now() >= due) {
            ok = line.Send(sensor.NextDataLine());
            due += std::chrono::duration_cast<Clock::duration>(period);
            if (Clock::now() - due > std::chrono::seconds(1))
                due = Clock::now();  // fell far behind (suspended): do not burst
        }
        if (s.hangupAfter && sensor.LinesSent() >= s.hangupAfter) {
            // A hang-up throws away what the reader has not taken yet: give it a moment.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            break;
        }
    }

    pty.Close();  // hangs the line up for whoever holds it
    RemoveSerialMapEntry(s.mapFile, com, device);
    return 0;
}
