#include "TransferCommands.h"

#include "AutomaticAlignment.h"
#include "CliAccessMode.h"
#include "FleetCommand.h"
#include "InterruptCancel.h"
#include "ProgressPrompt.h"
#include "TerminalProgress.h"
#include "TerminalPrompt.h"
#include "TransferLine.h"
#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "app/ProgramFolder.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "frame/AdjustmentRecoverCommand.h"
#include "frame/DocumentListener.h"
#include "frame/RadioCommands.h"
#include "image/RadioImage.h"
#include "link/LastPortKind.h"
#include "platform/FilePaths.h"
#include "platform/IniFile.h"
#include "platform/SerialDevice.h"
#include "platform/SerialPortEnumerator.h"
#include "service/BasicAlignment.h"
#include "service/HBasicAlignment.h"
#include "ui/Strings.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {

namespace {

// With `severalRadios` (download) --port may be given again and again, and --sim takes an
// optional count of simulated radios. These two sit on the command itself, not in a group,
// so an optional count never takes the data file's name.
void addLineOptions(CLI::App& command, TransferCommands::Options& options, bool withMode = true,
                    bool severalRadios = false) {
    CLI::Option* sim = nullptr;
    if (severalRadios) {
        CLI::Option* port = command
                                .add_option("--port", options.ports,
                                            "Serial device of the programming lead (\"simulated\": "
                                            "as --sim); again for each "
                                            "further radio")
                                ->allow_extra_args(false)
                                ->group("line");
        sim = command
                  .add_option("--sim", options.simCount,
                              "Simulated radios in this process (one without a number)")
                  ->expected(0, 1)
                  ->default_str("1")
                  ->check(CLI::Range(1, FleetCommand::MAX_SIMULATED_RADIOS))
                  ->excludes(port)
                  ->group("line");
        command.callback([&options] {
            if (options.ports.empty() && options.simCount == 0) {
                throw CLI::RequiredError("--port or --sim");
            }
        });
    } else {
        CLI::Option_group* line = command.add_option_group("line", "Where the radio is");
        line->add_option("--port", options.port,
                         "Serial device of the programming lead (\"simulated\": as --sim)");
        sim = line->add_flag("--sim", options.sim, "A simulated radio in this process");
        line->require_option(1);
    }
    command
        .add_option("--sim-image", options.simImage, "Data file the simulated radio starts with")
        ->check(CLI::ExistingFile)
        ->needs(sim);
    command
        .add_flag("--sim-instant", options.simInstant,
                  "Do not wait for the simulated radio's time on the wire")
        ->needs(sim);
    command.add_option("--baud", options.baud, "Baud rate (default: the settings' rate)")
        ->check(CLI::IsMember({9600, 19200, 38400}));
    if (withMode) {
        command
            .add_option("--mode", options.mode,
                        "Access mode: 0 normal, 1 manufacture, 2 adjustment, 4 E mode")
            ->check(CLI::IsMember({0, 1, 2, 4}));
    }
    command.add_option("--mode-password", options.modePassword,
                       "The access mode's password (asked on the terminal when missing)");
    command.add_option("--password", options.password, "The radio's programming password");
}

// "--port simulated" names the simulated radio as the desktop program's settings do.
bool simulatedLine(const TransferCommands::Options& options) {
    return options.sim || options.port == SIMULATED_PORT_NAME;
}

// Everything one transfer command works with, built from its options.
struct Transfer {
    Transfer(const TransferCommands::Options& options, const TransferCommands::Context& context)
        : terminal(context.in, context.err, context.interactive),
          progress(context.err, context.redrawProgress), prompt(terminal, progress) {
        terminal.setAssumeYes(options.yes);
        terminal.setPassword(options.password);
        if (!options.file.empty()) {
            terminal.setOpenFile(options.file);
        }
        settings.load(IniFile(joinPath(context.programFolder, SETTINGS_FILE_NAME)));
        if (options.baud) {
            settings.baudRate = *options.baud;
        }
        settings.portName =
            simulatedLine(options) ? std::string(SIMULATED_PORT_NAME) : options.port;
        if (options.verify || options.noVerify) {
            settings.verifyDownload = options.verify;
        }
    }

