#pragma once
// Types shared by the serial component's units.
#include <cstdint>

#include "platform/classes/Sets.h"
#include "platform/rtl/Exceptions.h"

using TVaIntW = int;     // 0..2147483647
using TVaPortInt = int;  // 0..2147483647

// The only exception the port raises.
class EVaCommError : public Exception {
public:
    using Exception::Exception;
};

enum TVaControlDtr { dtrDisabled, dtrEnabled, dtrHandshake };
enum TVaControlRts { rtsDisabled, rtsEnabled, rtsHandshake, rtsToggle };

enum TVaBaudrate {
    brUser, br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000,
    br57600, br115200, br128000, br256000
};
enum TVaParity { paNone, paOdd, paEven, paMark, paSpace };
enum TVaDatabits { db4, db5, db6, db7, db8 };
enum TVaStopbits { sb1, sb15, sb2 };

enum TVaCommOption { coErrorChar, coNullStrip, coParityCheck };
using TVaCommOptions = TSet<TVaCommOption>;

enum TVaCommEvent {
    ceBreak, ceCts, ceDsr, ceError, ceRing, ceRlsd, ceRxChar, ceTxEmpty, ceRxFlag, cePErr, ceRx80Full,
    ceEvent1, ceEvent2
};
using TVaCommEvents = TSet<TVaCommEvent>;

// Bit rate selected by a TVaBaudrate (brUser: 0, the user rate applies).
std::uint32_t BaudrateValue(TVaBaudrate rate);
// Event bit of the device wait that a TVaCommEvent selects.
std::uint32_t CommEventBit(TVaCommEvent event);
