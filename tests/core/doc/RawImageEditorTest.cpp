#include "doc/RawImageEditor.h"
#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "support/MemoryGrid.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::MemoryGrid;

RadioImage sampleImage() {
    RadioImage image;
    for (std::size_t i = 0; i < IMAGE_SIZE; ++i) {
        image.setByte(i, static_cast<std::uint8_t>(i * 13));
    }
    return image;
}

// An editor of `image` in `mode` with its grid filled.
struct FilledEditor {
    FilledEditor(const RadioImage& image, int mode) : editor(image, mode, grid) {
        editor.fillGrid();
    }
    MemoryGrid grid;
    RawImageEditor editor;
};

TEST(RawImageEditorTest, DumpSizeAndLabelsByMode) {
    struct Case {
        int mode;
        int dataRows;
        const char* lastLabel;
    };
    const Case cases[] = {{ACCESS_MANUFACTURE, 675, "0F820h"}, {ACCESS_NORMAL, 672, "0F7F0h"}};
    for (const Case& c : cases) {
        FilledEditor e(sampleImage(), c.mode);
        EXPECT_EQ(e.grid.rowCount(), 1 + c.dataRows) << c.mode;
        EXPECT_EQ(e.grid.textMatrix(c.dataRows, 0), c.lastLabel) << c.mode;
    }
    struct Label {
        int dataRow;
        const char* text;
    };
    const Label labels[] = {{0, "00000h"}, {1, ""},        {2, "00010h"}, {30, "000F0h"},
                            {31, ""},      {32, "0D000h"}, {33, "0D010h"}};
    for (const Label& l : labels) {
        EXPECT_EQ(RawImageEditor::rowLabel(l.dataRow), l.text) << l.dataRow;
    }
}

TEST(RawImageEditorTest, CellsShowTheBytesAndTheLastRowStopsAtTheImage) {
    FilledEditor e(sampleImage(), ACCESS_MANUFACTURE);
    EXPECT_EQ(e.grid.textMatrix(0, 1), "00");
    EXPECT_EQ(e.grid.textMatrix(0, 16), "0F");
    EXPECT_EQ(e.grid.textMatrix(1, 3), "1A");   // byte 2 = 26
    EXPECT_EQ(e.grid.textMatrix(675, 3), "BA"); // byte 0x2A22: 10786 * 13 mod 256
    EXPECT_EQ(e.grid.textMatrix(675, 4), "") << "no byte beyond the image";
    EXPECT_FALSE(e.grid.typeInto(e.editor, 675, 4, "12"))
        << "cells beyond the image are not edited";
    EXPECT_TRUE(e.editor.copy() == sampleImage());
}

TEST(RawImageEditorTest, NormalModeShowsButNeverEdits) {
    FilledEditor e(sampleImage(), ACCESS_NORMAL);
    EXPECT_FALSE(e.grid.typeInto(e.editor, 1, 1, "AB"));
    EXPECT_FALSE(e.editor.validateEdit(1, 1, "AB")) << "not even by a direct validation";
    EXPECT_TRUE(e.editor.copy() == sampleImage());
}

TEST(RawImageEditorTest, EditsTakeTwoHexDigitsAndDropEverythingElse) {
    struct Case {
        const char* typed;
        bool accepted;
        std::uint8_t byte;
        const char* shown;
    };
    const Case cases[] = {
        {"ab", true, 0xAB, "AB"},   {"7", true, 0x07, "07"}, {"g5z", true, 0x05, "05"},
        {"1234", true, 0x12, "12"}, {"", false, 0x1A, "1A"}, {"xyz", false, 0x1A, "1A"},
        {"-1", true, 0x01, "01"},
    };
    for (const Case& c : cases) {
        FilledEditor e(sampleImage(), ACCESS_E_MODE);
        EXPECT_EQ(e.grid.typeInto(e.editor, 1, 3, c.typed), c.accepted) << c.typed;
        EXPECT_EQ(e.editor.copy().byteAt(2), c.byte) << c.typed;
        EXPECT_EQ(e.grid.textMatrix(1, 3), c.shown) << c.typed;
        EXPECT_EQ(e.grid.editMaxLength(), 2);
    }
    MemoryGrid grid;
    RawImageEditor editor(sampleImage(), ACCESS_ADJUSTMENT, grid);
    EXPECT_FALSE(editor.validateEdit(1, 1, "123")) << "three digits never reach a byte";
    EXPECT_EQ(editor.keyPressEdit(1, 1, 8), 8);
    EXPECT_EQ(editor.keyPressEdit(1, 1, ' '), 0);
    EXPECT_EQ(editor.keyPressEdit(1, 1, 0xE9), 0);
}

TEST(RawImageEditorTest, OkSetsModifiedAndTheWord1FlagOnlyForBytes2And3) {
    struct Case {
        int row;
        int column;
        bool word1;
    };
    const Case cases[] = {{1, 3, true}, {1, 4, true}, {1, 2, false}, {1, 5, false}, {40, 8, false}};
    for (const Case& c : cases) {
        CKQ70Doc doc;
        doc.GetMainMemory() = sampleImage();
        FilledEditor e(doc.GetMainMemory(), ACCESS_MANUFACTURE);
        ASSERT_TRUE(e.grid.typeInto(e.editor, c.row, c.column, "FF"));
        e.editor.applyTo(doc);
        EXPECT_TRUE(doc.GetDataModified());
        EXPECT_EQ(doc.GetWord1Edited(), c.word1) << c.row << "," << c.column;
        EXPECT_TRUE(doc.GetMainMemory() == e.editor.copy());
    }
}

} // namespace
} // namespace kq70
