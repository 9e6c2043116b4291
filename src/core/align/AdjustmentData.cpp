#include "align/AdjustmentData.h"

#include "image/RadioImage.h"

namespace kq70 {

std::uint16_t adjustmentBlockSum(const RadioImage& image, std::size_t blockOffset) {
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < ADJUSTMENT_DATA_SIZE; ++i) {
        sum = static_cast<std::uint16_t>(sum + image.byteAt(blockOffset + i));
    }
    return sum;
}

} // namespace kq70
