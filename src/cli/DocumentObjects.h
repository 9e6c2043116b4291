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

#include <vector>

namespace kq70 {

class RadioImage;

// Every parameter object of one image, as the editors see them after extract. The command
// line shows them and patches them; storing follows the document's rule: the hardware first
// (everything else reads it), the channel data last (it reads the hardware, the paging codes
// and the adjustment items when it works out its PLL words and alignment bytes).
// Large (the channel data): keep it on the heap.
struct DocumentObjects {
    DocumentObjects();

    void extract(const RadioImage& image);

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

    // Set by whoever changes the objects. Changed adjustment items get a new checksum, as an
    // alignment does; a set that was not changed is written back as read, checksum and all.
    // Changed hardware is stored as the hardware page stores it: a radio without a display
    // loses its A–D key functions.
    bool hardwareEdited = false;
    bool adjustmentEdited = false;
    bool shippingDefaultEdited = false;
};

} // namespace kq70
