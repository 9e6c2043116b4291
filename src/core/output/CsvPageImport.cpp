#include "output/CsvPageImport.h"

#include "pages/HDialog.h"
#include "ui/AsciiText.h"
#include "ui/NumberParse.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <optional>

namespace kq70 {

namespace {

constexpr const char* ENTRY_SEPARATOR = " / ";

bool isNumberText(std::string_view text) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return !text.empty() && text != "." && digits(whole) && digits(fraction);
}

bool isNumericEdit(const EditDefinition& definition) {
    return definition.kind != EDIT_TEXT && definition.fromText == nullptr;
}

// A number typed into a numeric edit, in stored units, as the page's own reading rounds it.
std::optional<double> storedValue(const EditDefinition& definition, const std::string& text) {
    if (!isNumberText(text)) {
        return std::nullopt;
    }
    const auto number = parseDecimalPrefix(text);
    if (!number) {
        return std::nullopt;
    }
    const double scale = definition.kind == EDIT_SCALED && definition.scale != 0
                             ? static_cast<double>(definition.scale)
                             : 1.0;
    return std::round(*number * scale);
}

std::string shownNumber(const EditDefinition& definition, double stored) {
    return trimmed(HDialog::FormatEdit(definition, static_cast<std::int32_t>(std::clamp(
                                                       stored, double{INT_MIN}, double{INT_MAX}))));
}

std::string entriesOf(const PageControl& control) {
    std::string entries;
    for (const ComboItem& item : control.items) {
        entries += (entries.empty() ? "" : ENTRY_SEPARATOR) + trimmed(item.text);
    }
    return entries;
}

bool changeable(const PageControl& control) {
    return control.visible && control.enabled;
}

} // namespace

CsvPageImport::CsvPageImport(HDialog& page, std::vector<CsvImportError>& errors)
    : m_page(page), m_errors(errors) {}

const PageControl* CsvPageImport::controlOf(const HDialog& page, const std::string& caption) {
    for (const PageControl& control : page.GetControls()) {
        if ((control.kind == ControlKind::Combo || control.kind == ControlKind::Edit) &&
            HDialog::WithoutAmpersands(control.label) == caption) {
            return &control;
        }
    }
    return nullptr;
}

bool CsvPageImport::shows(const HDialog& page, const PageControl& control,
                          const std::string& value) {
    const std::string shown = trimmed(page.GetShownValue(control.id));
    const std::string wanted = trimmed(value);
    if (shown == wanted) {
        return true;
    }
    const EditDefinition* definition = page.GetEditDefinition(control.id);
    if (control.kind != ControlKind::Edit || definition == nullptr) {
        return false;
    }
    if (isNumericEdit(*definition)) {
        const auto stored = storedValue(*definition, wanted);
        return stored && shownNumber(*definition, *stored) == shown;
    }
    return definition->upperCase && asciiUpperCase(wanted) == shown;
}

void CsvPageImport::error(const Change& change, std::string reason) {
    m_errors.push_back({change.line, change.caption, std::move(reason)});
}

bool CsvPageImport::set(const std::vector<CsvRow>& rows) {
    std::vector<Change> pending;
    for (const CsvRow& row : rows) {
        const Change change{row.line, 0, trimmed(row.cell(0)), row.cell(1)};
        const bool extraCells = std::any_of(
            row.cells.begin() + std::min<std::size_t>(2, row.cells.size()), row.cells.end(),
            [](const std::string& cell) { return !trimmed(cell).empty(); });
        const PageControl* control = controlOf(m_page, change.caption);
        if (extraCells) {
            error(change, std::string(text::CSV_IMPORT_EXTRA_CELLS));
        } else if (control == nullptr) {
            error(change, std::string(text::CSV_IMPORT_UNKNOWN_CAPTION));
        } else if (!shows(m_page, *control, change.value)) {
            pending.push_back(change);
            pending.back().id = control->id;
        }
    }
    // Rows the page does not take yet may wait for others: a function a key still holds is
    // offered to another key only once that key has a new one, Priority CH only after
    // Priority Check. Each round sets what it can, until a round sets nothing.
    for (bool progress = true; progress && !pending.empty();) {
        progress = false;
        std::vector<Change> waiting;
        for (const Change& change : pending) {
            const Outcome outcome = trySet(change);
            if (outcome == Outcome::Waiting) {
                waiting.push_back(change);
            } else {
                progress = true;
            }
            if (outcome == Outcome::Set) {
                m_set.push_back(change);
            }
        }
        pending = std::move(waiting);
    }
    for (const Change& change : pending) {
        reportWaiting(change);
    }
    return !m_set.empty();
}

