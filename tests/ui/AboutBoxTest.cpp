// The About box: its controls, the picture and its decoder, the links, the
// system report and closing, driven on the real dialog.
#include "ui/about/AboutBox.h"

#include "../support/ScopedVariable.h"
#include "WindowControls.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgramLocale.h"
#include "ui/about/JpegImage.h"
#include "ui/about/SchemeHandlers.h"
#include "ui/about/SystemReport.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <deque>
#include <optional>

using tornavel::ui::AboutBox;
using tornavel::ui::ColorDepthName;
using tornavel::ui::ComposeSystemReport;
using tornavel::ui::DecodeJpeg;
using tornavel::ui::MessageBoxes;
using tornavel::ui::ShadedLabel;
using tornavel::ui::ShadeStyle;
using tornavel::ui::SystemFacts;
using tornavel::ui::WindowsVersionName;

namespace {

QByteArray pictureBytes() {
    QFile file(QStringLiteral(":/about.jpg"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

// A machine whose every figure is known.
SystemFacts knownMachine() {
    SystemFacts facts;
    facts.platform = 2;
    facts.major = 5;
    facts.minor = 1;
    facts.servicePack = QStringLiteral("Service Pack 2");
    facts.totalPhysicalMemory = 512ULL * 1048576ULL;
    facts.cpuMHz = 2992.5;
    facts.fullScreenClientWidth = 1024;
    facts.fullScreenClientHeight = 712;
    facts.captionHeight = 18;
    facts.colourPlanes = 1;
    facts.bitsPerPixel = 32;
    facts.dpi = 96;
    facts.programFolder = QStringLiteral("C:\\Program Files\\Tornavel\\");
    facts.programFileTime = QDateTime(QDate(2006, 3, 7), QTime(14, 5, 9));
    return facts;
}

// A desktop with programs for the schemes in `handled`: records what the box
// asks it to open, answering with `answer`.
struct OpenedUrls {
    QList<QUrl> urls;
    bool answer = true;
    QStringList handled = {QStringLiteral("https"), QStringLiteral("mailto")};
    void attachTo(AboutBox& box) {
        box.setUrlOpener([this](const QUrl& url) {
            urls.append(url);
            return answer;
        });
        box.setHandlerLookup([this](const QString& scheme) { return handled.contains(scheme); });
    }
};

// Points every XDG variable at the folder and names no desktop while it lives,
// so that the desktop's lookups see only what the test puts there.
class IsolatedXdg {
public:
    explicit IsolatedXdg(const QString& folder) {
        for (const char* name :
             {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
            variables_.emplace_back(name, folder.toLocal8Bit().toStdString());
        }
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "DISPLAY", "WAYLAND_DISPLAY"}) {
            variables_.emplace_back(name, std::nullopt);
        }
    }

private:
    std::deque<tornavel::test::ScopedVariable> variables_;
};

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void showsTheControlsOfTheBox();
    void paintsTheBackgroundPicture();
    void damagedPicturesGiveNoPictureAndNoCrash();
    void setsTheProgramDateOnActivation();

    void linksOpenTheirAddresses();
    void failedLinksShowTheirMessages();
    void asksTheDesktopForARegisteredHandler();

    void namesTheWindowsVersions_data();
    void namesTheWindowsVersions();
    void composesTheReportInOrder();
    void reportsMemoryInUnitsOf1024000Bytes();
    void reportsTheColourDepth();
    void reportMailCarriesSubjectAndBodyIntact();
    void reportWithoutMailProgramShowsTheReport();
    void gathersFactsOfThisMachine();

    void escAndCloseButtonCloseTheBox();
};

void AboutBoxTest::initTestCase() {
    MessageBoxes::enableTestMode();
    tornavel::ui::SetUpProgramLocale();
}

void AboutBoxTest::init() {
    MessageBoxes::takeRecords();
}

void AboutBoxTest::showsTheControlsOfTheBox() {
    AboutBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("Autor programu"));
    QCOMPARE(box.width(), 447);
    QVERIFY(box.height() >= 297);
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QCOMPARE(box.font().pixelSize(), 13);
    QCOMPARE(box.font().families().value(0), QStringLiteral("Times New Roman"));

    QCOMPARE(named<ShadedLabel>(box, "myLabel3d1")->text(), QStringLiteral("Tornavel verze 3.2"));
    QCOMPARE(named<ShadedLabel>(box, "myLabel3d1")->shadeStyle(), ShadeStyle::Raised);
    QCOMPARE(named<ShadedLabel>(box, "myLabel3d1")->leftTopShade(), QColor(255, 255, 0));
    QCOMPARE(named<ShadedLabel>(box, "myLabel3d1")->font().pixelSize(), 27);
    QVERIFY(named<ShadedLabel>(box, "myLabel3d1")->font().bold());
    QCOMPARE(named<ShadedLabel>(box, "myLabel3d1")->pos(), QPoint(8, 8));

    QCOMPARE(named<ShadedLabel>(box, "myLabel3d2")->text(), QStringLiteral("freeware"));
    QCOMPARE(named<ShadedLabel>(box, "myLabel3d2")->shadeStyle(), ShadeStyle::Sunken);
    QCOMPARE(named<ShadedLabel>(box, "myLabel3d2")->leftTopShade(), QColor(255, 255, 0));

    const QColor maroon(128, 0, 0);
    for (ShadedLabel* link :
         {named<ShadedLabel>(box, "myLabel3d1"), named<ShadedLabel>(box, "myLabel3d2"),
          named<ShadedLabel>(box, "myLabel3d3"), named<ShadedLabel>(box, "myLabel3d4"),
          named<ShadedLabel>(box, "myLabel3d5")}) {
        QCOMPARE(link->palette().color(QPalette::WindowText), maroon);
        QVERIFY(link->transparent());
    }
    for (ShadedLabel* link :
         {named<ShadedLabel>(box, "myLabel3d3"), named<ShadedLabel>(box, "myLabel3d4"),
          named<ShadedLabel>(box, "myLabel3d5")}) {
        QCOMPARE(link->shadeStyle(), ShadeStyle::Raised);
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(named<ShadedLabel>(box, "myLabel3d3")->font().pixelSize(), 16);
    QCOMPARE(named<ShadedLabel>(box, "myLabel3d3")->statusTip(),
             QStringLiteral("Spustí Váš internetový prohlížeč a najde mé stránky"));
    QCOMPARE(named<ShadedLabel>(box, "myLabel3d4")->statusTip(),
             QStringLiteral("Spustí Váš poštovní program, abyste mi mohli napsat"));

    QVERIFY(
        named<QLabel>(box, "Label4")
            ->text()
            .startsWith(QStringLiteral("Děkuji touto cestou za návrhy na vylepšení programu. ")));
    QCOMPARE(named<QLabel>(box, "Label7")->text(),
             QStringLiteral("Budu rád, když mě upozorníte na případné chyby v programu. Též Vás "
                            "prosím o kritiku, či návrhy na vylepšení tohoto programu, aby lépe "
                            "vyhovoval Vašim potřebám a přinesl tak větší užitek."));
    QVERIFY(named<QLabel>(box, "Label8")->text().contains(QStringLiteral("Inno Setup 5.1.12")));
    QCOMPARE(named<QLabel>(box, "Label5")->text(), QStringLiteral("Internetová adresa programu:"));
    QCOMPARE(named<QLabel>(box, "Label3")->text(), QStringLiteral("E-mailová adresa autora:"));
    for (QLabel* bold : {named<QLabel>(box, "Label1"), named<QLabel>(box, "Label7"),
                         named<QLabel>(box, "Label5"), named<QLabel>(box, "Label3")}) {
        QVERIFY(bold->font().bold());
    }
    for (QLabel* regular : {named<QLabel>(box, "Label4"), named<QLabel>(box, "Label8"),
                            named<QLabel>(box, "Label2")}) {
        QVERIFY(!regular->font().bold());
    }
    QCOMPARE(named<QPushButton>(box, "Button1")->text(), QStringLiteral("Pošli informace"));
    QCOMPARE(named<QPushButton>(box, "Button1")->size(), QSize(97, 25));
    QCOMPARE(named<QPushButton>(box, "OKButton")->text(), QStringLiteral("Zavřít"));
    QCOMPARE(named<QPushButton>(box, "OKButton")->size(), QSize(67, 25));

    // Each text has room of its own in this font: whole, inside the box and
    // clear of every other; a paragraph as tall as its wrapped lines.
    QList<QWidget*> parts;
    for (QWidget* part : box.findChildren<QWidget*>()) {
        if (part->objectName() != QStringLiteral("Image1")) {
            parts.append(part);
        }
    }
    for (QWidget* part : parts) {
        QVERIFY2(box.rect().contains(part->geometry()), qPrintable(part->objectName()));
        if (auto* label = qobject_cast<QLabel*>(part); label && label->wordWrap()) {
            QVERIFY(label->height() >= label->heightForWidth(label->width()));
        }
        for (QWidget* other : parts) {
            QVERIFY2(part == other || !part->geometry().intersects(other->geometry()),
                     qPrintable(part->objectName() + " / " + other->objectName()));
        }
    }
    QVERIFY(named<QPushButton>(box, "OKButton")->isDefault());
}

void AboutBoxTest::paintsTheBackgroundPicture() {
    const QByteArray bytes = pictureBytes();
    QVERIFY(!bytes.isEmpty());
    QString error;
    const QImage image = DecodeJpeg(bytes, &error);
    QCOMPARE(image.size(), QSize(449, 303));
    QVERIFY2(error.isEmpty(), qPrintable(error));

    AboutBox box;
    QCOMPARE(named<QLabel>(box, "Image1")->geometry(), box.rect());
    QCOMPARE(named<QLabel>(box, "Image1")->pixmap().size(), QSize(449, 303));
    // The picture lies under every other control.
    QCOMPARE(box.children().indexOf(named<QLabel>(box, "Image1")), 0);

    // The top-left pixel of the box is the picture's own.
    const QImage shown = box.grab().toImage();
    const QColor expected = image.pixelColor(0, 0);
    const QColor actual = shown.pixelColor(0, 0);
    QVERIFY(qAbs(expected.red() - actual.red()) <= 2 && qAbs(expected.blue() - actual.blue()) <= 2);
}

void AboutBoxTest::damagedPicturesGiveNoPictureAndNoCrash() {
    const QByteArray bytes = pictureBytes();
    QVERIFY(bytes.size() > 1000);

    // Every truncation, down to nothing, is refused.
    for (qsizetype length = 0; length < bytes.size(); length += 37) {
        QString error;
        const QImage image = DecodeJpeg(bytes.left(length), &error);
        QVERIFY2(image.isNull(), qPrintable(QStringLiteral("length %1").arg(length)));
        QVERIFY(!error.isEmpty());
    }
    // Missing only the end marker still counts as damaged.
    QVERIFY(DecodeJpeg(bytes.left(bytes.size() - 2)).isNull());

    // Garbage and bytes overwritten in the middle never end the program.
    QVERIFY(DecodeJpeg(QByteArray(5000, '\xff')).isNull());
    QVERIFY(DecodeJpeg(QByteArray("not a picture")).isNull());
    for (qsizetype at = 2; at < bytes.size(); at += 53) {
        QByteArray damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5a);
        (void)DecodeJpeg(damaged);
    }

    // The box without its picture.
    AboutBox box;
    QVERIFY(!box.setPicture(bytes.left(bytes.size() / 2)));
    QVERIFY(named<QLabel>(box, "Image1")->pixmap().isNull());
    QVERIFY(box.setPicture(bytes));
    QVERIFY(!named<QLabel>(box, "Image1")->pixmap().isNull());
}

void AboutBoxTest::setsTheProgramDateOnActivation() {
    AboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    // Dates follow the system's format, as the file browser's do, whatever
    // language the texts are in.
    const QDate date = QFileInfo(QCoreApplication::applicationFilePath()).lastModified().date();
    QCOMPARE(named<QLabel>(box, "Label2")->text(),
             QStringLiteral("Tato verze spatřila světlo světa ") +
                 QLocale::system().toString(date, QLocale::ShortFormat));
    QVERIFY(named<QLabel>(box, "Label2")->width() >=
            named<QLabel>(box, "Label2")->sizeHint().width());

    named<QLabel>(box, "Label2")->setText(QString());
    box.hide();
    box.show();
    QVERIFY(named<QLabel>(box, "Label2")
                ->text()
                .startsWith(QStringLiteral("Tato verze spatřila světlo světa ")));
}

void AboutBoxTest::linksOpenTheirAddresses() {
    AboutBox box;
    OpenedUrls opened;
    opened.attachTo(box);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    QTest::mouseClick(named<ShadedLabel>(box, "myLabel3d3"), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(named<ShadedLabel>(box, "myLabel3d5"), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(named<ShadedLabel>(box, "myLabel3d4"), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(opened.urls.size(), 3);
    QCOMPARE(opened.urls[0], QUrl(QStringLiteral("https://tornavel.example")));
    QCOMPARE(opened.urls[1], QUrl(QStringLiteral("https://jrsoftware.org/isinfo.php")));
    QCOMPARE(opened.urls[2].scheme(), QStringLiteral("mailto"));
    QCOMPARE(opened.urls[2].path(), AboutBox::authorMailAddress());
    QCOMPARE(named<ShadedLabel>(box, "myLabel3d4")->text(), AboutBox::authorMailAddress());
    QVERIFY(MessageBoxes::takeRecords().isEmpty());
}

void AboutBoxTest::failedLinksShowTheirMessages() {
    AboutBox box;
    OpenedUrls opened;
    opened.attachTo(box);
    auto clickBothAndExpectTheirMessages = [&] {
        box.openWebAddress(named<ShadedLabel>(box, "myLabel3d3"));
        box.writeMail(named<ShadedLabel>(box, "myLabel3d4"));
        const auto records = MessageBoxes::takeRecords();
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].kind, MessageBoxes::Record::Kind::ErrorDialog);
        QCOMPARE(records[0].caption, QStringLiteral("Error"));
        QCOMPARE(records[0].text, QStringLiteral("Nemohu spustit webový prohlížeč."));
        QCOMPARE(records[1].kind, MessageBoxes::Record::Kind::ErrorDialog);
        QCOMPARE(records[1].text, QStringLiteral("Nemohu spustit poštovní program."));
    };
    // The opener says nothing answered.
    opened.answer = false;
    clickBothAndExpectTheirMessages();
    QCOMPARE(opened.urls.size(), 2);

    // No program is registered for the schemes: the launcher, which would
    // report success for an address nothing opens, is not asked at all.
    opened.answer = true;
    opened.handled.clear();
    clickBothAndExpectTheirMessages();
    QCOMPARE(opened.urls.size(), 2);
}

void AboutBoxTest::asksTheDesktopForARegisteredHandler() {
    QTemporaryDir xdg;
    QVERIFY(xdg.isValid());
    const IsolatedXdg isolated(xdg.path());
    // An empty configuration names no mail program, and the box says so.
    QVERIFY(!tornavel::ui::DesktopHasHandlerFor(QStringLiteral("mailto")));
    AboutBox box;
    box.setUrlOpener([](const QUrl&) { return true; });
    box.writeMail(named<ShadedLabel>(box, "myLabel3d4"));
    const auto records = MessageBoxes::takeRecords();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].text, QStringLiteral("Nemohu spustit poštovní program."));

