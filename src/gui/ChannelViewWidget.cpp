#include "ChannelViewWidget.h"

#include "FlexGridWidget.h"
#include "QtText.h"
#include "channel/ChannelGridLayout.h"
#include "ui/Strings.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace kq70 {

namespace {

// The menu text without its accelerator ("&Copy\tCtrl+C" gives "&Copy").
QString menuLabel(std::string_view text) {
    const QString whole = qt(text);
    const auto tab = whole.indexOf(QLatin1Char('\t'));
    return tab < 0 ? whole : whole.left(tab);
}

} // namespace

ChannelViewWidget::ChannelViewWidget(CKQ70Doc& doc, UserPrompt& prompt,
                                     const AccessMode& accessMode, AppSettings& settings,
                                     QWidget* parent)
    : QWidget(parent), m_grid(new FlexGridWidget(this)),
      m_view(*m_grid, prompt, m_relay, accessMode, settings), m_binding(doc, m_view) {
    setObjectName(QStringLiteral("channelView"));
    m_grid->setObjectName(QStringLiteral("channelGrid"));
    // The binding hands the grid's edit events to the view, each edit one undo step.
    m_grid->setEvents(&m_binding);
    m_binding.setShownHandler([this] {
        layoutColumns();
        showStrip();
    });
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setCurrentCellHandler([this] { m_view.rowColumnChange(); });
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showContextMenu(at); });
    connect(m_grid->verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int section) { doubleClicked(m_grid->editorRow(section), COL_CHANNEL); });

    buildStrip();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* strip = new QHBoxLayout;
    for (QLabel* label : m_stripLabels) {
        strip->addWidget(label);
    }
    strip->addWidget(m_groups);
    strip->addStretch();
    layout->addLayout(strip);
    layout->addWidget(m_grid, 1);
    connect(m_groups, &QComboBox::activated, this, [this](int index) {
        m_view.SelectGroup(m_groups->itemData(index).toInt());
        showStrip();
    });
}

ChannelViewWidget::~ChannelViewWidget() {
    // The grid goes with the widget's children, after the view that talks to it.
    m_binding.setShownHandler(nullptr);
    m_grid->setEvents(nullptr);
    m_grid->setCurrentCellHandler(nullptr);
}

void ChannelViewWidget::buildStrip() {
    for (int i = 0; i < 8; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("strip%1").arg(i));
        label->setFrameShape(QFrame::StyledPanel);
        label->setMargin(2);
        label->setTextFormat(Qt::PlainText);
        m_stripLabels.push_back(label);
    }
    m_groups = new QComboBox(this);
    m_groups->setObjectName(QStringLiteral("groupSelector"));
    m_groups->setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

void ChannelViewWidget::layoutColumns() {
    // Once the view has built its columns; the user's own widths are kept from then on.
    if (m_columnsLaidOut || m_grid->columnCount() != CHANNEL_COLUMN_COUNT) {
        return;
    }
    m_columnsLaidOut = true;
    for (int column = 0; column < CHANNEL_COLUMN_COUNT; ++column) {
        m_grid->setColumnWidthTwips(column, ChannelGridLayout::widthTwips(column));
    }
}

void ChannelViewWidget::showStrip() {
    const CKQ70View::InfoStrip strip = m_view.GetInfoStrip();
    const CKQ70View::StripText* texts[] = {
        &strip.serialNumber, &strip.bandName,    &strip.firmwareVersion, &strip.port,
        &strip.printer,      &strip.productType, &strip.channelCount,    &strip.channelsLeft};
    for (std::size_t i = 0; i < m_stripLabels.size(); ++i) {
        m_stripLabels[i]->setText(QString::fromStdString(texts[i]->text));
        m_stripLabels[i]->setVisible(texts[i]->shown && !texts[i]->text.empty());
    }
    m_groups->clear();
    for (const CKQ70View::GroupEntry& entry : strip.groups) {
        m_groups->addItem(QString::fromStdString(entry.text), entry.group);
        if (entry.group == strip.selectedGroup) {
            m_groups->setCurrentIndex(m_groups->count() - 1);
        }
    }
    m_groups->setVisible(strip.groupSelectorShown);
    m_groups->setEnabled(strip.groupSelectorEnabled);
    // Every refresh leaves the keyboard in the grid.
    m_grid->setFocus();
    if (m_status) {
        m_status(QString::fromStdString(m_view.GetStatusText()));
    }
}

