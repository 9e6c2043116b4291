#include "CliChannelView.h"

#include "app/AppSettings.h"
#include "app/ProgramFolder.h"
#include "image/RadioImage.h"
#include "platform/IniFile.h"

#include <memory>
#include <ostream>

namespace kq70 {

namespace {

AppSettings loadedSettings(const std::string& programFolder) {
    AppSettings settings;
    settings.load(IniFile(joinPath(programFolder, SETTINGS_FILE_NAME)));
    return settings;
}

std::size_t differingBytes(const RadioImage& a, const RadioImage& b) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < IMAGE_SIZE; ++i) {
        count += a.byteAt(i) != b.byteAt(i) ? 1 : 0;
    }
    return count;
}

} // namespace

CliChannelView::CliChannelView(UserPrompt& prompt, const AccessMode& accessMode,
                               const std::string& programFolder)
    : m_settings(loadedSettings(programFolder)),
      m_view(m_grid, prompt, m_choosers, accessMode, m_settings) {}

std::size_t CliChannelView::show(RadioImage& image) {
    const auto asRead = std::make_unique<RadioImage>(image);
    m_view.OnUpdate(image);
    return differingBytes(image, *asRead);
}

void CliChannelView::reportChanges(std::ostream& err, const std::string& path,
                                   std::size_t changed) {
    if (changed != 0) {
        err << "kq70-cli: showing " << path << " in the channel view changes " << changed
            << " byte(s) of its image (the program would mark it modified); nothing was "
               "written\n";
    }
}

} // namespace kq70
