#pragma once
// A port under test against a pseudo-terminal registered as COM7 in a private device map.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "platform/classes/Threads.h"
#include "platform/comm/PseudoTerminal.h"
#include "platform/forms/Forms.h"
#include "platform/system/DeviceMap.h"
#include "serial/VaComm.h"

class ConfigHome {
public:
    ConfigHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tv-serial-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    ~ConfigHome()
    {
        unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(dir_);
    }
    const std::string& Dir() const { return dir_; }

private:
    std::string dir_;
};

// Serves worker calls on this (the main) thread until done() or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 3000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        CheckSynchronize(5);
    }
    return true;
}

inline void PumpFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}

class PortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TThread::SetMainThread();
        ASSERT_TRUE(pty.Open());
        ASSERT_TRUE(SetSerialMapEntry(SerialMapFilePath(), "COM7", pty.DevicePath()));
        port = TOwnedPtr<TVaComm>(new TVaComm(nullptr));
        port->SetPortNum(7);
        port->SetBaudrate(br115200);
        Application->SetOnException([this](TObject*, Exception* e) { reported.push_back(e->Message()); });
    }
    void TearDown() override
    {
        port.reset();
        Application->SetOnException(nullptr);
    }

    String FarEndReads(std::size_t count, int ms = 3000) { return pty.ReadFor(ms, count); }

    ConfigHome home;
    PseudoTerminal pty;
    TOwnedPtr<TVaComm> port;
    std::vector<String> reported;
};
