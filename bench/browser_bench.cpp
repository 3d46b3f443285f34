// browser_bench: how long the file browser takes from NavigateToPath to the
// first painted rows of a folder of 1,000, 10,000 and 100,000 files, beside the
// time of `ls -f DIR` (names only, unsorted) on the same folder, and the peak
// memory of the process.
//
//   browser_bench [WORK_FOLDER]     (default: the system's temporary folder)
#include "ui/MessageBoxes.h"
#include "ui/browser/ShellBrowser.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeView>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using tornavel::ui::ShellBrowser;

namespace {

constexpr int kRuns = 5;

// Notes the first paint of a widget after being armed.
class PaintWatch : public QObject {
public:
    void arm() { painted_ = false; }
    bool painted() const { return painted_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted_ = true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted_ = true;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool makeFiles(const QString& folder, int count) {
    if (!QDir().mkpath(folder)) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QStringLiteral("/soubor_%1.txt").arg(i, 6, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly)) {
            return false;
        }
        file.write("x", i % 3); // a few sizes
    }
    return true;
}

// `ls -f folder`, started directly (no shell); its output lines counted here.
double timeLs(const QString& folder, int expectedLines) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        QProcess ls;
        ls.start(QStringLiteral("ls"), {QStringLiteral("-f"), folder});
        ls.waitForFinished(-1);
        const QByteArray out = ls.readAllStandardOutput();
        const double ms = timer.nsecsElapsed() / 1e6;
        const int lines = static_cast<int>(out.count('\n'));
        if (lines != expectedLines) {
            std::fprintf(stderr, "ls gave %d lines, expected %d\n", lines, expectedLines);
        }
        times.push_back(ms);
    }
    return median(times);
}

struct BrowserTimes {
    double navigate = 0; // NavigateToPath itself: enumeration, sort, row count
    double firstPaint = 0;
};

BrowserTimes timeBrowser(ShellBrowser& browser, PaintWatch& watch, const QString& folder) {
    std::vector<double> navigate;
    std::vector<double> paint;
    for (int run = 0; run < kRuns; ++run) {
        // Start from a small folder so every run fills the list anew.
        browser.NavigateToPath(QDir::tempPath());
        QCoreApplication::processEvents();
        watch.arm();
        QElapsedTimer timer;
        timer.start();
        browser.NavigateToPath(folder);
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

    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir work(base + QStringLiteral("/browser_bench-XXXXXX"));
    if (!work.isValid()) {
        std::fprintf(stderr, "cannot create a work folder under %s\n", qPrintable(base));
        return 2;
    }

    std::printf("%-8s %-12s %10s %14s %16s %8s %14s\n", "files", "view", "ls -f ms", "navigate ms",
                "first paint ms", "ratio", "peak RSS MiB");
    for (const char* styleName : {"vsReport", "vsSmallIcon"}) {
        ShellBrowser browser;
        browser.resize(465, 200);
        browser.SetUp(QString::fromLatin1(styleName), QDir::tempPath() + u'/');
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

        for (const int count : {1000, 10000, 100000}) {
            const QString folder = work.path() + QStringLiteral("/f%1").arg(count);
            if (!QFileInfo::exists(folder) && !makeFiles(folder, count)) {
                std::fprintf(stderr, "cannot create the files in %s\n", qPrintable(folder));
                return 2;
            }
            timeLs(folder, count + 2); // warm the caches alike for both
            const double ls = timeLs(folder, count + 2);
            const BrowserTimes t = timeBrowser(browser, watch, folder);
            if (browser.model()->rowCount() != count) {
                std::fprintf(stderr, "the browser shows %d rows, expected %d\n",
                             browser.model()->rowCount(), count);
                return 1;
            }
            std::printf("%-8d %-12s %10.1f %14.1f %16.1f %8.2f %14.1f\n", count, styleName, ls,
                        t.navigate, t.firstPaint, t.firstPaint / ls, peakMemoryKB() / 1024.0);
            std::fflush(stdout);
        }
    }
    return 0;
}
