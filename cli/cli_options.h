// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of bkf-recover.

#include <string>
#include <variant>
#include <vector>

struct CliOptions {
    enum class Command { List, Extract, Verify, Mount };
    enum class Progress { Auto, Always, Never };

    Command command = Command::List;
    std::string backup;
    std::string destination; // extract: DEST; mount: MOUNTPOINT
    std::string prefix = "Recovered BKF";
    std::vector<std::string> includes; // --include
    std::vector<std::string> patterns; // the PATTERNs after DEST: chosen as by --include
    std::vector<std::string> excludes;
    bool caseSensitive = false;
    bool json = false;
    bool verbose = false; // extract: each file's PATH on stdout as it is saved; list: the report's details
    bool debug = false;   // the scan's diagnostic trace on stderr
    bool quiet = false;   // no progress line and no summary
    bool deep = false;    // also look for blocks off the 512-byte grid
    bool times = true;    // extract: give saved files and folders their recorded dates (-m: leave them)
    bool rescan = false;  // scan even when the catalogue cache matches
    bool noCache = false; // neither read nor write the catalogue cache
    bool continueSave = false; // extract: into the latest output folder, keeping whole files
    Progress progress = Progress::Auto;
};

// Parses argv. Help, the version and errors are printed here; then the
// result is the exit status instead of options to run.
std::variant<CliOptions, int> ParseCommandLine(int argc, char** argv);

// Why a prefix cannot name the output folder, or nothing when it can.
std::string PrefixProblem(const std::string& prefix);
