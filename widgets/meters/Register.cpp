#include "widgets/meters/Register.h"

#include "platform/classes/ClassRegistry.h"
#include "widgets/meters/ColBitBtn.h"
#include "widgets/meters/DB180Meter.h"
#include "widgets/meters/FlashTimer.h"
#include "widgets/meters/RoundMeter.h"

void RegisterMeterControls()
{
    RegisterClasses({&TVnRMeter::StaticClass(), &TVn180Meter::StaticClass(), &TVn120Meter::StaticClass(),
                     &TVnDB180Meter::StaticClass(), &TVnColBitBtn::StaticClass(), &TVnFlash::StaticClass(),
                     &TVnFlashTimer::StaticClass(), &TDataSource::StaticClass()});
}
