#pragma once

#include "fields/FieldDescriptor.h"
#include "fields/HRecordFieldTable.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class RadioImage;

// Which record of a record layout a parameter object reads and writes. The default place
// is the start of the image, for objects whose descriptors hold absolute offsets.
struct RecordPlace {
    enum class Select : std::uint8_t { ByByte, ByBit };

    RecordLayout layout{};
    Select select = Select::ByByte;
    std::size_t record = 0;
};

// The common shape of every parameter object: one value per descriptor (and a text for
// text fields), built with the table's defaults, filled from the image by `extract` and
// written back by `store`. A new object is its descriptor table plus a constructor:
//
//     class HMiscParams : public HParams {
//     public:
//         HMiscParams() : HParams(MISC_FIELDS) {}
//     };
//
// Objects that derive values from the stored ones override extract and store.
class HParams {
public:
    explicit HParams(std::span<const FieldDescriptor> descriptors, const RecordPlace& place = {});
    virtual ~HParams() = default;
    HParams(const HParams&) = default;
    HParams& operator=(const HParams&) = default;

    virtual void extract(const RadioImage& image);
    virtual void store(RadioImage& image) const;

    std::size_t count() const { return m_values.size(); }
    std::span<const FieldDescriptor> descriptors() const { return m_descriptors; }
    const RecordPlace& place() const { return m_place; }

    // An index at or beyond the count reads -1 (an empty text) and sets nothing. Objects
    // with derived values override these to map indices onto them.
    virtual std::int32_t get(std::size_t index) const;
    virtual void set(std::size_t index, std::int32_t value);
    const std::string& getText(std::size_t index) const;
    void setText(std::size_t index, std::string_view text);

    virtual void resetToDefaults();

protected:
    // A field table over this object's descriptors, positioned on its record; init it with
    // the image to use it.
    HRecordFieldTable positionedTable() const;

private:
    std::span<const FieldDescriptor> m_descriptors;
    RecordPlace m_place;
    std::vector<std::int32_t> m_values;
    std::vector<std::string> m_texts;
};

} // namespace kq70
