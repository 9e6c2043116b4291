#include "QtChannelChoosers.h"

#include "DialogButtons.h"
#include "QtText.h"
#include "channel/ChooserLists.h"
#include "ui/Strings.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace kq70 {

namespace {

using Entries = std::vector<ChooserLists::Entry>;

constexpr int VISIBLE_ROWS = 12;

// A list whose typing goes through ChooserLists::find, so a tone is found by its hertz or
// octal code as well as by its code number.
class ChooserListWidget : public QListWidget {
public:
    explicit ChooserListWidget(QWidget* parent) : QListWidget(parent) {
        setObjectName(QStringLiteral("chooserList"));
        setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        setSelectionMode(QAbstractItemView::SingleSelection);
        setUniformItemSizes(true);
    }

    void setEntries(Entries entries, std::size_t preset) {
        m_entries = std::move(entries);
        m_typed.clear();
        clear();
        for (const ChooserLists::Entry& entry : m_entries) {
            auto* item = new QListWidgetItem(QString::fromStdString(entry.text), this);
            // Rows of a set height, so the list's size can be worked out before it shows.
            item->setSizeHint({fontMetrics().horizontalAdvance(item->text()) + 8, rowHeight()});
        }
        if (!m_entries.empty()) {
            setCurrentRow(static_cast<int>(std::min(preset, m_entries.size() - 1)));
        }
        showPreset();
        updateGeometry();
    }

    // A short list shows from its top; a long one centres the current entry.
    void showPreset() {
        if (count() <= VISIBLE_ROWS) {
            scrollToTop();
        } else if (currentItem() != nullptr) {
            scrollToItem(currentItem(), QAbstractItemView::PositionAtCenter);
        }
    }

    std::optional<std::int32_t> chosenValue() const {
        const int row = currentRow();
        if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) {
            return std::nullopt;
        }
        return m_entries[static_cast<std::size_t>(row)].value;
    }

    QSize sizeHint() const override {
        int widest = 0;
        for (const ChooserLists::Entry& entry : m_entries) {
            widest = std::max(widest,
                              fontMetrics().horizontalAdvance(QString::fromStdString(entry.text)));
        }
        const int rows = std::min(VISIBLE_ROWS, std::max(1, count()));
        // A short list shows whole; a long one shows a page and a scroll bar beside it.
        const QMargins margins = contentsMargins();
        return {widest + 2 * frameWidth() + margins.left() + margins.right() +
                    verticalScrollBar()->sizeHint().width() + 8,
                rows * rowHeight() + 2 * frameWidth() + margins.top() + margins.bottom() + 6};
    }

    void keyboardSearch(const QString& search) override {
        if (search.isEmpty()) {
            return;
        }
        // Keys typed in quick succession make one search text, as in any list.
        const bool continues = m_sinceTyped.isValid() &&
                               m_sinceTyped.elapsed() < QApplication::keyboardInputInterval();
        m_typed = continues ? m_typed + search : search;
        m_sinceTyped.restart();
        const auto current = static_cast<std::size_t>(std::max(0, currentRow()));
        // A single key looks on from the next entry, so pressing it again steps through.
        auto found = find(m_typed, m_typed.size() == 1 ? current + 1 : current);
        if (!found && m_typed.size() > 1) {
            m_typed = search;
            found = find(m_typed, current + 1);
        }
        if (found) {
            setCurrentRow(static_cast<int>(*found));
        }
    }

private:
    int rowHeight() const { return fontMetrics().height() + 4; }

    std::optional<std::size_t> find(const QString& typed, std::size_t start) const {
        return ChooserLists::find(m_entries, typed.toStdString(), start);
    }

    Entries m_entries;
    QString m_typed;
    QElapsedTimer m_sinceTyped;
};

constexpr int TITLE_MARGIN = 140;

