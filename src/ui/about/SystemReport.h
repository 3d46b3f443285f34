#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <cstdint>

class QWidget;

namespace tornavel::ui {

// What the About box's report tells the author about the user's system,
// gathered once per report. Kept apart from the composing so that the text can
// be checked for any machine.
struct SystemFacts {
    // Operating system, as Windows' version structure gives it: platform 0
    // Win32s, 1 Windows 9x, 2 NT; any other number names no system.
    int platform = -1;
    unsigned major = 0;
    unsigned minor = 0;
    QString servicePack; // appended to the numbers as it is

    std::uint64_t totalPhysicalMemory = 0; // bytes
    double cpuMHz = 0.0;

    // Client area of a full-screen window and the height of a title bar, which
    // the report adds back to give the usable screen height.
    int fullScreenClientWidth = 0;
    int fullScreenClientHeight = 0;
    int captionHeight = 0;
    int colourPlanes = 1;
    int bitsPerPixel = 0;
    int dpi = 0;

    QString programFolder; // native, with a trailing separator
    QDateTime programFileTime;
};

// The Czech name of a display's colour depth, from its colour planes and bits
// per pixel: "16 barev", "256 barev", "16 bitů", "24 bitů", "32 bitů" or "není".
QString ColorDepthName(int planes, int bitsPerPixel);

// "Windows95 ", "Windows2000/XP " ... or empty for a system no row names.
QString WindowsVersionName(int platform, unsigned major, unsigned minor);

// The figure of the "#,###" pattern: digits grouped by three with the
// locale's group separator; zero gives no digits at all.
QString GroupedDigits(std::uint64_t value, const QLocale& locale);

// The locale's long time format without the time zone, which Qt's long format
// carries and the system's long time format does not.
QString LongTimeText(const QTime& time, const QLocale& locale);

// The report text: system, memory, processor, screen, program, each ending
// with a space.
QString ComposeSystemReport(const SystemFacts& facts, const QLocale& locale);

// Gathers the facts of this machine. Blocks for about half a second while it
// measures the processor clock. dpiSource is the window whose pixels per inch
// are reported; colourSource the surface whose colour depth is reported.
SystemFacts GatherSystemFacts(const QWidget* dpiSource, const QWidget* colourSource);

// The processor clock in MHz: the time-stamp counter over about 500 ms where
// the processor has one, else what the system reports; 0 when nothing does.
double MeasureCpuMHz();

} // namespace tornavel::ui
