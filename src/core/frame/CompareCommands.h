#pragma once

#include "output/ImageComparison.h"

#include <optional>
#include <string>
#include <vector>

namespace kq70 {

class AccessMode;
class CKQ70Doc;
class DocumentListener;
class RadioCommands;
class UserPrompt;

// One section of a comparison as the result window shows it: the radio's identity, a page,
// the groups or the channels.
struct ComparisonTable {
    std::string title;
    std::vector<ComparisonEntry> rows;
};

// What a comparison shows: the document (A) against another data file or the radio (B).
struct ComparisonResult {
    std::string nameA;
    std::string nameB;
    ImageComparison comparison;
    // What the comparison covered when that is not the whole image; empty otherwise.
    std::string scope;
};

// File > Compare With... and Radio > Compare With Radio: the document compared by what the
// pages and the grid show, with another data file or with the data the radio holds now.
// Neither changes the document: the other side is read into a scratch image.
class CompareCommands {
public:
    // `view` commits the channel view's edits, which are part of the document.
    CompareCommands(CKQ70Doc& doc, const AccessMode& accessMode, UserPrompt& prompt,
                    DocumentListener& view);

    // Asks for a data file; nothing when the choice was cancelled or the file could not be
    // read (the user was told why).
    std::optional<ComparisonResult> OnFileCompare();
    std::optional<ComparisonResult> CompareWithFile(const std::string& path);
    // Reads the radio as an Upload would and compares only what it read; nothing when the
    // read failed (the job said why).
    std::optional<ComparisonResult> OnRadioCompare(RadioCommands& radio);

    // The entries by section, in the order the comparison found them.
    static std::vector<ComparisonTable> Tables(const ImageComparison& comparison);
    // "3 values differ. 2 bytes differ that no editor shows." or that both are the same.
    static std::string Summary(const ImageComparison& comparison);

private:
    ComparisonResult Compare(const RadioImage& other, std::string otherName) const;

    CKQ70Doc& m_doc;
    const AccessMode& m_accessMode;
    UserPrompt& m_prompt;
    DocumentListener& m_view;
};

} // namespace kq70
