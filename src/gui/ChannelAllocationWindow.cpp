#include "ChannelAllocationWindow.h"

#include "QtText.h"
#include "channel/HGroupTable.h"
#include "pages/HChannelAllocationDialog.h"
#include "ui/Strings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kq70 {

namespace {

using Page = HChannelAllocationDialog;

constexpr int GROUPS = HGroupTable::GROUP_COUNT;
constexpr int LARGE_ROWS_PER_COLUMN = 8;
// Grid columns of one block: label, count, tag, scan, and a gap before the next block.
constexpr int BLOCK_COLUMNS = 5;

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QLabel* heading(std::string_view text, QWidget* parent) {
    auto* label = new QLabel(qt(text), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

int charsWide(const QWidget* widget, int chars) {
    return widget->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('W'))) + 12;
}

} // namespace

ChannelAllocationWindow::ChannelAllocationWindow(HChannelAllocationDialog& page, QWidget* parent,
                                                 HelpFunction help)
    : ParameterPageDialog(page, qt(text::CHANNEL_ALLOCATION_TITLE), parent, std::move(help),
                          OwnLayout{}),
      m_allocation(page) {
    buildLayout();
    refresh();
    showPrompt();
    // Where the counts are fixed, a group's mnemonic goes to its tag instead.
    for (int g = 0; g < GROUPS; ++g) {
        auto* label = qobject_cast<QLabel*>(controlWidget(Page::IDC_GROUP_LABEL + g));
        QWidget* count = controlWidget(Page::IDC_COUNT + g);
        if (label != nullptr && count != nullptr && !count->isEnabled()) {
            label->setBuddy(controlWidget(Page::IDC_TAG + g));
        }
    }
}

void ChannelAllocationWindow::buildLayout() {
    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    root->addLayout(grid);
    const bool large = m_allocation.GetVariant() == Page::Variant::Large;
    const int blocks = large ? GROUPS / LARGE_ROWS_PER_COLUMN : 1;
    for (int block = 0; block < blocks; ++block) {
        const int left = block * BLOCK_COLUMNS;
        grid->addWidget(heading(text::GROUP_COUNT_HEADING, this), 0, left + 1);
        grid->addWidget(heading(text::GROUP_TAG_HEADING, this), 0, left + 2);
        grid->addWidget(heading(text::GROUP_SCAN_HEADING, this), 0, left + 3);
        if (block + 1 < blocks) {
            grid->setColumnMinimumWidth(left + BLOCK_COLUMNS - 1, 24);
        }
    }
    // Spare width goes to the right of the table, not between its columns.
    grid->setColumnStretch(blocks * BLOCK_COLUMNS, 1);
    for (int g = 0; g < GROUPS; ++g) {
        const int block = large ? g / LARGE_ROWS_PER_COLUMN : 0;
        const int row = 1 + (large ? g % LARGE_ROWS_PER_COLUMN : g);
        const int left = block * BLOCK_COLUMNS;
        QWidget* label = createControlWidget(*page().GetControl(Page::IDC_GROUP_LABEL + g));
        QWidget* count = createControlWidget(*page().GetControl(Page::IDC_COUNT + g));
        QWidget* tag = createControlWidget(*page().GetControl(Page::IDC_TAG + g));
        QWidget* scan = createControlWidget(*page().GetControl(Page::IDC_SCAN + g));
        // The label's mnemonic (Alt+1 … Alt+0) goes to the group's count.
        static_cast<QLabel*>(label)->setBuddy(count);
        count->setFixedWidth(charsWide(count, 3));
        tag->setFixedWidth(charsWide(tag, 8));
        grid->addWidget(label, row, left);
        grid->addWidget(count, row, left + 1);
        grid->addWidget(tag, row, left + 2);
        grid->addWidget(scan, row, left + 3);
    }
    if (const PageControl* left = page().GetControl(Page::IDC_CHANNELS_LEFT)) {
        QWidget* label = createControlWidget(*left);
        root->addWidget(label, 0, Qt::AlignRight);
    }
    addPromptAndButtons(root);
    // Tab runs group by group (count, tag, scan choice), then on to the buttons.
    QWidget* previous = nullptr;
    for (int g = 0; g < GROUPS; ++g) {
        for (const int id : {Page::IDC_COUNT + g, Page::IDC_TAG + g, Page::IDC_SCAN + g}) {
            QWidget* widget = controlWidget(id);
            if (previous != nullptr) {
                setTabOrder(previous, widget);
            }
            previous = widget;
        }
    }
}

int ChannelAllocationWindow::countGroupOf(const QObject* watched) const {
    for (int g = 0; g < GROUPS; ++g) {
        if (controlWidget(Page::IDC_COUNT + g) == watched) {
            return g;
        }
    }
    return -1;
}

void ChannelAllocationWindow::countLeft(int group) {
    m_allocation.CountEditKillFocus(group);
    refresh();
    // Moving the focus from inside a focus change confuses Qt: do it once that is over.
    QTimer::singleShot(0, this, [this] { moveFocusAsRequested(); });
}

bool ChannelAllocationWindow::countEnter(int group) {
    const bool closes = m_allocation.CountEditEnter(group);
    refresh();
    moveFocusAsRequested();
    if (closes) {
        pressDefaultButton();
    }
    return true;
}

void ChannelAllocationWindow::moveFocusAsRequested() {
    const int target = m_allocation.TakeFocusRequest();
    if (target == 0) {
        return;
    }
    QWidget* widget =
        target == Page::IDOK ? static_cast<QWidget*>(okButton()) : controlWidget(target);
    if (widget != nullptr && widget->isEnabled()) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

QPushButton* ChannelAllocationWindow::okButton() const {
    const auto* box = findChild<QDialogButtonBox*>();
    return box != nullptr ? box->button(QDialogButtonBox::Ok) : nullptr;
}

void ChannelAllocationWindow::pressDefaultButton() {
    if (QPushButton* ok = okButton()) {
        ok->click();
    }
}

bool ChannelAllocationWindow::eventFilter(QObject* watched, QEvent* event) {
    const int group = countGroupOf(watched);
    if (group >= 0) {
        if (event->type() == QEvent::FocusOut) {
            countLeft(group);
        } else if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
            return countEnter(group);
        }
    }
    return ParameterPageDialog::eventFilter(watched, event);
}

bool runChannelAllocationWindow(HChannelAllocationDialog& page, QWidget* parent,
                                ParameterPageDialog::HelpFunction help) {
    ChannelAllocationWindow window(page, parent, std::move(help));
    return window.exec() == QDialog::Accepted;
}

} // namespace kq70
