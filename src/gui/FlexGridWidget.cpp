#include "FlexGridWidget.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyledItemDelegate>

#include <algorithm>

namespace kq70 {

namespace {

constexpr int TWIPS_PER_INCH = 1440;
constexpr int CHECK_PICTURE_SIZE = 13;
const QColor DISABLED_TICK_COLOUR(0x80, 0x80, 0x80);

QColor colourOfRgb(std::uint32_t rgb) {
    // The editors give colours as 0x00BBGGRR.
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

// "#0;W5|#1;W4|#2;N|": item data and text of each entry.
std::vector<std::pair<int, QString>> parseComboList(const std::string& list) {
    std::vector<std::pair<int, QString>> entries;
    const QStringList parts = QString::fromStdString(list).split(QLatin1Char('|'));
    for (const QString& part : parts) {
        if (!part.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const auto semicolon = part.indexOf(QLatin1Char(';'));
        if (semicolon < 0) {
            continue;
        }
        bool ok = false;
        const int data = part.mid(1, semicolon - 1).toInt(&ok);
        if (ok) {
            entries.emplace_back(data, part.mid(semicolon + 1));
        }
    }
    return entries;
}

// The column header: one band per fixed row, equal adjacent texts of a merged row drawn as
// one cell. Each section paints the whole merged cell clipped to itself, so a cell reads as
// one however the sections are repainted.
class GridColumnHeader : public QHeaderView {
public:
    explicit GridColumnHeader(FlexGridWidget& grid)
        : QHeaderView(Qt::Horizontal, &grid), m_grid(grid) {
        setSectionsClickable(false);
        setHighlightSections(false);
    }

    QSize sizeHint() const override {
        QSize size = QHeaderView::sizeHint();
        size.setHeight(bandHeight() * std::max(1, m_grid.fixedRows()));
        return size;
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        const int rows = std::max(1, m_grid.fixedRows());
        const int band = rect.height() / rows;
        for (int row = 0; row < rows; ++row) {
            const int column = m_grid.editorColumn(logicalIndex);
            const auto [first, last] = m_grid.mergedRun(row, column);
            int left = rect.left();
            int right = rect.right();
            for (int c = first; c <= last; ++c) {
                const int section = m_grid.tableColumn(c);
                if (section < 0 || isSectionHidden(section)) {
                    continue;
                }
                const int x = sectionViewportPosition(section);
                left = std::min(left, x);
                right = std::max(right, x + sectionSize(section) - 1);
            }
            const QRect bandRect(rect.left(), rect.top() + row * band, rect.width(),
                                 row == rows - 1 ? rect.height() - row * band : band);
            const QRect cellRect(left, bandRect.top(), right - left + 1, bandRect.height());
            painter->save();
            painter->setClipRect(bandRect);
            QStyleOptionHeader option;
            initStyleOption(&option);
            option.rect = cellRect;
            option.section = logicalIndex;
            option.text = m_grid.headerText(row, column);
            option.textAlignment = Qt::AlignCenter;
            option.position = QStyleOptionHeader::Middle;
            style()->drawControl(QStyle::CE_Header, &option, painter, this);
            painter->restore();
        }
    }

private:
    int bandHeight() const { return fontMetrics().height() + 6; }

    FlexGridWidget& m_grid;
};

// The row header shows the fixed column: its text, right-aligned as numbers are, on the
// background the editor gives it.
class GridRowHeader : public QHeaderView {
public:
    explicit GridRowHeader(FlexGridWidget& grid) : QHeaderView(Qt::Vertical, &grid), m_grid(grid) {
        setSectionsClickable(true);
        setHighlightSections(false);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        QColor back = m_grid.backgroundOfFixedCell(m_grid.editorRow(logicalIndex));
        if (!back.isValid()) {
            back = palette().color(QPalette::Button);
        }
        painter->save();
        painter->fillRect(rect, back);
        painter->setPen(palette().color(QPalette::Mid));
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->setPen(palette().color(QPalette::ButtonText));
        const QVariant text = model()->headerData(logicalIndex, Qt::Vertical, Qt::DisplayRole);
        painter->drawText(rect.adjusted(3, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight,
                          text.toString());
        painter->restore();
    }

private:
    FlexGridWidget& m_grid;
};

// The top-left corner shows the fixed column's header texts, one per fixed row.
class CornerPainter : public QObject {
public:
    CornerPainter(FlexGridWidget& grid, QWidget& corner) : QObject(&corner), m_grid(grid) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() != QEvent::Paint) {
            return false;
        }
        auto* corner = static_cast<QWidget*>(object);
        QPainter painter(corner);
        const int rows = std::max(1, m_grid.fixedRows());
        const int band = corner->height() / rows;
        for (int row = 0; row < rows; ++row) {
            QStyleOptionHeader option;
            option.initFrom(corner);
            option.rect = QRect(0, row * band, corner->width(),
                                row == rows - 1 ? corner->height() - row * band : band);
            option.text = m_grid.headerText(row, 0);
            option.textAlignment = Qt::AlignCenter;
            corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        }
        return true;
    }

private:
    FlexGridWidget& m_grid;
};

// The cell editor: each typed character goes past the editor's keyPressEdit, and the
// finished text past validateEdit; the cell keeps only what the editor accepted. Columns
// with a drop-down list edit through a combo box whose entry's item data the editor reads.
// Check-mark cells show their picture instead of their text.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(FlexGridWidget& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant picture = index.data(FlexGridWidget::CHECK_PICTURE_ROLE);
        if (!picture.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        cell.text.clear();
        cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        cell.widget->style()->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
        const QPixmap& pixmap =
            m_grid.checkPicture(static_cast<FlexGridWidget::CheckPicture>(picture.toInt()));
        if (!pixmap.isNull()) {
            const QRect target(QPoint(0, 0), pixmap.deviceIndependentSize().toSize());
            painter->drawPixmap(
                QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, target.size(), option.rect),
                pixmap);
        }
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const int column = m_grid.editorColumn(index.column());
        const auto& entries = m_grid.comboEntries(column);
        if (!entries.empty()) {
            auto* combo = new QComboBox(parent);
            for (const auto& [data, text] : entries) {
                combo->addItem(text, data);
            }
            m_grid.setOpenEditor(combo);
            return combo;
        }
        auto* editor = new QLineEdit(parent);
        m_grid.setOpenEditor(editor);
        if (m_grid.editMaxLength() > 0) {
            editor->setMaxLength(m_grid.editMaxLength());
        }
        editor->setProperty("editorRow", m_grid.editorRow(index.row()));
        editor->setProperty("editorColumn", column);
        editor->installEventFilter(const_cast<GridDelegate*>(this));
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const int found = combo->findText(index.data().toString());
            combo->setCurrentIndex(std::max(0, found));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const int row = m_grid.editorRow(index.row());
        const int column = m_grid.editorColumn(index.column());
        QString text;
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            text = combo->currentText();
            m_grid.setChosenComboData(column, combo->currentData().toInt());
        } else {
            text = static_cast<QLineEdit*>(editor)->text();
        }
        m_grid.setEditorText(text);
        HGridEvents* events = m_grid.events();
        if (events == nullptr) {
            model->setData(index, text);
            return;
        }
        // The editor writes whatever the cell is to show from here on.
        if (events->validateEdit(row, column, text.toStdString())) {
            events->afterEdit(row, column);
        }
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        // Another window coming up (a message, a command's dialog) leaves the cell open: the
        // command decides first whether what is typed goes in.
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
                return false;
            }
        }
        auto* editor = qobject_cast<QLineEdit*>(object);
        // Only a key asks the grid for its editor: other events also come while it goes away.
        HGridEvents* events =
            editor != nullptr && event->type() == QEvent::KeyPress ? m_grid.events() : nullptr;
        if (events != nullptr) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString typed = key->text();
            if (typed.size() == 1 && typed.at(0).isPrint() &&
                (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
                const int row = editor->property("editorRow").toInt();
                const int column = editor->property("editorColumn").toInt();
                const int kept = events->keyPressEdit(row, column, typed.at(0).unicode());
                if (kept != 0) {
                    editor->insert(QString(QChar(kept)));
                }
                m_grid.setEditorText(editor->text());
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    FlexGridWidget& m_grid;
};

} // namespace

