#pragma once
// What the benchmark programs share: the paint watch, medians, `ls -f` as the
// yardstick, and folders of many files.

#include "BenchStats.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench {

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

// The benchmark's scratch folder, made under the folder given as the first
// argument or else the system's temporary folder; nothing, after a message,
// when it cannot be made.
inline std::optional<QTemporaryDir> makeWorkFolder(int argc, char** argv, const char* program) {
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir work(base + QLatin1Char('/') + QLatin1String(program) +
                       QStringLiteral("-XXXXXX"));
    if (!work.isValid()) {
        std::fprintf(stderr, "cannot create a work folder under %s\n", qPrintable(base));
        return std::nullopt;
    }
    return work;
}

// Makes `count` files named by nameOf (bytes as the file system takes them),
// with 0, 1 or 2 bytes each.
inline bool makeFiles(const QString& folder, int count,
                      const std::function<std::string(int)>& nameOf) {
    if (!QDir().mkpath(folder)) {
        return false;
    }
    const std::string base = QFile::encodeName(folder).toStdString() + '/';
    for (int i = 0; i < count; ++i) {
        const int fd = ::open((base + nameOf(i)).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) {
            return false;
        }
        const bool written = ::write(fd, "xx", static_cast<std::size_t>(i % 3)) == i % 3;
        if (::close(fd) != 0 || !written) {
            return false;
        }
    }
    return true;
}

// "soubor_000042.txt" for 42.
inline std::string numberedName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "soubor_%06d.txt", i);
    return name;
}

// The time of one `ls -f folder`, started directly (no shell); its output
// lines are counted here as they come, so the names do not stay in this
// process's memory.
inline double timeLsOnce(const QString& folder, int expectedLines) {
    QElapsedTimer timer;
    timer.start();
    QProcess ls;
    ls.start(QStringLiteral("ls"), {QStringLiteral("-f"), folder});
    qsizetype lines = 0;
    while (ls.waitForReadyRead(-1)) {
        lines += ls.readAllStandardOutput().count('\n');
    }
    ls.waitForFinished(-1);
    lines += ls.readAllStandardOutput().count('\n');
    const double ms = timer.nsecsElapsed() / 1e6;
    if (lines != expectedLines) {
        std::fprintf(stderr, "ls gave %lld lines, expected %d\n", static_cast<long long>(lines),
                     expectedLines);
    }
    return ms;
}

// The median of kRuns times of `ls -f folder`.
inline double timeLs(const QString& folder, int expectedLines) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        times.push_back(timeLsOnce(folder, expectedLines));
    }
    return median(times);
}

} // namespace bench
