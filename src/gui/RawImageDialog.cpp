#include "RawImageDialog.h"

#include "DialogButtons.h"
#include "FlexGridWidget.h"
#include "doc/CKQ70Doc.h"
#include "ui/Strings.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QVBoxLayout>

namespace kq70 {

RawImageDialog::RawImageDialog(CKQ70Doc& doc, int accessMode, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_grid(new FlexGridWidget(this)),
      m_editor(doc.GetMainMemory(), accessMode, *m_grid) {
    setWindowTitle(QString::fromUtf8(text::RAW_EDITOR_TITLE.data(),
                                     static_cast<qsizetype>(text::RAW_EDITOR_TITLE.size())));
    m_grid->setObjectName(QStringLiteral("rawGrid"));
    m_grid->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_grid->setEvents(&m_editor);
    m_editor.fillGrid();
    // Sixteen narrow byte columns, all in view at once.
    const int cell = QFontMetrics(m_grid->font()).horizontalAdvance(QStringLiteral("000")) + 8;
    m_grid->horizontalHeader()->setMinimumSectionSize(cell);
    m_grid->horizontalHeader()->setDefaultSectionSize(cell);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setFont(m_grid->font());
    m_grid->horizontalHeader()->setFont(m_grid->font());
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setCurrentCell(0, 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    nameDialogButtons(*buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &RawImageDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RawImageDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addWidget(buttons);
    // The row labels ("0D000h") whole, beside the header's own margins.
    const int labels =
        QFontMetrics(m_grid->font()).horizontalAdvance(QStringLiteral("00000h")) + 16;
    m_grid->verticalHeader()->setFixedWidth(labels);
    resize(labels + 16 * cell + 60, 560);
}

void RawImageDialog::accept() {
    m_editor.applyTo(m_doc);
    QDialog::accept();
}

} // namespace kq70
