// File > Print of a full table to a PDF file: 200 channels, every one with a
// frequency, a description and a car number, on the offscreen platform.
// Goal: under half a second for the whole document, file written.
#include "app/CMainFrame.h"
#include "app/CPageSetup.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/vnInstalledModules.h"
#include "modules/vnSettingsStore.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_PrintTwoHundredChannelsToPdf(benchmark::State& state)
{
    vnMemorySettingsStore store;
    store.SetSettingInt("", "First Run", 0);
    CPageSetup pageSetup;
    pageSetup.pageSize = QPageSize(QPageSize::A4);
    pageSetup.margins = QMarginsF(15, 15, 15, 15);
    pageSetup.Write(store);
    vnSettingsScope storeInUse(store);
    vnInstalledModules modules({vnGre1Module::Factory()});
    CMainFrame frame;
    frame.LoadFrame(IDR_MAINFRAME);
    const int channels = frame.GetDocument().GetChannels().GetCount();
    for (int row = 0; row < channels; ++row) {
        frame.GetDocument().EditCell(row, ChannelField::Frequency, std::to_string(150 + row % 300) + ".5250");
        frame.GetDocument().EditCell(row, ChannelField::Description,
                                     "County fire dispatch north " + std::to_string(row + 1));
        frame.GetDocument().EditCell(row, ChannelField::CarNumber, "A" + std::to_string(row % 40));
    }
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("channels.pdf"));
    int pages = 0;
    for (auto _ : state) {
        // The printer as Print makes it: the stored page setup, then a PDF file.
        QPrinter printer(QPrinter::HighResolution);
        CPageSetup::Read(vnSettings()).Apply(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        pages = frame.PrintChannels(printer);
    } // the file is complete once the printer is gone
    state.counters["channels"] = channels;
    state.counters["pages"] = pages;
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(pdf).size());
}
// The first print of the process (the printer's fonts load here), then the
// prints after it.
BENCHMARK(BM_PrintTwoHundredChannelsToPdf)
    ->Name("BM_FirstPrintTwoHundredChannelsToPdf")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintTwoHundredChannelsToPdf)->Unit(benchmark::kMillisecond);

} // namespace