FlexGridWidget::FlexGridWidget(QWidget* parent) : QTableWidget(parent) {
    setHorizontalHeader(new GridColumnHeader(*this));
    setVerticalHeader(new GridRowHeader(*this));
    setItemDelegate(new GridDelegate(*this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setMouseTracking(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setVisible(false);
    if (auto* corner = findChild<QAbstractButton*>()) {
        corner->installEventFilter(new CornerPainter(*this, *corner));
    }
    buildCheckPictures();
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (m_syncing || row < 0 || column < 0) {
            return;
        }
        m_row = editorRow(row);
        m_column = editorColumn(column);
        if (m_currentCellHandler) {
            m_currentCellHandler();
        }
    });
}

void FlexGridWidget::buildCheckPictures() {
    auto tick = [](const QColor& colour) {
        QPixmap pixmap(CHECK_PICTURE_SIZE, CHECK_PICTURE_SIZE);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        QPen pen(colour, 2.2);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        QPainterPath path;
        path.moveTo(2.0, 6.5);
        path.lineTo(5.0, 10.0);
        path.lineTo(11.0, 2.5);
        painter.drawPath(path);
        return pixmap;
    };
    m_checkPictures[CHECK_DISABLED_EMPTY] = QPixmap();
    m_checkPictures[CHECK_DISABLED_TICK] = tick(DISABLED_TICK_COLOUR);
    m_checkPictures[CHECK_EMPTY] = QPixmap();
    m_checkPictures[CHECK_TICK] = tick(palette().color(QPalette::Text));
}

int FlexGridWidget::rowCount() const {
    return QTableWidget::rowCount() + headerRows();
}

void FlexGridWidget::setRowCount(int rows) {
    QTableWidget::setRowCount(std::max(0, rows - headerRows()));
}

int FlexGridWidget::columnCount() const {
    return QTableWidget::columnCount() + headerColumns();
}

void FlexGridWidget::setColumnCount(int columns) {
    QTableWidget::setColumnCount(std::max(0, columns - headerColumns()));
    for (QStringList& texts : m_headerTexts) {
        while (texts.size() < columns) {
            texts.append(QString());
        }
    }
}

void FlexGridWidget::setFixedRows(int rows) {
    const int total = rowCount();
    m_fixedRows = std::max(0, rows);
    m_headerTexts.resize(static_cast<std::size_t>(m_fixedRows));
    m_mergedRows.resize(static_cast<std::size_t>(m_fixedRows), false);
    for (QStringList& texts : m_headerTexts) {
        while (texts.size() < columnCount()) {
            texts.append(QString());
        }
    }
    horizontalHeader()->setVisible(m_fixedRows > 0);
    setRowCount(total);
    updateHeaderHeight();
}

void FlexGridWidget::setFixedColumns(int columns) {
    const int total = columnCount();
    m_fixedColumns = columns;
    verticalHeader()->setVisible(columns > 0);
    setColumnCount(total);
}

void FlexGridWidget::updateHeaderHeight() {
    const int band = fontMetrics().height() + 6;
    horizontalHeader()->setFixedHeight(band * std::max(1, m_fixedRows));
}

void FlexGridWidget::setTopRow(int row) {
    const int r = tableRow(row);
    int c = 0;
    // A hidden cell cannot be scrolled to; any shown one of the row will do.
    while (c < QTableWidget::columnCount() && isColumnHidden(c)) {
        ++c;
    }
    if (r >= 0 && r < QTableWidget::rowCount() && c < QTableWidget::columnCount()) {
        scrollTo(model()->index(r, c), QAbstractItemView::PositionAtTop);
    }
}

void FlexGridWidget::setRedraw(bool on) {
    setUpdatesEnabled(on);
    if (!on) {
        return;
    }
    // The cell the editor chose becomes the one the user sees as current; a fixed column
    // cannot be, so its row's first shown cell stands in for it.
    const int r = tableRow(m_row);
    int c = tableColumn(m_column);
    while (c >= 0 && c < QTableWidget::columnCount() && isColumnHidden(c)) {
        ++c;
    }
    if (c < 0) {
        c = 0;
        while (c < QTableWidget::columnCount() && isColumnHidden(c)) {
            ++c;
        }
    }
    if (r >= 0 && r < QTableWidget::rowCount() && c < QTableWidget::columnCount()) {
        m_syncing = true;
        setCurrentCell(r, c);
        m_syncing = false;
    }
    viewport()->update();
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
}

QTableWidgetItem* FlexGridWidget::cellItem(int row, int column, bool create) {
    const int r = tableRow(row);
    const int c = tableColumn(column);
    if (r < 0 || c < 0 || r >= QTableWidget::rowCount() || c >= QTableWidget::columnCount()) {
        return nullptr;
    }
    QTableWidgetItem* cell = item(r, c);
    if (cell == nullptr && create) {
        cell = new QTableWidgetItem;
        cell->setTextAlignment(Qt::AlignCenter);
        setItem(r, c, cell);
    }
    return cell;
}

std::string FlexGridWidget::textMatrix(int row, int column) const {
    if (row >= 0 && row < m_fixedRows) {
        const QStringList& texts = m_headerTexts[static_cast<std::size_t>(row)];
        return column >= 0 && column < texts.size() ? texts.at(column).toStdString()
                                                    : std::string();
    }
    const int r = tableRow(row);
    const int c = tableColumn(column);
    const QTableWidgetItem* cell = nullptr;
    if (c < 0 && r >= 0) {
        cell = verticalHeaderItem(r);
    } else if (r >= 0 && c >= 0) {
        cell = item(r, c);
    }
    return cell != nullptr ? cell->text().toStdString() : std::string();
}

void FlexGridWidget::setTextMatrix(int row, int column, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (row >= 0 && row < m_fixedRows) {
        QStringList& texts = m_headerTexts[static_cast<std::size_t>(row)];
        if (column >= 0 && column < texts.size()) {
            texts[column] = value;
            horizontalHeader()->viewport()->update();
        }
        return;
    }
    const int r = tableRow(row);
    const int c = tableColumn(column);
    if (c < 0 && r >= 0 && r < QTableWidget::rowCount()) {
        QTableWidgetItem* header = verticalHeaderItem(r);
        if (header == nullptr) {
            header = new QTableWidgetItem;
            setVerticalHeaderItem(r, header);
        }
        if (header->text() != value) {
            header->setText(value);
        }
    } else if (QTableWidgetItem* cell = cellItem(row, column, true)) {
        // Unchanged cells are left alone, so a refresh repaints only what moved.
        if (cell->text() != value || cell->data(CHECK_PICTURE_ROLE).isValid()) {
            cell->setData(CHECK_PICTURE_ROLE, QVariant());
            cell->setText(value);
        }
    }
}

void FlexGridWidget::setCellBackColour(std::uint32_t rgb) {
    const bool normal = rgb == foreColour();
    const int r = tableRow(m_row);
    if (tableColumn(m_column) < 0 && r >= 0 && r < QTableWidget::rowCount()) {
        QTableWidgetItem* header = verticalHeaderItem(r);
        if (header == nullptr) {
            header = new QTableWidgetItem;
            setVerticalHeaderItem(r, header);
        }
        header->setData(Qt::BackgroundRole, normal ? QVariant() : QVariant(colourOfRgb(rgb)));
        return;
    }
    if (QTableWidgetItem* cell = cellItem(m_row, m_column, true)) {
        const QVariant wanted = normal ? QVariant() : QVariant(QBrush(colourOfRgb(rgb)));
        if (cell->data(Qt::BackgroundRole) != wanted) {
            cell->setData(Qt::BackgroundRole, wanted);
        }
    }
}

QColor FlexGridWidget::backgroundOfFixedCell(int row) const {
    const QTableWidgetItem* header = verticalHeaderItem(tableRow(row));
    if (header == nullptr) {
        return {};
    }
    const QVariant back = header->data(Qt::BackgroundRole);
    return back.isValid() ? back.value<QColor>() : QColor();
}

void FlexGridWidget::setCheckCell(int row, int column, bool enabled, bool ticked) {
    if (QTableWidgetItem* cell = cellItem(row, column, true)) {
        const int picture = enabled ? (ticked ? CHECK_TICK : CHECK_EMPTY)
                                    : (ticked ? CHECK_DISABLED_TICK : CHECK_DISABLED_EMPTY);
        const QString text = ticked ? QStringLiteral(" ") : QStringLiteral("-");
        if (cell->data(CHECK_PICTURE_ROLE) != QVariant(picture)) {
            cell->setData(CHECK_PICTURE_ROLE, picture);
        }
        if (cell->text() != text) {
            cell->setText(text);
        }
    }
}

std::string FlexGridWidget::clip() const {
    const Selection s = getSelection();
    std::string text;
    for (int row = s.firstRow; row <= s.lastRow; ++row) {
        for (int column = s.firstColumn; column <= s.lastColumn; ++column) {
            text += textMatrix(row, column);
            if (column < s.lastColumn) {
                text += '\t';
            }
        }
        text += "\r\n";
    }
    return text;
}

HGridControl::Selection FlexGridWidget::getSelection() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty()) {
        return {m_row, m_column, m_row, m_column};
    }
    const QTableWidgetSelectionRange& range = ranges.first();
    return {editorRow(range.topRow()), editorColumn(range.leftColumn()),
            editorRow(range.bottomRow()), editorColumn(range.rightColumn())};
}

