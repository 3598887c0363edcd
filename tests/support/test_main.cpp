#include <gtest/gtest.h>

#include <cstdlib>

// Leaks inside system libraries that are not ours to fix (read by LeakSanitizer at start-up).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n"
           "leak:libQt6\n"
           "leak:libdbus\n"
           "leak:libglib\n"
           "leak:libgobject\n"
           "leak:libX11\n"
           "leak:libxcb\n";
}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
