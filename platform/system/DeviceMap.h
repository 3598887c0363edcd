#pragma once
// The serial device map: which device path stands behind a port name "COMn".
//
// Devices of the machine get fixed numbers: ttyS<n> -> COM<n+1> (n 0..31),
// ttyUSB<n> -> COM<n+33> (n 0..31), ttyACM<n> -> COM<n+65> (n 0..34); others
// get none. A per-user map file (SerialMapFilePath) adds entries or overrides
// one of those, one "COM7=/dev/pts/4" line each.
#include <vector>

#include "platform/rtl/Types.h"

struct TSerialMapEntry {
    String Device;  // device path; the value name under the registry key
    String Port;    // "COM3"; the value data
};

// 0 when the kernel name gets no COM number.
int ComNumberForTty(const String& ttyName);
// "COM3", "com3", "\\.\COM3" -> 3; 0 for anything else.
int ComNumberOfName(const String& name);

// Real UARTs under sysClassTty (entries with a "device" link; for ttyS only
// ports whose "type" is not 0).
std::vector<TSerialMapEntry> SystemSerialPorts(const String& sysClassTty = "/sys/class/tty");

String SerialMapFilePath();  // <UserConfigDir>/serialcomm.map
// Lines "COMn=path"; blank, comment ('#') and malformed lines are skipped.
std::vector<TSerialMapEntry> ReadSerialMapFile(const String& path);
// Machine ports plus the map file, the file winning for a COM number; ordered by number.
std::vector<TSerialMapEntry> SerialDeviceMap(const String& mapFile, const String& sysClassTty = "/sys/class/tty");
std::vector<TSerialMapEntry> SerialDeviceMap();

// Device path for a port name ("COM3", "\\.\COM3", any number of "\\.\" in
// front), or the path itself when the name is one ("/dev/...", also behind "\\.\"); "" when
// the map has no such port.
String ResolveSerialDevice(const String& name);
String ResolveSerialDevice(const String& name, const std::vector<TSerialMapEntry>& map);

// Edit the map file atomically (lock + rename): set the port's line, or remove
// it only while it still names device (so a newer owner of the port keeps it).
// A line tied to this process ("COM7=/dev/pts/4;pid=1234") is ignored once the
// process is gone, so a killed simulator leaves no port that leads elsewhere.
bool SetSerialMapEntry(const String& mapFile, const String& port, const String& device, bool tiedToThisProcess = false);

// A port name claimed for a device of this process: the number taken (0 when refused) or the
// line that holds the name.
struct TSerialMapClaim {
    int Number = 0;
    String OwnerDevice;  // the device of the line that keeps the name
    long OwnerPid = 0;   // its process; 0 for a line tied to none (written by hand)
};
// Enters device under COM<number>, tied to this process, unless a live line holds that name
// already (one tied to no process, or to one that runs); number 0 takes the first free name from
// COM1 to COM99. Decided and written under the file's lock, so two claims never share a name.
// False when the file cannot be written.
bool ClaimSerialMapEntry(const String& mapFile, int number, const String& device, TSerialMapClaim& claim);
bool RemoveSerialMapEntry(const String& mapFile, const String& port, const String& device);
