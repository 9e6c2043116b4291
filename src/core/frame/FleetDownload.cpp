#include "frame/FleetDownload.h"

#include "doc/CKQ70Doc.h"
#include "frame/RadioCommands.h"
#include "link/CommProgress.h"
#include "link/HCommRequest.h"
#include "link/HKQ70CommunicationDialog.h"
#include "link/HSerialPort.h"
#include "link/LastPortKind.h"
#include "log/HLogPrint.h"
#include "params/HMarketingParams.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SerialDevice.h"
#include "platform/SystemClock.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>

namespace kq70 {

namespace {

// Command bytes of the two write frames: the first one that goes out changes the radio.
constexpr std::uint8_t EEPROM_WRITE_COMMAND = 0xF1;
constexpr std::uint8_t FLASH_WRITE_COMMAND = 0xF3;

class SerialFleetLine : public FleetLine {
public:
    SerialDevice& device() override { return m_device; }
    Clock& clock() override { return m_clock; }

private:
    SystemClock m_clock;
    PosixSerialDevice m_device{m_clock};
};

// A message of the job on one line: a result list has no room for line breaks.
std::string oneLine(std::string_view text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            line += ' ';
        } else {
            line += c;
        }
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

} // namespace

FleetLineFactory SerialFleetLines() {
    return [](const std::string&) -> std::unique_ptr<FleetLine> {
        return std::make_unique<SerialFleetLine>();
    };
}

// Everything one radio's job talks to besides its line: its progress, its prompt (which
// keeps the job's messages as the radio's result and asks the fleet's prompt only for the
// password) and a watch on the device that notices the first write.
class FleetDownload::RadioRun : public CommProgress, public UserPrompt, public SerialDevice {
public:
    RadioRun(FleetDownload& fleet, std::size_t radio, SerialDevice& device)
        : m_fleet(fleet), m_radio(radio), m_device(device) {}

    bool passwordCancelled() const { return m_passwordCancelled; }
    bool radioChanged() const { return m_written; }
    const std::vector<std::string>& messages() const { return m_messages; }

    // CommProgress
    void setStatus(std::string_view text) override {
        m_fleet.m_observer.radioStatus(m_radio, text);
    }
    void setRange(int high) override {
        m_high = high;
        m_fleet.m_observer.radioProgress(m_radio, 0, m_high);
    }
    void setPosition(int position) override {
        m_fleet.m_observer.radioProgress(m_radio, position, m_high);
    }

