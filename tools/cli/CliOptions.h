#pragma once

#include <optional>
#include <string>
#include <vector>

// The small argument reader shared by the zorva-cli commands: "--name value" pairs and positionals.
class CliOptions {
public:
    CliOptions(int argc, char** argv, int first);

    std::optional<std::string> Value(const std::string& name) const;
    bool Has(const std::string& name) const;
    const std::vector<std::string>& Positionals() const { return positionals_; }
    // The first problem found while reading (an option without its value), or "".
    const std::string& Error() const { return error_; }

private:
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> flags_;
    std::vector<std::string> positionals_;
    std::string error_;
};

// Applies --edition zh|en (default zh) before anything reads the edition; false on a bad value.
bool ApplyEditionOption(const CliOptions& options);

// Points the device context at --port N or --device PATH; false with a message on stderr otherwise.
bool ApplyPortOption(const CliOptions& options);
