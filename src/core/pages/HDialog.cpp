#include "pages/HDialog.h"

#include "fields/HParams.h"
#include "log/HLogPrint.h"
#include "ui/AsciiText.h"
#include "ui/NumberParse.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kq70 {

namespace {

constexpr std::string_view ALPHA_TAG_SYMBOLS = "_:<> <>*+-/=";

} // namespace

HDialog::HDialog(std::string className, RadioImage& image, int accessMode)
    : m_className(std::move(className)), m_image(image), m_accessMode(accessMode) {}

bool HDialog::RunSlot(const char* operation, bool (HDialog::*slot)()) {
    KQ70_LOG(LOG_D1, 0, "[IN]%s::%s", m_className.c_str(), operation);
    const bool result = (this->*slot)();
    KQ70_LOG(LOG_D1, 0, "[OUT]%s::%s", m_className.c_str(), operation);
    return result;
}

std::vector<HParams*> HDialog::GetBoundObjects() const {
    std::vector<HParams*> objects;
    for (const Binding& binding : m_bindings) {
        if (binding.params != nullptr &&
            std::find(objects.begin(), objects.end(), binding.params) == objects.end()) {
            objects.push_back(binding.params);
        }
    }
    return objects;
}

bool HDialog::AcquireData() {
    for (HParams* object : GetBoundObjects()) {
        object->extract(m_image);
    }
    return true;
}

bool HDialog::StoreData() {
    for (const HParams* object : GetBoundObjects()) {
        object->store(m_image);
    }
    return true;
}

void HDialog::OnInitDialog() {
    KQ70_LOG(LOG_D4, 0, "[FUNC IN]%s", "HDialog::OnInitDialog");
    RunSlot("AcquireData", &HDialog::AcquireData);
    RunSlot("InitCombo", &HDialog::InitCombo);
    RunSlot("InitEdit", &HDialog::InitEdit);
    RunSlot("InitStatic", &HDialog::InitStatic);
    RunSlot("InitCheck", &HDialog::InitCheck);
    RunSlot("InitOther", &HDialog::InitOther);
    RunSlot("SetDataCombo", &HDialog::SetDataCombo);
    RunSlot("SetDataEdit", &HDialog::SetDataEdit);
    RunSlot("SetDataCheck", &HDialog::SetDataCheck);
    RunSlot("SetDataOther", &HDialog::SetDataOther);
    MarkCombosWithoutTheirValue();
    KQ70_LOG(LOG_D4, 0, "[FUNC OUT]%s", "HDialog::OnInitDialog");
}

void HDialog::MarkCombosWithoutTheirValue() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        Binding& binding = m_bindings[i];
        if (binding.combo != nullptr) {
            const ComboItem* item = m_controls[i].selectedItem();
            binding.keepStored =
                item == nullptr || item->itemValue != binding.params->get(binding.index);
        }
    }
}

bool HDialog::OnOK() {
    if (!CheckBeforeOk()) {
        return false;
    }
    RunSlot("SaveDataCombo", &HDialog::SaveDataCombo);
    RunSlot("SaveDataEdit", &HDialog::SaveDataEdit);
    RunSlot("SaveDataCheck", &HDialog::SaveDataCheck);
    RunSlot("SaveDataOther", &HDialog::SaveDataOther);
    return RunSlot("StoreData", &HDialog::StoreData);
}

std::size_t HDialog::IndexOf(int id) const {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i].id == id) {
            return i;
        }
    }
    return m_controls.size();
}

const PageControl* HDialog::GetControl(int id) const {
    const std::size_t i = IndexOf(id);
    return i < m_controls.size() ? &m_controls[i] : nullptr;
}

PageControl* HDialog::GetMutableControl(int id) {
    const std::size_t i = IndexOf(id);
    return i < m_controls.size() ? &m_controls[i] : nullptr;
}

std::vector<ComboEntry>* HDialog::WorkingList(int id) {
    const std::size_t i = IndexOf(id);
    return i < m_bindings.size() && m_bindings[i].combo != nullptr ? &m_bindings[i].workingList
                                                                   : nullptr;
}

PageControl& HDialog::AddBound(int id, ControlKind kind, std::string label, int promptId,
                               Binding binding) {
    PageControl control;
    control.id = id;
    control.kind = kind;
    control.label = std::move(label);
    control.promptId = promptId;
    m_controls.push_back(std::move(control));
    m_bindings.push_back(std::move(binding));
    return m_controls.back();
}

