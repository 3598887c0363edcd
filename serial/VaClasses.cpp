#include "serial/VaClasses.h"

#include "platform/classes/Published.h"

TV_PUBLISHED(TVaPersistent) {}
TV_PUBLISHED(TVaComponent) {}

void TVaPersistent::BeginUpdate() { ++updateCount_; }

void TVaPersistent::EndUpdate()
{
    if (updateCount_ > 0) --updateCount_;
    Changed();
}

void TVaPersistent::Changed()
{
    if (updateCount_ == 0 && onChange_) onChange_(this);
}