    // False when the access mode is refused or the simulated radio's memory file cannot be
    // read.
    bool openLine(const TransferCommands::Options& options,
                  const TransferCommands::Context& context) {
        // A protected access mode is granted with its password only, as at the program's start:
        // the manufacture mode would otherwise read a radio without its programming password.
        const AccessModeOptions modeOptions{options.mode, options.modePassword};
        if (!modeOptions.grant(accessMode, context.in, context.err, context.interactive)) {
            return false;
        }
        line = simulatedLine(options)
                   ? TransferLine::simulatedRadio(options.simImage, options.simInstant, prompt)
                   : TransferLine::serialPort();
        return line != nullptr;
    }

    RadioLink link() { return RadioLink{line->device(), line->clock(), lastPortKind, progress}; }

    RadioCommands commands(const std::string& programFolder) {
        return RadioCommands(doc, settings, accessMode, programFolder, prompt, listener, link(),
                             {});
    }

    TerminalPrompt terminal;
    TerminalProgress progress;
    ProgressPrompt prompt;
    AppSettings settings;
    AccessMode accessMode;
    LastPortKind lastPortKind;
    DocumentListener listener; // no view to refresh
    CKQ70Doc doc;
    std::unique_ptr<TransferLine> line;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Why a data file could not be saved at `path`, found out before the radio is read: the
// target must be a regular file or absent, and its folder must take a file of the image's
// size (a trial file is written and removed, which finds read-only and full folders alike).
std::optional<std::string> saveProblem(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return "it is not a regular file";
    }
    const std::string folder = folderOf(path);
    std::string trial = joinPath(folder, ".kq70-cli-trial.XXXXXX");
    const int fd = ::mkstemp(trial.data());
    if (fd < 0) {
        return "the folder " + folder + " cannot be written (" + std::strerror(errno) + ")";
    }
    const std::vector<char> bytes(IMAGE_SIZE, 0);
    const bool written =
        ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        ::fsync(fd) == 0;
    const int error = errno;
    const bool closed = ::close(fd) == 0;
    ::unlink(trial.c_str());
    if (!written || !closed) {
        return "the folder " + folder + " cannot take the file (" + std::strerror(error) + ")";
    }
    return std::nullopt;
}

} // namespace

void TransferCommands::add(CLI::App& app) {
    m_ports = app.add_subcommand("ports", "List the serial ports");

    m_upload = app.add_subcommand("upload", "Read a radio into a new data file");
    addLineOptions(*m_upload, m_uploadOptions);
    m_upload->add_option("file", m_uploadOptions.file, "Data file to write (.k70)")->required();

    m_download = app.add_subcommand("download", "Write a data file into a radio, or into several");
    addLineOptions(*m_download, m_downloadOptions, true, true);
    FleetCommand::addOptions(*m_download, m_downloadOptions);
    m_download->add_flag("--yes", m_downloadOptions.yes, "Answer Yes to the questions");
    CLI::Option* verify = m_download->add_flag(
        "--verify", m_downloadOptions.verify,
        "Read back what was written before the radio is marked complete (default: VERIFY in "
        "KQ70.ini, else on)");
    m_download->add_flag("--no-verify", m_downloadOptions.noVerify, "Do not read back")
        ->excludes(verify);
    m_download->add_option("file", m_downloadOptions.file, "Data file to send (.k70)")->required();

    m_recover = app.add_subcommand("recover",
                                   "Repair a radio's adjustment data (manufacture mode, --mode 1)");
    addLineOptions(*m_recover, m_recoverOptions);
    m_recover->add_flag("--yes", m_recoverOptions.yes, "Answer Yes to the questions");
    m_recover
        ->add_option("--file", m_recoverOptions.file,
                     "Saved data file of this radio, for a radio whose flash copy is damaged")
        ->check(CLI::ExistingFile);

    m_align = app.add_subcommand(
        "align", "Align a radio in the adjustment mode with the automatic procedures");
    m_alignOptions.mode = ACCESS_ADJUSTMENT;
    addLineOptions(*m_align, m_alignOptions, false);
    m_align->add_flag("--yes", m_alignOptions.yes, "Start without asking");
    m_align
        ->add_option("--steps", m_alignOptions.steps,
                     "Automatic procedures to run: vco-rx, vco-tx, rx-tune (comma-separated)")
        ->check([](const std::string& text) {
            return AutomaticAlignment::ParseSteps(text) ? std::string()
                                                        : "unknown or repeated step in " + text;
        });
}