    // A registered default handler is found.
    QVERIFY(QDir(xdg.path()).mkpath(QStringLiteral("applications")));
    QFile desktop(xdg.filePath(QStringLiteral("applications/posta.desktop")));
    QVERIFY(desktop.open(QIODevice::WriteOnly));
    desktop.write("[Desktop Entry]\nType=Application\nName=Posta\nExec=true %u\n"
                  "MimeType=x-scheme-handler/mailto;\n");
    desktop.close();
    QFile list(xdg.filePath(QStringLiteral("mimeapps.list")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("[Default Applications]\nx-scheme-handler/mailto=posta.desktop\n");
    list.close();
    QVERIFY(tornavel::ui::DesktopHasHandlerFor(QStringLiteral("mailto")));
    QVERIFY(!tornavel::ui::DesktopHasHandlerFor(QStringLiteral("https")));
}

void AboutBoxTest::namesTheWindowsVersions_data() {
    QTest::addColumn<int>("platform");
    QTest::addColumn<unsigned>("major");
    QTest::addColumn<unsigned>("minor");
    QTest::addColumn<QString>("name");
    QTest::newRow("Win32s") << 0 << 3u << 10u << QStringLiteral("Win 32s na Windows 3.1x");
    QTest::newRow("95") << 1 << 4u << 0u << QStringLiteral("Windows95 ");
    QTest::newRow("98") << 1 << 4u << 10u << QStringLiteral("Windows98 ");
    QTest::newRow("Me") << 1 << 4u << 90u << QStringLiteral("WindowsMe ");
    QTest::newRow("9x unnamed") << 1 << 4u << 3u << QString();
    QTest::newRow("NT 3.51") << 2 << 3u << 51u << QStringLiteral("WindowsNT3 ");
    QTest::newRow("NT 4") << 2 << 4u << 0u << QStringLiteral("WindowsNT4 ");
    QTest::newRow("2000") << 2 << 5u << 0u << QStringLiteral("Windows2000/XP ");
    QTest::newRow("XP") << 2 << 5u << 1u << QStringLiteral("Windows2000/XP ");
    QTest::newRow("Vista") << 2 << 6u << 0u << QString();
    QTest::newRow("10") << 2 << 10u << 0u << QString();
    QTest::newRow("other system") << -1 << 6u << 1u << QString();
}

void AboutBoxTest::namesTheWindowsVersions() {
    QFETCH(int, platform);
    QFETCH(unsigned, major);
    QFETCH(unsigned, minor);
    QFETCH(QString, name);
    QCOMPARE(WindowsVersionName(platform, major, minor), name);

    // The report starts with the name, then the bare numbers.
    SystemFacts facts = knownMachine();
    facts.platform = platform;
    facts.major = major;
    facts.minor = minor;
    facts.servicePack.clear();
    const QString expectedStart =
        name + QString::number(major) + u'.' + QString::number(minor) + u' ' + "RAM:";
    QVERIFY(ComposeSystemReport(facts, QLocale::c()).startsWith(expectedStart));
}

void AboutBoxTest::composesTheReportInOrder() {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(ComposeSystemReport(knownMachine(), us),
             QStringLiteral("Windows2000/XP 5.1Service Pack 2 RAM:524MB CPU:2992.50MHz "
                            "Obrazovka:1024x730 32 bitů DPI:96 "
                            "Cesta:C:\\Program Files\\Tornavel\\ Čas:3/7/06 2:05:09 PM "));

    const QLocale czech(QLocale::Czech, QLocale::Czechia);
    SystemFacts facts = knownMachine();
    facts.platform = -1;
    facts.major = 6;
    facts.minor = 1;
    facts.servicePack = QStringLiteral(" (Debian GNU/Linux 12)");
    facts.cpuMHz = 12345.678;
    facts.programFolder = QStringLiteral("/opt/tornavel/");
    QCOMPARE(ComposeSystemReport(facts, czech),
             QStringLiteral("6.1 (Debian GNU/Linux 12) RAM:524MB CPU:12345,68MHz "
                            "Obrazovka:1024x730 32 bitů DPI:96 "
                            "Cesta:/opt/tornavel/ Čas:07.03.06 14:05:09 "));
}

void AboutBoxTest::reportsMemoryInUnitsOf1024000Bytes() {
    const auto ram = [](std::uint64_t bytes, const QLocale& locale) {
        SystemFacts facts = knownMachine();
        facts.totalPhysicalMemory = bytes;
        const QString report = ComposeSystemReport(facts, locale);
        const qsizetype from = report.indexOf(QStringLiteral("RAM:")) + 4;
        return report.mid(from, report.indexOf(QStringLiteral("MB "), from) - from);
    };
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(ram(512ULL * 1048576ULL, us), QStringLiteral("524"));
    QCOMPARE(ram(1023999, us), QString()); // zero gives no digits
    QCOMPARE(ram(1024000, us), QStringLiteral("1"));
    QCOMPARE(ram(16ULL * 1073741824ULL, us), QStringLiteral("16,777"));
    QCOMPARE(ram(1024000ULL * 1234567ULL, us), QStringLiteral("1,234,567"));
    QCOMPARE(ram(16ULL * 1073741824ULL, QLocale(QLocale::Czech, QLocale::Czechia)),
             QStringLiteral("16\u00a0777"));
}

void AboutBoxTest::reportsTheColourDepth() {
    const std::pair<std::pair<int, int>, const char*> depths[] = {
        {{1, 32}, "32 bitů"}, {{1, 24}, "24 bitů"}, {{1, 16}, "16 bitů"}, {{1, 8}, "256 barev"},
        {{1, 4}, "16 barev"}, {{4, 2}, "16 barev"}, // four planes of two bits: 16 colours
        {{1, 15}, "není"},    {{1, 1}, "není"},     {{0, 32}, "není"},    {{1, 64}, "není"},
        {{-1, 8}, "není"}};
    for (const auto& [depth, name] : depths) {
        QCOMPARE(ColorDepthName(depth.first, depth.second), QString::fromUtf8(name));
    }

    SystemFacts facts = knownMachine();
    facts.bitsPerPixel = 15;
    QVERIFY(ComposeSystemReport(facts, QLocale::c())
                .contains(QStringLiteral("Obrazovka:1024x730 není DPI:96 ")));
    facts.bitsPerPixel = 8;
    QVERIFY(ComposeSystemReport(facts, QLocale::c())
                .contains(QStringLiteral("Obrazovka:1024x730 256 barev DPI:96 ")));
}

void AboutBoxTest::reportMailCarriesSubjectAndBodyIntact() {
    const QString report = QStringLiteral("6.1 RAM:1MB Cesta:C:\\a&b=c?d#e+f%20 Čas:1.2.06 ");
    const QUrl url = AboutBox::reportMailUrl(QStringLiteral("tornavel@example.org"),
                                             QStringLiteral("Tornavel verze 3.2"), report);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(url.path(), QStringLiteral("tornavel@example.org"));
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
             QStringLiteral("Informace o programu Tornavel verze 3.2"));
    QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded), report);
    QCOMPARE(query.queryItems().size(), 2);
    // What the mail program is handed has no raw blanks or letters beyond ASCII.
    const QByteArray encoded = url.toEncoded();
    QVERIFY(!encoded.contains(' '));
    for (char c : encoded) {
        QVERIFY(static_cast<unsigned char>(c) < 0x80);
    }
}

