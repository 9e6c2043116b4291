// File > Print, Print Preview, Export Listing as PDF and Export to CSV, driven through the
// window's commands and their real dialogs.
#include "ChannelViewWidget.h"
#include "GuiTestSupport.h"
#include "channel/HChannelData.h"
#include "output/ListingPages.h"
#include "params/HHardwareParams.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QtTest>

using namespace kq70;

namespace {

constexpr int LISTED_CHANNELS = 65;

// Radio Channel 6, one group holding the first `channels` channels, all in use.
void allotChannels(CKQ70Doc& doc, int channels) {
    test::setHardwareValue(doc.GetMainMemory(), HW_RADIO_CHANNEL, 6);
    HChannelData data;
    data.extract(doc.GetMainMemory());
    data.groups().setCount(0, channels);
    for (int channel = 0; channel < CHANNEL_COUNT; ++channel) {
        data.setValue(channel, inUse, channel < channels ? 1 : 0);
    }
    data.store(doc.GetMainMemory());
}

// A started window over 65 channels in use, shown in the grid as after File > Open.
struct ListingFrame : StartedFrame {
    ListingFrame() {
        allotChannels(doc, LISTED_CHANNELS);
        window.channelView().reload();
    }
};

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree above them).
int pdfPageCount(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

int corePageCount(Frame& frame) {
    return ListingPages(frame.doc, frame.access.value(), frame.doc.GetCurrentFilePath(),
                        frame.prompt)
        .pageCount();
}

// Answers the next print dialog: the file printer, `path`, pages `from` to `to` (0: all).
void answerPrintToFile(const QString& path, int* offered = nullptr, int from = 0, int to = 0) {
    whenModal([path, offered, from, to](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        QVERIFY(dialog != nullptr);
        if (offered != nullptr) {
            *offered = dialog->maxPage();
        }
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        QVERIFY(printers != nullptr);
        printers->setCurrentIndex(printers->count() - 1); // "Print to File (PDF)"
        dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(path);
        if (from != 0) {
            dialog->findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
            dialog->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(from);
            dialog->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(to);
        }
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

// The preview's own Print button.
QAction* printActionOf(QPrintPreviewDialog& dialog) {
    for (QAction* act : dialog.findChildren<QAction*>()) {
        if (act->text().remove(QLatin1Char('&')).startsWith(QStringLiteral("Print"))) {
            return act;
        }
    }
    return nullptr;
}

} // namespace

class ListingOutputTest : public QObject {
    Q_OBJECT

private slots:
    void pdfExportAndPrintToAFileWriteTheCoresPages() {
        ListingFrame frame;
        const int pages = corePageCount(frame);
        const QString exported = frame.home.filePath(QStringLiteral("listing.pdf"));
        answerFile(exported);
        frame.window.runCommand(ID_FILE_EXPORT_PDF);
        const QByteArray pdf = fileBytes(exported);
        QVERIFY2(pdf.startsWith("%PDF-"), qPrintable(exported));
        QCOMPARE(pdfPageCount(pdf), pages);
        QCOMPARE(QDir(frame.home.path())
                     .entryList(QDir::Files | QDir::Hidden)
                     .filter(QStringLiteral("listing")),
                 QStringList{QStringLiteral("listing.pdf")});

        struct Case {
            const char* file;
            int from; // 0: every page
            int to;
            int printed;
        };
        for (const Case& c : {Case{"all.pdf", 0, 0, pages}, Case{"range.pdf", 2, 3, 2},
                              Case{"last.pdf", pages, pages, 1}}) {
            const QString path = frame.home.filePath(QString::fromLatin1(c.file));
            int offered = 0;
            answerPrintToFile(path, &offered, c.from, c.to);
            frame.window.runCommand(ID_FILE_PRINT);
            QCOMPARE(offered, pages);
            QCOMPARE(pdfPageCount(fileBytes(path)), c.printed);
        }
    }

    // The preview shows the listing's pages, the program will not close under it, and its Print
    // writes every page.
    void previewShowsEveryPageAndPrintsThem() {
        ListingFrame frame;
        frame.window.show();
        const QString path = frame.home.filePath(QStringLiteral("previewed.pdf"));
        int shown = -1;
        QString refusal;
        whenModal([&frame, &path, &shown, &refusal](QWidget* modal) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(modal);
            QVERIFY(dialog != nullptr);
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            QVERIFY(preview != nullptr);
            shown = preview->pageCount();
            dialog->resize(900, 700);
            shoot(*dialog, QStringLiteral("print-preview"));
            preview->setCurrentPage(2);
            shoot(*dialog, QStringLiteral("print-preview-channels"));
            answerMessage(QMessageBox::Ok, &refusal);
            QVERIFY(!frame.window.close());
            answerPrintToFile(path);
            printActionOf(*dialog)->trigger();
        });
        frame.window.runCommand(ID_FILE_PRINT_PREVIEW);
        QCOMPARE(shown, corePageCount(frame));
        QCOMPARE(refusal.toStdString(), std::string(text::CLOSE_WHILE_PRINTING));
        QVERIFY(frame.window.isVisible());
        QCOMPARE(pdfPageCount(fileBytes(path)), shown);
    }

    void printFromThePreviewToAnUnwritablePlaceSaysSo() {
        ListingFrame frame;
        const QString path = QStringLiteral("/sys/kq70-previewed.pdf");
        Driver driver;
        whenModal([&path](QWidget* modal) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(modal);
            QVERIFY(dialog != nullptr);
            answerPrintToFile(path);
            printActionOf(*dialog)->trigger();
        });
        frame.window.runCommand(ID_FILE_PRINT_PREVIEW);
        QCOMPARE(driver.texts.size(), 1);
        QVERIFY(driver.texts.first().startsWith(QStringLiteral("Problem opening file")));
        QVERIFY(!QFileInfo::exists(path));
    }

    // Which failures are reported, and that they leave no file, is the exports' own test; the
    // window's box shows the table's CR LF as one line break.
    void aFailedExportSaysWhyInOneBox() {
        StartedFrame frame;
        // Nobody, not even the superuser, may make files here.
        const QString path = QStringLiteral("/sys/kq70-listing.pdf");
        QString seen;
        answerFile(path);
        answerMessage(QMessageBox::Ok, &seen);
        frame.window.runCommand(ID_FILE_EXPORT_PDF);
        const std::string expected =
            substitute1(Strings::get(IDS_PROBLEM_OPENING_FILE_FOR_WRITING), path.toStdString());
        QCOMPARE(seen, QString::fromStdString(expected).remove(QLatin1Char('\r')));
    }

    void printSetupChoosesThePrinterTheStripNames() {
        StartedFrame frame;
        const QStringList installed = QPrinterInfo::availablePrinterNames();
        frame.window.setPrinterName(QPrinterInfo::defaultPrinterName().toStdString());
        QString offered;
        bool enabled = true;
        whenModal([&offered, &enabled](QWidget* modal) {
            auto* printers = modal->findChild<QComboBox*>(QStringLiteral("printers"));
            auto* paper = modal->findChild<QComboBox*>(QStringLiteral("paper"));
            QVERIFY(printers != nullptr && paper != nullptr);
            printers->setCurrentIndex(printers->count() - 1);
            offered = printers->currentText();
            enabled = printers->isEnabled();
            paper->setCurrentIndex(paper->findData(static_cast<int>(QPageSize::Legal)));
            shoot(*modal, QStringLiteral("print-setup"));
            QTest::keyClick(modal, Qt::Key_Return);
        });
        frame.window.runCommand(ID_FILE_PRINT_SETUP);
        const QString strip = frame.window.channelView().stripText();
        if (installed.isEmpty()) {
            // Nothing to choose: the dialog says so and the strip names no printer.
            QCOMPARE(enabled, false);
            QCOMPARE(offered.toStdString(), std::string(text::PRINT_SETUP_NO_PRINTER));
            QVERIFY(!strip.contains(offered));
        } else {
            QVERIFY(enabled);
            QVERIFY(strip.contains(offered));
        }

        // The paper chosen there is the PDF's too (Legal: 8.5 by 14 inches).
        const QString path = frame.home.filePath(QStringLiteral("legal.pdf"));
        answerFile(path);
        frame.window.runCommand(ID_FILE_EXPORT_PDF);
        const QByteArray pdf = fileBytes(path);
        const auto box = pdf.indexOf("/MediaBox");
        QVERIFY2(pdf.contains("/MediaBox [0 0 612.000000 1008.000000]"),
                 pdf.mid(box, 40).constData());
    }
};

KQ70_GUI_TEST(ListingOutputTest);
#include "ListingOutputTest.moc"
