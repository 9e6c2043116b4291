#include "frame/FleetReport.h"

#include "frame/FleetDownload.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

namespace kq70 {

namespace {

std::string fmt(std::string_view format) {
    return std::string(format);
}

// "P1 message; P2 message" for the radios of one outcome; their count in `count`.
std::string portList(const std::vector<FleetRadioResult>& results, FleetOutcome outcome,
                     int& count) {
    std::string list;
    count = 0;
    for (const FleetRadioResult& result : results) {
        if (!result.finished || result.outcome != outcome) {
            continue;
        }
        list += (count++ == 0 ? "" : "; ") + result.port;
        if (outcome == FleetOutcome::Failed) {
            list += " " + result.message;
        } else if (outcome == FleetOutcome::Cancelled) {
            list += std::string(result.radioChanged ? text::FLEET_SUMMARY_INCOMPLETE
                                                    : text::FLEET_SUMMARY_UNTOUCHED);
        }
    }
    return list;
}

} // namespace

std::string FleetReport::ResultText(const FleetRadioResult& result) {
    switch (result.outcome) {
    case FleetOutcome::Verified:
        return fmt(text::FLEET_VERIFIED);
    case FleetOutcome::WrittenWithoutVerify:
        return fmt(text::FLEET_WRITTEN_WITHOUT_VERIFY);
    case FleetOutcome::Failed:
        return substitute1(text::FLEET_FAILED, result.message);
    case FleetOutcome::Cancelled:
        return fmt(text::FLEET_CANCELLED);
    case FleetOutcome::NotAnswering:
        return fmt(text::FLEET_NOT_ANSWERING);
    }
    return {};
}

std::string FleetReport::RadioLine(const FleetRadioResult& result) {
    const std::string serial =
        result.serialNumber.empty()
            ? std::string()
            : strprintf(fmt(text::FLEET_SERIAL_FORMAT).c_str(), result.serialNumber.c_str());
    const std::string_view fate = result.succeeded()    ? std::string_view()
                                  : result.radioChanged ? text::FLEET_RADIO_INCOMPLETE
                                                        : text::FLEET_RADIO_UNTOUCHED;
    return strprintf(fmt(text::FLEET_RADIO_LINE_FORMAT).c_str(), result.port.c_str(),
                     serial.c_str(), ResultText(result).c_str(), result.seconds,
                     std::string(fate).c_str());
}

std::string FleetReport::Summary(const std::vector<FleetRadioResult>& results, bool verify) {
    int succeeded = 0;
    for (const FleetRadioResult& result : results) {
        succeeded += result.succeeded() ? 1 : 0;
    }
    std::string summary = strprintf(
        fmt(verify ? text::FLEET_SUMMARY_VERIFIED_FORMAT : text::FLEET_SUMMARY_WRITTEN_FORMAT)
            .c_str(),
        succeeded, static_cast<int>(results.size()));
    const struct {
        FleetOutcome outcome;
        std::string_view format;
    } parts[] = {{FleetOutcome::Failed, text::FLEET_SUMMARY_FAILED_FORMAT},
                 {FleetOutcome::NotAnswering, text::FLEET_SUMMARY_NOT_ANSWERING_FORMAT},
                 {FleetOutcome::Cancelled, text::FLEET_SUMMARY_CANCELLED_FORMAT}};
    for (const auto& part : parts) {
        int count = 0;
        const std::string list = portList(results, part.outcome, count);
        if (count != 0) {
            summary += strprintf(fmt(part.format).c_str(), count, list.c_str());
        }
    }
    return summary;
}

} // namespace kq70
