// The file browser of the page "Soubory", driven as the user drives it.
#include "ui/browser/ShellBrowser.h"

#include "BrowserRows.h"
#include "platform/Errors.h"
#include "platform/ShellNamespace.h"
#include "ui/MessageBoxes.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <sys/stat.h>

using tornavel::ui::MessageBoxes;
using tornavel::ui::ShellBrowser;
using tornavel::ui::ShellItemModel;

namespace {

QString folderOf(const QTemporaryDir& dir, const QString& relative = {}) {
    QString path = dir.path();
    if (!relative.isEmpty()) {
        path += u'/' + relative;
    }
    return path + u'/';
}

void writeFile(const QString& path, qint64 size = 0) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    if (size > 0) {
        file.write(QByteArray(size, 'x'));
    }
}

// A double-click as the window system delivers it: press, release, the
// double-click event, release.
void doubleClick(QWidget* widget, QPoint pos) {
    QTest::mousePress(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

int countStandardErrors(const QList<MessageBoxes::Record>& records) {
    int n = 0;
    for (const auto& r : records) {
        n += r.kind == MessageBoxes::Record::Kind::StandardError ? 1 : 0;
    }
    return n;
}

} // namespace

class ShellBrowserTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MessageBoxes::enableTestMode(); }
    void init() { MessageBoxes::takeRecords(); }

    void sizesTypesAndAttributes();
    void datesLeaveOutMidnight();
    void foldersFirstThenNamesInCzechOrder();
    void backStaysWithinSourceFolder();
    void backLimitIsTheFolderShownNotTheTypedText();
    void backThroughThePathListWalksUpAndBeeps();
    void enterAndDoubleClickOpenFoldersOnly();
    void pathListKeepsOneEntryPerFolderNewestFirst();
    void typedPathsAndFailuresKeepThePreviousFolder();
    void emptyFolderHasNoRowsAndNoSelection();
    void aReturnShowsTheFirstRowAlsoWithoutAListing_data();
    void aReturnShowsTheFirstRowAlsoWithoutAListing();
    void viewStylesByNameAndByButton();
    void detailsAreReadOnlyForRowsShown_data();
    void detailsAreReadOnlyForRowsShown();
    void columnsAndSubItemColour();
    void fillDetailsTakesOnlyRangesWithinTheList();
};

void ShellBrowserTest::sizesTypesAndAttributes() {
    QTemporaryDir dir;
    writeFile(dir.filePath("nula.bin"), 0);
    writeFile(dir.filePath("malý.bin"), 1999);
    writeFile(dir.filePath("dva.bin"), 2000);
    writeFile(dir.filePath("skoro3.bin"), 2999);
    writeFile(dir.filePath("ctenar.txt"));
    writeFile(dir.filePath(".skryty"));
    writeFile(dir.filePath(".oboji"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("složka")));
    QCOMPARE(::chmod(QFile::encodeName(dir.filePath("ctenar.txt")).constData(), 0444), 0);
    QCOMPARE(::chmod(QFile::encodeName(dir.filePath(".oboji")).constData(), 0400), 0);

    ShellBrowser browser;
    browser.setUp(QStringLiteral("vsReport"), folderOf(dir));
    QCOMPARE(browser.shellItems().size(), std::size_t{8});

    QCOMPARE(cell(browser, "nula.bin", ShellItemModel::ColSize), QStringLiteral("1KB"));
    QCOMPARE(cell(browser, "malý.bin", ShellItemModel::ColSize), QStringLiteral("1KB"));
    QCOMPARE(cell(browser, "dva.bin", ShellItemModel::ColSize), QStringLiteral("2KB"));
    QCOMPARE(cell(browser, "skoro3.bin", ShellItemModel::ColSize), QStringLiteral("2KB"));
    QCOMPARE(cell(browser, "složka", ShellItemModel::ColSize), QString());

    QCOMPARE(cell(browser, "ctenar.txt", ShellItemModel::ColAttributes), QStringLiteral("R"));
    QCOMPARE(cell(browser, ".skryty", ShellItemModel::ColAttributes), QStringLiteral("H"));
    QCOMPARE(cell(browser, ".oboji", ShellItemModel::ColAttributes), QStringLiteral("RH"));
    QCOMPARE(cell(browser, "dva.bin", ShellItemModel::ColAttributes), QString());
    QCOMPARE(cell(browser, "složka", ShellItemModel::ColAttributes), QString());

    // Type descriptions come from the MIME database, in Czech.
    QCOMPARE(cell(browser, "složka", ShellItemModel::ColType), QStringLiteral("složka"));
    QCOMPARE(cell(browser, "ctenar.txt", ShellItemModel::ColType),
             QStringLiteral("prostý textový dokument"));
    // Every entry has an icon, and a folder's differs from a text file's.
    const int folderRow = rowOf(browser, "složka");
    const int textRow = rowOf(browser, "ctenar.txt");
    const auto icon = [&](int row) {
        return browser.model()->data(browser.model()->index(row, 0), Qt::DecorationRole);
    };
    QVERIFY(!icon(folderRow).value<QIcon>().isNull());
    QVERIFY(!icon(textRow).value<QIcon>().isNull());
    QVERIFY(browser.shellItems()[folderRow].imageIndex != browser.shellItems()[textRow].imageIndex);
}

