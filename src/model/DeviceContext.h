#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/DeviceParameters.h"
#include "model/UnitTable.h"

constexpr int kCelsius = 17;
constexpr int kFahrenheit = 170;

// The process-wide record every part reads. It has no lock for its fields: the serial settings are
// read by whichever thread runs a transaction, the connect thread fills deviceParameters, the
// download worker changes baudRate around each page. Callers keep those uses apart.
struct DeviceContext {
    std::string programDirectory;  // ends with '/'
    std::string skinFolder;
    int portNumber = 0;
    int baudRate = 115200;
    char parity = 'n';
    int dataBits = 8;
    int stopBits = 1;
    int retryCount = 3;
    uint32_t mainBkColor = 0x808080;  // 0x00BBGGRR
    uint32_t dialogBkColor = 0;
    DeviceParameters deviceParameters;
    DeviceParameters historyParameters;
    int onlineInterval = 60;
    int temperatureType = kCelsius;
    int downloadWait = 0;  // milliseconds before reading each history page
    UnitTable units;
    std::vector<int> portList;
    int autoSearch = 0;
    // Port number -> device path, from the settings file's Com_Devices section.
    std::map<int, std::string> comDevices;
};

// Created on first use under its own lock, sized for the current edition.
DeviceContext& GetDeviceContext();
// Deletes the context (application exit, or a test switching editions); the next Get makes a new one.
void DestroyDeviceContext();
