#pragma once

#include "RadioSimulator.h"

#include <mutex>
#include <string>
#include <thread>

namespace kq70 {

class Clock;

// Puts a RadioSimulator behind a pseudo-terminal, so the real serial code can open the
// terminal's path like any serial port. A thread feeds what the program writes into the
// radio and writes the radio's bytes back at their time. The runner keeps the terminal's
// own side open itself, so programs can open and close it as often as they like.
class PtyRadioRunner {
public:
    PtyRadioRunner(RadioSimulator& radio, Clock& clock);
    ~PtyRadioRunner();
    PtyRadioRunner(const PtyRadioRunner&) = delete;
    PtyRadioRunner& operator=(const PtyRadioRunner&) = delete;

    // Creates the pseudo-terminal; false (with the reason in errorText) when it cannot.
    bool open();
    const std::string& devicePath() const { return m_devicePath; }
    const std::string& errorText() const { return m_errorText; }

    // Serves on a thread until stop(); both are safe to call twice.
    bool start();
    void stop();

    // Runs `action` on the radio while the serving thread keeps its hands off.
    template <typename Action> auto withRadio(Action action) {
        std::lock_guard lock(m_mutex);
        return action(m_radio);
    }

private:
    void serve();
    void writeToProgram(const std::vector<TimedByte>& bytes);
    void closeAll();

    RadioSimulator& m_radio;
    Clock& m_clock;
    std::mutex m_mutex;
    std::thread m_thread;
    int m_master = -1;
    int m_slave = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::string m_devicePath;
    std::string m_errorText;
};

} // namespace kq70
