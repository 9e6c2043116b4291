#include "fields/HParams.h"

#include "image/RadioImage.h"

namespace kq70 {

namespace {

const std::string NO_TEXT;

bool isText(const FieldDescriptor& d) {
    return d.kind == FieldKind::Text;
}

} // namespace

HParams::HParams(std::span<const FieldDescriptor> descriptors, const RecordPlace& place)
    : m_descriptors(descriptors), m_place(place), m_values(descriptors.size()),
      m_texts(descriptors.size()) {
    resetToDefaults();
}

void HParams::resetToDefaults() {
    for (std::size_t i = 0; i < m_descriptors.size(); ++i) {
        const FieldDescriptor& d = m_descriptors[i];
        m_values[i] = d.defaultValue;
        m_texts[i] = isText(d) ? std::string(d.defaultText) : std::string();
    }
}

HRecordFieldTable HParams::positionedTable() const {
    HRecordFieldTable table(m_descriptors, m_place.layout);
    if (m_place.select == RecordPlace::Select::ByBit) {
        table.selectRecordByBit(m_place.record);
    } else {
        table.selectRecordByByte(m_place.record);
    }
    return table;
}

void HParams::extract(const RadioImage& image) {
    HRecordFieldTable table = positionedTable();
    table.init(image);
    for (std::size_t i = 0; i < m_descriptors.size(); ++i) {
        if (isText(m_descriptors[i])) {
            m_texts[i] = table.readString(i);
        } else {
            m_values[i] = table.getValue(i);
        }
    }
}

void HParams::store(RadioImage& image) const {
    HRecordFieldTable table = positionedTable();
    table.init(image);
    for (std::size_t i = 0; i < m_descriptors.size(); ++i) {
        if (isText(m_descriptors[i])) {
            table.writeString(i, m_texts[i]);
        } else {
            table.setValue(i, m_values[i]);
        }
    }
}

std::int32_t HParams::get(std::size_t index) const {
    return index < m_values.size() ? m_values[index] : -1;
}

void HParams::set(std::size_t index, std::int32_t value) {
    if (index < m_values.size()) {
        m_values[index] = value;
    }
}

const std::string& HParams::getText(std::size_t index) const {
    return index < m_texts.size() ? m_texts[index] : NO_TEXT;
}

void HParams::setText(std::size_t index, std::string_view text) {
    if (index < m_texts.size()) {
        m_texts[index] = std::string(text);
    }
}

} // namespace kq70
