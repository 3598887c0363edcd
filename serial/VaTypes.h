#pragma once
// Types shared by the serial component's units.
#include <cstdint>
#include <iterator>

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
inline constexpr const char* TVaControlDtrNames[] = {"dtrDisabled", "dtrEnabled", "dtrHandshake"};
static_assert(std::size(TVaControlDtrNames) == dtrHandshake + 1);

enum TVaControlRts { rtsDisabled, rtsEnabled, rtsHandshake, rtsToggle };
inline constexpr const char* TVaControlRtsNames[] = {"rtsDisabled", "rtsEnabled", "rtsHandshake", "rtsToggle"};
static_assert(std::size(TVaControlRtsNames) == rtsToggle + 1);

enum TVaBaudrate {
    brUser,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};
inline constexpr const char* TVaBaudrateNames[] = {"brUser",  "br110",    "br300",    "br600",   "br1200",  "br2400",
                                                   "br4800",  "br9600",   "br14400",  "br19200", "br38400", "br56000",
                                                   "br57600", "br115200", "br128000", "br256000"};
static_assert(std::size(TVaBaudrateNames) == br256000 + 1);

enum TVaParity { paNone, paOdd, paEven, paMark, paSpace };
inline constexpr const char* TVaParityNames[] = {"paNone", "paOdd", "paEven", "paMark", "paSpace"};
static_assert(std::size(TVaParityNames) == paSpace + 1);

enum TVaDatabits { db4, db5, db6, db7, db8 };
inline constexpr const char* TVaDatabitsNames[] = {"db4", "db5", "db6", "db7", "db8"};
static_assert(std::size(TVaDatabitsNames) == db8 + 1);

enum TVaStopbits { sb1, sb15, sb2 };
inline constexpr const char* TVaStopbitsNames[] = {"sb1", "sb15", "sb2"};
static_assert(std::size(TVaStopbitsNames) == sb2 + 1);

enum TVaCommOption { coErrorChar, coNullStrip, coParityCheck };
inline constexpr const char* TVaCommOptionNames[] = {"coErrorChar", "coNullStrip", "coParityCheck"};
static_assert(std::size(TVaCommOptionNames) == coParityCheck + 1);
using TVaCommOptions = TSet<TVaCommOption>;

enum TVaCommEvent {
    ceBreak,
    ceCts,
    ceDsr,
    ceError,
    ceRing,
    ceRlsd,
    ceRxChar,
    ceTxEmpty,
    ceRxFlag,
    cePErr,
    ceRx80Full,
    ceEvent1,
    ceEvent2
};
inline constexpr const char* TVaCommEventNames[] = {"ceBreak",    "ceCts",    "ceDsr",     "ceError",  "ceRing",
                                                    "ceRlsd",     "ceRxChar", "ceTxEmpty", "ceRxFlag", "cePErr",
                                                    "ceRx80Full", "ceEvent1", "ceEvent2"};
static_assert(std::size(TVaCommEventNames) == ceEvent2 + 1);
using TVaCommEvents = TSet<TVaCommEvent>;

// Bit rate selected by a TVaBaudrate (brUser: 0, the user rate applies).
std::uint32_t BaudrateValue(TVaBaudrate rate);
// Event bit of the device wait that a TVaCommEvent selects.
std::uint32_t CommEventBit(TVaCommEvent event);
