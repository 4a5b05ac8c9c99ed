// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_options.h"

#include "help_text.h"
#include "messages.h"
#include "prefix_check.h"
#include "standard_output.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <cstdio>
#include <utility>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;

void AddCommonOptions(CLI::App& command, CliOptions& options)
{
    // "--json=3" is a mistake, not a way to say "--json".
    command.option_defaults()->disable_flag_override();
    command.set_help_flag("-h,--help");
    command.add_flag("-q,--quiet", options.quiet);
    command.add_flag("--debug", options.debug);
    command.add_flag("--deep", options.deep);
    command.add_flag("--rescan", options.rescan);
    command.add_flag("--no-cache", options.noCache);
    command.add_flag_callback("--progress", [&options] { options.progress = CliOptions::Progress::Always; });
    command.add_flag_callback("--no-progress", [&options] { options.progress = CliOptions::Progress::Never; });
}

CLI::App* AddList(CLI::App& app, CliOptions& options)
{
    CLI::App* list = app.add_subcommand("list");
    AddCommonOptions(*list, options);
    list->add_option("BACKUP", options.backup)->required();
    list->add_flag("--json", options.json);
    list->add_flag("-v,--verbose", options.verbose);
    list->callback([&options] { options.command = CliOptions::Command::List; });
    return list;
}

CLI::App* AddExtract(CLI::App& app, CliOptions& options, std::vector<std::string>& patterns)
{
    CLI::App* extract = app.add_subcommand("extract");
    AddCommonOptions(*extract, options);
    extract->add_option("BACKUP", options.backup)->required();
    extract->add_option("DEST", options.destination)->required();
    // Member names after the archive, as tar takes them: the same as --include.
    extract->add_option("PATTERN", patterns);
    extract->add_option("--prefix", options.prefix)->allow_extra_args(false);
    extract->add_option("--include", options.includes)->allow_extra_args(false);
    extract->add_option("--exclude", options.excludes)->allow_extra_args(false);
    extract->add_flag("--case-sensitive", options.caseSensitive);
    extract->add_flag("-v,--verbose", options.verbose);
    extract->add_flag("--times", options.times);
    extract->add_flag_callback("-m,--no-times", [&options] { options.times = false; });
    extract->add_flag("--continue", options.continueSave);
    extract->callback([&options] { options.command = CliOptions::Command::Extract; });
    return extract;
}

CLI::App* AddVerify(CLI::App& app, CliOptions& options, std::vector<std::string>& patterns)
{
    CLI::App* verify = app.add_subcommand("verify");
    AddCommonOptions(*verify, options);
    verify->add_option("BACKUP", options.backup)->required();
    verify->add_option("PATTERN", patterns);
    verify->add_option("--include", options.includes)->allow_extra_args(false);
    verify->add_option("--exclude", options.excludes)->allow_extra_args(false);
    verify->add_flag("--case-sensitive", options.caseSensitive);
    verify->add_flag("-v,--verbose", options.verbose);
    verify->callback([&options] { options.command = CliOptions::Command::Verify; });
    return verify;
}

CLI::App* AddMount(CLI::App& app, CliOptions& options)
{
    CLI::App* mount = app.add_subcommand("mount");
    AddCommonOptions(*mount, options);
    mount->add_option("BACKUP", options.backup)->required();
    mount->add_option("MOUNTPOINT", options.destination)->required();
    mount->add_flag("-v,--verbose", options.verbose);
    mount->callback([&options] { options.command = CliOptions::Command::Mount; });
    return mount;
}

int UsageError(const std::string& text)
{
    PrintMessage(text);
    std::fputs("Try 'bkf-recover --help' for more information.\n", stderr);
    return kExitUsage;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// CLI11's messages in the words GNU tools use.
std::string PlainWords(std::string text)
{
    const std::string unexpected = "not expected: ";
    if (EndsWith(text, " is required"))
        return text == "A subcommand is required" ? "missing command: list, extract, verify or mount"
                                                  : "missing " + text.substr(0, text.size() - 12);
    if (EndsWith(text, " was given a disallowed flag override"))
        return "option '--" + text.substr(0, text.find(' ')) + "' doesn't allow an argument";
    if (EndsWith(text, ": 1 required TEXT missing"))
        return "option '" + text.substr(0, text.find(':')) + "' needs a value";
    if (const std::size_t at = text.find(unexpected); at != std::string::npos)
        return (text.find("arguments were") != std::string::npos ? "unexpected arguments: " : "unexpected argument: ")
               + text.substr(at + unexpected.size());
    if (text.size() > 1 && std::islower(static_cast<unsigned char>(text[1])))
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

int PrintToStdout(const char* text)
{
    std::fputs(text, stdout);
    return FlushOut() ? kExitOk : kExitUsage;
}

// CLI11 reports a command it does not know as a missing one; say it plainly.
bool NamesUnknownCommand(int argc, char** argv)
{
    if (argc < 2 || argv[1][0] == '-')
        return false;
    const std::string command = argv[1];
    return command != "list" && command != "extract" && command != "verify" && command != "mount";
}

} // namespace

std::string PrefixProblem(const std::string& prefix)
{
    switch (CheckPrefix(prefix)) {
    case PrefixFault::None:
        return {};
    case PrefixFault::Empty:
        return "it is empty";
    case PrefixFault::DotName:
        return "it is \"" + prefix + "\"";
    case PrefixFault::ControlCharacter:
        return "it holds a control character";
    case PrefixFault::ForbiddenCharacter:
        return "it holds one of / \\ | * : ? < > '";
    }
    return {};
}

std::variant<CliOptions, int> ParseCommandLine(int argc, char** argv)
{
    if (argc < 2)
        return UsageError("missing command: list, extract, verify or mount");
    if (NamesUnknownCommand(argc, argv))
        return UsageError(std::string("unknown command '") + argv[1] + "'");
    CliOptions options;
    CLI::App app{"", "bkf-recover"};
    app.set_help_flag("-h,--help");
    app.set_version_flag("--version", kVersionText);
    app.require_subcommand(1);
    CLI::App* list = AddList(app, options);
    std::vector<std::string> patterns;
    CLI::App* extract = AddExtract(app, options, patterns);
    CLI::App* verify = AddVerify(app, options, patterns);
    CLI::App* mount = AddMount(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        return PrintToStdout(list->parsed()      ? kListHelp
                             : extract->parsed() ? kExtractHelp
                             : verify->parsed()  ? kVerifyHelp
                             : mount->parsed()   ? kMountHelp
                                                 : kMainHelp);
    } catch (const CLI::CallForVersion&) {
        return PrintToStdout(kVersionText);
    } catch (const CLI::ParseError& error) {
        return UsageError(PlainWords(error.what()));
    }
    options.patterns = std::move(patterns);
    // An empty DEST would name the file system root.
    const bool needsDestination =
        options.command == CliOptions::Command::Extract || options.command == CliOptions::Command::Mount;
    if (options.backup.empty() || (needsDestination && options.destination.empty()))
        return UsageError(options.command == CliOptions::Command::Mount ? "BACKUP and MOUNTPOINT must not be empty"
                                                                        : "BACKUP and DEST must not be empty");
    const std::string problem = options.command == CliOptions::Command::Extract ? PrefixProblem(options.prefix) : "";
    if (!problem.empty())
        return UsageError("invalid prefix: " + problem);
    return options;
}
