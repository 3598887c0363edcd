#pragma once
// A viewer window on a fresh settings folder and an empty per-user configuration.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/MainWindow.h"

void TvRegisterResources_viewer();

class ViewerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Creates the window (FormCreate runs); shows it when asked (FormShow runs).
    TfKAVRO_IN_D_485_Viewer& CreateWindow(bool show = true);
    // The window's component of that name and class.
    template <class T>
    T& Get(const char* name)
    {
        T* c = dynamic_cast<T*>(window_->FindComponent(name));
        if (!c) throw std::runtime_error(String("no component ") + name);
        return *c;
    }
    String SettingsFile() const { return UserSetPath(settings_.string()); }

    std::filesystem::path root_;
    std::filesystem::path settings_;
    TOwnedPtr<TfKAVRO_IN_D_485_Viewer> window_;
};