    // UserPrompt: the job's messages are this radio's, except the password's.
    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override {
        KQ70_LOG(LOG_D1, LOG_CHANNEL, "message: %s", oneLine(text).c_str());
        if (text == Strings::get(IDS_PASSWORD_MISMATCHED)) {
            const std::lock_guard lock(m_fleet.m_promptMutex);
            m_fleet.m_prompt.messageBox(text, caption, buttons, icon);
        }
        m_messages.emplace_back(text);
        // The download asks nothing; anything else would be declined.
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel
                   ? MessageAnswer::No
                   : MessageAnswer::Cancel;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> passwordEntry() override {
        const std::lock_guard lock(m_fleet.m_promptMutex);
        m_fleet.m_observer.passwordWanted(m_radio);
        std::optional<std::string> entry = m_fleet.m_prompt.passwordEntry();
        if (!entry) {
            m_passwordCancelled = true;
        }
        return entry;
    }

    // SerialDevice: the line's, passed through.
    bool open(const std::string& name) override { return m_device.open(name); }
    bool isOpen() const override { return m_device.isOpen(); }
    int portKind() const override { return m_device.portKind(); }
    bool setTimeouts(const SerialTimeouts& timeouts) override {
        return m_device.setTimeouts(timeouts);
    }
    bool configure(const SerialLineSettings& settings) override {
        return m_device.configure(settings);
    }
    bool purgeReceive() override { return m_device.purgeReceive(); }
    bool purgeSend() override { return m_device.purgeSend(); }
    bool clearErrors() override { return m_device.clearErrors(); }
    bool write(std::span<const std::uint8_t> bytes, std::size_t& written) override {
        if (!m_written && !bytes.empty() &&
            (bytes.front() == EEPROM_WRITE_COMMAND || bytes.front() == FLASH_WRITE_COMMAND)) {
            m_written = true;
            m_fleet.m_observer.radioWritten(m_radio);
        }
        return m_device.write(bytes, written);
    }
    bool read(std::span<std::uint8_t> buffer, std::size_t& received) override {
        return m_device.read(buffer, received);
    }
    bool setDtr(bool raised) override { return m_device.setDtr(raised); }
    bool close() override { return m_device.close(); }

private:
    FleetDownload& m_fleet;
    std::size_t m_radio;
    SerialDevice& m_device;
    int m_high = 0;
    bool m_written = false;
    bool m_passwordCancelled = false;
    std::vector<std::string> m_messages;
};

FleetDownload::FleetDownload(const RadioImage& document, FleetSettings settings,
                             FleetLineFactory lines, UserPrompt& prompt, FleetObserver& observer)
    : m_document(document), m_settings(std::move(settings)), m_lines(std::move(lines)),
      m_prompt(prompt), m_observer(observer) {}

FleetDownload::~FleetDownload() {
    CancelAll();
    Wait();
}

bool FleetDownload::Ask(std::string_view question) {
    return m_prompt.messageBox(question, text::KQ70WIN_CAPTION, MessageButtons::YesNo,
                               MessageIcon::Question) == MessageAnswer::Yes;
}

// The questions of a single Download, answered once for every radio; then the image every
// radio's merge starts from, prepared as a single Download prepares the document's.
bool FleetDownload::AskQuestions() {
    if (!Ask(text::START_DOWNLOADING)) {
        return false;
    }
    if (RadioCommands::HasFrequencyOutOfRange(m_document) && !Ask(text::OUT_OF_RANGE_CONTINUE)) {
        return false;
    }
    m_image = m_document;
    PrepareImageForWrite(m_image);
    m_prepared = true;
    return true;
}

bool FleetDownload::Start(const std::vector<std::string>& ports) {
    if (ports.empty() || Running()) {
        return false;
    }
    JoinAll();
    if (!m_prepared && !AskQuestions()) {
        return false;
    }
    m_ports = ports;
    m_cancel.clear();
    for (std::size_t i = 0; i < ports.size(); ++i) {
        m_cancel.push_back(std::make_unique<CancelFlag>());
    }
    {
        const std::lock_guard lock(m_mutex);
        m_results.assign(ports.size(), FleetRadioResult{});
        for (std::size_t i = 0; i < ports.size(); ++i) {
            m_results[i].port = ports[i];
        }
    }
    std::vector<std::size_t> all(ports.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = i;
    }
    return Launch(all);
}

bool FleetDownload::Restart(const std::vector<std::size_t>& radios) {
    if (!m_prepared || radios.empty() || Running() ||
        std::any_of(radios.begin(), radios.end(),
                    [this](std::size_t radio) { return radio >= m_ports.size(); })) {
        return false;
    }
    JoinAll();
    return Launch(radios);
}

bool FleetDownload::Launch(const std::vector<std::size_t>& radios) {
    {
        const std::lock_guard lock(m_mutex);
        for (const std::size_t radio : radios) {
            m_results[radio] = FleetRadioResult{};
            m_results[radio].port = m_ports[radio];
        }
        m_active += radios.size();
    }
    for (const std::size_t radio : radios) {
        m_cancel[radio]->clear();
        // Lines are made here, on the caller's thread, so a factory need not be thread-safe.
        std::unique_ptr<FleetLine> line = m_lines(m_ports[radio]);
        m_threads.emplace_back([this, radio, owned = std::move(line)]() mutable {
            RunRadio(radio, std::move(owned));
        });
    }
    return true;
}

void FleetDownload::Cancel(std::size_t radio) {
    if (radio < m_cancel.size()) {
        m_cancel[radio]->request();
    }
}

void FleetDownload::CancelAll() {
    for (const auto& flag : m_cancel) {
        flag->request();
    }
}

bool FleetDownload::Running() const {
    const std::lock_guard lock(m_mutex);
    return m_active != 0;
}

void FleetDownload::Wait() {
    {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return m_active == 0; });
    }
    JoinAll();
}

bool FleetDownload::WaitFor(std::chrono::milliseconds timeout) {
    {
        std::unique_lock lock(m_mutex);
        if (!m_done.wait_for(lock, timeout, [this] { return m_active == 0; })) {
            return false;
        }
    }
    JoinAll();
    return true;
}

void FleetDownload::JoinAll() {
    for (std::thread& thread : m_threads) {
        if (thread.joinable()) {
            thread.join();
        }
    }
    m_threads.clear();
}

std::size_t FleetDownload::RadioCount() const {
    return m_ports.size();
}

