#pragma once

#include "CliContext.h"
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace kq70 {

struct SerialPortInfo;
class UserPrompt;

// The radio commands of kq70-cli: `ports` lists the serial ports, `upload` reads a radio
// into a data file, `download` writes a data file into a radio, `recover` repairs a radio's
// adjustment data, `align` runs an alignment pass with the automatic procedures. Exit codes:
// 0 only when the transfer job or pass succeeded, and for `recover` only when a repair was
// written.
class TransferCommands {
public:
    struct Options {
        std::string port;
        bool sim = false;
        std::string simImage;
        bool simInstant = false;
        std::optional<int> baud;
        int mode = 0;
        std::optional<std::string> modePassword;
        std::optional<std::string> password;
        bool yes = false;
        // Download: read back what was written (default: the settings' VERIFY).
        bool verify = false;
        bool noVerify = false;
        std::string file;
        std::string steps = "vco-rx,vco-tx,rx-tune";
        // Download into several radios at once: every --port, or --sim N simulated radios,
        // the result as JSON, the programming record elsewhere than next to the file.
        std::vector<std::string> ports;
        int simCount = 0;
        bool json = false;
        std::optional<std::string> record;
    };

    using Context = CliContext;

    void add(CLI::App& app);
    bool parsed() const;
    int run(const Context& context);

    // One port a line: the device path, with " (PGC-30)" for the USB interface cable.
    static void printPorts(const std::vector<SerialPortInfo>& ports, std::ostream& out);

private:
    int runPorts(const Context& context);
    int runUpload(const Context& context);
    int runDownload(const Context& context);
    int runRecover(const Context& context);
    int runAlign(const Context& context);

    CLI::App* m_ports = nullptr;
    CLI::App* m_upload = nullptr;
    CLI::App* m_download = nullptr;
    CLI::App* m_recover = nullptr;
    Options m_uploadOptions;
    Options m_downloadOptions;
    Options m_recoverOptions;
    CLI::App* m_align = nullptr;
    Options m_alignOptions;
};

} // namespace kq70