bool TransferCommands::parsed() const {
    return (m_ports != nullptr && m_ports->parsed()) ||
           (m_upload != nullptr && m_upload->parsed()) ||
           (m_download != nullptr && m_download->parsed()) ||
           (m_recover != nullptr && m_recover->parsed()) ||
           (m_align != nullptr && m_align->parsed());
}

int TransferCommands::run(const Context& context) {
    if (m_ports->parsed()) {
        return runPorts(context);
    }
    if (m_upload->parsed()) {
        return runUpload(context);
    }
    if (m_recover->parsed()) {
        return runRecover(context);
    }
    if (m_align->parsed()) {
        return runAlign(context);
    }
    return runDownload(context);
}

void TransferCommands::printPorts(const std::vector<SerialPortInfo>& ports, std::ostream& out) {
    for (const SerialPortInfo& port : ports) {
        out << port.devicePath;
        if (port.kind == PORT_KIND_USB_CABLE) {
            out << " (" << text::PGC30 << ')';
        }
        out << '\n';
    }
}

int TransferCommands::runPorts(const Context& context) {
    const std::vector<SerialPortInfo> ports = SerialPortEnumerator().ports();
    printPorts(ports, context.out);
    if (ports.empty()) {
        context.err << "kq70-cli: no serial ports found\n";
    }
    return 0;
}

int TransferCommands::runUpload(const Context& context) {
    Transfer transfer(m_uploadOptions, context);
    const std::string& path = m_uploadOptions.file;
    // A file that cannot be written is found out before the radio is read, not after.
    if (!CheckWritable(path, transfer.prompt)) {
        return 1;
    }
    if (!m_uploadOptions.simImage.empty() && isSameFile(path, m_uploadOptions.simImage)) {
        context.err << "kq70-cli: " << path
                    << " is the simulated radio's data file; the radio was not read\n";
        return 1;
    }
    if (const auto problem = saveProblem(path)) {
        context.err << "kq70-cli: cannot save to " << path << ": " << *problem
                    << "; the radio was not read\n";
        return 1;
    }
    if (!transfer.openLine(m_uploadOptions, context)) {
        return 1;
    }
    RadioCommands commands = transfer.commands(context.programFolder);
    const InterruptCancel interrupt;
    commands.SetCancelFlag(&interrupt.flag());
    const std::optional<int> result = commands.OnRadioUpload();
    transfer.progress.endLine();
    // Stopped with Ctrl+C: nothing is saved, even when the last block was already in.
    if (interrupt.interrupted()) {
        return InterruptCancel::EXIT_INTERRUPTED;
    }
    if (result != 0) {
        return 1;
    }
    if (!transfer.doc.WriteToFile(path, transfer.prompt)) {
        // The radio was read: its data is not thrown away.
        // A name in the program folder that no file has yet.
        const std::string recovery = uniqueTimestampedPath(context.programFolder, "upload", ".k70");
        if (WriteDataFile(recovery, transfer.doc.GetMainMemory(), transfer.prompt)) {
            context.err << "kq70-cli: the radio's data could not be saved to " << path
                        << "; it was saved to " << recovery << '\n';
        } else {
            context.err << "kq70-cli: the radio's data could not be saved to " << path << " nor to "
                        << recovery << '\n';
        }
        return 1;
    }
    context.out << "Saved " << path << '\n';
    return 0;
}

int TransferCommands::runDownload(const Context& context) {
    if (FleetCommand::wanted(m_downloadOptions)) {
        return FleetCommand(m_downloadOptions, context).run();
    }
    m_downloadOptions.sim = m_downloadOptions.simCount > 0;
    m_downloadOptions.port =
        m_downloadOptions.ports.empty() ? std::string() : m_downloadOptions.ports.front();
    Transfer transfer(m_downloadOptions, context);
    const std::string& path = m_downloadOptions.file;
    const int status = OpenCheckStatus(path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, path, transfer.prompt);
        return 1;
    }
    if (!ReadDataFile(path, transfer.doc.GetMainMemory(), transfer.prompt) ||
        !transfer.openLine(m_downloadOptions, context)) {
        return 1;
    }
    transfer.doc.SetCurrentFilePath(path);
    RadioCommands commands = transfer.commands(context.programFolder);
    const InterruptCancel interrupt;
    commands.SetCancelFlag(&interrupt.flag());
    const std::optional<int> result = commands.OnRadioDownload();
    transfer.progress.endLine();
    if (interrupt.interrupted() && commands.GetLastJobCancelled()) {
        return InterruptCancel::EXIT_INTERRUPTED;
    }
    if (!result) {
        context.err << "kq70-cli: nothing was sent to the radio\n";
        return 1;
    }
    return *result == 0 ? 0 : 1;
}

