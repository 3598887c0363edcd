#pragma once
// Sets an environment variable for one test and restores it afterwards.
#include <cstdlib>
#include <string>

class EnvVar {
public:
    EnvVar(const char* name, const std::string& value) : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (old) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~EnvVar()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};
