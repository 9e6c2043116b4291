// The data-file loader and every editor over whatever it loaded: what `show --json` and the
// pages do with a file from anywhere.
#include "FuzzSupport.h"
#include "JsonDocument.h"
#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "doc/DocumentObjects.h"
#include "pages/HDirectChDialog.h"
#include "pages/HHardwareDialog.h"
#include "pages/HKeyFuncDialog.h"
#include "pages/HMarketingDialog.h"
#include "pages/HMiscDialog.h"
#include "pages/HPowerSaveDialog.h"
#include "pages/HScanningDialog.h"

#include <memory>

using namespace kq70;

namespace {

void openPages(CKQ70Doc& doc, const HChannelData& channels, int mode, UserPrompt& prompt) {
    RadioImage& image = doc.GetMainMemory();
    HHardwareDialog hardware(doc, mode, prompt);
    hardware.OnInitDialog();
    (void)hardware.GetListingLines();
    std::unique_ptr<HDialog> pages[] = {
        std::make_unique<HKeyFuncDialog>(image, mode),
        std::make_unique<HPowerSaveDialog>(image, mode),
        std::make_unique<HMiscDialog>(image, mode),
        std::make_unique<HMarketingDialog>(image, mode),
        std::make_unique<HDirectChDialog>(image, mode),
        std::make_unique<HScanningDialog>(image, mode, channels.firstSixteenInUse()),
    };
    for (const auto& page : pages) {
        page->OnInitDialog();
        (void)page->GetListingLines();
        (void)page->OnOK();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = fuzz::scratchPath("data.k70");
    fuzz::writeScratch(path, {data, size});
    fuzz::SilentPrompt prompt;
    auto doc = std::make_unique<CKQ70Doc>();
    if (!ReadDataFile(path, doc->GetMainMemory(), prompt)) {
        return 0;
    }
    auto objects = std::make_unique<DocumentObjects>();
    objects->extract(doc->GetMainMemory());
    (void)documentJson(*objects, doc->GetMainMemory(), static_cast<long long>(size))
        .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    openPages(*doc, objects->channels, size % 2 == 0 ? ACCESS_NORMAL : ACCESS_MANUFACTURE, prompt);
    return 0;
}
