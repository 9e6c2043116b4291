// How fast the channel grid answers on a 256-channel radio with 16 groups, in the
// manufacture mode, on the offscreen platform: opening a data file until the grid is painted,
// a full refresh (and paint) of the largest group, and one cell action with the partial
// refresh and paint it causes.
//
// Run: build/<tree>/bench/grid

#include "ChannelViewWidget.h"
#include "FlexGridWidget.h"
#include "QtUserPrompt.h"
#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "channel/ChannelCellTexts.h"
#include "channel/HChannelData.h"
#include "channel/HChannelRecord.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "frame/DocumentCommands.h"
#include "params/HHardwareParams.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace kq70;

constexpr int LARGEST_GROUP = 241; // the other fifteen groups hold one channel each

RadioImage radioWith16Groups() {
    RadioImage image;
    BuildDefaultImage(PMR446_BAND, image);
    HHardwareParams hardware;
    hardware.extract(image);
    hardware.set(HW_RADIO_CHANNEL, 6);
    hardware.store(image);
    HChannelData data;
    data.extract(image);
    data.groups().setCount(0, LARGEST_GROUP);
    for (int g = 1; g < HGroupTable::GROUP_COUNT; ++g) {
        data.groups().setCount(g, 1);
    }
    for (int ch = 0; ch < data.capacity(); ++ch) {
        const std::int32_t hz = 440000000 + ch * 12500;
        data.setValue(ch, inUse, 1);
        data.setValue(ch, rxFrequency, hz);
        data.setValue(ch, txFrequency, hz);
        data.setValue(ch, txInhibit, 0);
        data.setValue(ch, scan, ch % 2);
        data.setValue(ch, rxToneMode, ch % 3 == 0 ? 1 : 0);
        data.setValue(ch, rxToneCode, ch % 3 == 0 ? 885 : 0);
    }
    data.store(image);
    return image;
}

// Counts the grid's paints, so the figures show the painting really happened.
struct PaintCounter : QObject {
    long count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

// A shown channel view over a document, as the main window holds it.
struct Shown {
    CKQ70Doc doc;
    AppSettings settings;
    QtUserPrompt prompt;
    AccessMode mode{ACCESS_MANUFACTURE};
    ChannelViewWidget view{doc, prompt, mode, settings};

    PaintCounter paints;

    Shown() {
        view.resize(1000, 700);
        view.show();
        while (view.windowHandle() == nullptr || !view.windowHandle()->isExposed()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        view.grid().viewport()->installEventFilter(&paints);
    }
    // Paints the whole grid now, as the event loop does after a refresh.
    void paint() { view.grid().viewport()->repaint(); }
    // Paints one cell now: all a cell action leaves dirty.
    void paintCell(int row, int column) {
        FlexGridWidget& grid = view.grid();
        grid.viewport()->repaint(
            grid.visualRect(grid.model()->index(grid.tableRow(row), grid.tableColumn(column))));
    }
};

struct Fixture {
    QTemporaryDir folder;
    std::string path = QDir(folder.path()).filePath(QStringLiteral("fleet.K70")).toStdString();
    Shown shown;

    Fixture() {
        if (!WriteDataFile(path, radioWith16Groups(), shown.prompt)) {
            std::abort();
        }
        open();
    }
    void open() {
        if (!ReadDataFile(path, shown.doc.GetMainMemory(), shown.prompt)) {
            std::abort();
        }
        shown.view.documentChanged();
        shown.paint();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void OpenFileAndShowGrid(benchmark::State& state) {
    Fixture& f = fixture();
    const long paintsBefore = f.shown.paints.count;
    for (auto _ : state) {
        f.open();
    }
    state.counters["rows"] = f.shown.view.grid().rowCount() - 2;
    state.counters["paints"] = static_cast<double>(f.shown.paints.count - paintsBefore);
}
BENCHMARK(OpenFileAndShowGrid)->Unit(benchmark::kMillisecond);

void RefreshLargestGroup(benchmark::State& state) {
    Fixture& f = fixture();
    f.shown.view.view().SelectGroup(0);
    for (auto _ : state) {
        f.shown.view.view().Refresh();
    }
    state.counters["rows"] = f.shown.view.grid().rowCount() - 2;
}
BENCHMARK(RefreshLargestGroup)->Unit(benchmark::kMillisecond);

void RefreshAndPaintLargestGroup(benchmark::State& state) {
    Fixture& f = fixture();
    f.shown.view.view().SelectGroup(0);
    const long paintsBefore = f.shown.paints.count;
    for (auto _ : state) {
        f.shown.view.view().Refresh();
        f.shown.paint();
    }
    state.counters["paints"] = static_cast<double>(f.shown.paints.count - paintsBefore);
}
BENCHMARK(RefreshAndPaintLargestGroup)->Unit(benchmark::kMillisecond);

// Space on the Scan cell of a channel half-way down: the toggle, the cell's refresh, a paint.
void CellActionWithPartialRefresh(benchmark::State& state) {
    Fixture& f = fixture();
    f.shown.view.view().SelectGroup(0);
    FlexGridWidget& grid = f.shown.view.grid();
    const int row = 2 + LARGEST_GROUP / 2;
    grid.setTopRow(row);
    const long paintsBefore = f.shown.paints.count;
    for (auto _ : state) {
        grid.setRow(row);
        grid.setColumn(COL_SCAN);
        f.shown.view.view().OnSpace();
        f.shown.paintCell(row, COL_SCAN);
    }
    state.counters["paints"] = static_cast<double>(f.shown.paints.count - paintsBefore);
}
BENCHMARK(CellActionWithPartialRefresh)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
