#pragma once
// Message texts of the serial component. Texts ending in "(%d), %s" are
// completed with the system error number and its text.

inline constexpr const char* sPortOpen = "Can't perform this operation while port is open";
inline constexpr const char* sDeviceNotFound = "Specified device not found (%s).";
inline constexpr const char* sCantOpenDevice = "Can't open specified device %s";
inline constexpr const char* sOpenErrorDetail = " (Error %d, %s)";
inline constexpr const char* sWriteDcb = "Error writing dcb (%d), %s";
inline constexpr const char* sInitBuffers = "Error initializing buffers (%d), %s";
inline constexpr const char* sSetTimeouts = "Error setting timeouts (%d), %s";
inline constexpr const char* sSetEventMask = " Error setting EventMask (%d), %s";
inline constexpr const char* sDtrHandshake = "DTR line updates not allowed when flowcontrol is set to Handshake.";
inline constexpr const char* sRtsHandshake =
    "RTS line updates not allowed when flowcontrol is set to Handshake or Toggle.";
inline constexpr const char* sCommFunction = "Error calling comm function (%d), %s";
inline constexpr const char* sOutputFull = "Output buffer is full. Please check comm status.";
inline constexpr const char* sWriteError = "Write error (%d), %s";
inline constexpr const char* sReadError = "Read error (%d), %s";
inline constexpr const char* sStatistics = "Error retrieving statistics (%d), %s";
// A device that went away while open (unplugged adapter, hung-up line).
inline constexpr const char* sDeviceLost = "Connection to device %s lost (%d), %s";
