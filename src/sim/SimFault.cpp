#include "SimFault.h"

#include <array>
#include <charconv>
#include <utility>

namespace kq70 {

namespace {

constexpr std::array<std::pair<std::string_view, SimFaultKind>, 6> FRAME_FAULTS{{
    {"checksum", SimFaultKind::BadChecksum},
    {"command", SimFaultKind::WrongCommand},
    {"silence", SimFaultKind::Silence},
    {"nak", SimFaultKind::Nak},
    {"lost", SimFaultKind::LostWrite},
    {"off", SimFaultKind::SwitchedOff},
}};

std::optional<unsigned> parseNumber(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<SimFault> parseSimFault(std::string_view word) {
    if (word == "nooffer") {
        return SimFault{SimFaultKind::NeverOffer, 0, 0};
    }
    if (word == "product") {
        return SimFault{SimFaultKind::WrongProductCode, 0, 0};
    }
    if (word.starts_with("garbage:")) {
        const auto count = parseNumber(word.substr(8));
        return count ? std::optional(SimFault{SimFaultKind::GarbageBeforeCheck, 0, *count})
                     : std::nullopt;
    }
    const auto at = word.find('@');
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const auto frame = parseNumber(word.substr(at + 1));
    for (const auto& [name, kind] : FRAME_FAULTS) {
        if (word.substr(0, at) == name && frame && *frame > 0) {
            return SimFault{kind, *frame, 0};
        }
    }
    return std::nullopt;
}

std::string describeSimFault(const SimFault& fault) {
    switch (fault.kind) {
    case SimFaultKind::NeverOffer:
        return "nooffer";
    case SimFaultKind::WrongProductCode:
        return "product";
    case SimFaultKind::GarbageBeforeCheck:
        return "garbage:" + std::to_string(fault.count);
    default:
        break;
    }
    for (const auto& [name, kind] : FRAME_FAULTS) {
        if (kind == fault.kind) {
            return std::string(name) + "@" + std::to_string(fault.frameNumber);
        }
    }
    return {};
}

} // namespace kq70
