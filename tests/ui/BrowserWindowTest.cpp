// The file browser inside the main window: the view style read at start-up and
// stored at close, SourceFolder shown after start, the returns to SourceFolder
// (activation, a notebook click, New, but not a repaint), the output-directory
// dialog's Yes, and failures of the folder.
#include "BrowserRows.h"
#include "TestFiles.h"
#include "WindowControls.h"
#include "ui/MessageBoxes.h"
#include "ui/browser/ShellBrowser.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/OutputFolderDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

using namespace tornavel;
using namespace tornavel::ui;
using Kind = MessageBoxes::Record::Kind;
using ViewStyle = ShellBrowser::ViewStyle;

namespace {

QStringList pathEntries(const ShellBrowser& browser) {
    QStringList entries;
    for (int i = 0; i < browser.pathBox->count(); ++i) {
        entries << browser.pathBox->itemText(i);
    }
    return entries;
}

// Selects the row of `name` and presses Enter in the list, as a user opens it.
void openFolder(ShellBrowser& browser, const QString& name) {
    selectRow(browser, name);
    QTest::keyClick(browser.currentItemView(), Qt::Key_Return);
}

int standardErrors(const QList<MessageBoxes::Record>& records) {
    int n = 0;
    for (const auto& r : records) {
        n += r.kind == Kind::StandardError ? 1 : 0;
    }
    return n;
}

// The path as the browser names a folder: native, without the trailing separator.
QString withoutSeparator(const QString& folder) {
    return folder.endsWith(u'/') ? folder.chopped(1) : folder;
}

} // namespace

class BrowserWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString programFolder_;
    QString sourceFolder_;
    std::unique_ptr<MainWindow> form_;

    QString path(const QString& relative) const { return dir_->filePath(relative); }

    // The settings file with SourceFolder (ASCII: the file is Windows-1250) and,
    // unless null, the "typView" line.
    void writeSettings(const QString& sourceFolder, const QByteArray& typView = {}) {
        QByteArray ini = "[Nastaveni]\r\nVystupniAdresar=" + sourceFolder.toUtf8() + "\r\n";
        if (!typView.isNull()) {
            ini += "typView=" + typView + "\r\n";
        }
        writeAll(programFolder_ + "Tornavel.ini", ini);
    }

    void startForm() {
        form_ = std::make_unique<MainWindow>(programFolder_.toStdString());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QApplication::setActiveWindow(form_.get());
    }

    ShellBrowser& browser() const { return *form_->browser(); }

    // Another window takes the focus, then the main window gets it back.
    void reactivate() {
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(!form_->isActiveWindow());
        QApplication::setActiveWindow(form_.get());
        QTRY_VERIFY(form_->isActiveWindow());
    }

    void clickTab(int index) {
        QTabBar* bar = named<QTabWidget>(*form_, "TabbedNotebook1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    // The source folder holds a sub-folder "podsložka" with a file of its own.
    void fillSourceFolder() {
        QVERIFY(QDir().mkpath(sourceFolder_ + "podsložka"));
        writeAll(sourceFolder_ + "podsložka/uvnitř.txt", "x");
        writeAll(sourceFolder_ + "program.exe", "MZ");
        writeAll(sourceFolder_ + "čti mě.txt", "text");
    }

    // Walks into "podsložka" and checks that the browser shows it.
    void walkIntoSubFolder() {
        openFolder(browser(), QStringLiteral("podsložka"));
        QCOMPARE(browser().currentPath(), sourceFolder_ + "podsložka");
        QCOMPARE(shownNames(browser()), QStringList{"uvnitř.txt"});
    }

    void verifyShowsSourceFolder() {
        QCOMPARE(browser().currentPath(), withoutSeparator(sourceFolder_));
        QCOMPARE(shownNames(browser()), (QStringList{"podsložka", "čti mě.txt", "program.exe"}));
        QCOMPARE(browser().pathBox->currentText(), withoutSeparator(sourceFolder_));
    }

private slots:
    void initTestCase() { MessageBoxes::enableTestMode(); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        programFolder_ = path("prog") + "/";
        sourceFolder_ = path("zdroj") + "/";
        QVERIFY(QDir().mkpath(programFolder_));
        QVERIFY(QDir().mkpath(sourceFolder_));
        MessageBoxes::takeRecords();
    }

    void cleanup() {
        form_.reset();
        MessageBoxes::takeRecords();
    }

    void storedViewStyleNeedsItsExactName_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("view");
        QTest::addColumn<QByteArray>("storedAtClose");
        const int small = int(ViewStyle::SmallIcons);
        QTest::newRow("vsIcon") << QByteArray("vsIcon") << int(ViewStyle::LargeIcons)
                                << QByteArray("vsIcon");
        QTest::newRow("vsSmallIcon")
            << QByteArray("vsSmallIcon") << small << QByteArray("vsSmallIcon");
        QTest::newRow("vsList") << QByteArray("vsList") << int(ViewStyle::List)
                                << QByteArray("vsList");
        QTest::newRow("vsReport") << QByteArray("vsReport") << int(ViewStyle::Details)
                                  << QByteArray("vsReport");
        // Other letter case, a misspelling or an empty value: the small icons
        // of a new window, which the close step then stores by their name.
        QTest::newRow("VSREPORT") << QByteArray("VSREPORT") << small << QByteArray("vsSmallIcon");
        QTest::newRow("vslist") << QByteArray("vslist") << small << QByteArray("vsSmallIcon");
        QTest::newRow("vsIcons") << QByteArray("vsIcons") << small << QByteArray("vsSmallIcon");
        QTest::newRow("empty") << QByteArray("") << small << QByteArray("vsSmallIcon");
        // No key at all: details.
        QTest::newRow("missing") << QByteArray() << int(ViewStyle::Details)
                                 << QByteArray("vsReport");
    }
    void storedViewStyleNeedsItsExactName() {
        QFETCH(QByteArray, stored);
        QFETCH(int, view);
        QFETCH(QByteArray, storedAtClose);
        writeSettings(sourceFolder_, stored);
        startForm();
        const auto style = static_cast<ViewStyle>(view);
        QCOMPARE(browser().viewStyle(), style);
        QCOMPARE(browser().listView->currentWidget(),
                 style == ViewStyle::Details ? static_cast<QWidget*>(browser().reportView())
                                             : static_cast<QWidget*>(browser().iconView()));
        if (style == ViewStyle::LargeIcons) {
            QCOMPARE(browser().iconView()->viewMode(), QListView::IconMode);
        } else if (style != ViewStyle::Details) {
            QCOMPARE(browser().iconView()->viewMode(), QListView::ListMode);
            QCOMPARE(browser().iconView()->flow(), style == ViewStyle::SmallIcons
                                                       ? QListView::LeftToRight
                                                       : QListView::TopToBottom);
        }
        // The buttons are not pressed to match the stored view.
        for (QToolButton* button : {browser().btnLargeIcons, browser().btnSmallIcons,
                                    browser().btnList, browser().btnReport}) {
            QVERIFY2(!button->isChecked(), qPrintable(button->objectName()));
        }
        QVERIFY(form_->close());
        QVERIFY(
            readAll(programFolder_ + "Tornavel.ini").contains("typView=" + storedAtClose + "\r\n"));
        QVERIFY(MessageBoxes::takeRecords().isEmpty());
    }

    void viewInUseIsStoredAtCloseAndComesBack() {
        fillSourceFolder();
        writeSettings(sourceFolder_, "vsReport");
        startForm();
        QCOMPARE(browser().shellItems().size(), std::size_t{3});
        QTest::mouseClick(browser().btnList, Qt::LeftButton);
        QCOMPARE(browser().viewStyle(), ViewStyle::List);
        QVERIFY(form_->close());
        // Closing released the items.
        QVERIFY(browser().shellItems().empty());
        QCOMPARE(browser().model()->rowCount(), 0);
        const QByteArray ini = readAll(programFolder_ + "Tornavel.ini");
        QVERIFY(ini.contains("typView=vsList\r\n"));
        QVERIFY(ini.contains("VystupniAdresar=" + sourceFolder_.toUtf8() + "\r\n"));

        startForm();
        QCOMPARE(browser().viewStyle(), ViewStyle::List);
        QTest::mouseClick(browser().btnLargeIcons, Qt::LeftButton);
        QVERIFY(form_->close());
        QVERIFY(readAll(programFolder_ + "Tornavel.ini").contains("typView=vsIcon\r\n"));
    }

    void showsSourceFolderAfterStart() {
        fillSourceFolder();
        writeSettings(sourceFolder_);
        startForm();
        QVERIFY(MessageBoxes::takeRecords().isEmpty());
        QCOMPARE(form_->browser()->parentWidget(), named<QWidget>(*form_, "browserArea"));
        QCOMPARE(form_->findChild<QStackedWidget*>("ListView"), browser().listView);
        QCOMPARE(form_->findChild<QComboBox*>("cbPath"), browser().pathBox);
        QCOMPARE(form_->findChild<QToolButton*>("btnBack"), browser().backButton);
        verifyShowsSourceFolder();
        QCOMPARE(browser().model()->rowCount(), 3);
        QCOMPARE(pathEntries(browser()), QStringList{withoutSeparator(sourceFolder_)});
        // The first row is selected.
        QCOMPARE(browser().currentItemView()->selectionModel()->currentIndex().row(), 0);
        QCOMPARE(named<QLabel>(*form_, "Cesta")->text(), sourceFolder_);

        // Back at SourceFolder stays there, silently.
        bool beeped = false;
        browser().setBeeper([&beeped] { beeped = true; });
        QTest::mouseClick(browser().backButton, Qt::LeftButton);
        verifyShowsSourceFolder();
        QVERIFY(!beeped);
        // One level down, Back returns.
        walkIntoSubFolder();
        QTest::mouseClick(browser().backButton, Qt::LeftButton);
        verifyShowsSourceFolder();
        QVERIFY(MessageBoxes::takeRecords().isEmpty());
    }

    // New and the first activation return to the folder the start-up has just
    // listed; unchanged, it is not listed again. Changes made outside still
    // show at the next return.
    void startUpListsTheFolderOnce() {
        fillSourceFolder();
        // As the program finds the folder at start: last changed an hour ago.
        setModified(sourceFolder_, QDateTime::currentDateTime().addSecs(-3600));
        writeSettings(sourceFolder_, "vsReport");
        startForm();
        QTRY_VERIFY(form_->isActiveWindow());
        QCOMPARE(browser().enumerationCount(), 1);
        verifyShowsSourceFolder();
        QCOMPARE(cell(browser(), "program.exe", ShellItemModel::ColSize), QStringLiteral("1KB"));

        // A file that grew: the same listing, the size read again.
        writeAll(sourceFolder_ + "program.exe", QByteArray(5000, 'x'));
        reactivate();
        QCOMPARE(browser().enumerationCount(), 1);
        QCOMPARE(cell(browser(), "program.exe", ShellItemModel::ColSize), QStringLiteral("5KB"));

        // A new file changes the folder: it is listed again.
        writeAll(sourceFolder_ + "nový.txt", "");
        clickTab(2);
        QCOMPARE(browser().enumerationCount(), 2);
        QVERIFY(shownNames(browser()).contains("nový.txt"));
        QVERIFY(MessageBoxes::takeRecords().isEmpty());
    }

    void activationAndNotebookClickReturnToSourceFolder() {
        fillSourceFolder();
        writeSettings(sourceFolder_);
        startForm();
        named<QTabWidget>(*form_, "TabbedNotebook1")->setCurrentIndex(1);

        walkIntoSubFolder();
        reactivate();
        verifyShowsSourceFolder();

        walkIntoSubFolder();
        clickTab(3);
        verifyShowsSourceFolder();
        QCOMPARE(named<QTabWidget>(*form_, "TabbedNotebook1")->currentIndex(), 3);

        // A file that appeared meanwhile shows at the next refresh.
        writeAll(sourceFolder_ + "nový.txt", "");
        clickTab(1);
        QVERIFY(shownNames(browser()).contains("nový.txt"));
        QVERIFY(MessageBoxes::takeRecords().isEmpty());
    }

    void repaintKeepsTheFolderTheUserWalkedInto() {
        fillSourceFolder();
        writeSettings(sourceFolder_);
        startForm();
        named<QTabWidget>(*form_, "TabbedNotebook1")->setCurrentIndex(1);
        walkIntoSubFolder();
        form_->repaint();
        form_->update();
        QTest::qWait(50);
        QCOMPARE(browser().currentPath(), sourceFolder_ + "podsložka");
    }

    void newReturnsToSourceFolder() {
        fillSourceFolder();
        writeSettings(sourceFolder_);
        startForm();
        named<QTabWidget>(*form_, "TabbedNotebook1")->setCurrentIndex(1);
        walkIntoSubFolder();
        QTest::keyClick(box(*form_, FieldId::AppName), Qt::Key_N, Qt::ControlModifier);
        verifyShowsSourceFolder();
        walkIntoSubFolder();
        named<QToolButton>(*form_, "SpeedButton1")->click();
        verifyShowsSourceFolder();
        // The path list keeps both folders it has shown, newest first.
        QCOMPARE(pathEntries(browser()),
                 (QStringList{sourceFolder_ + "podsložka", withoutSeparator(sourceFolder_)}));
    }

    void outputDirectoryDialogYesEmptiesThePathList() {
        fillSourceFolder();
        writeSettings(sourceFolder_, "vsList");
        startForm();
        OutputFolderDialog* dialog = form_->outputFolderDialog();
        walkIntoSubFolder();
        QTest::mouseClick(browser().btnLargeIcons, Qt::LeftButton);
        const QString other = path("jiný");
        QVERIFY(QDir().mkpath(other + "/hluboko"));
        writeAll(other + "/jiný soubor.txt", "");

        // No: the browser keeps its folder and its path list.
        MessageBoxes::setNextAnswer(QMessageBox::No);
        QTimer::singleShot(0, dialog, [dialog, other] {
            dialog->openFolder(other);
            dialog->okButton()->click();
        });
        named<QAction>(*form_, "Vystupnadres1")->trigger();
        MessageBoxes::takeRecords();
        QCOMPARE(pathEntries(browser()),
                 (QStringList{sourceFolder_ + "podsložka", withoutSeparator(sourceFolder_)}));
        QCOMPARE(browser().currentPath(), sourceFolder_ + "podsložka");

        // Yes: the list holds the new folder only, and the browser shows it.
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        QTimer::singleShot(0, dialog, [dialog] { dialog->okButton()->click(); });
        named<QAction>(*form_, "Vystupnadres1")->trigger();
        QVERIFY(standardErrors(MessageBoxes::takeRecords()) == 0);
        QCOMPARE(form_->sourceFolder(), other + "/");
        QCOMPARE(browser().currentPath(), other);
        QCOMPARE(shownNames(browser()), (QStringList{"hluboko", "jiný soubor.txt"}));
        QCOMPARE(pathEntries(browser()), QStringList{other});
        // The re-run read "typView" again: the stored list, not the icons in use.
        QCOMPARE(browser().viewStyle(), ViewStyle::List);
        // Back now stops at the new folder.
        openFolder(browser(), QStringLiteral("hluboko"));
        QTest::keyClick(browser().currentItemView(), Qt::Key_Backspace);
        QCOMPARE(browser().currentPath(), other);
        QTest::keyClick(browser().currentItemView(), Qt::Key_Backspace);
        QCOMPARE(browser().currentPath(), other);
    }

    // A folder that disappears while the program runs: the refreshes report
    // it once, not at every activation (closing the box activates the window
    // again), and report again once the folder was back in between.
    void vanishedFolderIsReportedOnce() {
        fillSourceFolder();
        writeSettings(sourceFolder_);
        startForm();
        named<QTabWidget>(*form_, "TabbedNotebook1")->setCurrentIndex(1);
        QVERIFY(QDir(sourceFolder_).removeRecursively());

        reactivate();
        auto shown = MessageBoxes::takeRecords();
        QCOMPARE(standardErrors(shown), 1);
        QVERIFY2(shown[0].text.contains(withoutSeparator(sourceFolder_)) &&
                     shown[0].text.contains("neexistuje"),
                 qPrintable(shown[0].text));
        // The previous listing stays.
        QCOMPARE(browser().currentPath(), withoutSeparator(sourceFolder_));
        reactivate();
        clickTab(2);
        named<QAction>(*form_, "Nova")->trigger();
        QCOMPARE(standardErrors(MessageBoxes::takeRecords()), 0);
        QCOMPARE(box(*form_, FieldId::AppName)->text(), QString("Můj program")); // New went on

        QVERIFY(QDir().mkpath(sourceFolder_));
        clickTab(1);
        QVERIFY(browser().shellItems().empty());
        QVERIFY(MessageBoxes::takeRecords().isEmpty());
        QVERIFY(QDir(sourceFolder_).removeRecursively());
        reactivate();
        QCOMPARE(standardErrors(MessageBoxes::takeRecords()), 1);
    }

    // A folder the browser cannot show at start-up: one error box, and the
    // rest of the start-up still follows SourceFolder. A relative setting
    // exists for the folder test (relative to the current folder) but is no
    // path the browser can take.
    void setUpFailureIsReportedOnceAndStartUpGoesOn() {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_->path()));
        QVERIFY(QDir().mkpath("relativni"));
        writeSettings("relativni/");
        startForm();
        QVERIFY(QDir::setCurrent(previous));
        reactivate();
        clickTab(1);
        const auto shown = MessageBoxes::takeRecords();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::StandardError);
        QVERIFY2(shown[0].text.contains("relativni/"), qPrintable(shown[0].text));
        QCOMPARE(named<QLabel>(*form_, "Cesta")->text(), QString("relativni/"));
        QCOMPARE(box(*form_, FieldId::AppName)->text(), QString("Můj program"));
        QVERIFY(!form_->isModified());
        QVERIFY(browser().shellItems().empty());
        QVERIFY(form_->close());
    }
};

QTEST_MAIN(BrowserWindowTest)
#include "BrowserWindowTest.moc"
