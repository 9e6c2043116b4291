#include "RawImageDialog.h"

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
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->setMinimumSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("WWW")));
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &RawImageDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RawImageDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addWidget(buttons);
    resize(640, 520);
}

void RawImageDialog::accept() {
    m_editor.applyTo(m_doc);
    QDialog::accept();
}

} // namespace kq70