void FlexGridWidget::setMergeRow(int row, bool merge) {
    if (row >= 0 && row < m_fixedRows) {
        m_mergedRows[static_cast<std::size_t>(row)] = merge;
        horizontalHeader()->viewport()->update();
    }
}

QString FlexGridWidget::headerText(int row, int column) const {
    if (row < 0 || row >= m_fixedRows) {
        return {};
    }
    const QStringList& texts = m_headerTexts[static_cast<std::size_t>(row)];
    return column >= 0 && column < texts.size() ? texts.at(column) : QString();
}

std::pair<int, int> FlexGridWidget::mergedRun(int row, int column) const {
    if (row < 0 || row >= m_fixedRows || !m_mergedRows[static_cast<std::size_t>(row)]) {
        return {column, column};
    }
    const QString text = headerText(row, column);
    int first = column;
    int last = column;
    // The fixed column never merges with the scrolling ones.
    const int firstScrolling = headerColumns();
    while (first - 1 >= firstScrolling && headerText(row, first - 1) == text) {
        --first;
    }
    while (last + 1 < columnCount() && headerText(row, last + 1) == text) {
        ++last;
    }
    return {first, last};
}

void FlexGridWidget::setColumnComboList(int column, const std::string& list) {
    m_comboLists.insert(column, parseComboList(list));
}