void ShellBrowserTest::datesLeaveOutMidnight() {
    QTemporaryDir dir;
    writeFile(dir.filePath("pulnoc.txt"));
    writeFile(dir.filePath("odpoledne.txt"));
    const QDate day(2021, 3, 17);
    setModified(dir.filePath("pulnoc.txt"), QDateTime(day, QTime(0, 0), Qt::LocalTime));
    setModified(dir.filePath("odpoledne.txt"), QDateTime(day, QTime(13, 45, 30), Qt::LocalTime));

    ShellBrowser browser;
    browser.setUp(QStringLiteral("vsReport"), folderOf(dir));
    const QString dateText = QLocale::system().toString(day, QLocale::ShortFormat);
    QCOMPARE(cell(browser, "pulnoc.txt", ShellItemModel::ColDate), dateText);
    const QString afternoon = cell(browser, "odpoledne.txt", ShellItemModel::ColDate);
    QVERIFY2(afternoon.startsWith(dateText + u' '), qPrintable(afternoon));
    QVERIFY2(afternoon.contains(QStringLiteral("45:30")), qPrintable(afternoon));
    // No time zone: the column has room for the date and the time only.
    QVERIFY2(!afternoon.contains(QStringLiteral("UTC")) &&
                 !afternoon.contains(QStringLiteral("CET")),
             qPrintable(afternoon));
}

void ShellBrowserTest::foldersFirstThenNamesInCzechOrder() {
    QTemporaryDir dir;
    for (const char* name :
         {"b.txt", "cukr.txt", "čaj.txt", "dům.txt", "soubor10.txt", "soubor2.txt", "Ahoj.txt"}) {
        writeFile(dir.filePath(QString::fromUtf8(name)));
    }
    QDir(dir.path()).mkdir(QStringLiteral("zeta"));
    QDir(dir.path()).mkdir(QStringLiteral("Alfa"));

    ShellBrowser browser;
    browser.setUp(QStringLiteral("vsList"), folderOf(dir));
    QCOMPARE(shownNames(browser),
             (QStringList{"Alfa", "zeta", "Ahoj.txt", "b.txt", "cukr.txt", "čaj.txt", "dům.txt",
                          "soubor2.txt", "soubor10.txt"}));
    // The sort agrees with compareItems.
    const auto& items = browser.shellItems();
    for (std::size_t i = 1; i < items.size(); ++i) {
        QVERIFY(browser.compareItems(items[i - 1], items[i]) < 0);
        QVERIFY(browser.compareItems(items[i], items[i - 1]) > 0);
    }
}

