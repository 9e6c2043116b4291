#pragma once

#include "doc/RawImageEditor.h"

#include <QDialog>

namespace kq70 {

class CKQ70Doc;
class FlexGridWidget;

// "File Data": the raw image editor in a window. The editor works on its own copy; OK hands
// the copy to the document, Cancel drops it.
class RawImageDialog : public QDialog {
public:
    RawImageDialog(CKQ70Doc& doc, int accessMode, QWidget* parent = nullptr);

    FlexGridWidget& grid() { return *m_grid; }
    const RawImageEditor& editor() const { return m_editor; }

    void accept() override;

private:
    CKQ70Doc& m_doc;
    FlexGridWidget* m_grid;
    RawImageEditor m_editor;
};

} // namespace kq70
