#include "CliApp.h"

#include "Cli11Doc.h"
#include "DiffCommand.h"
#include "DocumentCommandsCli.h"
#include "GridCommand.h"
#include "ImportCsvCommand.h"
#include "ListingCommands.h"
#include "ProgramManuals.h"
#include "TerminalPrompt.h"
#include "TransferCommands.h"
#include "app/LogSettingsFile.h"
#include "app/ProgramFolder.h"
#include "doc/DataFile.h"
#include "image/RadioImage.h"
#include "log/HLogPrint.h"
#include "log/HVersionInfo.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {

namespace {

constexpr const char* CLI_LOG_FILE = "kq70-cli.log";

struct GlobalOptions {
    std::optional<std::string> home;
    std::optional<int> logLevel;
};

// Finds the program folder and starts the log there as the desktop program does at start-up.
// A folder that cannot be created or written is no reason to stop: reading a file needs no
// settings write, and the commands that would write there say so themselves.
std::string prepareProgramFolder(const GlobalOptions& options, std::ostream& err) {
    const std::string folder =
        resolveProgramFolder(programFolderInputsFromEnvironment(options.home));
    if (!ensureFolder(folder)) {
        if (options.logLevel) {
            err << "kq70-cli: cannot use the program folder " << folder << "; no log is written\n";
        }
        return folder;
    }
    // --log-level switches the log on as INI_LOG.ini would, so the log begins and ends with
    // its banners like the desktop program's.
    LogSettings settings = readLogSettings(folder);
    if (options.logLevel && *options.logLevel > 0) {
        if (settings.defaultName.empty()) {
            settings.defaultName = CLI_LOG_FILE;
        }
        settings.levels[0] = *options.logLevel;
        settings.paths[0] = joinPath(folder, CLI_LOG_FILE);
    }
    HLogPrint::global().start(settings, HVersionInfo::FromBuild());
    return folder;
}

// What a command printed must have reached its reader: a full disk or a closed pipe turns a
// success into exit code 1 with a message.
int checkOutput(std::ostream& out, std::ostream& err, int code) {
    errno = 0;
    out.flush();
    if (out) {
        return code;
    }
    const int error = errno;
    err << "kq70-cli: the output could not be written"
        << (error != 0 ? std::string(" (") + std::strerror(error) + ")" : std::string()) << '\n';
    return 1;
}

// A progress bar is redrawn in place only where a person watches it.
bool isTerminal(const std::ostream& stream) {
    return &stream == &std::cerr && ::isatty(STDERR_FILENO) != 0;
}

long long fileSize(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

// File > Open's checks and the read, without a document.
int runCheck(const std::string& path, std::ostream& out, UserPrompt& prompt) {
    const int status = OpenCheckStatus(path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, path, prompt);
        return 1;
    }
    RadioImage image;
    if (!ReadDataFile(path, image, prompt)) {
        return 1;
    }
    out << "OK " << fileSize(path) << " bytes\n";
    return 0;
}

int runCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err, bool interactive) {
    CLI::App app{"KQ70: programming and service tool for QM-724 radios", "kq70-cli"};
    app.require_subcommand(0, 1);
    GlobalOptions options;
    bool showVersion = false;
    std::string docFormat;
    app.add_flag("--version", showVersion, "Show the program version");
    addDocOption(app, docFormat);
    app.add_option("--home", options.home, "Program folder (settings, logs, templates)");
    app.add_option("--log-level", options.logLevel, "Log on channel 0 at this level (1-6)")
        ->check(CLI::Range(0, 6));

    std::string checkPath;
    CLI::App* check = app.add_subcommand("check", "Check and read a data file");
    check->add_option("file", checkPath, "Data file (.k70)")->required();
    DocumentCommandsCli documents(app);

    TransferCommands transfers;
    transfers.add(app);
    ListingCommands listings;
    listings.add(app);
    GridCommand grid;
    grid.add(app);
    DiffCommand diff(app);
    ImportCsvCommand importCsv;
    importCsv.add(app);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        std::ostream& stream = error.get_exit_code() == 0 ? out : err;
        stream << (error.get_exit_code() == 0 && error.get_name() == "CallForHelp"
                       ? app.help()
                       : std::string(error.what()) + "\n");
        return error.get_exit_code() == 0 ? 0 : 2;
    }
    if (!docFormat.empty()) {
        return writeDoc(docFormat, cliProgramDoc(app), out);
    }
    if (showVersion) {
        out << programVersionLine("kq70-cli") << '\n';
        return 0;
    }
    if (app.get_subcommands().empty()) {
        out << app.help();
        return 0;
    }
    if (diff.parsed()) {
        return diff.run(in, out, err, interactive); // reads two files; no folder, no log
    }
    const std::string folder = prepareProgramFolder(options, err);
    TerminalPrompt prompt(in, err, interactive);
    int code = 0;
    if (check->parsed()) {
        code = runCheck(checkPath, out, prompt);
    } else if (documents.parsed()) {
        code = documents.run(options.home, out, err, prompt);
    } else if (grid.parsed()) {
        code = grid.run({folder, in, out, err, interactive});
    } else if (transfers.parsed()) {
        code = transfers.run({folder, in, out, err, interactive, isTerminal(err)});
    } else if (listings.parsed()) {
        code = listings.run({folder, in, out, err, interactive});
    } else if (importCsv.parsed()) {
        code = importCsv.run(in, out, err, interactive);
    }
    HLogPrint::global().end(); // the end banner, as at the program's exit
    return code;
}

} // namespace

int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool interactive) {
    return checkOutput(out, err, runCommand(args, in, out, err, interactive));
}

} // namespace kq70
