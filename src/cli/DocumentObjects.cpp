#include "DocumentObjects.h"

#include "image/RadioImage.h"

#include <memory>

namespace kq70 {

namespace {

std::vector<HPagingCodeParams> pagingRecords() {
    std::vector<HPagingCodeParams> records;
    for (std::size_t k = 0; k < HPagingCodeParams::PAGING_CODE_RECORDS; ++k) {
        records.emplace_back(k);
    }
    return records;
}

} // namespace

DocumentObjects::DocumentObjects() : paging(pagingRecords()) {}

void DocumentObjects::extract(const RadioImage& image) {
    hardware.extract(image);
    channels.extract(image);
    scan.extract(image);
    keyFunction.extract(image);
    powerSaving.extract(image);
    miscellaneous.extract(image);
    marketing.extract(image);
    directCh.extract(image);
    for (HPagingCodeParams& record : paging) {
        record.extract(image);
    }
    programmingPassword.extract(image);
    adjustment.extract(image);
    shippingDefault.extract(image);
}

void DocumentObjects::storeParameters(RadioImage& image) {
    hardware.store(image);
    scan.store(image);
    keyFunction.store(image);
    if (hardwareEdited && hardware.get(HW_LCD_TYPE) == 0) {
        clearKeyPadKeyFunctions(image);
    }
    powerSaving.store(image);
    miscellaneous.store(image);
    marketing.store(image);
    directCh.store(image);
    for (const HPagingCodeParams& record : paging) {
        record.store(image);
    }
    programmingPassword.store(image);
    if (adjustmentEdited) {
        adjustment.recomputeChecksum(image);
    } else {
        adjustment.store(image);
    }
    if (shippingDefaultEdited) {
        shippingDefault.recomputeChecksum(image);
    } else {
        shippingDefault.store(image);
    }
}

void DocumentObjects::takeSharedGlobals(const RadioImage& image) {
    const auto fresh = std::make_unique<HChannelData>();
    fresh->extract(image);
    for (int g = 0; g < CHANNEL_GLOBAL_COUNT; ++g) {
        channels.setGlobal(g, fresh->getGlobal(g));
    }
}

void DocumentObjects::storeChannelData(RadioImage& image) {
    channels.store(image);
}

} // namespace kq70