void ShellBrowserTest::backStaysWithinSourceFolder() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("zdroj/pod")));
    writeFile(dir.filePath("zdroj/soubor.txt"));
    const QString source = folderOf(dir, QStringLiteral("zdroj"));

    ShellBrowser browser;
    int beeps = 0;
    browser.setBeeper([&] { ++beeps; });
    browser.setUp(QStringLiteral("vsReport"), source);
    QCOMPARE(browser.currentPath(), dir.filePath("zdroj"));

    // Back at SourceFolder does nothing, silently.
    browser.backButton->click();
    QCOMPARE(browser.currentPath(), dir.filePath("zdroj"));
    QCOMPARE(beeps, 0);

    // One level down and back, once by the button and once by Backspace.
    selectRow(browser, "pod");
    browser.open();
    QCOMPARE(browser.currentPath(), dir.filePath("zdroj/pod"));
    browser.backButton->click();
    QCOMPARE(browser.currentPath(), dir.filePath("zdroj"));

    selectRow(browser, "pod");
    browser.open();
    QTest::keyClick(browser.currentItemView(), Qt::Key_Backspace);
    QCOMPARE(browser.currentPath(), dir.filePath("zdroj"));
    QCOMPARE(beeps, 0);
    QVERIFY(MessageBoxes::takeRecords().isEmpty());
}

// The limit compares folders: an edited but unconfirmed path in pathBox moves
// it nowhere, and a SourceFolder written with "//" or "/./" is the same folder.
void ShellBrowserTest::backLimitIsTheFolderShownNotTheTypedText() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("zdroj/pod")));
    const QString source = dir.filePath("zdroj");
    for (const QString& written : {source + u'/', dir.path() + QStringLiteral("//zdroj/"),
                                   dir.path() + QStringLiteral("/./zdroj/")}) {
        ShellBrowser browser;
        browser.setBeeper([] { QFAIL("beeped"); });
        browser.setUp(QStringLiteral("vsReport"), written);
        browser.back();
        QCOMPARE(browser.currentPath(), source);

        browser.pathBox->setEditText(dir.path());
        browser.back();
        QCOMPARE(browser.currentPath(), source);

        selectRow(browser, "pod");
        browser.open();
        browser.pathBox->setEditText(source);
        browser.back();
        QCOMPARE(browser.currentPath(), source);
    }
    QVERIFY(MessageBoxes::takeRecords().isEmpty());
}

void ShellBrowserTest::backThroughThePathListWalksUpAndBeeps() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("zdroj")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("jinde/a/b")));
    const QString elsewhere = dir.filePath("jinde/a/b");

    ShellBrowser browser;
    int beeps = 0;
    browser.setBeeper([&] { ++beeps; });
    browser.setUp(QStringLiteral("vsReport"), folderOf(dir, QStringLiteral("zdroj")));
    browser.navigateToPath(elsewhere);
    browser.navigateToPath(folderOf(dir, QStringLiteral("zdroj")));

    // Pick the other folder in the path list.
    const int entry = browser.pathBox->findText(elsewhere);
    QVERIFY(entry >= 0);
    browser.pathBox->setCurrentIndex(entry);
    emit browser.pathBox->activated(entry);
    QCOMPARE(browser.currentPath(), elsewhere);

    // Walk up to the first folder under the root, one level per Back.
    const QStringList parts = elsewhere.split(u'/', Qt::SkipEmptyParts);
    QString expected = elsewhere;
    for (int level = parts.size(); level > 1; --level) {
        browser.back();
        expected = expected.left(expected.lastIndexOf(u'/'));
        QCOMPARE(browser.currentPath(), expected);
    }
    QCOMPARE(browser.currentPath(), u'/' + parts.first());
    QCOMPARE(beeps, 0);
    // Above it lies only the root: Back beeps and stays.
    browser.back();
    QCOMPARE(beeps, 1);
    QCOMPARE(browser.currentPath(), u'/' + parts.first());
    QVERIFY(MessageBoxes::takeRecords().isEmpty());
}

