#include "CommandLine.h"

#include <cstring>
#include <vector>

#include "ScenarioLoader.h"

namespace {
struct OptionKey {
    const char* option;
    const char* section;
    const char* key;
    const char* fixedValue;  // options without an argument set this value
};

// Command-line options that are shorthands of scenario keys.
constexpr OptionKey kOptionKeys[] = {
    {"--records", "history", "count", nullptr},
    {"--history-start", "history", "start", nullptr},
    {"--plain-history", "history", "defects", "none"},
    {"--mask", "device", "mask", nullptr},
    {"--capacity", "device", "capacity", nullptr},
    {"--interval", "device", "interval", nullptr},
    {"--clock", "device", "clock", nullptr},
    {"--live", "device", "live", "1"},
    {"--pages-empty", "faults", "pages_empty", "1"},
    {"--page-count", "faults", "page_count", nullptr},
    {"--page-bytes", "faults", "page_bytes", nullptr},
    {"--no-reply-every", "faults", "no_reply_every", nullptr},
    {"--no-reply-to", "faults", "no_reply_to", nullptr},
    {"--bad-checksum", "faults", "bad_checksum", "all"},
    {"--bad-checksum-to", "faults", "bad_checksum_to", nullptr},
    {"--wrong-command", "faults", "wrong_command", "all"},
    {"--wrong-command-to", "faults", "wrong_command_to", nullptr},
    {"--bit7", "faults", "bit7", "all"},
    {"--bit7-to", "faults", "bit7_to", nullptr},
    {"--fragment", "faults", "fragment", nullptr},
    {"--delay", "faults", "delay", nullptr},
    {"--stop-after", "faults", "stop_after", nullptr},
};
}  // namespace

CommandLine::Outcome CommandLine::Parse(int argc, char** argv, SimConfig& config, std::string* error) {
    std::vector<std::string> args(argv + 1, argv + argc);
    ScenarioLoader loader(config);
    // The scenario comes first so that the other options override it wherever they stand.
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") return Outcome::Help;
        if (args[i] == "--scenario") {
            if (i + 1 >= args.size()) return *error = "--scenario needs a file", Outcome::Error;
            if (!loader.LoadFile(args[i + 1], error)) return Outcome::Error;
        }
    }
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto next = [&](std::string* value) {
            if (i + 1 >= args.size()) return false;
            *value = args[++i];
            return true;
        };
        std::string value;
        if (a == "--scenario") {
            ++i;
        } else if (a == "--link") {
            if (!next(&config.link)) return *error = "--link needs a path", Outcome::Error;
        } else if (a == "--verbose" || a == "-v") {
            config.verbose = true;
        } else if (a == "--die-with-parent") {
            config.dieWithParent = true;
        } else if (a == "--set") {
            // --set SECTION.KEY=VALUE, e.g. --set "channel 2.alarm=-50 300"
            if (!next(&value)) return *error = "--set needs SECTION.KEY=VALUE", Outcome::Error;
            const size_t eq = value.find('=');
            const size_t dot = value.rfind('.', eq);
            if (eq == std::string::npos || dot == std::string::npos)
                return *error = "--set needs SECTION.KEY=VALUE", Outcome::Error;
            if (!loader.Apply(value.substr(0, dot), value.substr(dot + 1, eq - dot - 1), value.substr(eq + 1),
                              error))
                return *error = "--set " + value + ": " + *error, Outcome::Error;
        } else {
            const OptionKey* found = nullptr;
            for (const OptionKey& o : kOptionKeys)
                if (a == o.option) found = &o;
            if (!found) return *error = "unknown option " + a + " (see --help)", Outcome::Error;
            if (found->fixedValue) {
                value = found->fixedValue;
            } else if (!next(&value)) {
                return *error = a + " needs a value", Outcome::Error;
            }
            if (!loader.Apply(found->section, found->key, value, error))
                return *error = a + " " + value + ": " + *error, Outcome::Error;
        }
    }
    if (config.link.empty()) return *error = "--link PATH is required", Outcome::Error;
    return loader.Validate(error) ? Outcome::Run : Outcome::Error;
}
