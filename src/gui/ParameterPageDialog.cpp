#include "ParameterPageDialog.h"

#include "DialogButtons.h"
#include "QtText.h"
#include "pages/HDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kq70 {

namespace {

constexpr int ROWS_PER_COLUMN = 14;

// Page labels carry the old ampersand mnemonics; they stay as the labels' mnemonics.
int columnCount(int rows) {
    return std::max(1, (rows + ROWS_PER_COLUMN - 1) / ROWS_PER_COLUMN);
}

QString labelText(const std::string& label) {
    return qt(label) + QLatin1Char(':');
}

} // namespace

ParameterPageDialog::ParameterPageDialog(HDialog& page, const QString& title, QWidget* parent,
                                         HelpFunction help)
    : ParameterPageDialog(page, title, parent, std::move(help), OwnLayout{}) {
    buildControls();
    refresh();
    showPrompt();
}

ParameterPageDialog::ParameterPageDialog(HDialog& page, const QString& title, QWidget* parent,
                                         HelpFunction help, OwnLayout /*unused*/)
    : QDialog(parent), m_page(page), m_help(std::move(help)) {
    setWindowTitle(title);
    setObjectName(QString::fromStdString(page.GetClassName()));
    m_page.OnInitDialog();
}

QString ParameterPageDialog::helpTopic() const {
    const std::string_view topic = m_page.GetHelpTopic();
    return QString::fromUtf8(topic.data(), static_cast<qsizetype>(topic.size()));
}

void ParameterPageDialog::buildControls() {
    auto* root = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    root->addLayout(columns);
    QFormLayout* form = nullptr;
    int rows = 0;
    int visibleCount = 0;
    for (const PageControl& control : m_page.GetControls()) {
        visibleCount += control.visible ? 1 : 0;
    }
    const int perColumn =
        (visibleCount + columnCount(visibleCount) - 1) / columnCount(visibleCount);

    for (const PageControl& control : m_page.GetControls()) {
        if (form == nullptr || rows >= perColumn) {
            form = new QFormLayout;
            form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
            form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
            columns->addLayout(form);
            rows = 0;
        }
        QWidget* widget = createControlWidget(control);
        const int id = control.id;
        if (control.kind == ControlKind::Combo || control.kind == ControlKind::Edit) {
            auto* label = new QLabel(labelText(control.label), this);
            label->setBuddy(widget);
            m_labels.insert(id, label);
            form->addRow(label, widget);
        } else {
            form->addRow(widget);
        }
        if (control.visible) {
            ++rows;
        }
    }

    addPromptAndButtons(root);
}

QWidget* ParameterPageDialog::createControlWidget(const PageControl& control) {
    const int id = control.id;
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::Combo: {
        auto* combo = new QComboBox(this);
        connect(combo, &QComboBox::activated, this, [this, id](int index) {
            m_page.SelectIndex(id, index);
            refresh();
        });
        widget = combo;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(this);
        connect(edit, &QLineEdit::textEdited, this, [this, id, edit](const QString& typed) {
            const int cursor = edit->cursorPosition();
            m_page.TypeText(id, typed.toStdString());
            refresh();
            edit->setCursorPosition(std::min(cursor, static_cast<int>(edit->text().size())));
        });
        widget = edit;
        break;
    }
    case ControlKind::Check: {
        auto* check = new QCheckBox(qt(control.label), this);
        connect(check, &QCheckBox::clicked, this, [this, id](bool checked) {
            m_page.SelectIndex(id, checked ? 1 : 0);
            refresh();
        });
        widget = check;
        break;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(qt(control.label), this);
        label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    }
    widget->setObjectName(QStringLiteral("control%1").arg(id));
    widget->installEventFilter(this);
    m_widgets.insert(id, widget);
    return widget;
}

void ParameterPageDialog::addPromptAndButtons(QVBoxLayout* root) {
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    root->addWidget(line);
    auto* prompt = new QHBoxLayout;
    m_promptFirst = new QLabel(this);
    m_promptFirst->setObjectName(QStringLiteral("promptFirst"));
    m_promptFirst->setTextFormat(Qt::PlainText);
    // One line wide enough for the pages' longest prompts, so the page keeps its size.
    m_promptFirst->setMinimumWidth(
        m_promptFirst->fontMetrics().horizontalAdvance(QString(52, QLatin1Char('x'))));
    m_promptSecond = new QLabel(this);
    m_promptSecond->setTextFormat(Qt::PlainText);
    // Room for the widest second pane ("<SELECT>") before any control has the focus.
    m_promptSecond->setMinimumWidth(
        m_promptSecond->fontMetrics().horizontalAdvance(QStringLiteral("<SELECT>")) + 8);
    m_promptSecond->setObjectName(QStringLiteral("promptSecond"));
    prompt->addWidget(m_promptFirst, 1);
    prompt->addWidget(m_promptSecond);
    root->addLayout(prompt);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (m_help) {
        buttons->addButton(QDialogButtonBox::Help);
    }
    nameDialogButtons(*buttons);
    for (QAbstractButton* button : buttons->buttons()) {
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            // Enter belongs to the buttons only; see keyPressEvent.
            push->setAutoDefault(false);
            push->setDefault(false);
        }
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &ParameterPageDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ParameterPageDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (m_help) {
            m_help(helpTopic());
        }
    });
    root->addWidget(buttons);
}

void ParameterPageDialog::refresh() {
    m_refreshing = true;
    for (const PageControl& control : m_page.GetControls()) {
        QWidget* widget = m_widgets.value(control.id);
        if (widget == nullptr) {
            continue;
        }
        widget->setVisible(control.visible);
        widget->setEnabled(control.enabled);
        if (QLabel* label = m_labels.value(control.id)) {
            label->setVisible(control.visible);
            label->setEnabled(control.enabled);
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            QStringList texts;
            for (const ComboItem& item : control.items) {
                texts.append(qt(item.text));
            }
            QStringList shown;
            for (int i = 0; i < combo->count(); ++i) {
                shown.append(combo->itemText(i));
            }
            if (shown != texts) {
                const QSignalBlocker block(combo);
                combo->clear();
                combo->addItems(texts);
            }
            combo->setCurrentIndex(control.selectedIndex);
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            if (control.maxLength > 0) {
                edit->setMaxLength(control.maxLength);
            }
            if (edit->text() != qt(control.text)) {
                edit->setText(qt(control.text));
            }
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            check->setChecked(control.checked);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            // A page may rewrite a label, e.g. a count of what is left.
            label->setText(qt(control.label));
        }
    }
    m_refreshing = false;
}

void ParameterPageDialog::showPrompt() {
    const auto& [first, second] = m_page.GetPromptLine();
    m_promptFirst->setText(qt(first));
    m_promptSecond->setText(qt(second));
}

QString ParameterPageDialog::promptText() const {
    return m_promptFirst->text() + QLatin1Char('\n') + m_promptSecond->text();
}

bool ParameterPageDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (auto it = m_widgets.cbegin(); it != m_widgets.cend(); ++it) {
            if (it.value() == watched) {
                m_page.SetFocus(it.key());
                showPrompt();
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ParameterPageDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_F1) {
        if (m_help) {
            m_help(helpTopic());
        }
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter on a field would close the page by accident: only the buttons take it.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void ParameterPageDialog::accept() {
    if (m_page.OnOK()) {
        QDialog::accept();
    } else {
        refresh();
    }
}

void ParameterPageDialog::reject() {
    m_page.OnCancel();
    QDialog::reject();
}

} // namespace kq70
