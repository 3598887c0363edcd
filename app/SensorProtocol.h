#pragma once
// The sensor's command set on the serial line, and the texts of the window's port and rate boxes.
#include "platform/rtl/Types.h"
#include "serial/VaTypes.h"

namespace sensor {
inline const String StartCommand = "#READ";
inline const String StopCommand = "#STOP";
inline const String AccessCode = "#QKV5302";
inline const String IdCommand = "#ID";
inline const String SaveCommand = "#SAVE";

// The binary poll of a device: (ID + 0xB0) mod 256, then 0x05.
String PollBytes(int id);
}  // namespace sensor

// The port number written by the fourth and fifth characters of a port name ("COM3" 3, "COM123"
// 12); EConvertError when they are no number.
int PortNumberFromText(const String& portText);
// The rate box's number as a table rate, brUser for any other number; EConvertError when it is no
// number.
TVaBaudrate BaudrateFromText(const String& rateText);
