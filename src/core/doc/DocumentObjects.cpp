#include "doc/DocumentObjects.h"

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

void DocumentObjects::markEdited(DocumentPart part) {
    m_edited[static_cast<std::size_t>(part)] = true;
    m_wholeChannelData = m_wholeChannelData || part == DocumentPart::Channels;
}

void DocumentObjects::markEditedChannel(int channel) {
    m_edited[static_cast<std::size_t>(DocumentPart::Channels)] = true;
    if (channel >= 0 && channel < CHANNEL_COUNT) {
        m_namedChannelData.records.set(static_cast<std::size_t>(channel));
    }
}

void DocumentObjects::markEditedGroup(int group) {
    m_edited[static_cast<std::size_t>(DocumentPart::Channels)] = true;
    if (group >= 0 && group < HGroupTable::GROUP_COUNT) {
        m_namedChannelData.groups.set(static_cast<std::size_t>(group));
    }
}

void DocumentObjects::markEditedChannelGlobals() {
    m_edited[static_cast<std::size_t>(DocumentPart::Channels)] = true;
    m_namedChannelData.globals = true;
}

// Every record follows a change of what its store reads: the hardware (PLL words, groups),
// the paging codes (signal numbers), the adjustment items (alignment bytes) and the option
// unit (encryption).
ChannelStoreScope DocumentObjects::channelScope() const {
    using P = DocumentPart;
    if (m_wholeChannelData || isEdited(P::Hardware) || isEdited(P::Paging) ||
        isEdited(P::Adjustment) || isEdited(P::Miscellaneous)) {
        return ChannelStoreScope::all();
    }
    return m_namedChannelData;
}

bool DocumentObjects::isEdited(DocumentPart part) const {
    return m_edited[static_cast<std::size_t>(part)];
}

bool DocumentObjects::isStored(DocumentPart part) const {
    if (part == DocumentPart::Channels) {
        return isEdited(DocumentPart::Channels) || isEdited(DocumentPart::Hardware) ||
               isEdited(DocumentPart::Paging) || isEdited(DocumentPart::Adjustment);
    }
    return isEdited(part);
}

bool DocumentObjects::mayChange(DependentValues values) const {
    using P = DocumentPart;
    using D = DependentValues;
    switch (values) {
    case D::ChannelGlobals:
        return isEdited(P::Scan) || isEdited(P::Miscellaneous);
    case D::SharedPageValues:
        return isEdited(P::Channels);
    case D::Groups:
    case D::KeyFunctions:
        return isEdited(P::Hardware);
    case D::ChannelEncryption:
        return isEdited(P::Miscellaneous) || isEdited(P::Channels);
    case D::ChannelSignalNumbers:
        return isEdited(P::Paging);
    }
    return false;
}

void DocumentObjects::store(RadioImage& image) {
    storeParameters(image);
    takeSharedGlobals(image);
    storeChannelData(image);
}

void DocumentObjects::storeParameters(RadioImage& image) {
    using P = DocumentPart;
    if (isStored(P::Hardware)) {
        hardware.store(image);
    }
    if (isStored(P::Scan)) {
        scan.store(image);
    }
    if (isStored(P::KeyFunction)) {
        keyFunction.store(image);
    }
    if (isStored(P::Hardware)) {
        clearKeysWithoutDisplay(image);
    }
    if (isStored(P::PowerSaving)) {
        powerSaving.store(image);
    }
    if (isStored(P::Miscellaneous)) {
        miscellaneous.store(image);
    }
    if (isStored(P::Marketing)) {
        marketing.store(image);
    }
    if (isStored(P::DirectCh)) {
        directCh.store(image);
    }
    if (isStored(P::Paging)) {
        for (const HPagingCodeParams& record : paging) {
            record.store(image);
        }
    }
    if (isStored(P::ProgrammingPassword)) {
        programmingPassword.store(image);
    }
    if (isStored(P::Adjustment)) {
        adjustment.recomputeChecksum(image);
    }
    if (isStored(P::ShippingDefault)) {
        shippingDefault.recomputeChecksum(image);
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
    if (isStored(DocumentPart::Channels)) {
        channels.store(image, channelScope());
    }
}

} // namespace kq70
