#include "ProgramManuals.h"

#include "Cli11Doc.h"
#include "app/DesktopCommandLine.h"
#include "log/HVersionInfo.h"

namespace kq70 {

namespace {

std::string versionText() {
    return "KQ70 " + HVersionInfo::FromBuild().GetFileVersion();
}

ManSection programFolderFiles() {
    return {"Files",
            {{"", "KQ70 keeps its files in its program folder: the folder given with --home "
                  "or $KQ70_HOME, else the folder of the executable when it is writable, else "
                  "$XDG_DATA_HOME/kq70 (~/.local/share/kq70)."},
             {"KQ70.ini", "Settings: serial port, baud rate, window size, visible columns."},
             {"INI_LOG.ini", "Switches the diagnostic log on and names its files."},
             {"default_pmr.k70", "Default template of a band for new documents; the program "
                                 "writes the templates it needs when they are missing."},
             {"KQ70_ADJ.ini, adj_pmr.w70",
              "Alignment limits and alignment channels; built in, a file of that name in the "
              "program folder takes precedence."},
             {"/usr/share/kq70", "The built-in default images and the help pages."}}};
}

ManSection environment() {
    return {"Environment",
            {{"KQ70_HOME", "Program folder, unless --home names one."},
             {"XDG_DATA_HOME", "Parent of the program folder when the executable's folder "
                               "is not writable (default ~/.local/share)."}}};
}

ManSection serialPorts() {
    return {"Serial ports",
            {{"", "The radio is connected through a serial port or the USB programming cable "
                  "(/dev/ttyUSB0 and the like). Such devices belong to the group dialout: a "
                  "user who may not open the port is told which group to join; add the user "
                  "with \"sudo usermod -aG dialout $USER\", then log out and in again."}}};
}

ManSection seeAlso(const char* others) {
    return {"See also", {{"", others}}};
}

} // namespace

ProgramDoc cliProgramDoc(const CLI::App& app) {
    ProgramDoc doc;
    doc.program = describeCommand(app);
    doc.program.name = "kq70-cli";
    doc.summary = "program and service QM-724 radios from the command line";
    doc.version = versionText();
    doc.description = {
        {"", "kq70-cli runs the commands of the KQ70 desktop program without a window: it "
             "makes, shows, edits and checks .K70 data files, reads a radio into a data file "
             "(upload) and writes a data file into a radio (download), lists and exports the "
             "data, compares two radios' data, aligns a radio and repairs its adjustment "
             "data. Each command is one process; kq70-cli COMMAND --help tells more."},
        {"", "--sim instead of --port runs a transfer against a radio simulated in the "
             "process; kq70-radiosim(1) serves one on a pseudo-terminal for --port."},
        {"", "Ctrl+C during upload or download stops the transfer at the next block: an "
             "interrupted upload saves nothing, an interrupted download resets the radio and "
             "says whether it must be written again."}};
    doc.sections = {
        {"Exit status",
         {{"0", "Success."},
          {"1", "The command failed; the message says why (also when the output could not be "
                "written)."},
          {"2", "The command line could not be used; diff: the files could not be compared."},
          {"130", "Stopped by Ctrl+C."}}},
        programFolderFiles(),
        environment(),
        serialPorts(),
        {"Examples",
         {{"kq70-cli new --band 12 radio.k70", "A new document, as the program makes one."},
          {"kq70-cli upload --port /dev/ttyUSB0 radio.k70", "Read the radio into radio.k70."},
          {"kq70-cli download --port /dev/ttyUSB0 radio.k70",
           "Write radio.k70 into the radio, then read it back to verify."},
          {"kq70-cli show radio.k70 --json", "Everything the editors see, as JSON."}}},
        seeAlso("kq70(1), kq70-radiosim(1)"),
    };
    return doc;
}

ProgramDoc radiosimProgramDoc(const CLI::App& app) {
    ProgramDoc doc;
    doc.program = describeCommand(app);
    doc.program.name = "kq70-radiosim";
    doc.summary = "a simulated QM-724 radio on a pseudo-terminal";
    doc.version = versionText();
    doc.description = {
        {"", "kq70-radiosim serves a simulated radio on a pseudo-terminal and prints its "
             "device path. Give that path to kq70-cli --port, or choose it as the port in the "
             "desktop program, to try KQ70 without a radio. It answers the clone protocol and, "
             "in the adjustment mode, the service commands from a small model of the RF "
             "circuits. Faults can be scripted per frame. It serves until it receives SIGTERM, "
             "SIGHUP or Ctrl+C."}};
    doc.sections = {
        {"Exit status",
         {{"0", "Stopped by a signal."},
          {"1", "The memory file could not be read or the pseudo-terminal not opened."},
          {"2", "The command line could not be used."}}},
        {"Examples",
         {{"kq70-radiosim --damage flash",
           "A radio whose adjustment data in flash is damaged, to try kq70-cli recover on."}}},
        seeAlso("kq70-cli(1), kq70(1)"),
    };
    return doc;
}

ProgramDoc desktopProgramDoc() {
    ProgramDoc doc;
    doc.program.name = "kq70";
    doc.program.description =
        "kq70 is the desktop program of KQ70, the programming and service tool for QM-724 "
        "hand-held radios.";
    for (const DesktopOption& option : desktopOptions()) {
        if (option.listed) {
            doc.program.options.push_back({{std::string(option.name)},
                                           std::string(option.valueName),
                                           std::string(option.description),
                                           {},
                                           false,
                                           false});
        }
    }
    for (const DesktopOperand& operand : desktopOperands()) {
        doc.program.operands.push_back(
            {{}, std::string(operand.name), std::string(operand.description), {}, false, false});
    }
    doc.summary = "program and service QM-724 hand-held radios";
    doc.version = versionText();
    doc.description = {
        {"", "It reads a radio's memory over the programming cable, lets a dealer edit the "
             "channels in a grid and the radio-wide settings in parameter pages, writes the "
             "data back into the radio, keeps it in .K70 data files, prints it or exports it "
             "as PDF or CSV, and aligns the radio's RF circuits in a service mode. The help "
             "menu (F1) describes every window."},
        {"", "Only one KQ70 runs per program folder: a second start brings the running "
             "window to the front and hands it the file it was given."}};
    doc.sections = {programFolderFiles(), environment(), serialPorts(),
                    seeAlso("kq70-cli(1), kq70-radiosim(1)")};
    return doc;
}

} // namespace kq70
