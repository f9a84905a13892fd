#include "CliOptions.h"

#include <cstdio>
#include <cstdlib>

#include "model/DeviceContext.h"
#include "model/Edition.h"

namespace {
// Options that stand alone; every other "--name" takes the next argument as its value.
bool IsFlag(const std::string& name) { return name == "--help" || name == "-h"; }

// Port number used for --device PATH: past every port that maps to a real device by default.
constexpr int kDevicePathPort = 256;
}  // namespace

CliOptions::CliOptions(int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("-", 0) == 0 && arg.size() > 1) {
            if (IsFlag(arg)) {
                flags_.push_back(arg);
            } else if (i + 1 < argc) {
                values_.emplace_back(arg, argv[++i]);
            } else if (error_.empty()) {
                error_ = "missing value for " + arg;
            }
        } else {
            positionals_.push_back(arg);
        }
    }
}

std::optional<std::string> CliOptions::Value(const std::string& name) const {
    for (const auto& [key, value] : values_)
        if (key == name) return value;
    return std::nullopt;
}

bool CliOptions::Has(const std::string& name) const {
    for (const auto& flag : flags_)
        if (flag == name) return true;
    return Value(name).has_value();
}

bool ApplyEditionOption(const CliOptions& options) {
    const std::string edition = options.Value("--edition").value_or("zh");
    if (edition != "zh" && edition != "en") {
        std::fprintf(stderr, "zorva-cli: --edition must be zh or en\n");
        return false;
    }
    SetEdition(edition == "zh" ? Edition::Chinese : Edition::English);
    DestroyDeviceContext();  // the parameter blocks are sized by the edition
    return true;
}

bool ApplyPortOption(const CliOptions& options) {
    DeviceContext& context = GetDeviceContext();
    if (auto device = options.Value("--device")) {
        context.comDevices[kDevicePathPort] = *device;
        context.portNumber = kDevicePathPort;
        return true;
    }
    if (auto port = options.Value("--port")) {
        char* end = nullptr;
        const long number = std::strtol(port->c_str(), &end, 10);
        if (end == port->c_str() || *end != '\0' || number < 1 || number > 256) {
            std::fprintf(stderr, "zorva-cli: --port takes a number from 1 to 256\n");
            return false;
        }
        context.portNumber = static_cast<int>(number);
        return true;
    }
    std::fprintf(stderr, "zorva-cli: give --port N or --device PATH\n");
    return false;
}
