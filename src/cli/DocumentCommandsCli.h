#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace kq70 {

class UserPrompt;

// The document commands of kq70-cli: `new` makes a document as the program does and writes
// it, `show` prints one (a summary, or every value as JSON), `apply` sets values from a JSON
// patch. Each returns 0, or 1 with a message on the error stream and no file written.
class DocumentCommandsCli {
public:
    // Adds the three subcommands to `app`; the options are read into this object.
    explicit DocumentCommandsCli(CLI::App& app);
    DocumentCommandsCli(const DocumentCommandsCli&) = delete;
    DocumentCommandsCli& operator=(const DocumentCommandsCli&) = delete;

    // True when the command line chose one of them.
    bool parsed() const;
    // `home` is the --home option; the program folder is found from it as at start-up.
    int run(const std::optional<std::string>& home, std::ostream& out, std::ostream& err,
            UserPrompt& prompt) const;

private:
    int runNew(const std::string& programFolder, std::ostream& out, std::ostream& err,
               UserPrompt& prompt) const;
    int runShow(std::ostream& out, std::ostream& err, UserPrompt& prompt) const;
    int runApply(std::ostream& out, std::ostream& err, UserPrompt& prompt) const;

    CLI::App* m_new = nullptr;
    CLI::App* m_show = nullptr;
    CLI::App* m_apply = nullptr;

    int m_band;
    std::optional<int> m_lcd;
    bool m_force = false;
    std::string m_newPath;

    std::string m_showPath;
    bool m_json = false;

    std::string m_applyPath;
    std::string m_patchPath;
    std::optional<std::string> m_outputPath;
};

} // namespace kq70