void ShellBrowserTest::enterAndDoubleClickOpenFoldersOnly() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("pod/hloub")));
    writeFile(dir.filePath("soubor.txt"));
    writeFile(dir.filePath("pod/uvnitr.txt"));

    ShellBrowser browser;
    // Every listing and every row's details keep the model's contract with
    // its views.
    QAbstractItemModelTester tester(browser.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    browser.resize(465, 200);
    browser.setUp(QStringLiteral("vsReport"), folderOf(dir));
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));

    selectRow(browser, "soubor.txt");
    QTest::keyClick(browser.currentItemView(), Qt::Key_Return);
    QCOMPARE(browser.currentPath(), dir.path());
    QVERIFY(rowOf(browser, "soubor.txt") >= 0);

    // A double-click on a file does nothing either.
    QTableView* view = browser.reportView();
    const QRect fileRect =
        view->visualRect(browser.model()->index(rowOf(browser, "soubor.txt"), 0));
    doubleClick(view->viewport(), fileRect.center());
    QCOMPARE(browser.currentPath(), dir.path());

    selectRow(browser, "pod");
    QTest::keyClick(browser.currentItemView(), Qt::Key_Enter);
    QCOMPARE(browser.currentPath(), dir.filePath("pod"));
    // The first row of the new folder is selected and current.
    QCOMPARE(browser.currentItemView()->selectionModel()->currentIndex().row(), 0);
    QCOMPARE(shownNames(browser), (QStringList{"hloub", "uvnitr.txt"}));

    QTest::qWait(20);
    const QRect folderRect = view->visualRect(browser.model()->index(rowOf(browser, "hloub"), 0));
    doubleClick(view->viewport(), folderRect.center());
    QCOMPARE(browser.currentPath(), dir.filePath("pod/hloub"));
}

void ShellBrowserTest::pathListKeepsOneEntryPerFolderNewestFirst() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("zdroj/pod")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("zdroj/jiny")));
    const QString source = dir.filePath("zdroj");

    ShellBrowser browser;
    browser.setUp(QStringLiteral("vsReport"), source + u'/');
    QCOMPARE(browser.pathBox->count(), 1);
    QCOMPARE(browser.pathBox->currentText(), source);

    selectRow(browser, "pod");
    browser.open();
    QCOMPARE(browser.pathBox->itemText(0), source + QStringLiteral("/pod"));
    browser.back();
    // Already listed: selected, not added again; the newest stays on top.
    QCOMPARE(browser.pathBox->count(), 2);
    QCOMPARE(browser.pathBox->currentIndex(), 1);
    QCOMPARE(browser.pathBox->currentText(), source);

    selectRow(browser, "jiny");
    browser.open();
    QCOMPARE(browser.pathBox->count(), 3);
    QCOMPARE(browser.pathBox->itemText(0), source + QStringLiteral("/jiny"));
    QCOMPARE(browser.pathBox->currentIndex(), 0);

    // Looking up a typed path ignores letter case: the entry's own folder is shown.
    browser.pathBox->setEditText(source.toUpper() + QStringLiteral("/POD"));
    QTest::keyClick(browser.pathBox->lineEdit(), Qt::Key_Return);
    QCOMPARE(browser.currentPath(), source + QStringLiteral("/pod"));
    QCOMPARE(browser.pathBox->count(), 3);
    QCOMPARE(browser.pathBox->currentText(), source + QStringLiteral("/pod"));

    // A repeated set-up keeps the list; a change of SourceFolder empties it first.
    browser.setUp(QStringLiteral("vsReport"), source + u'/');
    QCOMPARE(browser.pathBox->count(), 3);
    browser.clearPathList();
    browser.setUp(QStringLiteral("vsReport"), source + u'/');
    QCOMPARE(browser.pathBox->count(), 1);
    QVERIFY(MessageBoxes::takeRecords().isEmpty());
}

