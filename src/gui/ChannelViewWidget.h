#pragma once

#include "channel/CKQ70View.h"
#include "channel/ChannelChoosers.h"
#include "frame/ChannelViewBinding.h"

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;

namespace kq70 {

class AccessMode;
class CKQ70Doc;
class FlexGridWidget;
class HChannelAllocationDialog;
class UserPrompt;
struct AppSettings;

// The main window's channel editor: the information strip and group selector above the grid
// of the current group's channels. It paints what the channel view decides and hands it every
// key and click the view wants to see before the grid does.
class ChannelViewWidget : public QWidget {
public:
    ChannelViewWidget(CKQ70Doc& doc, UserPrompt& prompt, const AccessMode& accessMode,
                      AppSettings& settings, QWidget* parent = nullptr);
    ~ChannelViewWidget() override;

    // The choosers the grid's cells open; none means every chooser is cancelled.
    void setChoosers(ChannelChoosers* choosers) { m_relay.target = choosers; }
    // Told after anything the user did here, so the window can show the document's state.
    void setChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }
    void setStatusHandler(std::function<void(const QString&)> handler) {
        m_status = std::move(handler);
    }
    void setFrameRequestHandler(std::function<void(CKQ70View::FrameRequest)> handler) {
        m_frameRequest = std::move(handler);
    }
    void setHelpHandler(std::function<void(int topic)> handler) { m_help = std::move(handler); }

    // Document binding: it follows the document's announcements by itself; these are for
    // an image changed behind the document's back (tests, start-up).
    void documentChanged();
    void reload();
    void saveData();
    bool runChannelAllocation(const std::function<bool(HChannelAllocationDialog&)>& runModal);
    // What the commands commit before they run.
    ChannelViewBinding& binding() { return m_binding; }

    // Edit menu; only while the grid has the focus.
    bool gridHasFocus() const;
    void copyToClipboard();
    void pasteFromClipboard();

    CKQ70View& view() { return m_view; }
    FlexGridWidget& grid() { return *m_grid; }
    QComboBox& groupSelector() { return *m_groups; }
    QString stripText() const;
    // Shows the strip again after a value it names changed outside the document (the printer).
    void refreshStrip() { showStrip(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Hands the view's chooser requests to whichever choosers the window set.
    struct ChooserRelay : ChannelChoosers {
        ChannelChoosers* target = nullptr;
        std::optional<int> choosePmrChannel(int preset) override {
            return target != nullptr ? target->choosePmrChannel(preset) : std::nullopt;
        }
        std::optional<Tone> chooseTone(const Tone& current) override {
            return target != nullptr ? target->chooseTone(current) : std::nullopt;
        }
        std::optional<int> chooseSignalNumber(int type, int preset) override {
            return target != nullptr ? target->chooseSignalNumber(type, preset) : std::nullopt;
        }
    };

    void buildStrip();
    void layoutColumns();
    void showStrip();
    bool routeKey(QKeyEvent& key);
    bool isRoutedKey(const QKeyEvent& key) const;
    void doubleClicked(int row, int column);
    void afterInput();
    void showContextMenu(const QPoint& at);

    ChooserRelay m_relay;
    FlexGridWidget* m_grid;
    CKQ70View m_view;
    ChannelViewBinding m_binding;
    QComboBox* m_groups = nullptr;
    std::vector<QLabel*> m_stripLabels;
    QLabel* m_groupLabel = nullptr;
    bool m_columnsLaidOut = false;
    std::function<void()> m_changed;
    std::function<void(const QString&)> m_status;
    std::function<void(CKQ70View::FrameRequest)> m_frameRequest;
    std::function<void(int)> m_help;
};

} // namespace kq70
