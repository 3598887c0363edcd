#pragma once
// The hourglass cursor for the time of a long job, also when it fails.
#include "platform/forms/Forms.h"

class HourGlass {
public:
    HourGlass() { Screen->SetCursor(crHourGlass); }
    ~HourGlass() { Screen->SetCursor(crDefault); }
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;
};
