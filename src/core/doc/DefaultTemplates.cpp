#include "doc/DefaultTemplates.h"

namespace kq70 {

bool isDefinedBand(int band) {
    return band >= 0 && band < TEMPLATE_NAME_COUNT &&
           TEMPLATE_NAMES[static_cast<std::size_t>(band)] != "NotDefined";
}

int templateIndexForBand(int band) {
    return isDefinedBand(band) ? band : NO_TEMPLATE_INDEX;
}

} // namespace kq70