int TransferCommands::runRecover(const Context& context) {
    if (m_recoverOptions.mode != ACCESS_MANUFACTURE) {
        context.err << "kq70-cli: recover runs in the manufacture mode only (--mode 1)\n";
        return 2;
    }
    Transfer transfer(m_recoverOptions, context);
    if (!transfer.openLine(m_recoverOptions, context)) {
        return 1;
    }
    AdjustmentRecoverCommand command(transfer.settings, transfer.accessMode, context.programFolder,
                                     transfer.prompt, transfer.listener, transfer.link());
    const InterruptCancel interrupt;
    command.SetCancelFlag(&interrupt.flag());
    const auto result = command.OnRadioAdjustmentRecover();
    transfer.progress.endLine();
    if (interrupt.interrupted()) {
        return InterruptCancel::EXIT_INTERRUPTED;
    }
    if (result && result->outcome == AdjustmentRecoverCommand::Outcome::Repaired) {
        return 0;
    }
    if (result && result->outcome == AdjustmentRecoverCommand::Outcome::NotRepaired) {
        context.err << "kq70-cli: nothing was written to the radio\n";
    }
    return 1;
}

int TransferCommands::runAlign(const Context& context) {
    Transfer transfer(m_alignOptions, context);
    const auto steps = AutomaticAlignment::ParseSteps(m_alignOptions.steps);
    if (!steps || !transfer.openLine(m_alignOptions, context)) {
        return 1;
    }
    if (transfer.prompt.messageBox(text::START_ALIGNMENT, {}, MessageButtons::YesNo,
                                   MessageIcon::Question) != MessageAnswer::Yes) {
        context.err << "kq70-cli: nothing was sent to the radio\n";
        return 1;
    }
    const AppSettings& settings = transfer.settings;
    BasicAlignment pass(
        transfer.doc.GetMainMemory(),
        AlignmentLine{transfer.line->device(), transfer.line->clock(), transfer.lastPortKind,
                      transfer.progress},
        AlignmentPortSettings{settings.portType, static_cast<std::uint32_t>(settings.baudRate),
                              static_cast<std::uint32_t>(settings.comPort), settings.portName},
        CommJobContext{transfer.accessMode.value(), context.programFolder, false, false},
        transfer.prompt);
    const InterruptCancel interrupt;
    pass.SetCancelFlag(&interrupt.flag());
    AutomaticAlignment automatic(*steps, context.out, &interrupt.flag());
    const BasicAlignment::Outcome outcome =
        pass.Run([&automatic, &transfer](HBasicAlignment& window) {
            const bool ok = automatic.Run(window);
            transfer.progress.endLine();
            return ok;
        });
    transfer.progress.endLine();
    const int failed = interrupt.interrupted() ? InterruptCancel::EXIT_INTERRUPTED : 1;
    switch (outcome) {
    case BasicAlignment::Outcome::Aligned:
        context.out << "Aligned data written back\n";
        return interrupt.interrupted() ? InterruptCancel::EXIT_INTERRUPTED : 0;
    case BasicAlignment::Outcome::FormerRestored:
        context.out << "The radio's former data was written back\n";
        return failed;
    case BasicAlignment::Outcome::WriteBackFailed:
        context.err << "kq70-cli: the radio's data could not be written back";
        if (!pass.FormerDataPath().empty()) {
            // The radio may hold the alignment channels now: say how it gets its own back.
            context.err << "; its former data is saved in " << pass.FormerDataPath()
                        << "\nkq70-cli: write it back with: kq70-cli download --port "
                        << (m_alignOptions.sim ? std::string("PORT") : m_alignOptions.port) << " "
                        << pass.FormerDataPath();
        }
        context.err << '\n';
        return failed;
    default:
        context.err << "kq70-cli: the radio was not changed\n";
        return failed;
    }
}

} // namespace kq70
