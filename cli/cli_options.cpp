#include "cli_options.h"

const char kUsageText[] =
    "Usage:\n"
    "  bkf-recover list BACKUP [--json] [--verbose]\n"
    "  bkf-recover extract BACKUP DEST [--prefix P] [--include GLOB]... [--exclude GLOB]... [--verbose]\n"
    "  bkf-recover --help | --version\n"
    "\n"
    "list     prints every file found in BACKUP: SIZE<TAB>OFFSET<TAB>PATH, one per line\n"
    "         (or one JSON object per line with --json)\n"
    "extract  saves the files found in BACKUP below DEST/PREFIX (default prefix \"Recovered BKF\";\n"
    "         a number is added when that folder exists). --include and --exclude select files by\n"
    "         PATH as list prints it: \"*\" and \"?\" stay within one folder, \"**\" crosses folders.\n"
    "\n"
    "Exit status: 0 success; 1 bad arguments, unreadable backup or destination; 2 some files were\n"
    "not saved completely; 3 no data found in the backup; 130 interrupted.\n";

namespace {

bool TakeValue(int argc, char** argv, int& i, std::string& value, std::string& error)
{
    if (i + 1 >= argc) {
        error = std::string("option ") + argv[i] + " needs a value";
        return false;
    }
    value = argv[++i];
    return true;
}

} // namespace

bool IsValidPrefix(const std::string& prefix)
{
    return !prefix.empty() && prefix.find_first_of("/\\|*:?<>'") == std::string::npos;
}

std::optional<CliOptions> ParseCommandLine(int argc, char** argv, std::string& error)
{
    CliOptions options;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string value;
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.command = CliOptions::Command::Help;
            return options;
        } else if (arg == "--version") {
            options.command = CliOptions::Command::Version;
            return options;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--verbose" || arg == "-v") {
            options.verbose = true;
        } else if (arg == "--prefix" || arg == "--include" || arg == "--exclude") {
            if (!TakeValue(argc, argv, i, value, error))
                return std::nullopt;
            if (arg == "--prefix")
                options.prefix = value;
            else
                (arg == "--include" ? options.includes : options.excludes).push_back(value);
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    if (positional.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    const std::string command = positional.front();
    const std::size_t operands = positional.size() - 1;
    if (command == "list" && operands == 1) {
        options.command = CliOptions::Command::List;
    } else if (command == "extract" && operands == 2) {
        options.command = CliOptions::Command::Extract;
        options.destination = positional[2];
    } else {
        error = (command == "list" || command == "extract") ? "wrong number of arguments for " + command
                                                            : "unknown command " + command;
        return std::nullopt;
    }
    options.backup = positional[1];
    // An empty DEST would name the file system root.
    if (options.backup.empty() || (options.command == CliOptions::Command::Extract && options.destination.empty())) {
        error = "BACKUP and DEST must not be empty";
        return std::nullopt;
    }
    if (options.command == CliOptions::Command::List
        && (!options.includes.empty() || !options.excludes.empty() || options.prefix != "Recovered BKF")) {
        error = "--prefix, --include and --exclude go with extract";
        return std::nullopt;
    }
    if (options.json && options.command != CliOptions::Command::List) {
        error = "--json goes with list";
        return std::nullopt;
    }
    if (!IsValidPrefix(options.prefix)) {
        error = "the prefix must not be empty nor hold any of / \\ | * : ? < > '";
        return std::nullopt;
    }
    return options;
}
