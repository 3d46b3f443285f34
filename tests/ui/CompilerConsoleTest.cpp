// The window "Kompilace" during real builds of the main window, with the
// stand-in compiler in the program folder.
#include "ui/console/CompilerConsole.h"

#include "TestFiles.h"
#include "WindowControls.h"
#include "ui/MessageBoxes.h"
#include "ui/mainwindow/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <memory>

using namespace tornavel;
using namespace tornavel::ui;
using Kind = MessageBoxes::Record::Kind;

class CompilerConsoleTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString programFolder_;
    QString sourceFolder_;
    std::unique_ptr<MainWindow> form_;

    QStringList consoleLines() const {
        return form_->compilerConsole()->outputView()->toPlainText().split(u'\n');
    }
    QString commandLine() const { return programFolder_ + "iscc \"" + sourceFolder_ + "ISS\""; }

private slots:
    void initTestCase() { MessageBoxes::enableTestMode(); }

    void init() {
        QVERIFY(dir_.isValid() && QDir(dir_.path()).removeRecursively());
        makeProgramAndSourceFolders(dir_.path(), programFolder_, sourceFolder_);
        installFakeCompiler(programFolder_);
        writeAll(sourceFolder_ + "app.exe", "MZ");
        form_ = std::make_unique<MainWindow>(programFolder_.toStdString());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        typeInto(box(*form_, iconField(0, IconPart::FileName)), "app.exe");
        MessageBoxes::takeRecords();
    }

    void cleanup() {
        form_.reset();
        MessageBoxes::takeRecords();
    }

    // The compiler is held after its first lines: the console, already on
    // screen, shows them while the build waits, and the rest follows in order.
    void showsTheOutputAsItArrives() {
        writeAll(programFolder_ + "iscc.hold", "");
        QStringList seenWhileRunning;
        QTimer look;
        connect(&look, &QTimer::timeout, this, [&] {
            CompilerConsole* console = form_->compilerConsole();
            if (console && console->isVisible() && form_->buildRunning() &&
                console->outputView()->toPlainText().contains("Skript: ")) {
                seenWhileRunning = consoleLines();
                look.stop();
                QFile::remove(programFolder_ + "iscc.hold");
            }
        });
        look.start(5);
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        named<QPushButton>(*form_, "BitBtn1")->click();

        const QStringList firstLines{commandLine(), "Náhradní kompilátor iscc pro testy", "",
                                     "Skript: " + sourceFolder_ + "ISS"};
        QCOMPARE(seenWhileRunning, firstLines);
        const QStringList lastLines{
            "   Compressing: app.exe",
            "Successful compile (0.001 sec). Resulting Setup program filename is:",
            sourceFolder_ + "Output/Můj program verze 1.0.exe"};
        QCOMPARE(consoleLines(), firstLines + lastLines);
        // A success without a notice closes the window.
        QVERIFY(!form_->compilerConsole()->isVisible());
        QCOMPARE(MessageBoxes::takeRecords().size(), 2); // the two questions
    }

    // While the compiler packs, the bar is busy and "Zastavit" can end it:
    // the partial installer goes, and the console, not an error box, says so.
    void stopEndsTheCompileAndLeavesNoInstaller() {
        writeAll(programFolder_ + "iscc.hold", "");
        const QString partial = sourceFolder_ + "Output/Můj program verze 1.0.exe";
        bool busyWhileRunning = false;
        QTimer look;
        connect(&look, &QTimer::timeout, this, [&] {
            CompilerConsole* console = form_->compilerConsole();
            if (console && form_->buildRunning() && QFileInfo::exists(partial)) {
                busyWhileRunning =
                    console->progressBar()->isVisible() && console->progressBar()->maximum() == 0;
                look.stop();
                console->stopButton()->click();
            }
        });
        look.start(5);
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        named<QPushButton>(*form_, "BitBtn1")->click();

        QVERIFY(busyWhileRunning);
        CompilerConsole& console = *form_->compilerConsole();
        QCOMPARE(console.statusLabel()->text(), QString("Kompilace byla zastavena."));
        QVERIFY(console.isVisible() && !console.stopButton()->isEnabled());
        QVERIFY(!QFileInfo::exists(sourceFolder_ + "Output"));
        QCOMPARE(MessageBoxes::takeRecords().size(), 1); // only the confirmation
        QVERIFY(!form_->buildRunning());
    }

    // The bar weighs the files by their sizes: once the one large file is
    // packed it stands at its end, with only a small file still to come.
    void progressMovesWithTheBytes() {
        writeAll(sourceFolder_ + "a.txt", "0123456789");
        writeAll(sourceFolder_ + "z.txt", "0123456789");
        QFile large(sourceFolder_ + "large.bin");
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(2'000'000'000));
        large.close();
        QMap<QString, int> shown; // the file being packed, the bar's share of its range then
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        QTimer::singleShot(0, this, [&] {
            QProgressBar* bar = form_->compilerConsole()->progressBar();
            connect(bar, &QProgressBar::valueChanged, this, [&, bar](int value) {
                const QString file = named<QLabel>(*form_->compilerConsole(), "Soubor")->text();
                shown.insert(file, bar->maximum() > 0 ? value * 100 / bar->maximum() : -1);
            });
        });
        form_->buildInstaller();

        QCOMPARE(shown.value("large.bin"), 0);
        QVERIFY(shown.value("z.txt") >= 99); // counted by files, it would stand at three quarters
        QCOMPARE(form_->compilerConsole()->progressBar()->format(), QString("2,0 GB z 2,0 GB"));
    }

    // New lines stay in view as they come, also when the file being packed
    // appears below the view and takes a line of its height, unless the
    // person scrolled up to read; back at the end, the view follows again.
    void followsTheOutputUnlessScrolledUp() {
        CompilerConsole console(nullptr);
        console.compilerStarted("iscc");
        QVERIFY(QTest::qWaitForWindowExposed(&console));
        QScrollBar* scroll = console.outputView()->verticalScrollBar();
        const auto arrive = [&](int count) {
            for (int i = 0; i < count; ++i) {
                console.compilerLine("   Compressing: Data\\soubor č. " + std::to_string(i));
                QCoreApplication::processEvents();
            }
        };
        arrive(100);
        console.compilerProgress({"Data\\soubor č. 1", 0, 2, 0, 10});
        arrive(5);
        QVERIFY(scroll->maximum() > 0);
        QCOMPARE(scroll->value(), scroll->maximum());
        scroll->setValue(20);
        arrive(5);
        QCOMPARE(scroll->value(), 20);
        scroll->setValue(scroll->maximum());
        arrive(5);
        QCOMPARE(scroll->value(), scroll->maximum());
    }

    // A failed compile keeps the window open: the exit code, the error line
    // marked and scrolled to, and the message box quoting it; the notices of
    // the left-out folders and of a link out of the source folder stand above.
    void failureStaysOpenWithTheErrorLineMarked() {
        writeAll(programFolder_ + "iscc.error", "Neplatný parametr.");
        for (int i = 1; i <= 12; ++i) {
            QVERIFY(QDir().mkpath(sourceFolder_ + "záloha." + QString::number(i)));
        }
        const QString linked = QFileInfo(programFolder_ + "iscc.error").canonicalFilePath();
        QVERIFY(QFile::link(linked, sourceFolder_ + "chyba.txt"));
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        named<QPushButton>(*form_, "BitBtn1")->click();

        const QString errorLine = "Error on line 5 in " + sourceFolder_ + "ISS: Neplatný parametr.";
        const auto shown = MessageBoxes::takeRecords();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].kind, Kind::StandardError);
        QCOMPARE(shown[1].text,
                 "Kompilace se nezdařila: kompilátor skončil s chybovým kódem 2.\r\n" + errorLine);

        CompilerConsole& console = *form_->compilerConsole();
        QVERIFY(console.isVisible());
        QCOMPARE(console.windowTitle(), QString("Kompilace"));
        QVERIFY(console.outputView()->isReadOnly());
        QCOMPARE(console.statusLabel()->text(), QString("Kompilátor skončil s chybovým kódem 2."));
        QCOMPARE(consoleLines().mid(consoleLines().size() - 2),
                 (QStringList{errorLine, "Compile aborted."}));
        QCOMPARE(console.markedLine(), errorLine);
        QCOMPARE(console.outputView()->textCursor().block().text(), errorLine);
        QVERIFY(console.noticeLabel()->isVisible());
        QCOMPARE(console.noticeLabel()->text().count("záloha."), 10);
        QVERIFY(console.noticeLabel()->text().contains("celkem 12: "));
        QVERIFY(console.noticeLabel()->text().endsWith(
            " a 2 další.\nOdkaz mimo zdrojový adresář: chyba.txt → " + linked));

        // The next build starts from an empty window.
        QFile::remove(programFolder_ + "iscc.error");
        QVERIFY(QDir(sourceFolder_).removeRecursively() && QDir().mkpath(sourceFolder_));
        writeAll(sourceFolder_ + "app.exe", "MZ");
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        named<QPushButton>(*form_, "BitBtn1")->click();
        QVERIFY(!console.isVisible());
        QVERIFY(console.markedLine().isEmpty());
        QVERIFY(console.noticeLabel()->text().isEmpty());
        QCOMPARE(consoleLines().first(), commandLine());
    }
};

QTEST_MAIN(CompilerConsoleTest)
#include "CompilerConsoleTest.moc"
