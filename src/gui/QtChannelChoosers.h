#pragma once

#include "channel/ChannelChoosers.h"

#include <QPointer>
#include <QWidget>

namespace kq70 {

// The channel grid's choosers as small modal dialogs over a list: arrow keys and typing move
// in the list, Enter or a double-click takes the entry, Escape gives nothing. The lists, their
// presets and what typing finds come from ChooserLists.
class QtChannelChoosers : public ChannelChoosers {
public:
    explicit QtChannelChoosers(QWidget* parent = nullptr) : m_parent(parent) {}

    // The window the dialogs open over.
    void setParent(QWidget* parent) { m_parent = parent; }

    std::optional<int> choosePmrChannel(int preset) override;
    std::optional<Tone> chooseTone(const Tone& current) override;
    std::optional<int> chooseSignalNumber(int type, int preset) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace kq70
