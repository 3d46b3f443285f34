// browser_bench: how long the file browser takes from navigateToPath to the
// first painted rows of a folder of 1,000, 10,000 and 100,000 files, beside the
// time of `ls -f DIR` (names only, unsorted) on the same folder, and the peak
// memory of the process. Then two folders of bad names, 100,000 each: names
// that are not UTF-8, and names 255 bytes long that differ only at the end.
//
//   browser_bench [WORK_FOLDER]     (default: the system's temporary folder)
#include "BenchSupport.h"
#include "ui/MessageBoxes.h"
#include "ui/browser/ShellBrowser.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QTableView>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <vector>

using tornavel::ui::ShellBrowser;

namespace {

using bench::kRuns;
using bench::median;
using bench::PaintWatch;

enum class Names { Plain, NotUtf8, Long };

// The name of file i: "soubor_000042.txt"; with bytes that are no UTF-8; or
// 255 bytes of which only the number at the end differs.
std::string fileName(Names names, int i) {
    char number[16];
    std::snprintf(number, sizeof number, "%06d", i);
    switch (names) {
    case Names::NotUtf8:
        return std::string("soubor_\xff") + number + "\xc3.txt";
    case Names::Long:
        return std::string(255 - 6 - 4, 'd') + number + ".txt";
    case Names::Plain:
        break;
    }
    return bench::numberedName(i);
}

struct BrowserTimes {
    double navigate = 0; // navigateToPath itself: enumeration, sort, row count
    double firstPaint = 0;
};

BrowserTimes timeBrowser(ShellBrowser& browser, PaintWatch& watch, const QString& folder) {
    std::vector<double> navigate;
    std::vector<double> paint;
    for (int run = 0; run < kRuns; ++run) {
        // Start from a small folder so every run fills the list anew.
        browser.navigateToPath(QDir::tempPath());
        QCoreApplication::processEvents();
        watch.arm();
        QElapsedTimer timer;
        timer.start();
        browser.navigateToPath(folder);
        navigate.push_back(timer.nsecsElapsed() / 1e6);
        while (!watch.painted()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        paint.push_back(timer.nsecsElapsed() / 1e6);
    }
    return {median(navigate), median(paint)};
}

long peakMemoryKB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    tornavel::ui::MessageBoxes::enableTestMode();

    const std::optional<QTemporaryDir> work = bench::makeWorkFolder(argc, argv, "browser_bench");
    if (!work) {
        return 2;
    }
    // QTemporaryDir cannot remove names that are not UTF-8; std::filesystem
    // takes names as bytes.
    struct RemoveAtExit {
        std::string path;
        ~RemoveAtExit() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } removeAtExit{QFile::encodeName(work->path()).toStdString()};

    std::printf("%-8s %-12s %-10s %10s %14s %16s %8s %14s\n", "files", "view", "names", "ls -f ms",
                "navigate ms", "first paint ms", "ratio", "peak RSS MiB");
    struct Case {
        int count;
        Names names;
    };
    const Case plainCases[] = {{1000, Names::Plain}, {10000, Names::Plain}, {100000, Names::Plain}};
    const Case badCases[] = {{100000, Names::NotUtf8}, {100000, Names::Long}};
    struct Series {
        const char* style;
        const Case* first;
        const Case* last;
    };
    const Series series[] = {{"vsReport", std::begin(plainCases), std::end(plainCases)},
                             {"vsSmallIcon", std::begin(plainCases), std::end(plainCases)},
                             {"vsReport", std::begin(badCases), std::end(badCases)}};
    for (const Series& s : series) {
        ShellBrowser browser;
        browser.resize(465, 200);
        browser.setUp(QString::fromLatin1(s.style), QDir::tempPath() + u'/');
        browser.show();
        QElapsedTimer shown;
        shown.start();
        while (!browser.windowHandle() || !browser.windowHandle()->isExposed()) {
            QCoreApplication::processEvents();
            if (shown.elapsed() > 5000) {
                std::fprintf(stderr, "the browser was not shown\n");
                return 2;
            }
        }
        PaintWatch watch;
        browser.reportView()->viewport()->installEventFilter(&watch);
        browser.iconView()->viewport()->installEventFilter(&watch);

        for (const Case* c = s.first; c != s.last; ++c) {
            static const char* const nameKinds[] = {"plain", "not UTF-8", "255 bytes"};
            const char* kind = nameKinds[static_cast<int>(c->names)];
            const QString folder = work->path() + QStringLiteral("/f%1-%2").arg(c->count).arg(
                                                      static_cast<int>(c->names));
            if (!QFileInfo::exists(folder) &&
                !bench::makeFiles(folder, c->count, [c](int i) { return fileName(c->names, i); })) {
                std::fprintf(stderr, "cannot create the files in %s\n", qPrintable(folder));
                return 2;
            }
            bench::timeLs(folder, c->count + 2); // warm the caches alike for both
            const double ls = bench::timeLs(folder, c->count + 2);
            const BrowserTimes t = timeBrowser(browser, watch, folder);
            if (browser.model()->rowCount() != c->count) {
                std::fprintf(stderr, "the browser shows %d rows, expected %d\n",
                             browser.model()->rowCount(), c->count);
                return 1;
            }
            std::printf("%-8d %-12s %-10s %10.1f %14.1f %16.1f %8.2f %14.1f\n", c->count, s.style,
                        kind, ls, t.navigate, t.firstPaint, t.firstPaint / ls,
                        peakMemoryKB() / 1024.0);
            std::fflush(stdout);
        }
    }
    return 0;
}
