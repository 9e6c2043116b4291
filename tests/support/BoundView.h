#pragma once

#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "channel/CKQ70View.h"
#include "doc/CKQ70Doc.h"
#include "doc/DocumentObserver.h"
#include "frame/ChannelViewBinding.h"
#include "support/MemoryGrid.h"
#include "support/ScriptedChoosers.h"
#include "support/ScriptedPrompt.h"

#include <vector>

namespace kq70::test {

// Every announcement a document makes while it lives.
class DocumentRecorder : public DocumentObserver {
public:
    explicit DocumentRecorder(CKQ70Doc& doc) : m_doc(doc) { m_doc.AddObserver(*this); }
    ~DocumentRecorder() override { m_doc.RemoveObserver(*this); }
    DocumentRecorder(const DocumentRecorder&) = delete;
    DocumentRecorder& operator=(const DocumentRecorder&) = delete;

    void documentChanged(const DocumentChange& change) override { changes.push_back(change); }

    std::vector<DocumentChange> changes;

private:
    CKQ70Doc& m_doc;
};

// A document with its channel view bound to it, as the main window holds them, in the
// manufacture mode unless told otherwise.
struct BoundView {
    CKQ70Doc doc;
    MemoryGrid grid;
    ScriptedPrompt prompt;
    ScriptedChoosers choosers;
    AppSettings settings;
    AccessMode mode{ACCESS_MANUFACTURE};
    CKQ70View view{grid, prompt, choosers, mode, settings};
    ChannelViewBinding binding{doc, view};

    explicit BoundView(const RadioImage& image) {
        doc.GetMainMemory() = image;
        binding.documentChanged();
    }
    EditSteps& steps() { return binding.editSteps(); }
    void at(int row, int column) {
        grid.setRow(row);
        grid.setColumn(column);
    }
};

} // namespace kq70::test
