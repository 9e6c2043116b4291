#pragma once
// A program folder and a folder of files for the tests that run kq70-cli's entry point.
#include "image/RadioImage.h"
#include "support/CliRun.h"
#include "support/DataFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kq70::test {

using Args = std::vector<std::string>;

// `args` with the manufacture mode and its password added.
inline Args inManufactureMode(Args args) {
    args.insert(args.end(), {"--mode", "1", "--mode-password", "Quiet Harbours"});
    return args;
}

class CliFixture : public ::testing::Test {
protected:
    // kq70-cli with `home` as its program folder.
    CliRun run(Args args, const std::string& input = {}, bool interactive = false) const {
        return runCliWith(std::move(args), home.path(), input, interactive);
    }

    // `image` written as the data file `name` among the files; its path.
    std::string dataFile(const std::string& name, const RadioImage& image) const {
        return writeDataFile(files.file(name), image);
    }

    TempFolder home;
    TempFolder files;
};

} // namespace kq70::test
