// startup_bench: how long the main window takes from its construction to the
// first painted rows of its file browser (the window shown on the page
// "Soubory" and active), with a SourceFolder of 100,000 files against an empty
// SourceFolder in the same run, beside the time of `ls -f` of the full folder.
// Both folders were last changed an hour ago, as a working folder is found at
// start. Median of 5 runs for each view style; each run starts both windows
// and times `ls -f` once.
//
//   startup_bench [WORK_FOLDER]     (default: the system's temporary folder)
#include "BenchSupport.h"
#include "ui/MessageBoxes.h"
#include "ui/browser/ShellBrowser.h"
#include "ui/mainwindow/MainWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QLocale>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <vector>

using tornavel::ui::MainWindow;

namespace {

using bench::kRuns;
using bench::median;
using bench::PaintWatch;

constexpr int kFiles = 100000;

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool setChangedAnHourAgo(const QString& folder) {
    const timespec anHourAgo{QDateTime::currentSecsSinceEpoch() - 3600, 0};
    const timespec times[2] = {anHourAgo, anHourAgo};
    return ::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0) == 0;
}

struct StartUp {
    double ms = 0;
    int rows = 0;
    int listings = 0;
};

// One start of the main window: construction, the page "Soubory", shown and
// active, until the browser's list has painted.
StartUp startWindow(const QString& programFolder) {
    QElapsedTimer timer;
    timer.start();
    auto form = std::make_unique<MainWindow>(programFolder.toStdString());
    form->findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1"))->setCurrentIndex(1);
    PaintWatch watch;
    form->browser()->reportView()->viewport()->installEventFilter(&watch);
    form->browser()->iconView()->viewport()->installEventFilter(&watch);
    watch.arm();
    form->show();
    QApplication::setActiveWindow(form.get());
    while (!watch.painted() || !form->isActiveWindow()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (timer.elapsed() > 20000) {
            std::fprintf(stderr, "the window did not paint its list\n");
            std::exit(2);
        }
    }
    StartUp result;
    result.ms = timer.nsecsElapsed() / 1e6;
    result.rows = form->browser()->model()->rowCount();
    result.listings = form->browser()->enumerationCount();
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    tornavel::ui::MessageBoxes::enableTestMode();

    const std::optional<QTemporaryDir> work = bench::makeWorkFolder(argc, argv, "startup_bench");
    if (!work) {
        return 2;
    }
    const QString emptyFolder = work->filePath(QStringLiteral("prazdna"));
    const QString fullFolder = work->filePath(QStringLiteral("plna"));
    if (!QDir().mkpath(emptyFolder) || !QDir().mkpath(fullFolder) ||
        !bench::makeFiles(fullFolder, kFiles, bench::numberedName) ||
        !setChangedAnHourAgo(emptyFolder) || !setChangedAnHourAgo(fullFolder)) {
        std::fprintf(stderr, "cannot create the folders under %s\n", qPrintable(work->path()));
        return 2;
    }
    bench::timeLs(fullFolder, kFiles + 2); // warm the caches alike for both

    std::printf("%-12s %12s %12s %14s %10s %8s %10s\n", "view", "empty ms", "100,000 ms",
                "difference ms", "ls -f ms", "ratio", "listings");
    for (const char* style : {"vsReport", "vsSmallIcon"}) {
        // A program folder per SourceFolder, each with its settings file.
        QString programFolders[2];
        const QString sourceFolders[2] = {emptyFolder, fullFolder};
        for (int i = 0; i < 2; ++i) {
            programFolders[i] = work->filePath(QStringLiteral("program-%1-%2/").arg(style).arg(i));
            const QByteArray ini =
                "[Nastaveni]\r\nVystupniAdresar=" + QFile::encodeName(sourceFolders[i]) +
                "/\r\ntypView=" + style + "\r\n";
            if (!QDir().mkpath(programFolders[i]) ||
                !writeFile(programFolders[i] + QStringLiteral("Tornavel.ini"), ini)) {
                std::fprintf(stderr, "cannot write the settings file\n");
                return 2;
            }
        }
        startWindow(programFolders[0]); // a first start loads what every start shares
        // Each run starts both windows and lists the folder with ls, so the
        // three see the same load of a shared machine.
        std::vector<double> times[2];
        std::vector<double> lsTimes;
        StartUp last[2];
        for (int run = 0; run < kRuns; ++run) {
            for (int i = 0; i < 2; ++i) {
                last[i] = startWindow(programFolders[i]);
                times[i].push_back(last[i].ms);
            }
            lsTimes.push_back(bench::timeLsOnce(fullFolder, kFiles + 2));
        }
        const double ls = median(lsTimes);
        if (last[0].rows != 0 || last[1].rows != kFiles) {
            std::fprintf(stderr, "the browser showed %d and %d rows\n", last[0].rows, last[1].rows);
            return 1;
        }
        const double empty = median(times[0]);
        const double full = median(times[1]);
        std::printf("%-12s %12.1f %12.1f %14.1f %10.1f %8.2f %10d\n", style, empty, full,
                    full - empty, ls, (full - empty) / ls, last[1].listings);
        std::fflush(stdout);
    }
    return 0;
}
