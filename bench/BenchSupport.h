// What the benchmarks that drive simulated radios share: the radio they use, a prompt that
// agrees to everything, and the CPU time spent.
#pragma once

#include "SimulatorSeed.h"
#include "doc/DataFile.h"
#include "params/HHardwareParams.h"
#include "ui/UserPrompt.h"

#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace kq70::bench {

inline constexpr int RADIO_CHANNEL_256 = 6;

// Says Yes to the download's questions and shows nothing.
class YesPrompt : public UserPrompt {
public:
    MessageAnswer messageBox(std::string_view, std::string_view, MessageButtons buttons,
                             MessageIcon) override {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> passwordEntry() override { return {}; }
};

inline RadioImage radioWith256Channels() {
    RadioImage radio = makeSimulatorSeedImage();
    HHardwareParams hardware;
    hardware.extract(radio);
    hardware.set(HW_RADIO_CHANNEL, RADIO_CHANNEL_256);
    hardware.store(radio);
    return radio;
}

// The radio's image written to a data file in a folder of its own, for kq70-radiosim --image;
// both go when the benchmark ends.
class RadioImageFile {
public:
    explicit RadioImageFile(const RadioImage& radio) {
        if (::mkdtemp(m_folder) != nullptr) {
            m_path = std::string(m_folder) + "/radio256.k70";
            YesPrompt quiet;
            m_written = WriteDataFile(m_path, radio, quiet);
        }
    }
    ~RadioImageFile() {
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
            ::rmdir(m_folder);
        }
    }
    RadioImageFile(const RadioImageFile&) = delete;
    RadioImageFile& operator=(const RadioImageFile&) = delete;

    bool written() const { return m_written; }
    const std::string& path() const { return m_path; }

private:
    char m_folder[32] = "/tmp/kq70-bench-XXXXXX";
    std::string m_path;
    bool m_written = false;
};

// CPU time of this process, every thread, in seconds.
inline double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace kq70::bench