void AboutBoxTest::reportWithoutMailProgramShowsTheReport() {
    AboutBox box;
    OpenedUrls opened;
    opened.attachTo(box);
    box.setSystemFactsSource(knownMachine);
    const QString report = ComposeSystemReport(knownMachine(), QLocale());

    QTest::mouseClick(named<QPushButton>(box, "Button1"), Qt::LeftButton);
    QCOMPARE(opened.urls.size(), 1);
    const QUrlQuery query(opened.urls[0]);
    QCOMPARE(opened.urls[0].path(), AboutBox::authorMailAddress());
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
             QStringLiteral("Informace o programu Tornavel verze 3.2"));
    QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded), report);
    QVERIFY(MessageBoxes::takeRecords().isEmpty());

    // Without a mail program, whether the launcher fails or none is
    // registered, the report is shown for sending by other means.
    for (bool registered : {true, false}) {
        opened.answer = !registered;
        opened.handled = registered ? QStringList{QStringLiteral("mailto")} : QStringList{};
        QTest::mouseClick(named<QPushButton>(box, "Button1"), Qt::LeftButton);
        const auto records = MessageBoxes::takeRecords();
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].kind, MessageBoxes::Record::Kind::ErrorDialog);
        QCOMPARE(records[0].text, QStringLiteral("Nemohu spustit poštovní program. Pošlete, "
                                                 "prosím, následující údaje "
                                                 "na adresu tornavel@example.org"));
        QCOMPARE(records[1].kind, MessageBoxes::Record::Kind::Plain);
        QCOMPARE(records[1].caption, QStringLiteral("Tornavel"));
        QCOMPARE(records[1].text, report);
    }
    QCOMPARE(opened.urls.size(), 2); // the unregistered case never reached the opener
}