// A modal list chooser: OK is the default button, so Enter in the list takes the entry.
class ChooserDialog : public QDialog {
public:
    ChooserDialog(QWidget* parent, const QString& objectName, std::string_view title)
        : QDialog(parent), m_list(new ChooserListWidget(this)) {
        setObjectName(objectName);
        setWindowTitle(qt(title));
        // Wide enough for the whole title beside the window manager's buttons.
        QFont titleFont = font();
        titleFont.setBold(true);
        setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + TITLE_MARGIN);
        m_layout = new QVBoxLayout(this);
        m_layout->addWidget(m_list);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        nameDialogButtons(*buttons);
        buttons->button(QDialogButtonBox::Ok)->setDefault(true);
        m_layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    }

    ChooserListWidget& list() { return *m_list; }
    QVBoxLayout& layout() { return *m_layout; }

    std::optional<std::int32_t> run() {
        m_list->setFocus();
        // The list can centre its preset only once it has its size.
        QTimer::singleShot(0, m_list, [list = m_list] { list->showPreset(); });
        if (exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return m_list->chosenValue();
    }

private:
    ChooserListWidget* m_list;
    QVBoxLayout* m_layout;
};

std::optional<int> asInt(std::optional<std::int32_t> value) {
    if (!value) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

} // namespace

std::optional<int> QtChannelChoosers::choosePmrChannel(int preset) {
    ChooserDialog dialog(m_parent, QStringLiteral("PmrChannelChooser"),
                         text::PMR_CHANNEL_CHOOSER_TITLE);
    Entries entries = ChooserLists::pmrChannels();
    const std::size_t index = ChooserLists::presetIndex(entries, preset);
    dialog.list().setEntries(std::move(entries), index);
    return asInt(dialog.run());
}

std::optional<ChannelChoosers::Tone> QtChannelChoosers::chooseTone(const Tone& current) {
    ChooserDialog dialog(m_parent, QStringLiteral("ToneChooser"), text::TONE_CHOOSER_TITLE);
    auto* kinds = new QHBoxLayout;
    auto* ctcss = new QRadioButton(qt(text::TONE_KIND_CTCSS), &dialog);
    auto* dcs = new QRadioButton(qt(text::TONE_KIND_DCS), &dialog);
    ctcss->setObjectName(QStringLiteral("ctcssKind"));
    dcs->setObjectName(QStringLiteral("dcsKind"));
    auto* group = new QButtonGroup(&dialog);
    group->addButton(ctcss);
    group->addButton(dcs);
    kinds->addWidget(ctcss);
    kinds->addWidget(dcs);
    kinds->addStretch();
    dialog.layout().insertLayout(0, kinds);
    // Each kind opens on the current code when it is the current kind, else on its first.
    ToneKind shownKind = current.kind;
    const auto show = [&](ToneKind kind) {
        shownKind = kind;
        const std::size_t preset =
            kind == current.kind ? ChooserLists::tonePresetIndex(kind, current.code) : 0;
        dialog.list().setEntries(ChooserLists::tones(kind), preset);
    };
    (current.kind == ToneKind::Ctcss ? ctcss : dcs)->setChecked(true);
    show(current.kind);
    QObject::connect(ctcss, &QRadioButton::toggled, &dialog,
                     [&](bool on) { show(on ? ToneKind::Ctcss : ToneKind::Dcs); });
    QWidget::setTabOrder(&dialog.list(), ctcss);
    const auto code = dialog.run();
    if (!code) {
        return std::nullopt;
    }
    return Tone{shownKind, *code};
}

std::optional<int> QtChannelChoosers::chooseSignalNumber(int type, int preset) {
    Entries entries = ChooserLists::signalNumbers(type);
    if (entries.empty()) {
        return std::nullopt;
    }
    const auto title = text::SIGNAL_NUMBER_CHOOSER_TITLES[static_cast<std::size_t>(type - 1)];
    ChooserDialog dialog(m_parent, QStringLiteral("SignalNumberChooser"), title);
    const std::size_t index = ChooserLists::presetIndex(entries, preset);
    dialog.list().setEntries(std::move(entries), index);
    return asInt(dialog.run());
}

} // namespace kq70
