// zorva-cli: the device link and the history from the command line, with the same code as the window.
#include <cstdio>
#include <cstring>
#include <string>

#include "CliOptions.h"
#include "DeviceCommands.h"
#include "HistoryCommands.h"

namespace {
void PrintUsage(FILE* out) {
    std::fputs(
        "usage: zorva-cli COMMAND [options]\n"
        "\n"
        "commands:\n"
        "  ports                                  list the serial ports present and their device paths\n"
        "  info (--port N | --device PATH) [--edition zh|en]\n"
        "                                         connect and print the logger's properties\n"
        "  download (--port N | --device PATH) --out FILE.jc [--edition zh|en]\n"
        "                                         download the history into a record file\n"
        "  export FILE.jc --out OUT.txt|OUT.csv [--from \"YYYY-MM-DD hh:mm:ss\"] [--to ...] [--edition zh|en]\n"
        "                                         write the text or CSV export of a record file\n"
        "\n"
        "Ports 1-32 are /dev/ttyS0-31, 33-96 /dev/ttyUSB0-63, 97-160 /dev/ttyACM0-63; --device names any path,\n"
        "for example the link of zorva-logger-sim. Output is UTF-8.\n",
        out);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::string command = argv[1];
    if (command == "ports") return RunPortsCommand(argc, argv);
    if (command == "info") return RunInfoCommand(argc, argv);
    if (command == "download") return RunDownloadCommand(argc, argv);
    if (command == "export") return RunExportCommand(argc, argv);
    std::fprintf(stderr, "zorva-cli: unknown command '%s'\n", command.c_str());
    PrintUsage(stderr);
    return 2;
}
