#pragma once
// Failures of the chart core that carry one of the engine's texts.
#include "platform/rtl/Exceptions.h"

class ChartException : public Exception {
public:
    using Exception::Exception;
};
