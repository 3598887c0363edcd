// Leaks inside the font and window libraries, built into the test binary: the suppressions
// file is not always handed to the sanitizer by the test runner.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libQt6\nleak:libdbus\nleak:libglib\n";
}