CsvPageImport::Outcome CsvPageImport::trySet(const Change& change) {
    const PageControl* control = m_page.GetControl(change.id);
    if (control == nullptr) {
        return Outcome::Refused;
    }
    if (!changeable(*control)) {
        return Outcome::Waiting;
    }
    return control->kind == ControlKind::Combo ? tryCombo(change, *control)
                                               : tryEdit(change, *control);
}

CsvPageImport::Outcome CsvPageImport::tryCombo(const Change& change, const PageControl& control) {
    const std::string wanted = trimmed(change.value);
    for (std::size_t k = 0; k < control.items.size(); ++k) {
        if (trimmed(control.items[k].text) == wanted) {
            return m_page.SelectIndex(change.id, static_cast<int>(k)) ? Outcome::Set
                                                                      : Outcome::Waiting;
        }
    }
    return Outcome::Waiting;
}

CsvPageImport::Outcome CsvPageImport::tryEdit(const Change& change, const PageControl& control) {
    const EditDefinition* definition = m_page.GetEditDefinition(change.id);
    const std::string wanted = trimmed(change.value);
    if (definition == nullptr) {
        return Outcome::Refused;
    }
    if (isNumericEdit(*definition)) {
        const auto stored = storedValue(*definition, wanted);
        if (!stored) {
            error(change, strprintf(text::CSV_IMPORT_NOT_A_NUMBER.data(), wanted.c_str()));
            return Outcome::Refused;
        }
        if (definition->maximum > definition->minimum &&
            (*stored < definition->minimum || *stored > definition->maximum)) {
            error(change, strprintf(text::CSV_IMPORT_NUMBER_RANGE.data(), wanted.c_str(),
                                    shownNumber(*definition, definition->minimum).c_str(),
                                    shownNumber(*definition, definition->maximum).c_str()));
            return Outcome::Refused;
        }
    } else if (definition->fromText != nullptr && !definition->fromText(wanted)) {
        error(change, strprintf(text::CSV_IMPORT_NOT_A_NUMBER.data(), wanted.c_str()));
        return Outcome::Refused;
    }
    // The edit drops what its filter refuses and cuts what is too long; the file's text must
    // come through whole.
    const std::string typed = definition->upperCase ? asciiUpperCase(wanted) : wanted;
    if (!m_page.TypeText(change.id, wanted) || control.text != typed) {
        error(change,
              strprintf(text::CSV_IMPORT_NOT_TYPABLE.data(), wanted.c_str(), definition->maxChars));
        return Outcome::Refused;
    }
    return Outcome::Set;
}

void CsvPageImport::reportWaiting(const Change& change) {
    const PageControl* control = m_page.GetControl(change.id);
    if (control == nullptr || !changeable(*control)) {
        error(change, std::string(text::CSV_IMPORT_LOCKED));
        return;
    }
    error(change, strprintf(text::CSV_IMPORT_NOT_AN_ENTRY.data(), trimmed(change.value).c_str(),
                            entriesOf(*control).c_str()));
}

void CsvPageImport::verify(const HDialog& reopened) {
    for (const Change& change : m_set) {
        const PageControl* control = reopened.GetControl(change.id);
        if (control != nullptr && !shows(reopened, *control, change.value)) {
            error(change, strprintf(text::CSV_IMPORT_PAGE_KEEPS.data(),
                                    trimmed(reopened.GetShownValue(change.id)).c_str()));
        }
    }
}

} // namespace kq70
