#pragma once

#include <QDialog>

#include <array>
#include <vector>

class QCheckBox;

namespace kq70 {

class CKQ70View;

// View > Item > Visible: one check box per column item, as the view's flags stand. On OK the
// view takes the boxes and applies its column rules again; items the window never offers are
// shown but cannot be changed.
class VisibleItemsDialog : public QDialog {
public:
    VisibleItemsDialog(CKQ70View& view, QWidget* parent = nullptr);

    QCheckBox& box(int item) { return *m_boxes[static_cast<std::size_t>(item)]; }
    void accept() override;

private:
    CKQ70View& m_view;
    std::vector<QCheckBox*> m_boxes;
};

} // namespace kq70
