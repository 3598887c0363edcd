#pragma once
// A program started as a child with its standard output read line by line;
// the child is ended (SIGTERM) when the object goes, and also when this
// process dies. Used to run the sensor simulator beside the program.
#include <utility>
#include <vector>

#include "platform/rtl/Types.h"

class TChildProcess {
public:
    TChildProcess() = default;
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    // program: a path, or a name looked up on the search path. env: variables set (or replaced)
    // for the child only.
    bool Start(const String& program, const std::vector<String>& args,
               const std::vector<std::pair<String, String>>& env = {});
    // The next line of the child's output without its line end; false on time-out or end.
    bool ReadLine(String& line, int timeoutMs);
    bool Running();
    // SIGTERM, then waits up to timeoutMs (SIGKILL after that); the exit code, or -1.
    int Stop(int timeoutMs = 5000);
    // Waits for the child to end by itself; the exit code, or -1 on time-out.
    int Wait(int timeoutMs);
    int Pid() const { return pid_; }
    // Lets the child run on by itself: its output is no longer read and it is not ended with this
    // object (it still ends with this process). Its exit is collected in the background.
    void Detach();

private:
    int pid_ = -1;
    int out_ = -1;
    int status_ = -1;
    String buffer_;
};
