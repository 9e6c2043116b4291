#pragma once

#include "align/HAdustmentBackUpParams.h"
#include "align/HShippingDefaultParams.h"
#include "channel/HChannelData.h"
#include "params/HDirectChParams.h"
#include "params/HHardwareParams.h"
#include "params/HKeyFuncParams.h"
#include "params/HMarketingParams.h"
#include "params/HMiscParams.h"
#include "params/HPagingCodeParams.h"
#include "params/HPowerSaveParams.h"
#include "params/HProgrammingPasswordParams.h"
#include "params/HScanParams.h"

#include <array>
#include <vector>

namespace kq70 {

class RadioImage;

// The editor objects of a document, one per part of the image.
enum class DocumentPart : std::size_t {
    Hardware,
    Channels, // records, groups and the channel globals
    Scan,
    KeyFunction,
    PowerSaving,
    Miscellaneous,
    Marketing,
    DirectCh,
    Paging,
    ProgrammingPassword,
    Adjustment,
    ShippingDefault,
};
constexpr std::size_t DOCUMENT_PART_COUNT = 12;

// Values of one part that a store may change although nobody edited that part: bytes it
// shares with another part, and values its store works out from another part.
enum class DependentValues {
    ChannelGlobals,       // the priority channel and the option unit, in the pages' bytes
    SharedPageValues,     // the same bytes as the scanning and miscellaneous pages show them
    Groups,               // regrouped under a new channel capacity
    KeyFunctions,         // a radio without a display has no A–D keys
    ChannelEncryption,    // follows the option unit
    ChannelSignalNumbers, // follows the paging codes
};

// Every parameter object of one image, as the editors see them after extract. An editor sets
// values and marks the parts it changed; storing writes only those parts, and the parts whose
// store reads them, so bytes nobody edited stay as they were read.
//
// The document's store rules:
// - the hardware first, since everything else reads it; a radio without a display then loses
//   its A–D key functions, as the hardware page stores it;
// - the channel data last: it reads the hardware, the paging codes and the adjustment items
//   when it works out its PLL words and alignment bytes, so a change to any of those stores it
//   again (frequencies keep their hertz values under new hardware);
// - an edited adjustment set gets a new checksum, as an alignment gives it.
// Large (the channel data): keep it on the heap.
struct DocumentObjects {
    DocumentObjects();

    void extract(const RadioImage& image);

    void markEdited(DocumentPart part);
    // The channel data narrowed to what an editor named: one record, one group, or the
    // global values. Storing then writes only those, unless a whole part their store reads
    // (hardware, paging codes, adjustment items, the option unit's page) was edited too.
    void markEditedChannel(int channel);
    void markEditedGroup(int group);
    void markEditedChannelGlobals();
    bool isEdited(DocumentPart part) const;
    // Edited, or read by the store of an edited part.
    bool isStored(DocumentPart part) const;
    // True when storing the edited parts may change these values.
    bool mayChange(DependentValues values) const;

    // The stored parts, in the document's order. Between the parameter objects and the
    // channel data an editor may set the channel globals (see takeSharedGlobals).
    void store(RadioImage& image);
    // The hardware, the pages, the paging codes, the password and both adjustment sets.
    void storeParameters(RadioImage& image);
    // The channel data's global values share bytes with the scanning and miscellaneous pages
    // (priority channel, option unit); this takes them as the pages left the image, so a page
    // value is not undone by the channel data's older copy.
    void takeSharedGlobals(const RadioImage& image);
    void storeChannelData(RadioImage& image);

    HHardwareParams hardware;
    HChannelData channels;
    HScanParams scan;
    HKeyFuncParams keyFunction;
    HPowerSaveParams powerSaving;
    HMiscParams miscellaneous;
    HMarketingParams marketing;
    HDirectChParams directCh;
    std::vector<HPagingCodeParams> paging; // records 0–9
    HProgrammingPasswordParams programmingPassword;
    HAdustmentBackUpParams adjustment;
    HShippingDefaultParams shippingDefault;

private:
    ChannelStoreScope channelScope() const;

    std::array<bool, DOCUMENT_PART_COUNT> m_edited{};
    ChannelStoreScope m_namedChannelData;
    bool m_wholeChannelData = false;
};

} // namespace kq70
