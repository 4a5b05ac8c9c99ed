#pragma once
// The command line of bkf-recover.

#include <optional>
#include <string>
#include <vector>

struct CliOptions {
    enum class Command { Help, Version, List, Extract };
    Command command = Command::Help;
    std::string backup;
    std::string destination;
    std::string prefix = "Recovered BKF";
    std::vector<std::string> includes;
    std::vector<std::string> excludes;
    bool json = false;
    bool verbose = false;
};

// Parses argv; on a bad command line returns nothing with the message in `error`.
std::optional<CliOptions> ParseCommandLine(int argc, char** argv, std::string& error);

// False when the prefix is empty or holds a character that cannot be in a folder name.
bool IsValidPrefix(const std::string& prefix);

extern const char kUsageText[];
