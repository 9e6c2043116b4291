#include "frame/FleetWindowModel.h"

#include "doc/CKQ70Doc.h"
#include "frame/FleetReport.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <algorithm>
#include <charconv>

namespace kq70 {

namespace {

std::string format(std::string_view text) {
    return std::string(text);
}

} // namespace

FleetWindowModel::FleetWindowModel(const std::vector<PortChoice>& choices) {
    for (const PortChoice& choice : choices) {
        if (!choice.simulated) {
            m_ports.push_back({choice.text, choice.devicePath, false});
        }
    }
}

std::optional<std::string> FleetWindowModel::documentProblem(const CKQ70Doc& doc) {
    if (doc.IsUntitled() || doc.GetDataModified()) {
        return format(text::FLEET_SAVE_FIRST);
    }
    return std::nullopt;
}

int FleetWindowModel::simulatedRadioNumber(std::string_view port) {
    const std::string prefix = strprintf(format(text::FLEET_SIMULATED_PORT_FORMAT).c_str(), 0);
    const std::string_view stem = std::string_view(prefix).substr(0, prefix.size() - 1);
    if (port.size() <= stem.size() || port.substr(0, stem.size()) != stem) {
        return 0;
    }
    int number = 0;
    const char* end = port.data() + port.size();
    const auto [at, error] = std::from_chars(port.data() + stem.size(), end, number);
    const bool whole = error == std::errc() && at == end;
    return whole && number >= 1 && number <= MAX_SIMULATED_RADIOS ? number : 0;
}

void FleetWindowModel::setChecked(std::size_t port, bool checked) {
    if (portsEditable() && port < m_ports.size()) {
        m_ports[port].checked = checked;
    }
}

void FleetWindowModel::setSimulatedRadios(int count) {
    if (portsEditable()) {
        m_simulated = std::clamp(count, 0, MAX_SIMULATED_RADIOS);
    }
}

std::vector<std::string> FleetWindowModel::chosenPorts() const {
    std::vector<std::string> chosen;
    for (const FleetPortEntry& port : m_ports) {
        if (port.checked) {
            chosen.push_back(port.device);
        }
    }
    for (int k = 1; k <= m_simulated; ++k) {
        chosen.push_back(strprintf(format(text::FLEET_SIMULATED_PORT_FORMAT).c_str(), k));
    }
    return chosen;
}

void FleetWindowModel::started(const std::vector<std::string>& ports) {
    m_rows.clear();
    m_runRadios.clear();
    for (const std::string& port : ports) {
        FleetRow fresh;
        fresh.port = port;
        fresh.status = format(text::FLEET_WAITING);
        fresh.running = true;
        m_runRadios.push_back(m_rows.size());
        m_rows.push_back(std::move(fresh));
    }
    m_recordError.reset();
    m_phase = m_rows.empty() ? FleetPhase::Choosing : FleetPhase::Running;
}

void FleetWindowModel::restarted(const std::vector<std::size_t>& radios) {
    m_runRadios.clear();
    for (const std::size_t radio : radios) {
        FleetRow* again = row(radio);
        if (again == nullptr) {
            continue;
        }
        // The serial number stays: it is the same radio on the same port until read again.
        again->position = 0;
        again->status = format(text::FLEET_WAITING);
        again->result.clear();
        again->running = true;
        again->cancelling = false;
        m_runRadios.push_back(radio);
    }
    m_recordError.reset();
    if (!m_runRadios.empty()) {
        m_phase = FleetPhase::Running;
    }
}

void FleetWindowModel::radioStatus(std::size_t radio, std::string_view status) {
    if (FleetRow* r = row(radio); r != nullptr && r->running) {
        r->status = std::string(status);
    }
}

void FleetWindowModel::radioProgress(std::size_t radio, int position, int high) {
    if (FleetRow* r = row(radio); r != nullptr && r->running) {
        r->position = std::clamp(position, 0, std::max(high, 0));
        r->high = std::max(high, 0);
    }
}

void FleetWindowModel::radioIdentified(std::size_t radio, std::string_view serialNumber) {
    if (FleetRow* r = row(radio)) {
        r->serialNumber = std::string(serialNumber);
    }
}

void FleetWindowModel::radioFinished(std::size_t radio, const FleetRadioResult& result) {
    FleetRow* r = row(radio);
    if (r == nullptr) {
        return;
    }
    r->running = false;
    r->cancelling = false;
    r->last = result;
    if (!result.serialNumber.empty()) {
        r->serialNumber = result.serialNumber;
    }
    r->result = FleetReport::ResultText(result);
    // A radio that succeeded says its job is complete (not the job's last step, such as the
    // read-back); for one that did not, what became of it matters more.
    if (result.succeeded()) {
        r->position = r->high;
        r->status = format(text::DOWNLOAD_COMPLETE);
    } else {
        r->status = format(result.radioChanged ? text::FLEET_STATUS_INCOMPLETE
                                               : text::FLEET_STATUS_UNTOUCHED);
    }
    if (!anyRunning()) {
        m_phase = FleetPhase::Finished;
    }
}

void FleetWindowModel::cancelRequested(std::size_t radio) {
    if (FleetRow* r = row(radio); r != nullptr && r->running) {
        r->cancelling = true;
        r->status = format(text::FLEET_CANCELLING);
    }
}

void FleetWindowModel::cancelAllRequested() {
    for (std::size_t radio = 0; radio < m_rows.size(); ++radio) {
        cancelRequested(radio);
    }
}

void FleetWindowModel::recorded(std::string path, std::optional<std::string> error) {
    m_recordPath = std::move(path);
    m_recordError = std::move(error);
}

std::vector<FleetRadioResult> FleetWindowModel::runResults() const {
    std::vector<FleetRadioResult> results;
    for (const std::size_t radio : m_runRadios) {
        if (!m_rows[radio].running) {
            results.push_back(m_rows[radio].last);
        }
    }
    return results;
}

std::string FleetWindowModel::summary() const {
    switch (m_phase) {
    case FleetPhase::Choosing:
        return format(text::FLEET_CHOOSE_PORTS);
    case FleetPhase::Running: {
        const auto finished = std::count_if(m_rows.begin(), m_rows.end(),
                                            [](const FleetRow& r) { return !r.running; });
        return strprintf(format(text::FLEET_RUNNING_FORMAT).c_str(), static_cast<int>(finished),
                         static_cast<int>(m_rows.size()));
    }
    case FleetPhase::Finished:
        break;
    }
    std::vector<FleetRadioResult> results;
    for (const FleetRow& r : m_rows) {
        results.push_back(r.last);
    }
    return FleetReport::Summary(results, m_verifies);
}

std::string FleetWindowModel::recordText() const {
    if (m_recordError) {
        return *m_recordError;
    }
    if (m_recordPath.empty()) {
        return {};
    }
    return strprintf(format(text::FLEET_RECORD_FORMAT).c_str(), m_recordPath.c_str());
}

bool FleetWindowModel::startEnabled() const {
    return portsEditable() && !chosenPorts().empty();
}

bool FleetWindowModel::cancelEnabled(std::size_t radio) const {
    return radio < m_rows.size() && m_rows[radio].running && !m_rows[radio].cancelling;
}

bool FleetWindowModel::cancelAllEnabled() const {
    for (std::size_t radio = 0; radio < m_rows.size(); ++radio) {
        if (cancelEnabled(radio)) {
            return true;
        }
    }
    return false;
}

bool FleetWindowModel::retryFailedEnabled() const {
    return m_phase == FleetPhase::Finished && !retrySet().empty();
}

std::vector<std::size_t> FleetWindowModel::retrySet() const {
    std::vector<std::size_t> failed;
    for (std::size_t radio = 0; radio < m_rows.size(); ++radio) {
        if (!m_rows[radio].running && !m_rows[radio].last.succeeded()) {
            failed.push_back(radio);
        }
    }
    return failed;
}

FleetWindowAction FleetWindowModel::closeAction() const {
    if (!anyRunning()) {
        return FleetWindowAction::Close;
    }
    return cancelAllEnabled() ? FleetWindowAction::CancelAll : FleetWindowAction::None;
}

FleetWindowAction FleetWindowModel::enterAction() const {
    return startEnabled() ? FleetWindowAction::Start : FleetWindowAction::None;
}

bool FleetWindowModel::anyRunning() const {
    return std::any_of(m_rows.begin(), m_rows.end(), [](const FleetRow& r) { return r.running; });
}

FleetRow* FleetWindowModel::row(std::size_t radio) {
    return radio < m_rows.size() ? &m_rows[radio] : nullptr;
}

} // namespace kq70