void AboutBoxTest::gathersFactsOfThisMachine() {
    QWidget window;
    window.show();
    const SystemFacts facts = tornavel::ui::GatherSystemFacts(&window, &window);
    const QString folder = QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
    QCOMPARE(facts.programFolder, QDir::toNativeSeparators(folder) + QDir::separator());
    QCOMPARE(facts.programFileTime,
             QFileInfo(QCoreApplication::applicationFilePath()).lastModified());
    QVERIFY(facts.totalPhysicalMemory > 64ULL * 1024 * 1024);
    QVERIFY(facts.dpi > 0);
    QVERIFY(facts.bitsPerPixel > 0);
    QVERIFY(facts.fullScreenClientWidth > 0);
#if defined(__x86_64__) || defined(__i386__)
    // Any processor that runs this test ticks between 100 MHz and 10 GHz.
    QVERIFY2(facts.cpuMHz > 100 && facts.cpuMHz < 10000, qPrintable(QString::number(facts.cpuMHz)));
#endif
#if defined(__linux__)
    QCOMPARE(facts.platform, -1);
    QVERIFY(ComposeSystemReport(facts, QLocale::c())
                .startsWith(QString::number(facts.major) + u'.' + QString::number(facts.minor)));
#endif
}

void AboutBoxTest::escAndCloseButtonCloseTheBox() {
    AboutBox box;
    // Esc while the box runs modally.
    QTimer::singleShot(0, &box, [&box] { QTest::keyClick(&box, Qt::Key_Escape); });
    QCOMPARE(box.exec(), int(QDialog::Rejected));
    QVERIFY(!box.isVisible());

    // "Zavřít".
    QTimer::singleShot(0, &box, [&box] {
        QTest::mouseClick(named<QPushButton>(box, "OKButton"), Qt::LeftButton);
    });
    QCOMPARE(box.exec(), int(QDialog::Accepted));
    QVERIFY(!box.isVisible());

    // Enter presses the default button.
    QTimer::singleShot(0, &box, [&box] { QTest::keyClick(&box, Qt::Key_Return); });
    QCOMPARE(box.exec(), int(QDialog::Accepted));
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
