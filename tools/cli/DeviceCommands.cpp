#include "DeviceCommands.h"

#include <cstdio>

#include "CliOptions.h"
#include "device/Commands.h"
#include "device/SerialPorts.h"
#include "model/DeviceContext.h"
#include "model/DeviceInfoLines.h"
#include "model/PropertyLines.h"
#include "model/Texts.h"

int RunPortsCommand(int argc, char** argv) {
    CliOptions options(argc, argv, 2);
    DeviceContext& context = GetDeviceContext();
    EnumerateSerialPorts(context);
    if (context.portList.empty()) std::puts("no serial ports found");
    for (int port : context.portList)
        std::printf("COM%d\t%s\n", port, DevicePathForPort(context, port).c_str());
    return 0;
}

int RunInfoCommand(int argc, char** argv) {
    CliOptions options(argc, argv, 2);
    if (!options.Error().empty()) {
        std::fprintf(stderr, "zorva-cli: %s\n", options.Error().c_str());
        return 2;
    }
    if (!ApplyEditionOption(options) || !ApplyPortOption(options)) return 2;

    DeviceContext& context = GetDeviceContext();
    if (!ReadDeviceState(context.deviceParameters)) {
        std::fprintf(stderr, "%s\n", Tx(TextId::ConnectFailed));
        return 1;
    }
    const auto tree = BuildPropertyTree(1, context.deviceParameters, context.units);
    std::fputs(RenderPropertyTree(tree).c_str(), stdout);
    for (const auto& line : DeviceInfoLines(context.deviceParameters)) std::printf("%s\n", line.c_str());
    return 0;
}