const std::vector<std::pair<int, QString>>& FlexGridWidget::comboEntries(int column) const {
    static const std::vector<std::pair<int, QString>> none;
    const auto found = m_comboLists.constFind(column);
    return found != m_comboLists.constEnd() ? found.value() : none;
}

std::string FlexGridWidget::comboData(int column) const {
    const auto found = m_comboData.constFind(column);
    return found != m_comboData.constEnd() ? std::to_string(found.value()) : std::string();
}

void FlexGridWidget::setColumnHidden(int column, bool hidden) {
    const int c = tableColumn(column);
    if (c >= 0) {
        if (isColumnHidden(c) != hidden) {
            QTableWidget::setColumnHidden(c, hidden);
        }
    } else if (column >= 0 && column < m_fixedColumns) {
        verticalHeader()->setVisible(!hidden);
    }
}

std::uint32_t FlexGridWidget::foreColour() const {
    // The normal cell background, as the editors' colours are given: 0x00BBGGRR.
    const QColor base = palette().color(QPalette::Base);
    return static_cast<std::uint32_t>(base.red()) |
           (static_cast<std::uint32_t>(base.green()) << 8) |
           (static_cast<std::uint32_t>(base.blue()) << 16);
}

int FlexGridWidget::pixelsOfTwips(int twips, double dotsPerInch) {
    return static_cast<int>(twips * dotsPerInch / TWIPS_PER_INCH + 0.5);
}