std::vector<FleetRadioResult> FleetDownload::Results() const {
    const std::lock_guard lock(m_mutex);
    return m_results;
}

std::vector<std::size_t> FleetDownload::UnsuccessfulRadios() const {
    const std::lock_guard lock(m_mutex);
    std::vector<std::size_t> radios;
    for (std::size_t i = 0; i < m_results.size(); ++i) {
        if (m_results[i].finished && !m_results[i].succeeded()) {
            radios.push_back(i);
        }
    }
    return radios;
}

// One radio's Download, exactly as the Radio menu runs it, on this worker thread.
void FleetDownload::RunRadio(std::size_t radio, std::unique_ptr<FleetLine> line) {
    const std::string& portName = m_ports[radio];
    const LogThreadTag tag(portName);
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "fleet download to %s", portName.c_str());
    FleetRadioResult result;
    result.port = portName;
    result.start = std::chrono::system_clock::now();
    const auto started = std::chrono::steady_clock::now();
    m_observer.radioStarted(radio);

    int status = 1;
    bool cancelled = false;
    std::vector<std::string> messages;
    if (line) {
        RadioRun run(*this, radio, line->device());
        LastPortKind lastPortKind;
        HSerialPort port(run, lastPortKind);
        auto workBuffer = std::make_unique<RadioImage>();
        auto image = std::make_unique<RadioImage>(m_image);
        auto request = std::make_unique<HCommRequest>(JOB_DOWNLOAD);
        request->m_portKind = m_settings.portType;
        request->SetBaudRate(m_settings.baudRate);
        request->m_portName = portName;
        request->m_workBuffer = workBuffer.get();
        request->m_image = image.get();
        RadioCommands::SetRangeLists(*request, TRANSFER_DOWNLOAD, m_settings.job.accessMode);

        CommJobContext context = m_settings.job;
        context.cancel = m_cancel[radio].get();
        context.radioRead = [this, radio, &result](const RadioImage& read) {
            HMarketingParams marketing;
            marketing.extract(read);
            result.serialNumber = HMarketingParams::serialNumberText(
                marketing.get(HMarketingParams::EEPROM_SERIAL_NUMBER));
            result.band = frequencyBandOf(read);
            {
                const std::lock_guard lock(m_mutex);
                m_results[radio].serialNumber = result.serialNumber;
                m_results[radio].band = result.band;
            }
            m_observer.radioIdentified(radio, result.serialNumber, *result.band);
        };
        HKQ70CommunicationDialog dialog(TRANSFER_DOWNLOAD, port, run, run, line->clock(),
                                        std::move(context));
        status = dialog.RunJob(std::move(request));
        cancelled = dialog.WasCancelled() || run.passwordCancelled();
        result.radioChanged = run.radioChanged();
        messages = run.messages();
    } else {
        messages.emplace_back(text::PORT_OPEN_ERROR);
    }

    if (status == 0) {
        result.outcome = m_settings.job.verifyDownload ? FleetOutcome::Verified
                                                       : FleetOutcome::WrittenWithoutVerify;
    } else if (cancelled) {
        result.outcome = FleetOutcome::Cancelled;
    } else if (!messages.empty() && messages.back() == text::SWITCH_RADIO_ON) {
        result.outcome = FleetOutcome::NotAnswering;
    } else {
        result.outcome = FleetOutcome::Failed;
        result.message = oneLine(messages.empty() ? text::COMMUNICATION_ERROR : messages.back());
    }
    // The last message is the job's result; the ones before it were shown on the way.
    if (!messages.empty()) {
        messages.pop_back();
    }
    for (const std::string& message : messages) {
        if (message != Strings::get(IDS_PASSWORD_MISMATCHED)) {
            result.notices.push_back(oneLine(message));
        }
    }
    result.end = std::chrono::system_clock::now();
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    result.finished = true;
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "fleet download to %s ended: status %d", portName.c_str(),
             status);
    line.reset(); // the port is free again before anyone hears the radio is done
    Finish(radio, std::move(result));
}

// The result is in place before the observer hears of it, and the run counts as ended only
// after that, so whoever waits for the end has seen every radio's last word.
void FleetDownload::Finish(std::size_t radio, FleetRadioResult result) {
    {
        const std::lock_guard lock(m_mutex);
        m_results[radio] = result;
    }
    m_observer.radioFinished(radio, result);
    const std::lock_guard lock(m_mutex);
    --m_active;
    m_done.notify_all();
}

} // namespace kq70
