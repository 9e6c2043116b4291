#include "SimFault.h"

#include <array>
#include <charconv>
#include <utility>

namespace kq70 {

namespace {

constexpr std::array<std::pair<std::string_view, SimFaultKind>, 7> FRAME_FAULTS{{
    {"checksum", SimFaultKind::BadChecksum},
    {"command", SimFaultKind::WrongCommand},
    {"silence", SimFaultKind::Silence},
    {"nak", SimFaultKind::Nak},
    {"lost", SimFaultKind::LostWrite},
    {"corrupt", SimFaultKind::CorruptStore},
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
    const std::string_view name = word.substr(0, at);
    std::string_view number = word.substr(at + 1);
    std::optional<unsigned> byte = 0;
    if (const auto colon = number.find(':'); colon != std::string_view::npos) {
        // Only a corrupted store names a byte of the unit.
        byte = name == "corrupt" ? parseNumber(number.substr(colon + 1)) : std::nullopt;
        number = number.substr(0, colon);
    }
    const auto frame = parseNumber(number);
    for (const auto& [faultName, kind] : FRAME_FAULTS) {
        if (name == faultName && frame && *frame > 0 && byte) {
            return SimFault{kind, *frame, *byte};
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
            std::string word = std::string(name) + "@" + std::to_string(fault.frameNumber);
            if (kind == SimFaultKind::CorruptStore && fault.count != 0) {
                word += ":" + std::to_string(fault.count);
            }
            return word;
        }
    }
    return {};
}

} // namespace kq70
