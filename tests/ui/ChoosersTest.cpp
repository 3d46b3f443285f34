// The two chooser dialogs and the icon grid, driven as a user drives them.
#include "../support/IconSamples.h"
#include "WindowControls.h"
#include "ui/MessageBoxes.h"
#include "ui/choosers/IconChooser.h"
#include "ui/choosers/RunFileChooser.h"
#include "ui/controls/ChooserFileList.h"
#include "ui/controls/IconGrid.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tornavel;
using namespace tornavel::ui;
using namespace tornavel::test;

namespace {

const std::vector<SampleIcon> kThreeIcons = {
    {{16, 0xFFFF0000}, {32, 0xFFFF0000}}, // red
    {{32, 0xFF00FF00}},                   // green
    {{48, 0xFF0000FF}, {32, 0xFF0000FF}}, // blue
};

QString folderOf(const QTemporaryDir& dir) {
    return QDir::toNativeSeparators(dir.path()) + QDir::separator();
}

void writeFile(const QTemporaryDir& dir, const QString& name, const std::string& bytes) {
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QStringList listed(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) {
        names << list->item(i)->text();
    }
    return names;
}

// Clicks an entry of a list, as the user selects it.
void clickEntry(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    QVERIFY(item);
    list->doItemsLayout();
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void doubleClickEntry(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    QVERIFY(item);
    list->doItemsLayout();
    const QPoint at = list->visualItemRect(item).center();
    // A double-click is a press, a release and a double-click event.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

int rowOf(const QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == text) {
            return i;
        }
    }
    return -1;
}

// The colour drawn at the middle of a grid cell.
QColor cellColour(IconGrid& grid, int row) {
    grid.doItemsLayout();
    const QImage image = grid.viewport()->grab().toImage();
    return image.pixelColor(grid.visualItemRect(grid.item(row)).center());
}

} // namespace

class ChoosersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MessageBoxes::enableTestMode();
        // The sample programs, libraries and icon files.
        QVERIFY(dir_.isValid());
        writeFile(dir_, "app.exe", samplePeFile(kThreeIcons, false));
        // A program as large as an installer (sparse): its size sets no limit
        // on reading its icons.
        QVERIFY(QFile::resize(dir_.filePath("app.exe"), 65ll * 1024 * 1024 + 1));
        writeFile(dir_, "lib64.dll", samplePeFile({kThreeIcons[1], kThreeIcons[2]}, true));
        writeFile(dir_, "Icons.icl", sampleNeFile(kThreeIcons));
        writeFile(dir_, "one.ico", sampleIcoFile({{32, 0xFF00FF00}}));
        writeFile(dir_, "readme.txt", "text");
        writeFile(dir_, "Licence.RTF", "{\\rtf1}");
        writeFile(dir_, "setup.bat", "@echo off");
        writeFile(dir_, ".hidden.exe", samplePeFile(kThreeIcons, false));
        writeFile(dir_, "noicons.dll", samplePeFile(std::vector<SampleIcon>{}, false));
        // Cut inside the image data: three groups, none drawable.
        const std::string program = samplePeFile(kThreeIcons, false);
        writeFile(dir_, "broken.exe",
                  program.substr(0, program.find(sampleBitmap(kThreeIcons[0][0])) + 20));
        QVERIFY(QDir(dir_.path()).mkdir("folder.exe"));
    }

    void cleanup() { MessageBoxes::takeRecords(); }

    // ---- The icon grid -------------------------------------------------

    void gridStartsWithItsDefaults() {
        IconGrid grid;
        QCOMPARE(grid.iconCount(), -1);
        QCOMPARE(grid.cellsAcross(), 4);
        QCOMPARE(grid.cellsDown(), 1);
        QVERIFY(grid.autoDisable());
        const int icon = grid.style()->pixelMetric(QStyle::PM_LargeIconSize);
        QCOMPARE(grid.cellWidth(), icon + 6);
        QCOMPARE(grid.itemHeight(), icon + 6);
        const int bar = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QCOMPARE(grid.size(), QSize((icon + 6) * 4 + 2, icon + 6 + bar + 1));
    }

    void gridSizeFollowsItsCellCounts() {
        IconGrid grid;
        grid.setCellsAcross(2);
        grid.setCellsDown(5);
        const int bar = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const QSize expected(grid.cellWidth() * 2 + 2, grid.itemHeight() * 5 + bar + 1);
        QCOMPARE(grid.size(), expected);
        if (grid.cellWidth() == 38 && bar == 17) {
            QCOMPARE(grid.size(), QSize(78, 208)); // the classic Windows metrics
        }
        for (int bad : {0, -1, -100}) {
            grid.setCellsAcross(bad);
            grid.setCellsDown(bad);
            QCOMPARE(grid.cellsAcross(), 2);
            QCOMPARE(grid.cellsDown(), 5);
            QCOMPARE(grid.size(), expected);
        }
    }

    void gridFillsColumnsAndScrollsSideways() {
        IconGrid grid;
        grid.setCellsAcross(2);
        grid.setCellsDown(5);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        for (int i = 0; i < 10; ++i) {
            grid.insertIcon(QString(), 0, i);
        }
        QCoreApplication::processEvents();
        // Down the first column, then the second: ten cells, all in view.
        QCOMPARE(grid.visualItemRect(grid.item(4)).topLeft(), QPoint(0, grid.itemHeight() * 4));
        QCOMPARE(grid.visualItemRect(grid.item(5)).topLeft(), QPoint(grid.cellWidth(), 0));
        QCOMPARE(grid.horizontalScrollBar()->maximum(), 0);
        grid.insertIcon(QString(), 0, 10);
        QCoreApplication::processEvents();
        QVERIFY(grid.horizontalScrollBar()->maximum() > 0);
    }

    void gridInsertsReplacesAndCounts() {
        IconGrid grid;
        const QString program = dir_.filePath("app.exe");
        for (int i = 0; i < 3; ++i) {
            QVERIFY(grid.insertIcon(program, i, i));
        }
        QCOMPARE(grid.count(), 3);
        QCOMPARE(grid.iconCount(), 3);
        QCOMPARE(listed(&grid), QStringList({"0", "1", "2"}));

        // A valid position is replaced in place; any other appends.
        QVERIFY(!grid.insertIcon(dir_.filePath("readme.txt"), 0, 1));
        QCOMPARE(grid.count(), 3);
        QVERIFY(IconGrid::isPlaceholder(grid.item(1)));
        QVERIFY(!IconGrid::isPlaceholder(grid.item(0)));
        QCOMPARE(grid.iconCount(), 3);
        QVERIFY(grid.insertIcon(program, 2, 17));
        QCOMPARE(grid.count(), 4);
        QCOMPARE(grid.item(3)->text(), QString("17"));
        QCOMPARE(grid.iconCount(), 4);

        QVERIFY(!grid.deleteIcon(4));
        QVERIFY(!grid.deleteIcon(-1));
        QVERIFY(grid.deleteIcon(0));
        QCOMPARE(grid.count(), 3);
        QCOMPARE(grid.iconCount(), 3);

        grid.clear(); // the count of icons stays as it was
        QCOMPARE(grid.count(), 0);
        QCOMPARE(grid.iconCount(), 3);

        // Missing files, icons past the end and files without icons give the
        // standard application icon.
        QVERIFY(!grid.insertIcon(dir_.filePath("missing.exe"), 0, 0));
        QVERIFY(!grid.insertIcon(program, 3, 1));
        QVERIFY(!grid.insertIcon(dir_.filePath("noicons.dll"), 0, 2));
        QCOMPARE(grid.count(), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(IconGrid::isPlaceholder(grid.item(i)));
        }
    }

    void gridDrawsEachIconCentredInItsCell() {
        IconGrid grid;
        grid.setCellsAcross(2);
        grid.setCellsDown(5);
        const QString program = dir_.filePath("app.exe");
        for (int i = 0; i < 3; ++i) {
            grid.insertIcon(program, i, i);
        }
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(cellColour(grid, 0), QColor(255, 0, 0));
        QCOMPARE(cellColour(grid, 1), QColor(0, 255, 0));
        QCOMPARE(cellColour(grid, 2), QColor(0, 0, 255));

        // A 32-pixel icon in a 38-pixel cell leaves 3 pixels on each side.
        const QImage image = grid.viewport()->grab().toImage();
        const QRect cell = grid.visualItemRect(grid.item(1));
        const int margin = (grid.cellWidth() - grid.iconSize()) / 2;
        const QColor base = grid.palette().color(QPalette::Base);
        QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(margin - 1, margin - 1)), base);
        QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(margin, margin)), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(margin + grid.iconSize() - 1,
                                                          margin + grid.iconSize() - 1)),
                 QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(cell.topLeft() +
                                  QPoint(margin + grid.iconSize(), margin + grid.iconSize())),
                 base);
    }

    void gridDrawsTheImageThatSuitsTheCell() {
        const int size = IconGrid().iconSize();
        auto drawn = [](const std::string& ico) {
            const QIcon icon =
                iconFromIcoStream(QByteArray(ico.data(), static_cast<qsizetype>(ico.size())), 32);
            const QImage image = icon.pixmap(32, 32).toImage();
            return image.pixelColor(16, 16);
        };
        // The image of the cell's size, wherever it stands in the directory.
        QCOMPARE(drawn(sampleIcoFile({{16, 0xFFFF0000}, {size, 0xFF0000FF}, {48, 0xFF00FF00}})),
                 QColor(0, 0, 255));
        // Failing that the nearest one, scaled to the cell.
        QCOMPARE(drawn(sampleIcoFile({{16, 0xFFFF0000}, {48, 0xFF00FF00}})), QColor(255, 0, 0));

        // An image that does not decode gives way to the next best one.
        const std::string cut = sampleBitmap({size, 0xFF0000FF}).substr(0, 200);
        const std::string red = sampleBitmap({16, 0xFFFF0000});
        std::string ico;
        appendU16(ico, 0);
        appendU16(ico, 1);
        appendU16(ico, 2);
        ico += sampleEntryHeader({size, 0}, cut.size());
        appendU32(ico, 6 + 32);
        ico += sampleEntryHeader({16, 0}, red.size());
        appendU32(ico, static_cast<std::uint32_t>(6 + 32 + cut.size()));
        QCOMPARE(drawn(ico + cut + red), QColor(255, 0, 0));
        QVERIFY(iconFromIcoStream(QByteArray::fromStdString(ico.substr(0, 38) + cut), 32).isNull());
    }

    // ---- The run-file chooser ------------------------------------------

    void runFileChooserListsVisibleMatchingFilesSorted() {
        RunFileChooser chooser;
        chooser.setSourceFolder(folderOf(dir_));
        QCOMPARE(chooser.windowTitle(), QString("Výběr spouštěného souboru"));
        QCOMPARE(chooser.mask(), QString("*.exe;*.bat;*.com"));
        QCOMPARE(named<QLabel>(chooser, "Label1")->text(), folderOf(dir_));
        QVERIFY(named<QLabel>(chooser, "Label1")->font().bold());
        chooser.show();
        QCOMPARE(listed(chooser.fileList()),
                 QStringList({"app.exe", "broken.exe", "setup.bat"})); // no folder, no hidden

        chooser.hide();
        chooser.setMask("*.*");
        chooser.show();
        QCOMPARE(listed(chooser.fileList()),
                 QStringList({"app.exe", "broken.exe", "Icons.icl", "lib64.dll", "Licence.RTF",
                              "noicons.dll", "one.ico", "readme.txt", "setup.bat"}));
        QVERIFY(!listed(chooser.fileList()).contains(".hidden.exe"));
    }

    void runFileChooserGivesTheChosenName() {
        RunFileChooser chooser;
        chooser.setSourceFolder(folderOf(dir_));
        chooser.setMask("*.*");
        chooser.show();
        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "setup.bat"));
        chooser.okButton()->click();
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(chooser.chosenName(), QString("setup.bat"));

        // Enter confirms like OK.
        RunFileChooser second;
        second.setSourceFolder(folderOf(dir_));
        second.setMask("*.txt;*.rtf");
        second.show();
        clickEntry(second.fileList(), 0);
        QTest::keyClick(second.fileList(), Qt::Key_Return);
        QVERIFY(!second.isVisible());
        QCOMPARE(second.chosenName(), QString("Licence.RTF"));
    }

    void runFileChooserDoubleClickWritesAndCloses() {
        RunFileChooser chooser;
        chooser.setSourceFolder(folderOf(dir_));
        chooser.setMask("*.txt;*.rtf");
        chooser.show();
        doubleClickEntry(chooser.fileList(), rowOf(chooser.fileList(), "readme.txt"));
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.chosenName(), QString("readme.txt"));
    }

    void runFileChooserWithoutSelectionWritesNothing() {
        QTemporaryDir empty;
        RunFileChooser chooser;
        chooser.setSourceFolder(folderOf(empty));
        chooser.show();
        QCOMPARE(chooser.fileList()->count(), 0);
        chooser.okButton()->click();
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.result(), int(QDialog::Rejected));
        QVERIFY(MessageBoxes::takeRecords().isEmpty());

        // Storno chooses nothing either.
        RunFileChooser other;
        other.setSourceFolder(folderOf(dir_));
        other.show();
        clickEntry(other.fileList(), 0);
        other.cancelButton()->click();
        QVERIFY(!other.isVisible());
        QCOMPARE(other.result(), int(QDialog::Rejected));
    }

    void runFileChooserRereadsAtEachShowing() {
        QTemporaryDir folder;
        RunFileChooser chooser;
        chooser.setSourceFolder(folderOf(folder));
        chooser.setMask("*.*");
        chooser.show();
        QCOMPARE(chooser.fileList()->count(), 0);
        chooser.hide();
        writeFile(folder, "new.exe", "MZ");
        writeFile(folder, ".secret", "x");
        // The build's script and a killed build's temporary file are not
        // offered; a file of the user's that only shares the name is.
        writeFile(folder, "ISS", "; Skript");
        writeFile(folder, "ISS.tmp-a1B2c3", "");
        writeFile(folder, "ISS.tmp-x9Y8z7", "my own notes");
        chooser.show();
        QCOMPARE(listed(chooser.fileList()), QStringList({"ISS.tmp-x9Y8z7", "new.exe"}));

        // After a change of the working folder it lists the new one.
        chooser.hide();
        chooser.setSourceFolder(folderOf(dir_));
        QCOMPARE(named<QLabel>(chooser, "Label1")->text(), folderOf(dir_));
        chooser.show();
        QVERIFY(listed(chooser.fileList()).contains("app.exe"));
    }

    void runFileChooserRefusesNamesTheProjectCannotHold() {
        QTemporaryDir folder;
        writeFile(folder, QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC.exe"), "MZ"); // 日本.exe
        RunFileChooser chooser;
        chooser.setSourceFolder(folderOf(folder));
        chooser.show();
        clickEntry(chooser.fileList(), 0);
        chooser.okButton()->click();
        const auto records = MessageBoxes::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, MessageBoxes::Record::Kind::StandardError);
        QVERIFY(records[0].text.contains(QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC.exe")));
        QVERIFY(chooser.isVisible());
    }

    // ---- The icon chooser ----------------------------------------------

    void iconChooserShowsTheIconsOfTheClickedFile() {
        IconChooser chooser;
        chooser.setSourceFolder(folderOf(dir_));
        QCOMPARE(chooser.windowTitle(), QString("Výběr ikony"));
        QCOMPARE(chooser.iconGrid()->cellsAcross(), 2);
        QCOMPARE(chooser.iconGrid()->cellsDown(), 5);
        chooser.show();
        QCOMPARE(listed(chooser.fileList()), QStringList({"app.exe", "broken.exe", "Icons.icl",
                                                          "lib64.dll", "noicons.dll", "one.ico"}));

        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "app.exe"));
        QCOMPARE(chooser.iconGrid()->count(), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!IconGrid::isPlaceholder(chooser.iconGrid()->item(i)));
        }
        QCOMPARE(cellColour(*chooser.iconGrid(), 2), QColor(0, 0, 255));

        // A second file replaces every cell.
        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "one.ico"));
        QCOMPARE(chooser.iconGrid()->count(), 1);
        QVERIFY(!IconGrid::isPlaceholder(chooser.iconGrid()->item(0)));
        QCOMPARE(cellColour(*chooser.iconGrid(), 0), QColor(0, 255, 0));

        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "Icons.icl"));
        QCOMPARE(chooser.iconGrid()->count(), 3);
        QCOMPARE(cellColour(*chooser.iconGrid(), 1), QColor(0, 255, 0));

        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "lib64.dll"));
        QCOMPARE(chooser.iconGrid()->count(), 2);
        QCOMPARE(cellColour(*chooser.iconGrid(), 1), QColor(0, 0, 255));

        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "noicons.dll"));
        QCOMPARE(chooser.iconGrid()->count(), 0);
    }

    void iconChooserShowsTheApplicationIconForDamagedIcons() {
        IconChooser chooser;
        chooser.setSourceFolder(folderOf(dir_));
        chooser.show();
        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "broken.exe"));
        QCOMPARE(chooser.iconGrid()->count(), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(IconGrid::isPlaceholder(chooser.iconGrid()->item(i)));
        }
        // Still a choice like any other.
        clickEntry(chooser.iconGrid(), 1);
        chooser.okButton()->click();
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.chosenIcon().file, QString("broken.exe"));
        QCOMPARE(chooser.chosenIcon().index, 1);
    }

    void iconChooserGivesTheChosenFileAndIcon() {
        IconChooser chooser;
        chooser.setSourceFolder(folderOf(dir_));
        chooser.show();
        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "app.exe"));
        clickEntry(chooser.iconGrid(), 2);
        chooser.okButton()->click();
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(chooser.chosenIcon().file, QString("app.exe"));
        QCOMPARE(chooser.chosenIcon().index, 2);
        QVERIFY(MessageBoxes::takeRecords().isEmpty());
    }

    void iconChooserInsistsOnAnIcon() {
        IconChooser chooser;
        chooser.setSourceFolder(folderOf(dir_));
        chooser.show();
        auto expectRefusal = [&] {
            chooser.okButton()->click();
            const auto records = MessageBoxes::takeRecords();
            QCOMPARE(records.size(), 1);
            QCOMPARE(records[0].kind, MessageBoxes::Record::Kind::Plain);
            QCOMPARE(records[0].text, QString("Nevybrali jste žádnou ikonu."));
            QVERIFY(chooser.isVisible());
            QCOMPARE(chooser.chosenIcon().index, -1);
        };
        expectRefusal(); // no file
        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "app.exe"));
        expectRefusal(); // icons, but none selected
        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "noicons.dll"));
        expectRefusal(); // no icons at all

        // Reopened, the list has lost its selection and the grid starts
        // empty, so an icon of the last showing cannot be chosen blindly.
        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "app.exe"));
        clickEntry(chooser.iconGrid(), 1);
        chooser.cancelButton()->click();
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.chosenIcon().index, -1);
        chooser.show();
        QVERIFY(chooser.fileList()->selectedItems().isEmpty());
        QCOMPARE(chooser.iconGrid()->count(), 0);
        expectRefusal();

        // Double-clicking an icon chooses it.
        clickEntry(chooser.fileList(), rowOf(chooser.fileList(), "app.exe"));
        doubleClickEntry(chooser.iconGrid(), 1);
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.chosenIcon().index, 1);
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(ChoosersTest)
#include "ChoosersTest.moc"
