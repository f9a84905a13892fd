#pragma once

#include <string>

#include "SimConfig.h"

// The emulator's command line: a scenario file first, then the options in the order given.
class CommandLine {
public:
    enum class Outcome { Run, Help, Error };

    static Outcome Parse(int argc, char** argv, SimConfig& config, std::string* error);
    static const char* HelpText();
};
