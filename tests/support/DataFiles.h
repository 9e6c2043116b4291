#pragma once

// Data files and program output as the command line and process tests handle them.

#include "doc/DataFile.h"
#include "image/RadioImage.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kq70::test {

inline bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// Writes `image` as the data file `path` and gives the path back.
inline std::string writeDataFile(const std::string& path, const RadioImage& image) {
    ScriptedPrompt quiet;
    EXPECT_TRUE(WriteDataFile(path, image, quiet)) << path;
    return path;
}

// The image the data file `path` holds; a file that cannot be read fails the test.
inline RadioImage readDataFile(const std::string& path) {
    ScriptedPrompt quiet;
    RadioImage image;
    EXPECT_TRUE(ReadDataFile(path, image, quiet)) << path;
    return image;
}

} // namespace kq70::test
