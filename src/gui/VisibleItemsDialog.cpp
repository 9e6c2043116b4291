#include "VisibleItemsDialog.h"

#include "DialogButtons.h"
#include "QtText.h"
#include "channel/CKQ70View.h"
#include "channel/ChannelGridLayout.h"
#include "ui/Strings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

namespace kq70 {

namespace {

constexpr int BOXES_PER_COLUMN = 9;

} // namespace

VisibleItemsDialog::VisibleItemsDialog(CKQ70View& view, QWidget* parent)
    : QDialog(parent), m_view(view) {
    setObjectName(QStringLiteral("visibleItems"));
    setWindowTitle(qt(text::VISIBLE_DIALOG_TITLE));
    auto* boxes = new QGridLayout;
    for (int item = 0; item < ChannelGridLayout::ITEM_COUNT; ++item) {
        auto* box = new QCheckBox(qt(text::MENU_VIEW_ITEMS[static_cast<std::size_t>(item)]), this);
        box->setObjectName(QStringLiteral("item%1").arg(item + 1));
        box->setChecked(view.ItemChecked(item));
        box->setEnabled(view.ItemCommandEnabled(item));
        boxes->addWidget(box, item % BOXES_PER_COLUMN, item / BOXES_PER_COLUMN);
        m_boxes.push_back(box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    nameDialogButtons(*buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &VisibleItemsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VisibleItemsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(buttons);
}

void VisibleItemsDialog::accept() {
    std::array<int, ChannelGridLayout::ITEM_COUNT> items{};
    for (std::size_t item = 0; item < items.size(); ++item) {
        items[item] = m_boxes[item]->isChecked() ? 1 : 0;
    }
    m_view.SetItems(items);
    QDialog::accept();
}

} // namespace kq70
