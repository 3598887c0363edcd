#pragma once
// A web server on 127.0.0.1 for download tests: python3's http.server serving a folder on a free
// port, its request log kept beside. Not running (Port() 0) when python3 is missing.
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "platform/system/ChildProcess.h"

namespace testsupport {

class LocalHttpServer {
public:
    LocalHttpServer(const std::string& folder, const std::string& logFile) : log_(logFile)
    {
        if (!process_.Start("/bin/sh", {"-c", "exec python3 -u -m http.server --bind 127.0.0.1 --directory \"$1\" 0 2>\"$2\"",
                                        "sh", folder, logFile}))
            return;
        std::string line;
        // "Serving HTTP on 127.0.0.1 port 41234 (http://127.0.0.1:41234/) ..."
        if (process_.ReadLine(line, 10000)) {
            const auto at = line.find(" port ");
            if (at != std::string::npos) port_ = std::stoi(line.substr(at + 6));
        }
    }
    int Port() const { return port_; }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    // How many requests for the path the log holds.
    int Requests(const std::string& path) const
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the log line may trail the reply
        std::ifstream in(log_);
        const std::string needle = "\"GET " + path + " ";
        int count = 0;
        for (std::string line; std::getline(in, line);)
            if (line.find(needle) != std::string::npos) ++count;
        return count;
    }

private:
    TChildProcess process_;
    std::string log_;
    int port_ = 0;
};

}  // namespace testsupport