PageControl& HDialog::AddCombo(int id, std::string label, int promptId,
                               const ComboDefinition& definition, HParams& params,
                               std::size_t index) {
    Binding binding;
    binding.combo = &definition;
    binding.workingList.assign(definition.entries.begin(), definition.entries.end());
    binding.params = &params;
    binding.index = index;
    return AddBound(id, ControlKind::Combo, std::move(label), promptId, std::move(binding));
}

PageControl& HDialog::AddEdit(int id, std::string label, int promptId,
                              const EditDefinition& definition, HParams& params,
                              std::size_t index) {
    Binding binding;
    binding.edit = &definition;
    binding.params = &params;
    binding.index = index;
    return AddBound(id, ControlKind::Edit, std::move(label), promptId, std::move(binding));
}

PageControl& HDialog::AddStatic(int id, std::string label) {
    PageControl control;
    control.id = id;
    control.kind = ControlKind::Static;
    control.label = std::move(label);
    m_controls.push_back(std::move(control));
    m_bindings.emplace_back();
    return m_controls.back();
}

std::vector<ComboItem> HDialog::BuildItems(const Binding& binding) const {
    const ComboDefinition& definition = *binding.combo;
    std::vector<ComboItem> items;
    if (definition.kind == LIST_TEXT) {
        for (const ComboEntry& entry : binding.workingList) {
            if (entry.shown) {
                items.push_back({std::string(entry.text), entry.value});
            }
        }
        return items;
    }
    if (definition.kind == LIST_NUMERIC) {
        if (!definition.firstEntryText.empty()) {
            items.push_back({std::string(definition.firstEntryText), definition.firstEntryValue});
        }
        const std::string unit(definition.unit);
        for (int i = 0; i < definition.count; ++i) {
            const std::int32_t valueX10 = definition.firstValueX10 + i * definition.stepX10;
            std::string text = definition.oneDecimal
                                   ? strprintf("%3.1f  %s", valueX10 / 10.0, unit.c_str())
                                   : strprintf("%d  %s", valueX10 / 10, unit.c_str());
            items.push_back({std::move(text), static_cast<std::int32_t>(items.size())});
        }
        return items;
    }
    for (const ComboEntry& entry : builtInComboList(definition.kind)) {
        items.push_back({std::string(entry.text), entry.value});
    }
    return items;
}

void HDialog::SelectValue(PageControl& combo, std::int32_t itemValue) {
    combo.selectedIndex = -1;
    for (const std::int32_t wanted : {itemValue, std::int32_t{0}}) {
        for (std::size_t i = 0; i < combo.items.size(); ++i) {
            if (combo.items[i].itemValue == wanted) {
                combo.selectedIndex = static_cast<int>(i);
                return;
            }
        }
    }
}

void HDialog::RefillCombo(int id, std::int32_t itemValue) {
    const std::size_t i = IndexOf(id);
    if (i >= m_controls.size() || m_bindings[i].combo == nullptr) {
        return;
    }
    // What the combo shows: whether an entry is selected, and its item value.
    const auto shown = [this, i] {
        const ComboItem* item = m_controls[i].selectedItem();
        return std::pair{item != nullptr, item != nullptr ? item->itemValue : 0};
    };
    const auto before = shown();
    m_controls[i].items = BuildItems(m_bindings[i]);
    SelectValue(m_controls[i], itemValue);
    if (m_userChange && shown() != before) {
        m_bindings[i].keepStored = false;
    }
}

void HDialog::SetVisible(int id, bool visible, bool enabled) {
    if (PageControl* c = GetMutableControl(id)) {
        c->visible = visible;
        c->enabled = enabled;
    }
}

bool HDialog::InitCombo() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_bindings[i].combo != nullptr) {
            m_controls[i].items = BuildItems(m_bindings[i]);
        }
    }
    return true;
}

bool HDialog::InitEdit() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (const EditDefinition* definition = m_bindings[i].edit) {
            m_controls[i].maxLength = definition->maxChars;
            m_controls[i].filter = definition->filter;
        }
    }
    return true;
}

bool HDialog::SetDataCombo() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const Binding& binding = m_bindings[i];
        if (binding.combo != nullptr) {
            SelectValue(m_controls[i], binding.params->get(binding.index));
        }
    }
    return true;
}

