#pragma once

#include "ParameterPageDialog.h"

class QPushButton;
class QWidget;

namespace kq70 {

class HChannelAllocationDialog;

// The channel allocation and group tag page laid out as a table: per group a label, the
// channel count, the alpha tag and the group scan choice, in one column of rows for the small
// page and two columns of eight for the large one with the "Channels Left" label below. A
// count is worked out again when its edit loses the focus or takes Enter.
class ChannelAllocationWindow : public ParameterPageDialog {
public:
    ChannelAllocationWindow(HChannelAllocationDialog& page, QWidget* parent = nullptr,
                            HelpFunction help = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    // The group whose count edit `watched` is, or -1.
    int countGroupOf(const QObject* watched) const;
    void countLeft(int group);
    // Enter in a count edit; true when it was swallowed.
    bool countEnter(int group);
    void moveFocusAsRequested();
    void pressDefaultButton();
    QPushButton* okButton() const;

    HChannelAllocationDialog& m_allocation;
};

// Runs the page modally; true when it closed with OK, after the page stored its values.
bool runChannelAllocationWindow(HChannelAllocationDialog& page, QWidget* parent,
                                ParameterPageDialog::HelpFunction help = {});

} // namespace kq70