void ShellBrowserTest::typedPathsAndFailuresKeepThePreviousFolder() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("zdroj/pryc")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("jinam")));
    writeFile(dir.filePath("zdroj/soubor.txt"));

    ShellBrowser browser;
    browser.setUp(QStringLiteral("vsReport"), folderOf(dir, QStringLiteral("zdroj")));

    // A typed path that is not in the list is navigated to.
    browser.pathBox->setEditText(dir.filePath("jinam"));
    QTest::keyClick(browser.pathBox->lineEdit(), Qt::Key_Return);
    QCOMPARE(browser.currentPath(), dir.filePath("jinam"));
    browser.navigateToPath(folderOf(dir, QStringLiteral("zdroj")));

    // A folder that went away after the listing: the error box, and the
    // previous folder stays shown.
    QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("zdroj/pryc")));
    selectRow(browser, "pryc");
    browser.open();
    auto records = MessageBoxes::takeRecords();
    QCOMPARE(countStandardErrors(records), 1);
    QVERIFY2(records.constFirst().text.contains(dir.filePath("zdroj/pryc")),
             qPrintable(records.constFirst().text));
    QCOMPARE(records.constFirst().caption, QStringLiteral("Tornavel"));
    QCOMPARE(browser.currentPath(), dir.filePath("zdroj"));
    QCOMPARE(shownNames(browser), (QStringList{"pryc", "soubor.txt"}));
    QCOMPARE(browser.model()->rowCount(), 2);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);

    // A typed path that does not exist.
    browser.pathBox->setEditText(dir.filePath("nikde"));
    QTest::keyClick(browser.pathBox->lineEdit(), Qt::Key_Return);
    records = MessageBoxes::takeRecords();
    QCOMPARE(countStandardErrors(records), 1);
    QVERIFY(records.constFirst().text.contains(QStringLiteral("neexistuje")));
    QCOMPARE(browser.currentPath(), dir.filePath("zdroj"));

    // The set-up reports a missing SourceFolder to its caller.
    QVERIFY_THROWS_EXCEPTION(tornavel::Error,
                             browser.setUp(QStringLiteral("vsReport"), folderOf(dir, "nic")));
}

void ShellBrowserTest::emptyFolderHasNoRowsAndNoSelection() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("plna/prazdna")));
    writeFile(dir.filePath("plna/a.txt"));

    ShellBrowser browser;
    browser.setUp(QStringLiteral("vsReport"), folderOf(dir, QStringLiteral("plna")));
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));
    QVERIFY(browser.currentItemView()->selectionModel()->hasSelection());

    selectRow(browser, "prazdna");
    browser.open();
    QCOMPARE(browser.currentPath(), dir.filePath("plna/prazdna"));
    QCOMPARE(browser.model()->rowCount(), 0);
    QVERIFY(browser.shellItems().empty());
    QVERIFY(!browser.currentItemView()->selectionModel()->hasSelection());
    QVERIFY(!browser.currentItemView()->selectionModel()->currentIndex().isValid());
    // Enter on nothing does nothing.
    QTest::keyClick(browser.currentItemView(), Qt::Key_Return);
    QCOMPARE(browser.currentPath(), dir.filePath("plna/prazdna"));
    QVERIFY(MessageBoxes::takeRecords().isEmpty());
}

void ShellBrowserTest::aReturnShowsTheFirstRowAlsoWithoutAListing_data() {
    QTest::addColumn<QString>("style");
    QTest::newRow("details") << QStringLiteral("vsReport");
    QTest::newRow("list") << QStringLiteral("vsList"); // scrolls sideways
}

void ShellBrowserTest::aReturnShowsTheFirstRowAlsoWithoutAListing() {
    QFETCH(QString, style);
    QTemporaryDir dir;
    for (int i = 0; i < 400; ++i) {
        writeFile(dir.filePath(QStringLiteral("soubor%1.txt").arg(i)));
    }
    setModified(dir.path(), QDateTime::currentDateTime().addSecs(-3600));
    ShellBrowser browser;
    browser.resize(465, 200);
    browser.setUp(style, folderOf(dir));
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));

    // The first row stays current while the user scrolls away from it.
    QAbstractItemView* view = browser.currentItemView();
    QCOMPARE(view->currentIndex().row(), 0);
    view->scrollToBottom();
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    QTest::qWait(20);
    browser.navigateToPath(folderOf(dir));
    QCOMPARE(browser.enumerationCount(), 1);
    QCOMPARE(view->currentIndex().row(), 0);
    const QModelIndex first = browser.model()->index(0, 0);
    QVERIFY(view->viewport()->rect().contains(view->visualRect(first)));
}