QString ChannelViewWidget::stripText() const {
    QStringList shown;
    for (const QLabel* label : m_stripLabels) {
        if (!label->isHidden()) {
            shown.append(label->text());
        }
    }
    if (!m_groups->isHidden()) {
        shown.append(m_groups->currentText());
    }
    return shown.join(QLatin1Char('|'));
}

void ChannelViewWidget::documentChanged() {
    m_binding.documentChanged();
}

void ChannelViewWidget::reload() {
    m_binding.reload();
}

void ChannelViewWidget::saveData() {
    m_binding.viewSaveData();
}

bool ChannelViewWidget::runChannelAllocation(
    const std::function<bool(HChannelAllocationDialog&)>& runModal) {
    return m_binding.runChannelAllocation(runModal);
}

bool ChannelViewWidget::gridHasFocus() const {
    return m_grid->hasFocus();
}

void ChannelViewWidget::copyToClipboard() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(m_view.Copy()));
}

void ChannelViewWidget::pasteFromClipboard() {
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty()) {
        m_binding.paste(text.toStdString());
        afterInput();
    }
}

void ChannelViewWidget::showContextMenu(const QPoint& at) {
    QMenu menu(this);
    QAction* copy = menu.addAction(menuLabel(text::MENU_EDIT_COPY));
    QAction* paste = menu.addAction(menuLabel(text::MENU_EDIT_PASTE));
    const QAction* chosen = menu.exec(m_grid->viewport()->mapToGlobal(at));
    if (chosen == copy) {
        copyToClipboard();
    } else if (chosen == paste) {
        pasteFromClipboard();
    }
}

bool ChannelViewWidget::isRoutedKey(const QKeyEvent& key) const {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_F1:
    case Qt::Key_F2:
    case Qt::Key_F3:
        return mods == Qt::NoModifier;
    case Qt::Key_F9:
    case Qt::Key_F10:
        return mods == Qt::ShiftModifier;
    default:
        return false;
    }
}

bool ChannelViewWidget::routeKey(QKeyEvent& key) {
    m_grid->takeCurrentCell();
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_binding.onEnter() == CKQ70View::KeyOutcome::GridEdits) {
            m_grid->editCurrentCell();
        }
        break;
    case Qt::Key_Space:
        if (m_binding.onSpace() == CKQ70View::KeyOutcome::GridEdits) {
            m_grid->editCurrentCell();
        }
        break;
    case Qt::Key_F1:
        if (m_help) {
            m_help(m_view.GetHelpTopic());
        }
        break;
    case Qt::Key_F2:
        m_view.OnF2();
        showStrip();
        break;
    case Qt::Key_F3:
        m_binding.onF3();
        break;
    case Qt::Key_F9:
        if (m_frameRequest) {
            m_frameRequest(m_view.OnShiftF9());
        }
        break;
    case Qt::Key_F10:
        if (m_frameRequest) {
            m_frameRequest(m_view.OnShiftF10());
        }
        break;
    default:
        return false;
    }
    afterInput();
    return true;
}

void ChannelViewWidget::doubleClicked(int row, int column) {
    m_grid->setMouseRow(row);
    m_grid->setRow(row);
    m_grid->setColumn(column);
    if (m_binding.onDoubleClick() == CKQ70View::KeyOutcome::GridEdits) {
        m_grid->editCurrentCell();
    }
    afterInput();
}

void ChannelViewWidget::afterInput() {
    if (m_changed) {
        m_changed();
    }
}

bool ChannelViewWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && !m_grid->isEditing()) {
        if (event->type() == QEvent::ShortcutOverride) {
            // The grid's own keys win over the window's shortcuts (F1 is the column's help).
            auto* key = static_cast<QKeyEvent*>(event);
            if (isRoutedKey(*key)) {
                key->accept();
                return true;
            }
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (isRoutedKey(*key)) {
                return routeKey(*key);
            }
        }
    }
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = m_grid->indexAt(mouse->position().toPoint());
        if (index.isValid()) {
            m_grid->setCurrentCell(index.row(), index.column());
            doubleClicked(m_grid->editorRow(index.row()), m_grid->editorColumn(index.column()));
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kq70
