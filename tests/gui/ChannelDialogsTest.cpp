// The channel grid's choosers and the channel allocation window, driven with keys and clicks.
#include "ChannelAllocationWindow.h"
#include "GuiTestSupport.h"
#include "QtChannelChoosers.h"
#include "channel/HChannelData.h"
#include "pages/HChannelAllocationDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <algorithm>

using namespace kq70;

namespace {

using Page = HChannelAllocationDialog;

QListWidget* chooserList(QWidget* dialog) {
    return dialog->findChild<QListWidget*>(QStringLiteral("chooserList"));
}

QString currentText(QWidget* dialog) {
    QListWidget* list = chooserList(dialog);
    return list != nullptr && list->currentItem() != nullptr ? list->currentItem()->text()
                                                             : QString();
}

// Runs `keys` in the next modal window once it is active; a window the keys left open (a
// failed check) is cancelled, so a failure cannot hang the run.
void answerWindow(std::function<void(QWidget*)> keys) {
    whenModal([keys = std::move(keys)](QWidget* window) {
        QPointer<QWidget> open(window);
        if (QTest::qWaitForWindowActive(window)) {
            keys(window);
        } else {
            QTest::qFail("the modal window never became active", __FILE__, __LINE__);
        }
        if (open && open->isVisible()) {
            QMetaObject::invokeMethod(open, "reject", Qt::QueuedConnection);
        }
    });
}

// Keys for the next chooser; the text it opened on is kept in `opened`.
void answerChooser(QString* opened, std::function<void(QWidget*, QListWidget*)> keys) {
    answerWindow([opened, keys = std::move(keys)](QWidget* dialog) {
        QListWidget* list = chooserList(dialog);
        QVERIFY(list != nullptr);
        *opened = currentText(dialog);
        keys(dialog, list);
    });
}

QLineEdit* edit(QWidget* window, int id) {
    return window->findChild<QLineEdit*>(QStringLiteral("control%1").arg(id));
}

// Replaces what a count or tag edit shows by typing, then leaves it with Tab.
void typeInto(QLineEdit* field, const QString& typed) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, typed);
}

void leave(QLineEdit* field) {
    QTest::keyClick(field, Qt::Key_Tab);
    QApplication::processEvents();
}

} // namespace

class ChannelDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void pmrChannelAndSignalNumberChoosersWithKeys() {
        struct Case {
            const char* name;
            std::function<std::optional<int>()> open;
            std::function<void(QWidget*, QListWidget*)> keys;
            QString opensOn;
            std::optional<int> result;
        };
        const auto press = [](std::initializer_list<Qt::Key> pressed) {
            return [keys = std::vector<Qt::Key>(pressed)](QWidget*, QListWidget* list) {
                for (const Qt::Key key : keys) {
                    QTest::keyClick(list, key);
                }
            };
        };
        const Case cases[] = {
            {"pmr down and enter", [this] { return m_choosers.choosePmrChannel(5); },
             [](QWidget* dialog, QListWidget* list) {
                 // The whole title fits beside the window manager's buttons.
                 QFont bold = dialog->font();
                 bold.setBold(true);
                 QVERIFY(dialog->width() >
                         QFontMetrics(bold).horizontalAdvance(dialog->windowTitle()) + 100);
                 shoot(*dialog, QStringLiteral("pmr-channel-chooser"));
                 QTest::keyClick(list, Qt::Key_Down);
                 QTest::keyClick(list, Qt::Key_Return);
             },
             QStringLiteral("CH5 (446.05625)"), 6},
            {"pmr keypad enter", [this] { return m_choosers.choosePmrChannel(1); },
             press({Qt::Key_End, Qt::Key_Enter}), QStringLiteral("CH1 (446.00625)"), 8},
            {"pmr escape", [this] { return m_choosers.choosePmrChannel(2); },
             press({Qt::Key_Down, Qt::Key_Escape}), QStringLiteral("CH2 (446.01875)"),
             std::nullopt},
            {"paging 10 shows 0", [this] { return m_choosers.chooseSignalNumber(2, 10); },
             press({Qt::Key_3, Qt::Key_Return}), QStringLiteral("0"), 3},
        };
        for (const Case& c : cases) {
            QString opened;
            answerChooser(&opened, c.keys);
            const std::optional<int> chosen = c.open();
            QCOMPARE(opened, c.opensOn);
            QVERIFY2(chosen == c.result, c.name);
        }
    }

    void toneChooserSwitchesKindsAndFindsTonesByTyping() {
        using Tone = ChannelChoosers::Tone;
        QString opened;
        // Typing hertz finds a tone (which one is the chooser lists' own test).
        answerChooser(&opened, [](QWidget* dialog, QListWidget* list) {
            shoot(*dialog, QStringLiteral("tone-chooser"));
            QTest::keyClicks(list, QStringLiteral("100"));
            QTest::keyClick(list, Qt::Key_Return);
        });
        std::optional<Tone> tone = m_choosers.chooseTone({ToneKind::Ctcss, 1001});
        QVERIFY(tone.has_value());
        QCOMPARE(int(tone->kind), int(ToneKind::Ctcss));
        QCOMPARE(tone->code, 1000);

        answerChooser(&opened, [](QWidget* dialog, QListWidget* list) {
            auto* ctcss = dialog->findChild<QRadioButton*>(QStringLiteral("ctcssKind"));
            ctcss->setFocus();
            QTest::keyClick(ctcss, Qt::Key_Right);
            QCOMPARE(currentText(dialog), QStringLiteral("No.60   D023"));
            list->setFocus();
            QTest::keyClicks(list, QStringLiteral("754"));
            QTest::keyClick(list, Qt::Key_Return);
        });
        tone = m_choosers.chooseTone({ToneKind::Ctcss, 670});
        QVERIFY(tone.has_value());
        QCOMPARE(int(tone->kind), int(ToneKind::Dcs));
        QCOMPARE(tone->code, 0754);

        // The kinds' mnemonics switch the list too.
        answerChooser(&opened, [](QWidget* dialog, QListWidget* list) {
            // A mnemonic presses its button with a short animation: wait for the click.
            QTest::keyClick(dialog, Qt::Key_D, Qt::AltModifier);
            QTRY_COMPARE(currentText(dialog), QStringLiteral("No.60   D023"));
            QTest::keyClick(dialog, Qt::Key_C, Qt::AltModifier);
            QTRY_COMPARE(currentText(dialog), QStringLiteral("No.12    71.9 Hz"));
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Escape);
        });
        QVERIFY(!m_choosers.chooseTone({ToneKind::Ctcss, 719}).has_value());
        // A DCS code opens the DCS list on it.
        answerChooser(&opened,
                      [](QWidget*, QListWidget* list) { QTest::keyClick(list, Qt::Key_Escape); });
        QVERIFY(!m_choosers.chooseTone({ToneKind::Dcs, 025}).has_value());
        QCOMPARE(opened, QStringLiteral("No.61   D025"));
    }

    void largeAllocationCutsCountsAndCancelKeepsTheImage() {
        RadioImage image = imageWithGroups({10}, 6);
        const RadioImage before = image;
        Page page(image, 1);
        bool checked = false;
        // The count is cut when the field is left; to what is the page's own test.
        answerWindow([&checked](QWidget* window) {
            QLineEdit* first = edit(window, Page::IDC_COUNT);
            typeInto(first, QStringLiteral("300"));
            leave(first);
            QCOMPARE(first->text(), QStringLiteral("255"));
            auto* left = window->findChild<QLabel*>(
                QStringLiteral("control%1").arg(Page::IDC_CHANNELS_LEFT));
            QVERIFY(left != nullptr);
            QCOMPARE(left->text(), QStringLiteral("1 Channels Left"));

            // A group emptied moves the focus on to the next group's count.
            QLineEdit* second = edit(window, Page::IDC_COUNT + 1);
            typeInto(second, QStringLiteral("1"));
            leave(second);
            typeInto(second, QStringLiteral("0"));
            leave(second);
            QTest::qWait(20);
            QCOMPARE(QApplication::focusWidget(), edit(window, Page::IDC_COUNT + 2));

            shoot(*window, QStringLiteral("channel-allocation-large"));
            checked = true;
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QVERIFY(!runChannelAllocationWindow(page, nullptr));
        QVERIFY(checked);
        QVERIFY(std::ranges::equal(image.bytes(), before.bytes()));
    }

    void smallAllocationClosesOnEnterInACount() {
        // 48 channels in the service mode: three rows, counts editable, Enter in a count is OK.
        RadioImage image = imageWithGroups({16, 8, 16}, 5);
        Page page(image, 1);
        answerWindow([](QWidget* window) {
            QLineEdit* second = edit(window, Page::IDC_COUNT + 1);
            typeInto(second, QStringLiteral("40"));
            shoot(*window, QStringLiteral("channel-allocation-small"));
            QTest::keyClick(second, Qt::Key_Return);
        });
        QVERIFY(runChannelAllocationWindow(page, nullptr));
        QCOMPARE(channelsOf(image).groupChannelCount(1), 16); // only what was left

        // 32 channels in the normal mode: two rows, counts fixed, tags still saved.
        RadioImage normal = imageWithGroups({16, 16}, 4);
        Page normalPage(normal, 0);
        answerWindow([](QWidget* window) {
            QVERIFY(!edit(window, Page::IDC_COUNT)->isEnabled());
            QLineEdit* tag = edit(window, Page::IDC_TAG);
            QTest::keyClick(window, Qt::Key_2, Qt::AltModifier); // the group's mnemonic
            QTRY_COMPARE(QApplication::focusWidget(), edit(window, Page::IDC_TAG + 1));
            typeInto(tag, QStringLiteral("base"));
            QTest::keyClick(tag, Qt::Key_Return); // only a count's Enter ends the small page
            QVERIFY(window->isVisible());
            QTest::mouseClick(okButton(*qobject_cast<QDialog*>(window)), Qt::LeftButton);
        });
        QVERIFY(runChannelAllocationWindow(normalPage, nullptr));
        QCOMPARE(QString::fromStdString(channelsOf(normal).groups().tag(0)).trimmed(),
                 QStringLiteral("BASE"));
        QCOMPARE(channelsOf(normal).groupChannelCount(0), 16);
    }

    void enterInATagOrScanChoiceLeavesTheLargeWindowOpen() {
        RadioImage image = imageWithGroups({10, 6}, 6);
        Page page(image, 1);
        answerWindow([](QWidget* window) {
            QLineEdit* tag = edit(window, Page::IDC_TAG);
            typeInto(tag, QStringLiteral("fire"));
            QTest::keyClick(tag, Qt::Key_Return);
            QVERIFY(window->isVisible());
            auto* scan =
                window->findChild<QComboBox*>(QStringLiteral("control%1").arg(Page::IDC_SCAN));
            scan->setFocus();
            QTest::keyClick(scan, Qt::Key_Return);
            QVERIFY(window->isVisible());
            QPushButton* ok = okButton(*qobject_cast<QDialog*>(window));
            ok->setFocus();
            QTest::keyClick(ok, Qt::Key_Return);
        });
        QVERIFY(runChannelAllocationWindow(page, nullptr));
        QCOMPARE(QString::fromStdString(channelsOf(image).groups().tag(0)),
                 QStringLiteral("FIRE    "));
    }

private:
    QtChannelChoosers m_choosers;
};

KQ70_GUI_TEST(ChannelDialogsTest);
#include "ChannelDialogsTest.moc"
