// Writes the built-in default images that the program embeds:
//   kq70-imagegen OUTPUT_FOLDER
// produces default_vhf.k70 and default_uhf.k70 from the factory image code. Run it after
// changing that code and commit the two files; a test checks they match.
#include "factory/FactoryImages.h"

#include <cstdio>
#include <string>

namespace {

bool writeImage(const std::string& path, const kq70::RadioImage& image) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(image.data(), 1, kq70::IMAGE_SIZE, out) == kq70::IMAGE_SIZE;
    return std::fclose(out) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kq70-imagegen OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!writeImage(folder + "/default_vhf.k70", kq70::makeVhfFactoryImage()) ||
        !writeImage(folder + "/default_uhf.k70", kq70::makeUhfFactoryImage())) {
        std::fprintf(stderr, "kq70-imagegen: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
