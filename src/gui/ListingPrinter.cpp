#include "ListingPrinter.h"

#include "output/ListingPrintLayout.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

namespace kq70 {

namespace {

constexpr auto LISTING_FONT_FAMILY = "Courier New";

ListingPrintLayout::TextMetrics printerTextMetrics(QPaintDevice& device) {
    // The device's own default font, measured at the device's resolution.
    const QFontMetrics metrics(QFont(), &device);
    return {metrics.height(), metrics.leading(), metrics.averageCharWidth()};
}

} // namespace

ListingPrinter::ListingPrinter(std::vector<std::vector<std::string>> pages)
    : m_pages(std::move(pages)) {}

QFont ListingPrinter::listingFont(int pixelHeight) {
    QFont font = QFontDatabase::hasFamily(QString::fromLatin1(LISTING_FONT_FAMILY))
                     ? QFont(QString::fromLatin1(LISTING_FONT_FAMILY))
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setWeight(QFont::Normal);
    font.setPixelSize(pixelHeight);
    return font;
}

bool ListingPrinter::print(QPagedPaintDevice& device, int first, int last) const {
    first = std::max(first, 0);
    last = std::min(last, pageCount() - 1);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const ListingPrintLayout layout(printerTextMetrics(device));
    const QFont font = listingFont(layout.fontHeight());
    painter.setFont(font);
    const QFontMetrics metrics(font, &device);
    const int textWidth =
        metrics.horizontalAdvance(QLatin1Char('0')) * ListingPrintLayout::longestLine(m_pages);
    const double scale = layout.scaleToFit(device.width(), device.height(),
                                           ListingPrintLayout::mostLines(m_pages), textWidth);
    painter.scale(scale, scale);
    for (int n = first; n <= last; ++n) {
        if (n != first && !device.newPage()) {
            painter.end();
            return false;
        }
        const std::vector<std::string>& lines = m_pages[static_cast<std::size_t>(n)];
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int top = layout.lineTop(static_cast<int>(i));
            painter.drawText(QPoint(layout.leftMargin(), top + metrics.ascent()),
                             QString::fromStdString(lines[i]));
        }
    }
    return painter.end();
}

std::pair<int, int> ListingPrinter::chosenPages(const QPrinter& printer) const {
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        const int first = printer.fromPage() - 1;
        return {first, std::max(first, printer.toPage() - 1)};
    }
    return {0, pageCount() - 1};
}

bool ListingPrinter::print(QPrinter& printer) const {
    const auto [first, last] = chosenPages(printer);
    return print(printer, first, last);
}

QByteArray ListingPrinter::pdf(const QPageLayout& layout, int resolution, int first,
                               int last) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return {};
    }
    QPdfWriter writer(&buffer);
    writer.setPageLayout(layout);
    writer.setResolution(resolution);
    writer.setCreator(QStringLiteral("KQ70"));
    if (!print(writer, first, last)) {
        return {};
    }
    buffer.close();
    return bytes;
}

} // namespace kq70
