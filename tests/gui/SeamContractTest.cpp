// The window's side of the seams core talks through: its grid and its prompt keep the same
// promises as the command line's and the tests' own.
#include "FlexGridWidget.h"
#include "GuiTestSupport.h"
#include "WorkerUserPrompt.h"
#include "support/GridControlContract.h"
#include "support/UserPromptContract.h"

#include <QAbstractButton>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QThread>

#include <QtTest>
#include <mutex>
#include <utility>

using namespace kq70;
using namespace kq70::test;

namespace {

QByteArray firstOf(const std::vector<std::string>& broken) {
    return broken.empty() ? QByteArray() : QByteArray::fromStdString(broken.front());
}

// A person in front of the window: presses a button of the next dialog, or closes it.
struct WindowPerson {
    WindowPerson(QString existing, QString fresh)
        : toOpen(std::move(existing)), toSave(std::move(fresh)) {}

    void willReply(Reply reply, Asked asked) {
        const QString file = asked == Asked::File && ++filesAsked > 2 ? toSave : toOpen;
        whenModal([reply, asked, file](QWidget* modal) {
            auto* dialog = qobject_cast<QDialog*>(modal);
            QVERIFY(dialog != nullptr);
            if (reply == Reply::Gone) {
                dialog->reject(); // Escape, or the window's close button
                return;
            }
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                const bool yes = box->button(QMessageBox::Yes) != nullptr;
                const QMessageBox::StandardButton pressed =
                    reply == Reply::Consent ? (yes ? QMessageBox::Yes : QMessageBox::Ok)
                    : box->button(QMessageBox::No) != nullptr     ? QMessageBox::No
                    : box->button(QMessageBox::Cancel) != nullptr ? QMessageBox::Cancel
                                                                  : QMessageBox::Ok;
                box->button(pressed)->click();
            } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                input->setTextValue(QString::fromStdString(CONTRACT_PASSWORD));
                input->accept();
            } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
                QCOMPARE(asked, Asked::File);
                files->selectFile(file);
                QMetaObject::invokeMethod(files, "accept");
            } else {
                QFAIL("an unexpected window");
            }
        });
    }

    QString toOpen;
    QString toSave;
    int filesAsked = 0; // the contract opens twice, then saves twice
};

// The same person seen from a radio job's worker thread. The worker learns the next reply
// first; the window thread arranges it just before the dialog opens, as for a window's own
// question, so the reply cannot meet the dialog that closed before.
struct PersonBehindTheWorker : UserPrompt {
    PersonBehindTheWorker(WindowPerson& windowPerson, UserPrompt& windowPrompt)
        : person(windowPerson), window(windowPrompt) {}

    void willReply(Reply reply, Asked asked) { // on the worker
        const std::lock_guard lock(mutex);
        next = {reply, asked};
    }

    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override {
        arrange();
        return window.messageBox(text, caption, buttons, icon);
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override {
        arrange();
        return window.openFileDialog(request);
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override {
        arrange();
        return window.saveFileDialog(request);
    }
    std::optional<std::string> passwordEntry() override {
        arrange();
        return window.passwordEntry();
    }

    void arrange() { // on the window thread
        const std::lock_guard lock(mutex);
        person.willReply(next.first, next.second);
    }

    WindowPerson& person;
    UserPrompt& window;
    std::mutex mutex;
    std::pair<Reply, Asked> next{Reply::Gone, Asked::Question};
};

// A folder with a file an Open dialog can take (it only takes one that exists) and the name of
// one to save.
struct ContractFiles {
    ContractFiles() { QFile(existing).open(QIODevice::WriteOnly); }
    QTemporaryDir folder;
    QString existing = folder.filePath(QStringLiteral("radio.K70"));
    QString fresh = folder.filePath(QStringLiteral("new.K70"));
};

} // namespace

class SeamContractTest : public QObject {
    Q_OBJECT

private slots:
    void theGridKeepsTheGridControlContract() {
        FlexGridWidget grid;
        const std::vector<std::string> broken = gridControlContractBreaches(grid);
        QVERIFY2(broken.empty(), firstOf(broken).constData());
    }

    // Questions asked on the window's own thread.
    void theDialogsKeepTheUserPromptContract() {
        const ContractFiles files;
        QtUserPrompt prompt;
        WindowPerson person(files.existing, files.fresh);
        const std::vector<std::string> broken = userPromptContractBreaches(
            prompt, person, files.existing.toStdString(), files.fresh.toStdString());
        QVERIFY2(broken.empty(), firstOf(broken).constData());
    }

    // The same questions from a worker, through its prompt, to the window's dialogs.
    void theDialogsKeepTheUserPromptContractAskedFromAWorker() {
        const ContractFiles files;
        QtUserPrompt window;
        WindowPerson person(files.existing, files.fresh);
        PersonBehindTheWorker behind(person, window);
        WorkerUserPrompt prompt(behind);
        std::vector<std::string> broken;
        std::unique_ptr<QThread> worker(QThread::create([&] {
            broken = userPromptContractBreaches(prompt, behind, files.existing.toStdString(),
                                                files.fresh.toStdString());
        }));
        QEventLoop loop; // the window thread answers while the worker waits
        connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
        worker->start();
        loop.exec();
        worker->wait();
        QVERIFY2(broken.empty(), firstOf(broken).constData());
    }
};

KQ70_GUI_TEST(SeamContractTest);
#include "SeamContractTest.moc"