bool HDialog::SetDataEdit() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        Binding& binding = m_bindings[i];
        if (binding.edit == nullptr) {
            continue;
        }
        m_controls[i].text = binding.edit->kind == EDIT_TEXT
                                 ? binding.params->getText(binding.index)
                                 : FormatEdit(*binding.edit, binding.params->get(binding.index));
        binding.userEdited = false;
    }
    return true;
}

bool HDialog::SaveDataCombo() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const Binding& binding = m_bindings[i];
        const ComboItem* item = m_controls[i].selectedItem();
        // What the user could not see or change is never saved: it keeps its stored value.
        if (binding.combo != nullptr && m_controls[i].visible && m_controls[i].enabled &&
            item != nullptr && !binding.keepStored) {
            binding.params->set(binding.index, item->itemValue);
        }
    }
    return true;
}

bool HDialog::SaveDataEdit() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const Binding& binding = m_bindings[i];
        // An edit the user did not touch keeps its stored value exactly, even where the
        // shown format has fewer digits than the value.
        if (binding.edit == nullptr || !m_controls[i].visible || !m_controls[i].enabled ||
            !binding.userEdited) {
            continue;
        }
        if (binding.edit->kind == EDIT_TEXT) {
            binding.params->setText(binding.index, m_controls[i].text);
        } else if (const auto value = ParseEdit(*binding.edit, m_controls[i].text)) {
            binding.params->set(binding.index, *value);
        }
    }
    return true;
}

bool HDialog::SelectIndex(int id, int index) {
    PageControl* c = GetMutableControl(id);
    if (c == nullptr || c->kind != ControlKind::Combo || !c->enabled || !c->visible || index < 0 ||
        index >= static_cast<int>(c->items.size())) {
        return false;
    }
    c->selectedIndex = index;
    m_bindings[IndexOf(id)].keepStored = false;
    m_userChange = true;
    OnControlChanged(id);
    m_userChange = false;
    return true;
}

bool HDialog::SelectItemValue(int id, std::int32_t itemValue) {
    const PageControl* c = GetControl(id);
    if (c == nullptr) {
        return false;
    }
    for (std::size_t i = 0; i < c->items.size(); ++i) {
        if (c->items[i].itemValue == itemValue) {
            return SelectIndex(id, static_cast<int>(i));
        }
    }
    return false;
}

bool HDialog::FilterAccepts(int filter, char ch) {
    switch (filter) {
    case FILTER_NUMERIC:
        return isAsciiDigit(ch) || ch == '.' || ch == '-';
    case FILTER_ALPHA_TAG:
        return isAsciiAlnum(ch) || ALPHA_TAG_SYMBOLS.find(ch) != std::string_view::npos;
    case FILTER_DIGITS:
        return isAsciiDigit(ch);
    case FILTER_HEX:
        return isAsciiHexDigit(ch);
    default:
        return isAsciiPrint(static_cast<unsigned char>(ch));
    }
}

bool HDialog::TypeText(int id, std::string_view typed) {
    const std::size_t i = IndexOf(id);
    if (i >= m_controls.size() || m_controls[i].kind != ControlKind::Edit ||
        !m_controls[i].enabled || !m_controls[i].visible) {
        return false;
    }
    PageControl& edit = m_controls[i];
    const bool upperCase = m_bindings[i].edit != nullptr && m_bindings[i].edit->upperCase;
    std::string text;
    for (char ch : typed) {
        if (upperCase) {
            ch = asciiUpper(ch);
        }
        if (FilterAccepts(edit.filter, ch)) {
            text.push_back(ch);
        }
    }
    if (edit.maxLength > 0 && text.size() > static_cast<std::size_t>(edit.maxLength)) {
        text.resize(static_cast<std::size_t>(edit.maxLength));
    }
    edit.text = std::move(text);
    m_bindings[i].userEdited = true;
    OnControlChanged(id);
    return true;
}

std::optional<std::string> HDialog::PromptText(int promptId) const {
    if (!Strings::has(promptId)) {
        return std::nullopt;
    }
    return std::string(Strings::get(promptId));
}

