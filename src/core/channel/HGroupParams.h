#pragma once

#include "channel/HGroupTable.h"
#include "fields/HParams.h"

namespace kq70 {

// The group table as a parameter object, so a page can bind its count edits, tag edits and
// group scan combos: value g is group g's count, 16 + g its scan flag, 32 + g its tag.
class HGroupParams : public HParams {
public:
    static constexpr std::size_t COUNT = 0;
    static constexpr std::size_t SCAN = HGroupTable::GROUP_COUNT;
    static constexpr std::size_t TAG = 2 * HGroupTable::GROUP_COUNT;
    static constexpr std::size_t VALUE_COUNT = 3 * HGroupTable::GROUP_COUNT;

    HGroupParams();

    // Takes the values of a (repaired) group table, and gives them back.
    void readFrom(const HGroupTable& groups);
    void writeTo(HGroupTable& groups) const;

    // Reads through the group table, so the counts are repaired as every editor sees them.
    void extract(const RadioImage& image) override;
};

} // namespace kq70