void ShellBrowserTest::viewStylesByNameAndByButton() {
    QTemporaryDir dir;
    writeFile(dir.filePath("a.txt"));

    ShellBrowser browser;
    QCOMPARE(browser.viewStyleName(), QStringLiteral("vsSmallIcon"));
    // Names with other letter case are not recognised.
    browser.setUp(QStringLiteral("vsreport"), folderOf(dir));
    QCOMPARE(browser.viewStyleName(), QStringLiteral("vsSmallIcon"));
    QCOMPARE(browser.listView->currentWidget(), browser.iconView());
    QCOMPARE(browser.iconView()->viewMode(), QListView::ListMode);
    QVERIFY(!browser.setViewStyleByName(QStringLiteral("VSICON")));
    QVERIFY(!browser.setViewStyleByName(QString()));
    QCOMPARE(browser.viewStyleName(), QStringLiteral("vsSmallIcon"));

    QVERIFY(browser.setViewStyleByName(QStringLiteral("vsReport")));
    QCOMPARE(browser.listView->currentWidget(), browser.reportView());
    QVERIFY(browser.setViewStyleByName(QStringLiteral("vsIcon")));
    QCOMPARE(browser.listView->currentWidget(), browser.iconView());
    QCOMPARE(browser.iconView()->viewMode(), QListView::IconMode);
    QVERIFY(browser.setViewStyleByName(QStringLiteral("vsList")));
    QCOMPARE(browser.iconView()->flow(), QListView::TopToBottom);
    QCOMPARE(browser.viewStyleName(), QStringLiteral("vsList"));

    // Setting the style by name presses no button; a pressed one stays down alone.
    const QList<QToolButton*> buttons{browser.btnLargeIcons, browser.btnSmallIcons, browser.btnList,
                                      browser.btnReport};
    for (QToolButton* b : buttons) {
        QVERIFY(!b->isChecked());
    }
    const QStringList names{"vsIcon", "vsSmallIcon", "vsList", "vsReport"};
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->click();
        QCOMPARE(browser.viewStyleName(), names[i]);
        for (int j = 0; j < buttons.size(); ++j) {
            QCOMPARE(buttons[j]->isChecked(), i == j);
        }
    }
    // The selected row survives a change of view.
    QCOMPARE(browser.reportView()->selectionModel()->currentIndex().row(), 0);
    browser.btnList->click();
    QCOMPARE(browser.currentItemView()->selectionModel()->currentIndex().row(), 0);
}

void ShellBrowserTest::detailsAreReadOnlyForRowsShown_data() {
    QTest::addColumn<QString>("style");
    QTest::newRow("large icons") << QStringLiteral("vsIcon");
    QTest::newRow("small icons") << QStringLiteral("vsSmallIcon");
    QTest::newRow("list") << QStringLiteral("vsList");
    QTest::newRow("details") << QStringLiteral("vsReport");
}

void ShellBrowserTest::detailsAreReadOnlyForRowsShown() {
    QFETCH(QString, style);
    static QTemporaryDir dir;
    static bool filled = false;
    constexpr int kFiles = 3000;
    if (!filled) {
        for (int i = 0; i < kFiles; ++i) {
            writeFile(dir.filePath(QStringLiteral("soubor%1.txt").arg(i)));
        }
        filled = true;
    }

    ShellBrowser browser;
    browser.resize(465, 200);
    browser.setUp(style, folderOf(dir));
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));
    QTest::qWait(50);

    const auto filledRows = [&] {
        QList<int> rows;
        const auto& items = browser.shellItems();
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!items[i].detailsPending) {
                rows << static_cast<int>(i);
            }
        }
        return rows;
    };
    QCOMPARE(browser.model()->rowCount(), kFiles);
    QList<int> rows = filledRows();
    QVERIFY2(!rows.isEmpty() && rows.contains(0), qPrintable(style));
    QVERIFY2(rows.size() < 200, qPrintable(QStringLiteral("%1 rows read").arg(rows.size())));

    // Scrolling to the end reads the rows shown there, and only a screenful more.
    const int before = rows.size();
    browser.currentItemView()->scrollToBottom();
    QTest::qWait(50);
    rows = filledRows();
    QVERIFY(rows.contains(kFiles - 1));
    QVERIFY2(rows.size() < before + 200,
             qPrintable(QStringLiteral("%1 rows read").arg(rows.size())));
}