void HDialog::SetFocus(int id) {
    const PageControl* c = GetControl(id);
    const int promptId = c != nullptr ? c->promptId : id;
    if (promptId == 0) {
        m_prompt = {" ", " "};
        return;
    }
    const auto text = PromptText(promptId);
    if (!text) {
        return; // no prompt for this control: the previous one stays
    }
    const std::size_t lineFeed = text->find('\n');
    m_prompt = lineFeed == std::string::npos
                   ? std::pair<std::string, std::string>{*text, std::string()}
                   : std::pair<std::string, std::string>{text->substr(0, lineFeed),
                                                         text->substr(lineFeed + 1)};
}

std::string HDialog::GetShownValue(int id) const {
    const PageControl* c = GetControl(id);
    if (c == nullptr) {
        return {};
    }
    if (c->kind == ControlKind::Combo) {
        const ComboItem* item = c->selectedItem();
        return item != nullptr ? item->text : std::string();
    }
    return c->text;
}

std::optional<std::int32_t> HDialog::SelectedItemValue(int id) const {
    const PageControl* c = GetControl(id);
    if (c == nullptr || c->selectedItem() == nullptr) {
        return std::nullopt;
    }
    return c->selectedItem()->itemValue;
}

const EditDefinition* HDialog::GetEditDefinition(int id) const {
    const std::size_t i = IndexOf(id);
    return i < m_bindings.size() ? m_bindings[i].edit : nullptr;
}

std::string HDialog::WithoutAmpersands(std::string_view label) {
    std::string out;
    for (const char ch : label) {
        if (ch != '&') {
            out.push_back(ch);
        }
    }
    return out;
}

std::string HDialog::ListingLine23(std::string_view label, std::string_view value) {
    return strprintf("%5s%-23s:%-20s", " ", std::string(label).c_str(), std::string(value).c_str());
}

std::string HDialog::ListingLine29(std::string_view label, std::string_view value) {
    return strprintf("%5s%-29s:%-14s", " ", std::string(label).c_str(), std::string(value).c_str());
}

std::string HDialog::ListingLine19(std::string_view label, std::string_view value) {
    return strprintf("%5s%-19s:%-24s", " ", std::string(label).c_str(), std::string(value).c_str());
}

std::vector<HDialog::ListingItem> HDialog::GetListingItems() const {
    std::vector<ListingItem> items;
    for (const PageControl& c : m_controls) {
        if (c.visible && !c.label.empty() &&
            (c.kind == ControlKind::Combo || c.kind == ControlKind::Edit)) {
            items.push_back({WithoutAmpersands(c.label), GetShownValue(c.id)});
        }
    }
    return items;
}

std::vector<HDialog::ListingItem> HDialog::GetListingItemsByControl() const {
    std::vector<ListingItem> items;
    for (const PageControl& c : m_controls) {
        if (c.kind != ControlKind::Combo && c.kind != ControlKind::Edit) {
            continue;
        }
        items.push_back(c.visible ? ListingItem{WithoutAmpersands(c.label), GetShownValue(c.id)}
                                  : ListingItem{});
    }
    return items;
}

std::vector<std::string> HDialog::GetListingLines() const {
    std::vector<std::string> lines;
    for (const ListingItem& item : GetListingItems()) {
        lines.push_back(item.hasLine() ? ListingLine23(item.caption, item.value) : std::string());
    }
    return lines;
}

std::string HDialog::FormatEdit(const EditDefinition& definition, std::int32_t value) {
    if (definition.toText != nullptr) {
        return definition.toText(value);
    }
    if (definition.kind == EDIT_SCALED) {
        const double scale = definition.scale != 0 ? definition.scale : 1;
        return strprintf(definition.format, value / scale);
    }
    return strprintf(definition.format, value);
}

std::optional<std::int32_t> HDialog::ParseEdit(const EditDefinition& definition,
                                               std::string_view text) {
    if (definition.fromText != nullptr) {
        return definition.fromText(text);
    }
    const std::optional<double> parsed = parseDecimalPrefix(text);
    if (!parsed) {
        return std::nullopt;
    }
    const double number = *parsed;
    const double scale = definition.kind == EDIT_SCALED && definition.scale != 0
                             ? static_cast<double>(definition.scale)
                             : 1.0;
    double stored = std::round(number * scale);
    if (definition.maximum > definition.minimum) {
        stored = std::clamp(stored, definition.minimum, definition.maximum);
    }
    stored = std::clamp(stored, -2147483648.0, 2147483647.0);
    return static_cast<std::int32_t>(stored);
}

} // namespace kq70