void FlexGridWidget::setColumnWidthTwips(int column, int twips) {
    const int pixels = pixelsOfTwips(twips, logicalDpiX());
    const int c = tableColumn(column);
    if (c >= 0) {
        setColumnWidth(c, pixels);
    } else {
        verticalHeader()->setFixedWidth(pixels);
    }
}

std::string FlexGridWidget::editText() const {
    if (isEditing()) {
        if (const auto* line = qobject_cast<const QLineEdit*>(m_openEditor.data())) {
            return line->text().toStdString();
        }
        if (const auto* combo = qobject_cast<const QComboBox*>(m_openEditor.data())) {
            return combo->currentText().toStdString();
        }
    }
    return m_editorText.toStdString();
}

void FlexGridWidget::commitEdit() {
    QWidget* editor = m_openEditor.data();
    if (!isEditing() || editor == nullptr) {
        return;
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool FlexGridWidget::editCurrentCell() {
    const QModelIndex index = currentIndex();
    return index.isValid() && edit(index, EditKeyPressed, nullptr);
}

void FlexGridWidget::takeCurrentCell() {
    const QModelIndex index = currentIndex();
    if (index.isValid()) {
        m_row = editorRow(index.row());
        m_column = editorColumn(index.column());
    }
}

bool FlexGridWidget::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!index.isValid()) {
        return false;
    }
    if (trigger & (DoubleClicked | EditKeyPressed | AnyKeyPressed)) {
        m_row = editorRow(index.row());
        m_column = editorColumn(index.column());
        m_editMaxLength = 0;
        if (m_events != nullptr && !m_events->beforeEdit(m_row, m_column)) {
            return false;
        }
    }
    return QTableWidget::edit(index, trigger, event);
}

void FlexGridWidget::mouseMoveEvent(QMouseEvent* event) {
    m_mouseRow = editorRow(rowAt(event->position().toPoint().y()));
    QTableWidget::mouseMoveEvent(event);
}

void FlexGridWidget::mousePressEvent(QMouseEvent* event) {
    m_mouseRow = editorRow(rowAt(event->position().toPoint().y()));
    QTableWidget::mousePressEvent(event);
}

} // namespace kq70
