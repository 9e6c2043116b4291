// The desktop windows driven as a user would: keys, clicks and real dialogs, offscreen.
#include "ConfigureDialog.h"
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "HelpWindow.h"
#include "InstanceChannel.h"
#include "ParameterPageDialog.h"
#include "RawImageDialog.h"
#include "app/CKQ70App.h"
#include "app/SingleInstanceLock.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "frame/CommonCommands.h"
#include "log/HLogPrint.h"
#include "pages/HDialog.h"
#include "pages/HMiscDialog.h"
#include "params/HHardwareParams.h"
#include "params/HMiscParams.h"
#include "support/BuiltPrograms.h"
#include "ui/Strings.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace kq70;

class GuiTest : public QObject {
    Q_OBJECT

private slots:
    void everyPageOpenedAndAcceptedLeavesTheImageByteIdentical() {
        const int pages[] = {ID_COMMON_HARDWARE,     ID_COMMON_SCANNING,  ID_COMMON_POWER_SAVING,
                             ID_COMMON_KEY_FUNCTION, ID_COMMON_MARKETING, ID_COMMON_MISCELLANEOUS,
                             ID_COMMON_DIRECT_CH};
        for (int mode : {ACCESS_NORMAL, ACCESS_MANUFACTURE}) {
            for (int id : pages) {
                CKQ70Doc doc;
                BuildDefaultImage(PMR446_BAND, doc.GetMainMemory());
                test::setHardwareValue(doc.GetMainMemory(), HW_RADIO_CHANNEL,
                                       6); // brings the hardware mirror up to date
                const RadioImage before = doc.GetMainMemory();
                QtUserPrompt prompt;
                std::unique_ptr<HDialog> page = CommonCommands::CreatePage(id, doc, mode, prompt);
                QVERIFY2(helpSectionExists(page->GetHelpTopic()), page->GetClassName().c_str());
                ParameterPageDialog dialog(*page,
                                           QString::fromUtf8(CommonCommands::PageTitle(id).data()));
                dialog.show();
                QVERIFY(QTest::qWaitForWindowExposed(&dialog));
                if (mode == ACCESS_MANUFACTURE) {
                    shoot(dialog, QStringLiteral("page-%1").arg(
                                      QString::fromStdString(page->GetClassName())));
                }
                QTest::mouseClick(okButton(dialog), Qt::LeftButton);
                QCOMPARE(dialog.result(), int(QDialog::Accepted));
                QVERIFY2(std::ranges::equal(doc.GetMainMemory().bytes(), before.bytes()),
                         qPrintable(QStringLiteral("page %1 in mode %2").arg(id).arg(mode)));
            }
        }
    }

