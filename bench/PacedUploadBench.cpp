// Upload All from the main window into the virtual scanner run with --pace,
// so that the scanner takes the bytes no faster than a serial line at the
// chosen speed would (4800 baud, two stop bits: 436 bytes a second).
//
// PacedUploadAll/gaps: a whole 200-channel upload. A 5 ms timer runs in the
// window's event loop; max_gap_ms is the longest time between two of its
// ticks while the upload runs (goal: at most 100 ms), upload_s the time the
// command took.
// PacedUploadAll/cancel: the same upload, cancelled with Escape in the
// progress window two seconds in. cancel_to_released_ms is the time from the
// key to the command's return, by which the port has been closed (goal: at
// most one packet's line time, 0.6 s at 4800 baud).
#include "app/CMainFrame.h"
#include "app/CScannerApp.h"
#include "modules/gre1/vnGre1Settings.h"
#include "modules/vnSettingsStore.h"
#include "res/ResourceIds.h"
#include "tests/support/VirtualScannerProcess.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kBaud = 4800;

// A started Scanlore whose port is the paced virtual scanner, with 200
// channels to send.
struct PacedSetup
{
    VirtualScannerProcess scanner{SCANLORE_VSCANNER, {"--pace"}};
    std::unique_ptr<CScannerApp> app;
    CMainFrame* frame = nullptr;

    bool Start()
    {
        auto device = scanner.NextLine();
        if (!device)
            return false;
        auto store = std::make_unique<vnMemorySettingsStore>();
        store->SetSettingInt("", "First Run", 0);
        store->SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, *device);
        store->SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, kBaud);
        store->SetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, 2);
        app = std::make_unique<CScannerApp>(std::move(store));
        if (!app->InitInstance())
            return false;
        frame = static_cast<CMainFrame*>(app->GetMainWnd());
        for (int row = 0; row < 200; ++row) {
            frame->GetDocument().EditCell(row, ChannelField::Frequency, row < 100 ? "151.0025" : "851.0125");
            if (row % 4 == 0)
                frame->GetDocument().EditCell(row, ChannelField::CarNumber, std::to_string(1000 + row));
        }
        QCoreApplication::processEvents();
        return true;
    }
};

void PacedUploadGaps(benchmark::State& state)
{
    for (auto _ : state) {
        PacedSetup setup;
        if (!setup.Start()) {
            state.SkipWithError("no virtual scanner");
            return;
        }
        Clock::time_point last = Clock::now();
        Milliseconds longest{0};
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            longest = std::max(longest, Milliseconds(now - last));
            last = now;
        });
        tick.start(5);
        const auto start = Clock::now();
        last = start;
        setup.frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL);
        const auto end = Clock::now();
        tick.stop();
        longest = std::max(longest, Milliseconds(end - last));
        state.counters["max_gap_ms"] = longest.count();
        state.counters["upload_s"] = std::chrono::duration<double>(end - start).count();
    }
}
BENCHMARK(PacedUploadGaps)->Name("PacedUploadAll/gaps")->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void PacedUploadCancel(benchmark::State& state)
{
    std::vector<double> figures;
    for (auto _ : state) {
        PacedSetup setup;
        if (!setup.Start()) {
            state.SkipWithError("no virtual scanner");
            return;
        }
        Clock::time_point cancelled{};
        const auto start = Clock::now();
        QTimer press;
        QObject::connect(&press, &QTimer::timeout, [&] {
            if (cancelled != Clock::time_point{} || Clock::now() - start < std::chrono::seconds(2))
                return;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(window);
                if (!progress || !progress->isVisible())
                    continue;
                cancelled = Clock::now();
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(progress, &escape);
                break;
            }
        });
        press.start(10);
        setup.frame->ExecuteCommand(ID_TRANSFER_UPLOAD_ALL);
        const auto end = Clock::now();
        press.stop();
        if (cancelled == Clock::time_point{}) {
            state.SkipWithError("the upload ended before Cancel");
            return;
        }
        figures.push_back(Milliseconds(end - cancelled).count());
    }
    if (!figures.empty()) {
        state.counters["cancel_to_released_ms"] = *std::max_element(figures.begin(), figures.end());
        state.counters["cancel_to_released_min_ms"] = *std::min_element(figures.begin(), figures.end());
    }
}
BENCHMARK(PacedUploadCancel)->Name("PacedUploadAll/cancel")->Iterations(5)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
