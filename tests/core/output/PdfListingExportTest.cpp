#include "output/PdfListingExport.h"

#include "doc/CKQ70Doc.h"
#include "support/CliRun.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

namespace kq70 {
namespace {

using test::filesIn;
using test::ScriptedPrompt;
using test::TempFolder;

const std::vector<std::uint8_t> PDF_BYTES{'%', 'P', 'D', 'F', '-', '1', '.', '4', '\n'};

TEST(PdfListingExportTest, SuggestedPathIsTheDataFileWithPdfExtension) {
    struct Case {
        std::string documentPath;
        std::string suggested;
    };
    const Case cases[] = {
        {NO_FILE_MARKER, ""},
        {"/home/dealer/radio.K70", "/home/dealer/radio.pdf"},
        {"/home/dealer/v1.2/radio", "/home/dealer/v1.2/radio.pdf"},
        {"/home/dealer/.hidden", "/home/dealer/.hidden.pdf"},
        {"radio.k70", "radio.pdf"},
    };
    for (const Case& c : cases) {
        CKQ70Doc doc;
        doc.SetCurrentFilePath(c.documentPath);
        EXPECT_EQ(PdfListingExport::suggestedPath(doc), c.suggested) << c.documentPath;
    }
}

TEST(PdfListingExportTest, WrittenFileHoldsTheDrawnBytesAndCancelDrawsNothing) {
    TempFolder folder;
    CKQ70Doc doc;
    doc.SetCurrentFilePath(folder.file("radio.k70"));
    int drawn = 0;
    auto render = [&drawn] {
        ++drawn;
        return PDF_BYTES;
    };

    ScriptedPrompt cancelled;
    cancelled.expectSaveFile(std::nullopt);
    EXPECT_EQ(PdfListingExport(cancelled, render).run(doc), PdfListingExport::Result::Cancelled);
    EXPECT_EQ(drawn, 0);
    EXPECT_TRUE(filesIn(folder.path()).empty());

    const std::string target = folder.file("listing.pdf");
    TempFolder::writeText(target, "older listing");
    ScriptedPrompt chosen;
    chosen.expectSaveFile(target);
    EXPECT_EQ(PdfListingExport(chosen, render).run(doc), PdfListingExport::Result::Written);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(TempFolder::readBytes(target), PDF_BYTES);
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"listing.pdf"});
}

TEST(PdfListingExportTest, FailuresSayWhyAndLeaveNoFileBehind) {
    TempFolder folder;
    const std::string kept = folder.file("kept.pdf");
    TempFolder::writeText(kept, "older listing");
    const std::string opening = "Problem opening file\r\n";
    const std::string writing = "Problem writing to file";
    auto failingWrite = [](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    struct Case {
        const char* name;
        std::string path;
        std::vector<std::uint8_t> drawn;
        FileWriteHooks hooks;
        std::string message;
    };
    const Case cases[] = {
        {"missing folder", folder.file("gone/radio.pdf"), PDF_BYTES, {}, opening},
        {"path is a folder", folder.path(), PDF_BYTES, {}, opening},
        {"listing not drawn", kept, {}, {}, writing},
        {"disk full", kept, PDF_BYTES, {failingWrite, {}}, writing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        prompt.expectMessage(c.message == opening ? opening + c.path : c.message, MessageAnswer::Ok,
                             MessageIcon::Stop);
        PdfListingExport pdf(prompt, [&c] { return c.drawn; });
        pdf.setWriteHooks(c.hooks);
        EXPECT_EQ(pdf.writeTo(c.path), PdfListingExport::Result::Failed);
        EXPECT_EQ(TempFolder::readText(kept), "older listing");
        EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"kept.pdf"});
    }
}

} // namespace
} // namespace kq70