void ShellBrowserTest::columnsAndSubItemColour() {
    QTemporaryDir dir;
    writeFile(dir.filePath("a.txt"), 5000);

    ShellBrowser browser;
    browser.setUp(QStringLiteral("vsReport"), folderOf(dir));
    const QStringList titles{"Jméno", "Velikost", "Typ", "Datum", "Atributy"};
    const QList<int> widths{169, 49, 59, 114, 47}; // the least, as the original had them
    QHeaderView* header = browser.reportView()->horizontalHeader();
    for (int c = 0; c < ShellItemModel::ColumnCount; ++c) {
        QCOMPARE(browser.model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                 titles[c]);
        // Neither the title nor the value is cut in this font; a long type
        // may be, and its tooltip shows it whole.
        QVERIFY(header->sectionSize(c) >= widths[c]);
        QVERIFY(header->sectionSize(c) > header->fontMetrics().horizontalAdvance(titles[c]));
        QVERIFY(c == ShellItemModel::ColType ||
                header->sectionSize(c) > browser.reportView()->fontMetrics().horizontalAdvance(
                                             cell(browser, "a.txt", c)));
    }
    QCOMPARE(browser.model()
                 ->data(browser.model()->index(0, ShellItemModel::ColType), Qt::ToolTipRole)
                 .toString(),
             cell(browser, "a.txt", ShellItemModel::ColType));
    const auto alignment = [&](int column) {
        return browser.model()
                   ->data(browser.model()->index(0, column), Qt::TextAlignmentRole)
                   .toInt() &
               Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(alignment(ShellItemModel::ColSize), int(Qt::AlignRight));
    QCOMPARE(alignment(ShellItemModel::ColAttributes), int(Qt::AlignRight));
    QCOMPARE(alignment(ShellItemModel::ColType), int(Qt::AlignLeft));

    const auto foreground = [&](int column) {
        return browser.model()->data(browser.model()->index(0, column), Qt::ForegroundRole);
    };
    QVERIFY(!foreground(ShellItemModel::ColName).isValid());
    for (int c = ShellItemModel::ColSize; c < ShellItemModel::ColumnCount; ++c) {
        QCOMPARE(foreground(c).value<QBrush>().color(),
                 QGuiApplication::palette().color(QPalette::WindowText));
    }
    QCOMPARE(cell(browser, "a.txt", ShellItemModel::ColSize), QStringLiteral("5KB"));

    // A width the user set survives a look at another view.
    browser.reportView()->horizontalHeader()->resizeSection(ShellItemModel::ColType, 80);
    browser.btnList->click();
    browser.btnReport->click();
    QCOMPARE(browser.reportView()->horizontalHeader()->sectionSize(ShellItemModel::ColType), 80);
}

void ShellBrowserTest::fillDetailsTakesOnlyRangesWithinTheList() {
    QTemporaryDir dir;
    writeFile(dir.filePath("a.txt"), 5000);
    writeFile(dir.filePath("b.txt"), 6000);
    writeFile(dir.filePath("c.txt"), 7000);

    ShellBrowser browser;
    browser.setUp(QStringLiteral("vsReport"), folderOf(dir));
    const auto& items = browser.shellItems();
    browser.fillDetails(1, 3); // past the end: nothing happens
    browser.fillDetails(-1, 1);
    QVERIFY(items[1].detailsPending);
    QVERIFY(items[2].detailsPending);
    browser.fillDetails(2, 2);
    QVERIFY(items[1].detailsPending);
    QVERIFY(!items[2].detailsPending);
    QCOMPARE(items[2].sizeKb, 7);
    QVERIFY(items[2].absoluteId != nullptr);
    QCOMPARE(browser.itemDisplayName(tornavel::shell::ShellFolder(), items[2].absoluteId,
                                     tornavel::shell::NameForm::ForParsing),
             dir.filePath("c.txt"));
}

QTEST_MAIN(ShellBrowserTest)
#include "ShellBrowserTest.moc"
