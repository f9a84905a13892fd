#pragma once

#include <string>
#include <vector>

#include "model/DeviceParameters.h"

// The four lines of the device-information dialog (model, serial number, capacity, firmware) in the
// current edition, from the block's DeviceInfo as the last connect left it.
std::vector<std::string> DeviceInfoLines(const DeviceParameters& block);
