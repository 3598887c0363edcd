// libFuzzer target for the component-stream reader and the text converters (see run.sh).
#include "fuzz/classes/FuzzStreams.h"
#include "tests/platform/classes/SampleClasses.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool registered = (RegisterSampleClasses(), true);
    (void)registered;
    tv_fuzz::FuzzComponentStream(data, size, [] { return new TSampleForm(nullptr); });
    return 0;
}