    void keyboardEditInAPageReachesTheImageAndEnterDoesNotClose() {
        CKQ70Doc doc;
        BuildDefaultImage(PMR446_BAND, doc.GetMainMemory());
        HMiscDialog page(doc.GetMainMemory(), ACCESS_NORMAL);
        ParameterPageDialog dialog(page, QStringLiteral("Miscellaneous"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        auto* option = qobject_cast<QComboBox*>(
            dialog.controlWidget(HMiscDialog::FIRST_CONTROL_ID + HMiscParams::OPTION_UNIT));
        QVERIFY(option != nullptr);
        option->setFocus();
        QTest::keyClick(option, Qt::Key_Down);
        QTest::keyClick(option, Qt::Key_Return);
        QVERIFY(dialog.isVisible()); // Enter on a field is swallowed

        // The prompt line follows the focus.
        QWidget* power =
            dialog.controlWidget(HMiscDialog::FIRST_CONTROL_ID + HMiscParams::POWER_ON_CONDITION);
        power->setFocus();
        QCOMPARE(dialog.promptText(), qt(text::PROMPT_POWER_ON_CONDITION));

        auto* split = qobject_cast<QLineEdit*>(
            dialog.controlWidget(HMiscDialog::FIRST_CONTROL_ID + HMiscParams::DEFAULT_SPLIT));
        QVERIFY(split != nullptr);
        split->setFocus();
        split->selectAll();
        QTest::keyClicks(split, QStringLiteral("x5.0"));
        QCOMPARE(split->text(), QStringLiteral("5.0")); // the filter dropped the letter
        QTest::keyClick(split, Qt::Key_Return);
        QVERIFY(dialog.isVisible());

        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
        QCOMPARE(HMiscParams::optionUnitOf(doc.GetMainMemory()),
                 HMiscParams::OPTION_UNIT_ENCRYPTION);
        HMiscParams misc;
        misc.extract(doc.GetMainMemory());
        QCOMPARE(misc.get(HMiscParams::DEFAULT_SPLIT), 5000000);
    }

    // Cancel keeping the window is the document gate's close case.
    void closingWritesTheSettingsAndAsksToSaveFirst() {
        StartedFrame frame;
        frame.window.show();
        frame.window.resize(900, 640);
        frame.doc.SetDataModified(true);
        answerMessage(QMessageBox::No);
        QVERIFY(frame.window.close());
        IniFile written(frame.settingsFile.path());
        QCOMPARE(written.readInt("Initialize", "CX", 0), 900);
    }

    void secondStartRaisesTheFirstWindow() {
        QTemporaryDir home;
        SingleInstanceLock lock(home.filePath(QStringLiteral("kq70.lock")).toStdString());
        QVERIFY(lock.acquired());
        QStringList knocks;
        InstanceChannel channel(home.path(), [&knocks](const QString& file) { knocks << file; });
        QVERIFY(channel.listening());

        // A file named relative to the second start's folder reaches the first as a whole path,
        // blanks and all; a mode switch hands over no file.
        const QString file = home.filePath(QStringLiteral("my radio #1.K70"));
        const struct {
            QStringList arguments;
            QString handed;
        } starts[] = {{{}, QString()},
                      {{QStringLiteral("my radio #1.K70")}, file},
                      {{QStringLiteral("-manu")}, QString()}};
        for (const auto& start : starts) {
            knocks.clear();
            QProcess second;
            second.setWorkingDirectory(home.path());
            second.start(QString::fromStdString(kq70::test::guiProgram()),
                         QStringList{QStringLiteral("--home"), home.path()} + start.arguments);
            QVERIFY(second.waitForStarted());
            QTRY_COMPARE_WITH_TIMEOUT(knocks.size(), 1, 20000);
            QCOMPARE(knocks.first(), start.handed);
            QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
            QCOMPARE(second.exitCode(), 0);
        }
    }

    void handedFileOpensOnceTheDialogIsClosed() {
        StartedFrame frame;
        frame.window.show();
        const QString file = frame.home.filePath(QStringLiteral("handed.k70"));
        QVERIFY(WriteDataFile(file.toStdString(), frame.doc.GetMainMemory(), frame.prompt));

        // While a dialog is open the file waits; it opens when the dialog is gone.
        QDialog dialog(&frame.window);
        dialog.setModal(true);
        dialog.show();
        frame.window.raiseFromOtherInstance(file.toStdString());
        QTest::qWait(400);
        QVERIFY(frame.doc.GetCurrentFilePath() != file.toStdString());
        dialog.close();
        QTRY_COMPARE(QString::fromStdString(frame.doc.GetCurrentFilePath()), file);
    }

    // What the port list offers and which port is kept are the configure choices' own rules; the
    // dialog stores what is chosen on OK (Cancel is the verify choice's test).
    void configureOffersTheSimulatedRadioWithoutPorts() {
        QTemporaryDir noPorts;
        AppSettings settings;
        ConfigureDialog dialog(settings, nullptr, noPorts.path().toStdString(),
                               noPorts.path().toStdString());
        QCOMPARE(dialog.ports().currentText(), QStringLiteral("Simulated radio"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        shoot(dialog, QStringLiteral("configure"));
        dialog.baudRates().setCurrentIndex(2);
        dialog.accept();
        QCOMPARE(settings.portName, std::string("simulated"));
        QCOMPARE(settings.baudRate, 38400);
    }

    void qtFiltersAndExtensions() {
        QCOMPARE(QtUserPrompt::qtFilter("KQ70 Files(*.K70)|*.K70||"),
                 QStringLiteral("KQ70 Files (*.K70 *.k70)"));
        QCOMPARE(QtUserPrompt::withDefaultExtension(QStringLiteral("/tmp/a"), "K70"),
                 QStringLiteral("/tmp/a.K70"));
        QCOMPARE(QtUserPrompt::withDefaultExtension(QStringLiteral("/tmp/a.k70"), "K70"),
                 QStringLiteral("/tmp/a.k70"));
        // A topic's page and section are found by every help test; an unknown one falls back.
        QCOMPARE(HelpWindow::pageOfTopic(QStringLiteral("no-such-topic")),
                 QStringLiteral("index.html"));
    }

    void rawEditorRowLabelsAreWhole() {
        StartedFrame frame(ACCESS_MANUFACTURE);
        RawImageDialog raw(frame.doc, ACCESS_MANUFACTURE);
        raw.show();
        QVERIFY(QTest::qWaitForWindowExposed(&raw));
        QHeaderView* rows =
            raw.findChild<FlexGridWidget*>(QStringLiteral("rawGrid"))->verticalHeader();
        QVERIFY(rows->width() >=
                QFontMetrics(rows->font()).horizontalAdvance(QStringLiteral("0D000h")) + 7);
        shoot(raw, QStringLiteral("raw-editor"));
    }

    // Which word opens which mode, and the warning after it, are the passwords' own test.
    void startUpAsksThePasswordInAHiddenEntry() {
        QTemporaryDir home;
        QtUserPrompt prompt;
        HLogPrint log;
        CKQ70App app(home.path().toStdString(), log, prompt);
        QString passwordTitle;
        whenModal([&passwordTitle](QWidget* modal) {
            passwordTitle = modal->windowTitle();
            auto* edit = modal->findChild<QLineEdit*>();
            QVERIFY(edit != nullptr);
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            QTest::keyClicks(edit, QStringLiteral("Quiet Harbours"));
            QTest::keyClick(edit, Qt::Key_Return);
            answerMessage(QMessageBox::Ok);
        });
        QCOMPARE(app.InitInstance("/manu"), CKQ70App::StartResult::Started);
        QCOMPARE(passwordTitle, QStringLiteral("Password"));
        QCOMPARE(app.GetAccessMode().value(), int{ACCESS_MANUFACTURE});
    }

    void aboutNamesTheVersionAndTheBuild() {
        StartedFrame frame;
        QString version;
        QString build;
        bool fixedPitch = false;
        bool titleFits = false;
        whenModal([&](QWidget* modal) {
            version = modal->findChild<QLabel*>(QStringLiteral("aboutVersion"))->text();
            const QLabel* second = modal->findChild<QLabel*>(QStringLiteral("aboutBuild"));
            build = second->text();
            fixedPitch = QFontInfo(second->font()).fixedPitch();
            titleFits = modal->width() >=
                        modal->fontMetrics().horizontalAdvance(modal->windowTitle()) + 100;
            shoot(*modal, QStringLiteral("about"));
            QTest::keyClick(modal, Qt::Key_Return);
        });
        frame.window.runCommand(ID_APP_ABOUT);
        QCOMPARE(version, QStringLiteral("KQ70 Ver1.01"));
        QVERIFY(build.startsWith(QStringLiteral("Build ")));
        QVERIFY(fixedPitch);
        QVERIFY(titleFits);
    }
};

KQ70_GUI_TEST(GuiTest);
#include "GuiTest.moc"
