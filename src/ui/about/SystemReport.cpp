#include "ui/about/SystemReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QSysInfo>
#include <QWidget>
#include <chrono>
#include <thread>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#define TORNAVEL_HAS_TSC 1
#include <x86intrin.h>
#endif

namespace tornavel::ui {

QString ColorDepthName(int planes, int bitsPerPixel) {
    if (planes <= 0 || bitsPerPixel < 0 || bitsPerPixel > 40) {
        return QStringLiteral("není");
    }
    switch (static_cast<unsigned long long>(planes) << bitsPerPixel) {
    case 16ULL:
        return QStringLiteral("16 barev");
    case 256ULL:
        return QStringLiteral("256 barev");
    case 65536ULL:
        return QStringLiteral("16 bitů");
    case 16777216ULL:
        return QStringLiteral("24 bitů");
    case 4294967296ULL:
        return QStringLiteral("32 bitů");
    default:
        return QStringLiteral("není");
    }
}

QString WindowsVersionName(int platform, unsigned major, unsigned minor) {
    switch (platform) {
    case 0:
        return QStringLiteral("Win 32s na Windows 3.1x");
    case 1:
        switch (minor) {
        case 0:
            return QStringLiteral("Windows95 ");
        case 10:
            return QStringLiteral("Windows98 ");
        case 90:
            return QStringLiteral("WindowsMe ");
        default:
            return {};
        }
    case 2:
        switch (major) {
        case 3:
            return QStringLiteral("WindowsNT3 ");
        case 4:
            return QStringLiteral("WindowsNT4 ");
        case 5:
            return QStringLiteral("Windows2000/XP ");
        default:
            return {};
        }
    default:
        return {};
    }
}

QString GroupedDigits(std::uint64_t value, const QLocale& locale) {
    if (value == 0) {
        return {};
    }
    const QString digits = QString::number(value);
    const QString separator = locale.groupSeparator();
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += separator;
        }
        out += digits[i];
    }
    return out;
}

QString LongTimeText(const QTime& time, const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    // Drop the time-zone field ("t", "tt", ...) with the blank before it.
    static const QRegularExpression zone(QStringLiteral("\\s*t+"));
    format.remove(zone);
    return locale.toString(time, format.trimmed());
}

QString ComposeSystemReport(const SystemFacts& facts, const QLocale& locale) {
    QString r = WindowsVersionName(facts.platform, facts.major, facts.minor) +
                QString::number(facts.major) + u'.' + QString::number(facts.minor) +
                facts.servicePack + u' ';

    r += QStringLiteral("RAM:") + GroupedDigits(facts.totalPhysicalMemory / 1024000, locale) +
         QStringLiteral("MB ");

    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    r += QStringLiteral("CPU:") + plain.toString(facts.cpuMHz, 'f', 2) + QStringLiteral("MHz ");

    r += QStringLiteral("Obrazovka:") + QString::number(facts.fullScreenClientWidth) + u'x' +
         QString::number(facts.fullScreenClientHeight + facts.captionHeight) + u' ' +
         ColorDepthName(facts.colourPlanes, facts.bitsPerPixel) + QStringLiteral(" DPI:") +
         QString::number(facts.dpi) + u' ';

    r += QStringLiteral("Cesta:") + facts.programFolder + QStringLiteral(" Čas:") +
         locale.toString(facts.programFileTime.date(), QLocale::ShortFormat) + u' ' +
         LongTimeText(facts.programFileTime.time(), locale) + u' ';
    return r;
}

namespace {

std::uint64_t TotalPhysicalMemory() {
#if defined(_SC_PHYS_PAGES) && defined(_SC_PAGESIZE)
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
#else
    return 0;
#endif
}

// What the system says about the first processor's clock, in MHz.
double ReportedCpuMHz() {
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        // /proc files report size 0, so read line by line rather than by size.
        while (!cpuinfo.atEnd()) {
            const QByteArray line = cpuinfo.readLine();
            if (line.startsWith("cpu MHz")) {
                const qsizetype colon = line.indexOf(':');
                bool ok = false;
                const double mhz = line.mid(colon + 1).trimmed().toDouble(&ok);
                if (colon >= 0 && ok && mhz > 0) {
                    return mhz;
                }
            }
        }
    }
    QFile maxFreq(QStringLiteral("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq"));
    if (maxFreq.open(QIODevice::ReadOnly | QIODevice::Text)) {
        bool ok = false;
        const double kHz = maxFreq.readLine().trimmed().toDouble(&ok);
        if (ok && kHz > 0) {
            return kHz / 1000.0;
        }
    }
    return 0.0;
}

} // namespace

double MeasureCpuMHz() {
#if defined(TORNAVEL_HAS_TSC)
    using Clock = std::chrono::steady_clock;
    // The short first sleep lets the thread start the interval on a fresh
    // time slice. The elapsed time is measured, not assumed to be exactly the
    // requested 500 ms, because a sleep may last longer.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const auto start = Clock::now();
    const unsigned long long ticksStart = __rdtsc();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const unsigned long long ticksEnd = __rdtsc();
    const auto end = Clock::now();
    const double microseconds = std::chrono::duration<double, std::micro>(end - start).count();
    if (microseconds > 0 && ticksEnd > ticksStart) {
        return static_cast<double>(ticksEnd - ticksStart) / microseconds;
    }
#endif
    return ReportedCpuMHz();
}

SystemFacts GatherSystemFacts(const QWidget* dpiSource, const QWidget* colourSource) {
    SystemFacts facts;

    // Windows itself reports as "winnt"; everything else names no row of the
    // version table and shows its kernel's numbers.
    facts.platform = QSysInfo::kernelType() == QStringLiteral("winnt") ? 2 : -1;
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?"));
    const auto match = numbers.match(QSysInfo::kernelVersion());
    if (match.hasMatch()) {
        facts.major = match.captured(1).toUInt();
        facts.minor = match.captured(2).toUInt();
    }
    const QString product = QSysInfo::prettyProductName();
    if (!product.isEmpty()) {
        facts.servicePack = (QStringLiteral(" (") + product + u')').left(127);
    }

    facts.totalPhysicalMemory = TotalPhysicalMemory();
    facts.cpuMHz = MeasureCpuMHz();

    if (colourSource != nullptr) {
        if (const QScreen* screen = colourSource->screen()) {
            const QRect available = screen->availableGeometry();
            facts.captionHeight = colourSource->style()->pixelMetric(QStyle::PM_TitleBarHeight,
                                                                     nullptr, colourSource);
            facts.fullScreenClientWidth = available.width();
            facts.fullScreenClientHeight = available.height() - facts.captionHeight;
            facts.colourPlanes = 1;
            facts.bitsPerPixel = screen->depth();
        }
    }
    if (dpiSource != nullptr) {
        facts.dpi = dpiSource->logicalDpiY();
    }

    const QFileInfo program(QCoreApplication::applicationFilePath());
    facts.programFolder = QDir::toNativeSeparators(program.absolutePath()) + QDir::separator();
    facts.programFileTime = program.lastModified();
    return facts;
}

} // namespace tornavel::ui
