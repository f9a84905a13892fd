#pragma once

#include <string>

#include "model/DeviceContext.h"

// Port numbers (1..256) to device paths and the list of ports present. Any thread; the context is
// not locked, so callers keep enumeration apart from other writers of the port list.

// Device path of a port number: the context's Com_Devices entry wins; otherwise 1-32 are
// /dev/ttyS0-31, 33-96 /dev/ttyUSB0-63, 97-160 /dev/ttyACM0-63; anything else gives "".
std::string DevicePathForPort(const DeviceContext& context, int port);

// Clears the context's port list and fills it, in ascending port number, with the ports whose
// device exists and is a real serial port, plus every Com_Devices entry whose path exists.
void EnumerateSerialPorts(DeviceContext& context);

// The number of a port name: digits read from the end, each times 10 to its distance from the end;
// a non-digit counts 0 ("COM12" gives 12, "COM" gives 0).
int PortNumberFromName(const std::string& name);
