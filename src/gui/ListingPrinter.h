#pragma once

#include <QByteArray>
#include <QFont>

#include <string>
#include <utility>
#include <vector>

class QPageLayout;
class QPagedPaintDevice;
class QPrinter;

namespace kq70 {

// Draws the pages of the listing, as the core lays them out, on a printer, a preview or a
// PDF: one line of fixed-pitch text a line apart, from the page's top-left paintable corner.
class ListingPrinter {
public:
    explicit ListingPrinter(std::vector<std::vector<std::string>> pages);

    int pageCount() const { return static_cast<int>(m_pages.size()); }

    // Draws pages `first` to `last` (0-based, both included) on `device`. False when the
    // device cannot be painted on or fails to finish the job.
    bool print(QPagedPaintDevice& device, int first, int last) const;
    // Draws what the printer's settings ask for: every page, or the chosen range.
    bool print(QPrinter& printer) const;
    // Pages `first` to `last` as a PDF document; empty when it could not be made.
    QByteArray pdf(const QPageLayout& layout, int resolution, int first, int last) const;
    // The pages (0-based, both included) the printer's settings ask for.
    std::pair<int, int> chosenPages(const QPrinter& printer) const;

    // "Courier New" where it is installed, else the system's fixed-pitch font.
    static QFont listingFont(int pixelHeight);

private:
    std::vector<std::vector<std::string>> m_pages;
};

} // namespace kq70
