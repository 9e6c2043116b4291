#pragma once

#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "channel/CKQ70View.h"
#include "image/RadioImage.h"
#include "support/MemoryGrid.h"
#include "support/ScriptedChoosers.h"
#include "support/ScriptedPrompt.h"
#include "support/TestRadios.h"

#include <memory>

namespace kq70::test {

// A channel view over an in-memory grid, scripted prompts and choosers, counting the times it
// marks the document modified.
struct ChannelViewHarness {
    RadioImage image;
    MemoryGrid grid;
    ScriptedPrompt prompt;
    ScriptedChoosers choosers;
    AppSettings settings;
    AccessMode mode;
    int modifiedCount = 0;
    std::unique_ptr<CKQ70View> view;

    explicit ChannelViewHarness(const RadioImage& start) : image(start) {}

    CKQ70View& open(int accessMode) {
        mode.set(accessMode);
        view = std::make_unique<CKQ70View>(grid, prompt, choosers, mode, settings);
        view->SetModifiedHandler([this] { ++modifiedCount; });
        view->OnUpdate(image);
        return *view;
    }
    void at(int row, int column) {
        grid.setRow(row);
        grid.setColumn(column);
    }
    // The channel data as the image holds it after the view saved.
    HChannelData saved() {
        view->OnSaveData();
        HChannelData data;
        data.extract(image);
        return data;
    }
};

} // namespace kq70::test
