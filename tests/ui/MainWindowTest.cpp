// The main window in its real widgets: start state, change tracking, the
// close question, the enabling and version rules, the colour preview, input
// limits, keys, New, Open, Save, Save As, the status line, the start-up and
// close steps and the output-directory dialog.
#include "ui/mainwindow/MainWindow.h"

#include "../support/FieldValues.h"
#include "TestFiles.h"
#include "WindowControls.h"
#include "project/ProjectFile.h"
#include "ui/MessageBoxes.h"
#include "ui/about/AboutBox.h"
#include "ui/browser/ShellBrowser.h"
#include "ui/choosers/IconChooser.h"
#include "ui/choosers/RunFileChooser.h"
#include "ui/controls/RadioGroup.h"
#include "ui/mainwindow/OutputFolderDialog.h"
#include "ui/mainwindow/SigningDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <memory>

using namespace tornavel;
using namespace tornavel::ui;
using Kind = MessageBoxes::Record::Kind;

namespace {

// Types text as key presses carrying the characters, as a keyboard would.
void typeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// Picks an entry of a drop-down list the way a user does, with the keyboard.
void pickWithKeyboard(QComboBox* list, int index) {
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i) {
        QTest::keyClick(list, Qt::Key_Down);
    }
}

void clickRadio(RadioGroup* group, int index) {
    QRadioButton* button = group->button(index);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

QColor panelColour(const MainWindow& form) {
    return form.fieldControl(FieldId::PreviewColor)->palette().color(QPalette::Window);
}

// What a control shows: a text, a check, a position or the preview's colour.
QVariant shownBy(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text();
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(control)) {
        return check->isChecked();
    }
    if (const auto* group = qobject_cast<const RadioGroup*>(control)) {
        return group->itemIndex();
    }
    if (const auto* list = qobject_cast<const QComboBox*>(control)) {
        return list->currentIndex();
    }
    return control->palette().color(QPalette::Window);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString programFolder_;
    QString sourceFolder_;
    std::unique_ptr<MainWindow> form_;

    QString path(const QString& relative) const { return dir_->filePath(relative); }

    void writeSettings(const QString& sourceFolder) {
        writeAll(programFolder_ + "Tornavel.ini",
                 "[Nastaveni]\r\nVystupniAdresar=" + sourceFolder.toUtf8() + "\r\n");
    }

    void startForm() {
        form_ = std::make_unique<MainWindow>(programFolder_.toStdString());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QApplication::setActiveWindow(form_.get());
    }

    // The boxes shown since the last call.
    static QList<MessageBoxes::Record> records() { return MessageBoxes::takeRecords(); }

    // Saves the project under a new name, as the user would; that clears the
    // modified mark.
    static void saveAsFile(MainWindow& f, const QString& file) {
        MessageBoxes::setNextFileName(file);
        named<QAction>(f, "Ulozjako")->trigger();
        records();
    }

private slots:
    void initTestCase() { MessageBoxes::enableTestMode(); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        programFolder_ = path("prog") + "/";
        sourceFolder_ = path("src") + "/"; // made by the start-up step
        QVERIFY(QDir().mkpath(programFolder_));
        writeSettings(sourceFolder_);
        startForm();
        records();
    }

    void cleanup() {
        form_.reset();
        records();
    }

    void startsWithNewProjectAndClosesWithoutAsking() {
        MainWindow& f = *form_;
        QVERIFY(QFileInfo(sourceFolder_).isDir());
        QCOMPARE(f.sourceFolder(), sourceFolder_);
        QCOMPARE(named<QLabel>(f, "Cesta")->text(), sourceFolder_);
        QCOMPARE(f.helpFile(), programFolder_ + "Tornavel.hlp");
        QCOMPARE(box(f, FieldId::AppName)->text(), QString("Můj program"));
        QCOMPARE(box(f, FieldId::AppVerName)->text(), QString("Můj program verze 1.0"));
        QCOMPARE(box(f, FieldId::AppCopyright)->text(), QString("© Ing. Já a synové"));
        QCOMPARE(box(f, FieldId::DiskSize)->text(), QString("1457664"));
        QCOMPARE(box(f, iconField(0, IconPart::IconIndex))->text(), QString("0"));
        QCOMPARE(group(f, FieldId::Win)->itemIndex(), 2);
        QCOMPARE(group(f, FieldId::WinNT)->itemIndex(), 1);
        QCOMPARE(group(f, FieldId::IniLocation)->itemIndex(), 0);
        QCOMPARE(list(f, FieldId::BackgroundColor)->currentText(), QString("modrá"));
        QCOMPARE(panelColour(f), QColor(0, 0, 255));
        QCOMPARE(list(f, iconField(0, IconPart::HotKey))->currentIndex(), -1);
        QCOMPARE(list(f, iconField(0, IconPart::HotKey))->count(), 103);
        QVERIFY(check(f, FieldId::WindowVisible)->isChecked() &&
                check(f, FieldId::AllowNoIcons)->isChecked() &&
                check(f, FieldId::BackSolid)->isChecked());
        QVERIFY(!check(f, FieldId::ShowLanguageDialog)->isChecked() &&
                !check(f, FieldId::BackColorDirection)->isChecked());
        QVERIFY(!box(f, FieldId::DiskSize)->isEnabled() &&
                !box(f, FieldId::ReserveBytes)->isEnabled());
        QVERIFY(list(f, FieldId::BackgroundColor)->isEnabled() &&
                box(f, FieldId::AppCopyright)->isEnabled());
        QCOMPARE(named<QTabWidget>(f, "TabbedNotebook1")->currentIndex(), 0);
        QCOMPARE(f.projectFromControls(), ProjectSettings{});
        QVERIFY(!f.isModified());
        QVERIFY(!named<QAction>(f, "Uloz")->isEnabled());
        QVERIFY(!named<QToolButton>(f, "SpeedButton3")->isEnabled());

        QVERIFY(f.close());
        QVERIFY(records().isEmpty());
        // The close step stored both settings.
        const QByteArray ini = readAll(programFolder_ + "Tornavel.ini");
        QVERIFY(ini.contains("VystupniAdresar=" + sourceFolder_.toUtf8()));
        QVERIFY(ini.contains("typView=vsReport"));
    }

    void newAndOpenAskBeforeReplacingAChangedProject_data() {
        QTest::addColumn<QString>("command");
        for (const char* command :
             {"New button", "Open button", "Ctrl+N", "Ctrl+O", "New menu item", "Open menu item"}) {
            QTest::newRow(command) << QString(command);
        }
    }

    void newAndOpenAskBeforeReplacingAChangedProject() {
        QFETCH(QString, command);
        MainWindow& f = *form_;
        const bool isOpen = command.contains("Open") || command == "Ctrl+O";
        auto run = [&] {
            if (command == "New button") {
                named<QToolButton>(f, "SpeedButton1")->click();
            } else if (command == "Open button") {
                named<QToolButton>(f, "SpeedButton2")->click();
            } else if (command == "Ctrl+N") {
                QTest::keyClick(&f, Qt::Key_N, Qt::ControlModifier);
            } else if (command == "Ctrl+O") {
                QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
            } else {
                (isOpen ? named<QAction>(f, "Otevri") : named<QAction>(f, "Nova"))->trigger();
            }
        };
        auto kinds = [] {
            QList<Kind> out;
            for (const auto& r : MessageBoxes::takeRecords()) {
                out.append(r.kind);
            }
            return out;
        };
        const QList<Kind> goesOn = isOpen ? QList<Kind>{Kind::OpenDialog} : QList<Kind>{};
        const QString project = path("asked.ipr");
        auto change = [&] { QTest::keyClick(box(f, FieldId::AppName), Qt::Key_X); };

        // Nothing changed: nothing is asked.
        run();
        QCOMPARE(kinds(), goesOn);

        // Cancel, and Yes with a cancelled Save As: the project stays as it is.
        for (auto answer : {QMessageBox::Cancel, QMessageBox::Yes}) {
            change();
            MessageBoxes::setNextAnswer(answer);
            run();
            const auto shown = records();
            QCOMPARE(shown.size(), answer == QMessageBox::Cancel ? 1 : 2);
            QCOMPARE(shown[0].caption, QString("Informace"));
            QCOMPARE(shown[0].text, QString("Chcete uložit nastavení Vaší instalace?"));
            QCOMPARE(shown[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QCOMPARE(shown[0].icon, QMessageBox::Question);
            QVERIFY(box(f, FieldId::AppName)->text().endsWith('x') && f.isModified());
        }

        // Yes saves through Save As when there is no file yet, then goes on.
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        MessageBoxes::setNextFileName(project);
        run();
        QCOMPARE(kinds(), QList<Kind>({Kind::Question, Kind::SaveDialog}) + goesOn);
        QVERIFY(readAll(project).contains("AppName=M\xF9j programxx\r\n"));
        QCOMPARE(box(f, FieldId::AppName)->text(),
                 isOpen ? QString("Můj programxx") : QString("Můj program"));

        // With a file, Yes saves to it without a dialog.
        saveAsFile(f, project);
        change();
        const QByteArray typed = "AppName=M\xF9j program" +
                                 QByteArray(box(f, FieldId::AppName)->text().size() - 11, 'x') +
                                 "\r\n";
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        run();
        QCOMPARE(kinds(), QList<Kind>{Kind::Question} + goesOn);
        QVERIFY(readAll(project).contains(typed));

        // No goes on without saving.
        const QByteArray saved = readAll(project);
        change();
        MessageBoxes::setNextAnswer(QMessageBox::No);
        run();
        QCOMPARE(kinds(), QList<Kind>{Kind::Question} + goesOn);
        QCOMPARE(readAll(project), saved);
        QCOMPARE(box(f, FieldId::AppName)->text().endsWith('x'), isOpen);
    }

    void loadedTextsKeepTheBoxesLimits() {
        MainWindow& f = *form_;
        auto typeAtEnd = [](QLineEdit* edit, const QString& text) {
            QTest::keyClick(edit, Qt::Key_End);
            typeText(edit, text);
        };
        const QString file = path("long.ipr");
        writeAll(file, "[Nastaven\xED]\r\nAppVerName=" + QByteArray(300, 'L') +
                           "\r\nDefaultDirName=A\tB\r\n");
        MessageBoxes::setNextFileName(file);
        named<QAction>(f, "Otevri")->trigger();
        QCOMPARE(box(f, FieldId::AppVerName)->text().size(), 300); // shown as loaded, not cut
        typeAtEnd(box(f, FieldId::AppVerName), "x");
        QCOMPARE(box(f, FieldId::AppVerName)->text().size(), 300); // longer: refused
        QTest::keyClick(box(f, FieldId::AppVerName), Qt::Key_Backspace);
        QCOMPARE(box(f, FieldId::AppVerName)->text().size(), 299); // shorter: taken
        typeAtEnd(box(f, FieldId::AppVerName), "x");
        QCOMPARE(box(f, FieldId::AppVerName)->text().size(), 299);

        QCOMPARE(box(f, FieldId::DefaultDirName)->text(), QString("A\tB"));
        typeAtEnd(box(f, FieldId::DefaultDirName), QString::fromUtf8("\t漢"));
        QCOMPARE(box(f, FieldId::DefaultDirName)->text(),
                 QString("A\tB")); // another refused character: refused
        typeAtEnd(box(f, FieldId::DefaultDirName), "C");
        QCOMPARE(box(f, FieldId::DefaultDirName)->text(),
                 QString("A\tBC")); // a good character beside the old one
        QTest::keyClick(box(f, FieldId::DefaultDirName), Qt::Key_Home);
        QTest::keyClick(box(f, FieldId::DefaultDirName), Qt::Key_Right);
        QTest::keyClick(box(f, FieldId::DefaultDirName), Qt::Key_Delete);
        QCOMPARE(box(f, FieldId::DefaultDirName)->text(), QString("ABC")); // the tab removed: taken
        typeAtEnd(box(f, FieldId::DefaultDirName), "\t");
        QCOMPARE(box(f, FieldId::DefaultDirName)->text(), QString("ABC")); // and now refused again
    }

    void buildFillInsShowBeforeTheFirstQuestion() {
        MainWindow& f = *form_;
        installFakeCompiler(programFolder_);
        writeAll(sourceFolder_ + "app.exe", "MZ");
        typeInto(box(f, iconField(0, IconPart::Name)), "Program");
        typeInto(box(f, iconField(0, IconPart::FileName)), "app.exe");
        typeInto(box(f, FieldId::AppVerName), {});
        QStringList seen;
        MessageBoxes::setBoxObserver([&](const MessageBoxes::Record& r) {
            if (r.caption == "Vytvoření instalačního souboru") {
                seen << box(f, FieldId::AppVerName)->text()
                     << box(f, iconField(0, IconPart::IconFile))->text();
                // The user edits the box while the compiler runs.
                typeInto(box(f, FieldId::AppVerName), "Vlastní název");
            }
        });
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        named<QPushButton>(f, "BitBtn1")->click();
        MessageBoxes::setBoxObserver({});
        QCOMPARE(seen, QStringList({"Můj program", "app.exe"}));
        QCOMPARE(box(f, FieldId::AppVerName)->text(),
                 QString("Vlastní název")); // not overwritten afterwards
        QCOMPARE(f.project().AppVerName, std::string("Vlastní název"));
        QCOMPARE(box(f, iconField(0, IconPart::IconFile))->text(), QString("app.exe"));
    }

    void deletedWorkingFolderStopsTheBuild() {
        MainWindow& f = *form_;
        installFakeCompiler(programFolder_);
        QVERIFY(QDir(sourceFolder_).removeRecursively());
        named<QPushButton>(f, "BitBtn1")->click();
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::StandardError);
        QCOMPARE(shown[0].text, "Adresář " + sourceFolder_ + " neexistuje.");
        QVERIFY(!QFileInfo::exists(sourceFolder_)); // not made again, nothing built
    }

    void helpMenuStandsAtTheRightEndOfTheMenuBar() {
        MainWindow& f = *form_;
        QMenuBar* bar = named<QMenuBar>(f, "MainMenu1");
        QVERIFY(bar->actions().contains(named<QMenu>(f, "Napoveda")->menuAction()));
        const QRect help = bar->actionGeometry(named<QMenu>(f, "Napoveda")->menuAction());
        const QRect settings = bar->actionGeometry(named<QMenu>(f, "Nastaven1")->menuAction());
        QVERIFY(help.left() > settings.right() + help.width());
        QVERIFY(bar->width() - help.right() < help.width());

        // The arrow keys move from the menus onto it and round again.
        bar->setActiveAction(named<QMenu>(f, "Nastaven1")->menuAction());
        QTRY_VERIFY(named<QMenu>(f, "Nastaven1")->isVisible());
        QTest::keyClick(named<QMenu>(f, "Nastaven1"), Qt::Key_Right);
        QTRY_COMPARE(bar->activeAction(), named<QMenu>(f, "Napoveda")->menuAction());
        QTRY_VERIFY(named<QMenu>(f, "Napoveda")->isVisible());
        QTest::keyClick(named<QMenu>(f, "Napoveda"), Qt::Key_Right);
        QTRY_COMPARE(bar->activeAction(), named<QMenu>(f, "Instalace1")->menuAction());
        named<QMenu>(f, "Instalace1")->close();
    }

    void fileDialogsShowTheFilterByItsName() {
        MainWindow& f = *form_;
        named<QAction>(f, "Otevri")->trigger();
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        const auto dialog = MessageBoxes::createFileDialog(&f, Kind::OpenDialog, shown[0].dialog);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        QCOMPARE(types->count(), 1);
        QCOMPARE(types->itemText(0), QString("Nastavení instalace (.ipr)"));
        auto* model = dialog->findChild<QFileSystemModel*>();
        QVERIFY(model);
        QCOMPARE(model->nameFilters(), QStringList{"*.ipr"});
    }

    void layoutNamesCaptionsAndHints() {
        MainWindow& f = *form_;
        const QStringList pages = {
            "Základní nastavení", "Soubory", "Ikony", "Diskety", "INI", "Ostatní", "Vydání"};
        QCOMPARE(named<QTabWidget>(f, "TabbedNotebook1")->count(), pages.size());
        for (int i = 0; i < pages.size(); ++i) {
            QCOMPARE(named<QTabWidget>(f, "TabbedNotebook1")->tabText(i), pages[i]);
        }
        QCOMPARE(named<QTabWidget>(f, "TabbedNotebook2")->tabText(2), QString("    Ikona č.3    "));
        for (const char* name :
             {"Edit1", "Edit54", "CheckBox23", "ComboBox5", "RadioGroup4", "Pozadi", "Panel1",
              "Panel2", "Button14", "Label54", "Cesta", "browserArea", "SpeedButton7"}) {
            QVERIFY2(f.findChild<QWidget*>(name), name);
        }
        QCOMPARE(f.findChild<QLineEdit*>("Edit29"), box(f, iconField(2, IconPart::FileName)));
        QCOMPARE(f.findChild<QAction*>("Vytvoitinstalaci1")->shortcut(), QKeySequence(Qt::Key_F9));
        QCOMPARE(named<QAction>(f, "Konec")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
        QCOMPARE(named<QAction>(f, "Ulozjako")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
        QCOMPARE(named<QAction>(f, "Oautorech")->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(box(f, FieldId::AppName)->toolTip(), QString("max. 63 znaků"));
        QCOMPARE(box(f, FieldId::IniFileName)->toolTip(), QString("max 63 znaků"));
        QCOMPARE(named<QPushButton>(f, "Button12")->statusTip(),
                 QString("Vybete soubor ze seznamu."));
        QCOMPARE(named<QPushButton>(f, "Button2")->statusTip(),
                 QString("Vyberte soubor ze seznamu."));
        QVERIFY(check(f, FieldId::DisableProgramGroupPage)->toolTip().isEmpty());
        // Tab order runs through the first page, then the icon page's own order.
        QCOMPARE(box(f, FieldId::DefaultGroupName)->nextInFocusChain(),
                 box(f, FieldId::AppCopyright));
        QCOMPARE(box(f, FieldId::AppCopyright)->nextInFocusChain(),
                 check(f, FieldId::InstallToProgramFiles));
        QCOMPARE(check(f, FieldId::ShowLanguageDialog)->nextInFocusChain(),
                 box(f, FieldId::Password));
        QCOMPARE(box(f, iconField(0, IconPart::FileName))->nextInFocusChain(),
                 named<QPushButton>(f, "Button2"));
        QCOMPARE(check(f, iconField(0, IconPart::InStartup))->nextInFocusChain(),
                 list(f, iconField(0, IconPart::HotKey)));
        QCOMPARE(named<QPushButton>(f, "Button14")->nextInFocusChain(),
                 box(f, FieldId::AppVersion));
        QCOMPARE(box(f, FieldId::SetupIconFile)->nextInFocusChain(),
                 named<QPushButton>(f, "SetupIconFileButton"));
        QCOMPARE(check(f, FieldId::UninstallDisplayIcon)->nextInFocusChain(),
                 named<QPushButton>(f, "BitBtn1"));
        QCOMPARE(named<QPushButton>(f, "BitBtn1")->nextInFocusChain(),
                 named<QPushButton>(f, "BitBtn2"));
    }

    void statusLineShowsTheLongHintUnderTheMouse() {
        MainWindow& f = *form_;
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(box(f, FieldId::DiskSize), &enter);
        QCOMPARE(named<QLabel>(f, "Panel2")->text(),
                 QString("Zde zadejte velikost jednotlivých dílů instalačního  souboru. "));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(box(f, FieldId::DiskSize), &leave);
        QCOMPARE(named<QLabel>(f, "Panel2")->text(), QString());
        QApplication::sendEvent(named<QPushButton>(f, "BitBtn2"), &enter);
        QCOMPARE(named<QLabel>(f, "Panel2")->text(), QString("Ukončí program."));

        // Every hint is shown whole.
        QLabel* status = named<QLabel>(f, "Panel2");
        const QRect room = status->contentsRect().adjusted(status->indent(), 0, 0, 0);
        QStringList hints;
        for (const QWidget* w : f.findChildren<QWidget*>()) {
            hints << w->statusTip();
        }
        for (const QAction* a : f.findChildren<QAction*>()) {
            hints << a->statusTip();
        }
        for (const QString& hint : hints) {
            const QRect needed = status->fontMetrics().boundingRect(QRect(0, 0, room.width(), 1000),
                                                                    Qt::TextWordWrap, hint);
            QVERIFY2(needed.height() <= room.height(), qPrintable(hint));
        }
    }

    void typedCharacterMakesClosingAsk_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Cancel keeps the window") << int(QMessageBox::Cancel) << false;
        QTest::newRow("No closes without saving") << int(QMessageBox::No) << true;
    }
    void typedCharacterMakesClosingAsk() {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        MainWindow& f = *form_;
        QTest::keyClick(box(f, FieldId::DefaultDirName), Qt::Key_X);
        QVERIFY(f.isModified());
        MessageBoxes::setNextAnswer(static_cast<QMessageBox::StandardButton>(answer));
        QCOMPARE(f.close(), closes);
        QCOMPARE(f.isVisible(), !closes);
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Question);
        QCOMPARE(shown[0].caption, QString("Informace"));
        QCOMPARE(shown[0].text, QString("Chcete uložit nastavení Vaší instalace?"));
        QCOMPARE(shown[0].icon, QMessageBox::Question);
        QCOMPARE(shown[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(f.isModified(), true);
    }

    void yesOnANeverSavedProjectOffersSaveAs() {
        MainWindow& f = *form_;
        QTest::keyClick(box(f, FieldId::AppName), Qt::Key_A);
        // The dialog is cancelled: the window stays open, the changes with it.
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        QVERIFY(!f.close());
        QVERIFY(f.isVisible() && f.isModified());
        auto shown = records();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].kind, Kind::SaveDialog);
        QCOMPARE(shown[1].caption, QString("Uloži Instalaci jako"));
        QVERIFY(box(f, FieldId::AppName)->text().endsWith('a'));

        // With a file name the project is written before the window closes.
        startForm();
        QTest::keyClick(box(*form_, FieldId::AppName), Qt::Key_B);
        const QString file = path("closing.ipr");
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        MessageBoxes::setNextFileName(file);
        records();
        QVERIFY(form_->close());
        QVERIFY(readAll(file).contains("AppName=M\xF9j programb\r\n"));
    }

    void yesWithAFileNameSavesToIt() {
        MainWindow& f = *form_;
        const QString file = path("saved.ipr");
        MessageBoxes::setNextFileName(file);
        named<QAction>(f, "Ulozjako")->trigger();
        QCOMPARE(f.projectFileName(), file);
        QTest::keyClick(box(f, FieldId::DefaultGroupName), Qt::Key_Z);
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        records();
        QVERIFY(f.close());
        const auto shown = records();
        QCOMPARE(shown.size(), 1); // the question only: Save needs no dialog
        QVERIFY(readAll(file).contains("DefaultGroupName=M\xF9j programz\r\n"));
    }

    void failedSaveShowsTheErrorAndTheProgramGoesOn() {
        MainWindow& f = *form_;
        QTest::keyClick(box(f, FieldId::AppName), Qt::Key_Q);
        // A file standing where a folder should be makes every write fail.
        writeAll(path("notafolder"), "x");
        const QString target = path("notafolder/project.ipr");
        MessageBoxes::setNextFileName(target);
        named<QAction>(f, "Ulozjako")->trigger();
        auto shown = records();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].kind, Kind::StandardError);
        QCOMPARE(shown[1].caption, QString("Tornavel"));
        QCOMPARE(shown[1].icon, QMessageBox::Critical);
        QCOMPARE(shown[1].text, "Unable to write to " + target + " (Not a directory)");
        QVERIFY(f.isModified());
        QVERIFY(f.projectFileName().isEmpty());
        QVERIFY(!named<QAction>(f, "Uloz")->isEnabled());

        // Closing with Yes and a failing save keeps the window and the changes.
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        MessageBoxes::setNextFileName(target);
        QVERIFY(!f.close());
        shown = records();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[2].kind, Kind::StandardError);
        QVERIFY(f.isVisible());

        // The program goes on: a good file saves.
        MessageBoxes::setNextFileName(path("good.ipr"));
        named<QAction>(f, "Ulozjako")->trigger();
        QVERIFY(!f.isModified());
        QVERIFY(named<QAction>(f, "Uloz")->isEnabled() &&
                named<QToolButton>(f, "SpeedButton3")->isEnabled());
    }

    void versionGroupsNeverBothRefuse() {
        MainWindow& f = *form_;
        named<QTabWidget>(f, "TabbedNotebook1")->setCurrentIndex(5);
        QSignalSpy picks(group(f, FieldId::WinNT), &RadioGroup::picked);
        clickRadio(group(f, FieldId::Win), 4);
        QCOMPARE(picks.size(), 0); // the rule's move is the program's
        QCOMPARE(group(f, FieldId::Win)->itemIndex(), 4);
        QCOMPARE(group(f, FieldId::WinNT)->itemIndex(), 1);
        QVERIFY(f.isModified());
        clickRadio(group(f, FieldId::WinNT), 4);
        QCOMPARE(group(f, FieldId::WinNT)->itemIndex(), 4);
        QCOMPARE(group(f, FieldId::Win)->itemIndex(), 1); // "Windows 98"
        clickRadio(group(f, FieldId::Win), 4);
        QCOMPARE(group(f, FieldId::Win)->itemIndex(), 4);
        QCOMPARE(group(f, FieldId::WinNT)->itemIndex(), 1); // "Windows NT 4.x"
        QVERIFY(group(f, FieldId::WinNT)->button(1)->isChecked());
        QCOMPARE(f.projectFromControls(), f.project());
    }

    void enablingFollowsTheCheckBoxes() {
        MainWindow& f = *form_;
        named<QTabWidget>(f, "TabbedNotebook1")->setCurrentIndex(5);
        QTest::mouseClick(check(f, FieldId::WindowVisible), Qt::LeftButton, {},
                          QPoint(6, check(f, FieldId::WindowVisible)->height() / 2));
        QVERIFY(!check(f, FieldId::WindowVisible)->isChecked());
        QVERIFY(!check(f, FieldId::BackSolid)->isEnabled() &&
                !check(f, FieldId::BackColorDirection)->isEnabled());
        QVERIFY(!list(f, FieldId::BackgroundColor)->isEnabled() &&
                !box(f, FieldId::AppCopyright)->isEnabled());
        QVERIFY(f.isModified());
        QTest::mouseClick(check(f, FieldId::WindowVisible), Qt::LeftButton, {},
                          QPoint(6, check(f, FieldId::WindowVisible)->height() / 2));
        QVERIFY(check(f, FieldId::BackSolid)->isEnabled() &&
                check(f, FieldId::BackColorDirection)->isEnabled());
        QVERIFY(list(f, FieldId::BackgroundColor)->isEnabled() &&
                box(f, FieldId::AppCopyright)->isEnabled());

        named<QTabWidget>(f, "TabbedNotebook1")->setCurrentIndex(3);
        QTest::mouseClick(check(f, FieldId::DiskSpanning), Qt::LeftButton, {},
                          QPoint(6, check(f, FieldId::DiskSpanning)->height() / 2));
        QVERIFY(box(f, FieldId::DiskSize)->isEnabled() &&
                box(f, FieldId::ReserveBytes)->isEnabled());
        // The program's change (New) follows the rule too.
        MessageBoxes::setNextAnswer(QMessageBox::No);
        named<QAction>(f, "Nova")->trigger();
        QVERIFY(!box(f, FieldId::DiskSize)->isEnabled() &&
                !box(f, FieldId::ReserveBytes)->isEnabled());
    }

    void pickingAColourPreviewsIt() {
        MainWindow& f = *form_;
        named<QTabWidget>(f, "TabbedNotebook1")->setCurrentIndex(5);
        pickWithKeyboard(list(f, FieldId::BackgroundColor), 15);
        QCOMPARE(list(f, FieldId::BackgroundColor)->currentText(), QString("černá"));
        QCOMPARE(panelColour(f), QColor(0, 0, 0));
        QCOMPARE(f.project().PreviewColor, 0u);
        QVERIFY(f.isModified());
        pickWithKeyboard(list(f, FieldId::BackgroundColor), 11);
        QCOMPARE(panelColour(f), QColor(0, 0, 255));
    }

    void programSetListsAndPreviewNotifyNobody() {
        MainWindow& f = *form_;
        // New changes only the lists and the preview of this project.
        writeAll(path("lists.ipr"), "[Ostatn\xED]\r\nBarva podkladu=3\r\nBarva nahledu=197121\r\n"
                                    "[Ikony]\r\nIkona2-6=7\r\n");
        MessageBoxes::setNextFileName(path("lists.ipr"));
        named<QAction>(f, "Otevri")->trigger();
        QCOMPARE(list(f, iconField(1, IconPart::HotKey))->currentIndex(), 7);
        named<QAction>(f, "Nova")->trigger();
        QCOMPARE(f.projectFromControls(), ProjectSettings{});
        QVERIFY(!f.isModified());
        pickWithKeyboard(list(f, iconField(1, IconPart::HotKey)), 4);
        QVERIFY(f.isModified());
        QCOMPARE(f.project().Icons[1].HotKey, 4);
    }

    void editBoxesRefuseWhatTheFileCannotHold() {
        MainWindow& f = *form_;
        box(f, FieldId::AppVerName)->setText(QString(236, 'v'));
        QTest::keyClick(box(f, FieldId::AppVerName), Qt::Key_End);
        QTest::keyClick(box(f, FieldId::AppVerName), Qt::Key_W);
        QCOMPARE(box(f, FieldId::AppVerName)->text().size(), 236);
        box(f, FieldId::AppName)->setText(QString(400, 'v'));
        QTest::keyClick(box(f, FieldId::AppName), Qt::Key_End);
        QTest::keyClick(box(f, FieldId::AppName), Qt::Key_W);
        QCOMPARE(box(f, FieldId::AppName)->text().size(), 401);

        box(f, FieldId::DefaultDirName)->clear();
        typeText(box(f, FieldId::DefaultDirName), "Žluťoučký kůň €");
        QCOMPARE(box(f, FieldId::DefaultDirName)->text(), QString("Žluťoučký kůň €"));
        // What is dropped is said in the status line.
        QLabel* status = named<QLabel>(f, "Panel2");
        typeText(box(f, FieldId::DefaultDirName), QString::fromUtf8("漢ж"));
        QCOMPARE(box(f, FieldId::DefaultDirName)->text(), QString("Žluťoučký kůň €"));
        QCOMPARE(status->text(), QString("Znak „ж“ nelze v nastavení instalace uložit (kódování "
                                         "Windows-1250 ho nezná), proto nebyl zapsán."));
        QGuiApplication::clipboard()->setText(QString::fromUtf8("a漢b😀"));
        box(f, FieldId::DefaultDirName)->paste();
        QCOMPARE(box(f, FieldId::DefaultDirName)->text(), QString("Žluťoučký kůň €"));
        QVERIFY(status->text().startsWith("Znaky „漢😀“ nelze"));
        QGuiApplication::clipboard()->setText("line\nbreak");
        box(f, FieldId::DefaultDirName)->paste();
        QCOMPARE(box(f, FieldId::DefaultDirName)->text(), QString("Žluťoučký kůň €"));
        QVERIFY(status->text().startsWith("Konce řádků"));
        QGuiApplication::clipboard()->setText("ok");
        box(f, FieldId::DefaultDirName)->paste();
        QCOMPARE(box(f, FieldId::DefaultDirName)->text(), QString("Žluťoučký kůň €ok"));
    }

    void escapePressesKonec() {
        MainWindow& f = *form_;
        QSignalSpy konec(named<QPushButton>(f, "BitBtn2"), &QPushButton::clicked);
        QTest::keyClick(box(f, FieldId::DefaultGroupName), Qt::Key_Escape);
        QCOMPARE(konec.size(), 1);
        QVERIFY(!f.isVisible());
    }

    void functionKeysReachTheirCommands() {
        MainWindow& f = *form_;
        QTest::keyClick(box(f, FieldId::AppName), Qt::Key_F1);
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Plain);
        QVERIFY(shown[0].text.contains("Vytvořit instalaci"));

        QSignalSpy about(named<QAction>(f, "Oautorech"), &QAction::triggered);
        QTimer::singleShot(0, f.aboutBox(), &QDialog::reject); // the box is modal
        QTest::keyClick(box(f, FieldId::AppName), Qt::Key_F2);
        QCOMPARE(about.size(), 1);
    }

    void newGivesEveryFieldItsStartValue() {
        MainWindow& f = *form_;
        typeInto(box(f, FieldId::Password), "tajné");
        check(f, FieldId::ShowLanguageDialog)->click();
        check(f, FieldId::BackColorDirection)->click();
        pickWithKeyboard(list(f, iconField(2, IconPart::HotKey)), 27);
        typeInto(box(f, FieldId::AppName), "Jiný");
        typeInto(box(f, iconField(2, IconPart::Parameters)), "/x");
        check(f, FieldId::DiskSpanning)->click();
        group(f, FieldId::IniLocation)->button(2)->click();
        MessageBoxes::setNextFileName(path("named.ipr"));
        named<QAction>(f, "Ulozjako")->trigger();
        QVERIFY(named<QAction>(f, "Uloz")->isEnabled());

        typeInto(box(f, FieldId::InfoBeforeFile), "čti.txt");
        QTest::keyClick(box(f, FieldId::AppName), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(box(f, FieldId::AppName)->text(), QString("Můj program"));
        QCOMPARE(box(f, iconField(2, IconPart::Parameters))->text(), QString());
        QCOMPARE(box(f, FieldId::InfoBeforeFile)->text(), QString());
        QVERIFY(!check(f, FieldId::DiskSpanning)->isChecked() &&
                !box(f, FieldId::DiskSize)->isEnabled());
        QCOMPARE(group(f, FieldId::IniLocation)->itemIndex(), 0);
        QVERIFY(f.projectFromControls() == ProjectSettings{});
        QVERIFY(f.projectFileName().isEmpty());
        QVERIFY(!named<QAction>(f, "Uloz")->isEnabled() &&
                !named<QToolButton>(f, "SpeedButton3")->isEnabled());
        QVERIFY(f.isModified()); // New does not clear it

        // New on a project that holds the defaults changes nothing.
        saveAsFile(f, path("defaults.ipr"));
        named<QToolButton>(f, "SpeedButton1")->click();
        QVERIFY(!f.isModified());
    }

    void openTakesTheFileOverTheProject() {
        MainWindow& f = *form_;
        const QString file = path("hidden background.ipr");
        // Windows-1250 bytes: "Ostatní" and "Nastavení".
        writeAll(file,
                 "[Nastaven\xED]\r\nAppName=Na\xE8ten\xFD\r\nAppVerName=" + QByteArray(300, 'L') +
                     "\r\n[Ostatn\xED]\r\nWindowVisible=0\r\nWin=4\r\nWinNT=4\r\n"
                     "Barva podkladu=99\r\nBarva nahledu=255\r\n");
        // A project with a password, opened: nothing to ask about before the next Open.
        writeAll(path("password.ipr"), "[Nastaven\xED]\r\nPassword=z\xF9stane\r\n");
        MessageBoxes::setNextFileName(path("password.ipr"));
        named<QAction>(f, "Otevri")->trigger();
        records();
        MessageBoxes::setNextFileName(file);
        named<QToolButton>(f, "SpeedButton2")->click();
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::OpenDialog);
        QCOMPARE(shown[0].caption, QString("Otevřít nastavení instalace"));
        QCOMPARE(shown[0].dialog.defaultSuffix, QString("ipr"));
        QVERIFY(shown[0].dialog.filter.contains("*.ipr"));

        QCOMPARE(box(f, FieldId::AppName)->text(), QString("Načtený"));
        QCOMPARE(box(f, FieldId::AppVerName)->text().size(),
                 300); // a longer stored name is kept whole
        QCOMPARE(box(f, FieldId::Password)->text(), QString("zůstane"));
        QVERIFY(!check(f, FieldId::WindowVisible)->isChecked());
        QVERIFY(!check(f, FieldId::BackSolid)->isEnabled() &&
                !check(f, FieldId::BackColorDirection)->isEnabled());
        QVERIFY(!list(f, FieldId::BackgroundColor)->isEnabled() &&
                !box(f, FieldId::AppCopyright)->isEnabled());
        QCOMPARE(group(f, FieldId::Win)->itemIndex(), 1);
        QCOMPARE(group(f, FieldId::WinNT)->itemIndex(), 4);
        QCOMPARE(list(f, FieldId::BackgroundColor)->currentIndex(), -1);
        QCOMPARE(panelColour(f), QColor(255, 0, 0));
        QCOMPARE(f.projectFileName(), file);
        QVERIFY(named<QAction>(f, "Uloz")->isEnabled() &&
                named<QToolButton>(f, "SpeedButton3")->isEnabled());
        QVERIFY(!f.isModified());

        // A cancelled Open changes nothing.
        typeInto(box(f, FieldId::AppName), "změna");
        MessageBoxes::setNextAnswer(QMessageBox::No); // not saved first
        named<QAction>(f, "Otevri")->trigger();
        QCOMPARE(records()[1].text, file); // the dialog starts at the current file
        QCOMPARE(f.projectFileName(), file);
        QVERIFY(f.isModified());
    }

    void projectNamedOnTheCommandLineOpensAsOpenWould() {
        MainWindow& f = *form_;
        // A file that cannot be opened: the error box, and the new project stays.
        f.openProjectFile(path("chybí.ipr"));
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::StandardError);
        QCOMPARE(shown[0].text, "File not found: " + path("chybí.ipr") + ".");
        QVERIFY(f.projectFileName().isEmpty());
        QCOMPARE(box(f, FieldId::AppName)->text(), QString("Můj program"));

        // A name relative to the current folder, as a shell hands it over.
        writeAll(path("zpěvník.ipr"), "[Nastaven\xED]\r\nAppName=Zp\xECvn\xEDk\r\n");
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_->path()));
        f.openProjectFile("zpěvník.ipr");
        const QString expected = QDir::current().absoluteFilePath("zpěvník.ipr");
        QVERIFY(QDir::setCurrent(previous));
        QVERIFY(records().isEmpty());
        QCOMPARE(f.projectFileName(), expected);
        QCOMPARE(box(f, FieldId::AppName)->text(), QString("Zpěvník"));
        QVERIFY(named<QAction>(f, "Uloz")->isEnabled());
        QVERIFY(!f.isModified());
    }

    void saveAsThenSaveRoundTrips() {
        MainWindow& f = *form_;
        QVERIFY(QDir().mkpath(programFolder_ + "Archiv"));
        typeInto(box(f, FieldId::AppName), "Program");
        pickWithKeyboard(list(f, iconField(4, IconPart::HotKey)), 102);
        check(f, FieldId::Uninstallable)->click();
        typeInto(box(f, FieldId::IniValue1), "hodnota");
        const QString file = path("round.ipr");
        MessageBoxes::setNextFileName(file);
        QTest::keyClick(box(f, FieldId::AppName), Qt::Key_D, Qt::ControlModifier);
        auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].dialog.initialFolder, programFolder_ + "Archiv");
        QCOMPARE(shown[0].dialog.title, QString("Uloži Instalaci jako"));
        QVERIFY(!f.isModified());

        typeInto(box(f, iconField(4, IconPart::IconIndex)), "3");
        QTest::keyClick(box(f, FieldId::AppName), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(records().isEmpty());
        QVERIFY(!f.isModified());
        const ProjectSettings saved = f.projectFromControls();

        // A second Save As starts with the name chosen before.
        MessageBoxes::setNextFileName({});
        named<QAction>(f, "Ulozjako")->trigger();
        QCOMPARE(records()[0].text, file);

        startForm();
        MessageBoxes::setNextFileName(file);
        named<QAction>(*form_, "Otevri")->trigger();
        QCOMPARE(form_->projectFromControls(), saved);
        QCOMPARE(list(*form_, iconField(4, IconPart::HotKey))->currentIndex(), 102);
    }

    void everyFieldRoundTripsThroughItsOwnControl() {
        MainWindow& f = *form_;
        QList<QWidget*> controls;
        for (const FieldInfo& field : projectFields()) {
            QWidget* control = f.fieldControl(field.id);
            QVERIFY2((control != nullptr) == !field.control.empty(), field.key.c_str());
            QVERIFY2(!controls.contains(control), field.key.c_str()); // one control per field
            if (control) {
                controls.append(control);
            }
        }
        const auto allShown = [&controls] {
            QVariantList shown;
            for (const QWidget* control : controls) {
                shown << shownBy(control);
            }
            return shown;
        };
        const QVariantList startShown = allShown();
        const QString startFile = path("start.ipr");
        const QString changedFile = path("changed.ipr");
        const QString savedFile = path("saved.ipr");
        SaveProject(ProjectSettings{}, startFile.toStdString(), SaveOrder::SaveAs);

        // One field at a time: Open shows it in its own control and nowhere
        // else, and Save As writes the very file it came from.
        for (const FieldInfo& field : projectFields()) {
            ProjectSettings changed;
            assignField(changed, field.id, test::changedValue(field.id));
            QFile::remove(changedFile);
            QFile::remove(savedFile);
            SaveProject(changed, changedFile.toStdString(), SaveOrder::SaveAs);
            MessageBoxes::setNextFileName(changedFile);
            named<QAction>(f, "Otevri")->trigger();
            QVERIFY2(f.projectFromControls() == changed, field.key.c_str());
            const QVariantList shown = allShown();
            for (qsizetype i = 0; i < controls.size(); ++i) {
                QVERIFY2((shown[i] != startShown[i]) == (controls[i] == f.fieldControl(field.id)),
                         qPrintable(QString::fromStdString(field.key) + " in " +
                                    controls[i]->objectName()));
            }
            MessageBoxes::setNextFileName(savedFile);
            named<QAction>(f, "Ulozjako")->trigger();
            QVERIFY2(readAll(savedFile) == readAll(changedFile), field.key.c_str());
            MessageBoxes::setNextFileName(startFile);
            named<QAction>(f, "Otevri")->trigger();
        }
        QCOMPARE(f.projectFromControls(), ProjectSettings{});
        QVERIFY(records().size() == 3 * kFieldCount); // the file dialogs, nothing else
    }

    void focusRequestShowsTheFieldsPage() {
        MainWindow& f = *form_;
        named<QTabWidget>(f, "TabbedNotebook1")->setCurrentIndex(4);
        f.focusField(FieldId::AppVerName);
        QCOMPARE(named<QTabWidget>(f, "TabbedNotebook1")->currentIndex(), 0);
        QCOMPARE(f.focusWidget(), box(f, FieldId::AppVerName));
        f.focusField(iconField(3, IconPart::IconFile));
        QCOMPARE(named<QTabWidget>(f, "TabbedNotebook1")->currentIndex(), 2);
        QCOMPARE(named<QTabWidget>(f, "TabbedNotebook2")->currentIndex(), 3);
        QCOMPARE(f.focusWidget(), box(f, iconField(3, IconPart::IconFile)));
    }

    void f9BuildsAndWritesTheFillInsBack() {
        MainWindow& f = *form_;
        installFakeCompiler(programFolder_);
        writeAll(sourceFolder_ + "app.exe", "MZ");
        typeInto(box(f, iconField(0, IconPart::Name)), "Spustit");
        typeInto(box(f, iconField(0, IconPart::FileName)), "app.exe");
        saveAsFile(f, path("f9.ipr"));
        MessageBoxes::setNextAnswer(QMessageBox::Yes); // compile
        MessageBoxes::setNextAnswer(QMessageBox::No);  // wait rather than stop and close
        MessageBoxes::setNextAnswer(QMessageBox::No);  // no test run
        // Posted now, handled while the compiler runs: a second build is
        // refused then, and closing asks whether to stop the compile.
        bool duringBuild = false;
        QTimer::singleShot(0, &f, [&f, &duringBuild] {
            duringBuild = f.buildRunning() && !named<QPushButton>(f, "BitBtn1")->isEnabled() &&
                          !named<QAction>(f, "Vytvoitinstalaci1")->isEnabled() &&
                          !named<QAction>(f, "Vystupnadres1")->isEnabled();
            f.buildInstaller();
            QVERIFY(!f.close());
        });
        QTest::keyClick(box(f, FieldId::AppName), Qt::Key_F9);

        QVERIFY(duringBuild);
        const auto shown = records();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].caption, QString("Vytvoření instalačního souboru"));
        QCOMPARE(shown[1].caption, QString("Vytváření instalace"));
        QCOMPARE(shown[1].buttonTexts.value(QMessageBox::Yes), QString("&Zastavit a zavřít"));
        QCOMPARE(shown[1].buttonTexts.value(QMessageBox::No), QString("&Počkat"));
        QCOMPARE(shown[1].defaultButton, QMessageBox::No);
        QCOMPARE(shown[2].caption, QString("Kompilace byla úspěšně dokončena"));
        QVERIFY(QFileInfo::exists(sourceFolder_ + "ISS"));
        QVERIFY(QFileInfo::exists(sourceFolder_ + "Output/Můj program verze 1.0.exe"));
        // The validation's fill-in reached its control, which notified.
        QCOMPARE(box(f, iconField(0, IconPart::IconFile))->text(), QString("app.exe"));
        QVERIFY(f.isModified());
        QVERIFY(!f.buildRunning());
        QVERIFY(named<QPushButton>(f, "BitBtn1")->isEnabled() &&
                named<QAction>(f, "Vytvoitinstalaci1")->isEnabled());
        QVERIFY(f.isVisible());
    }

    // Closing while the compiler runs and choosing to stop: the compile ends
    // as "Zastavit" ends it, nothing of it stays in Output, and the window
    // closes after the usual question about the changed project.
    void closingDuringTheCompileStopsItAndCloses() {
        MainWindow& f = *form_;
        installFakeCompiler(programFolder_);
        writeAll(programFolder_ + "iscc.hold", ""); // the compiler waits until stopped
        writeAll(sourceFolder_ + "app.exe", "MZ");
        typeInto(box(f, iconField(0, IconPart::FileName)), "app.exe");
        MessageBoxes::setNextAnswer(QMessageBox::Yes); // compile
        MessageBoxes::setNextAnswer(QMessageBox::Yes); // stop and close
        MessageBoxes::setNextAnswer(QMessageBox::No);  // do not save the project
        QTimer::singleShot(0, &f, [&f] { QVERIFY(!f.close()); });
        named<QPushButton>(f, "BitBtn1")->click();

        const auto shown = records();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[1].caption, QString("Vytváření instalace"));
        QCOMPARE(shown[2].text, QString("Chcete uložit nastavení Vaší instalace?"));
        QVERIFY(!f.isVisible() && !f.buildRunning());
        QVERIFY(!QFileInfo::exists(sourceFolder_ + "Output"));
    }

    void refusedProjectFocusesTheMissingName() {
        MainWindow& f = *form_;
        named<QTabWidget>(f, "TabbedNotebook1")->setCurrentIndex(5);
        typeInto(box(f, FieldId::AppName), {});
        named<QAction>(f, "Vytvoitinstalaci1")->trigger();
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::ErrorDialog);
        QCOMPARE(shown[0].caption, QString("Error"));
        QCOMPARE(shown[0].text, QString("Jméno aplikace zadat musíte!"));
        QCOMPARE(named<QTabWidget>(f, "TabbedNotebook1")->currentIndex(), 0);
        QCOMPARE(f.focusWidget(), box(f, FieldId::AppName));
        QVERIFY(!QFileInfo::exists(sourceFolder_ + "ISS"));
    }

    void failedCompilerEndsTheBuildWithTheErrorBox() {
        MainWindow& f = *form_;
        installFakeCompiler(programFolder_);
        writeAll(programFolder_ + "iscc.exitcode", "3");
        writeAll(sourceFolder_ + "app.exe", "MZ");
        typeInto(box(f, iconField(0, IconPart::FileName)), "app.exe");
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        named<QPushButton>(f, "BitBtn1")->click();
        const auto shown = records();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].kind, Kind::StandardError);
        QVERIFY(shown[1].text.endsWith(" 3."));
        QCOMPARE(box(f, iconField(0, IconPart::IconFile))->text(),
                 QString("app.exe")); // written back all the same
        QVERIFY(!f.buildRunning() && named<QPushButton>(f, "BitBtn1")->isEnabled());
    }

    void prefixWineCannotStartIsSetAsideWhenTheUserAgrees() {
        MainWindow& f = *form_;
        installFakeCompiler(programFolder_);
        writeAll(programFolder_ + "iscc.exitcode", "4"); // the adapter's: wine cannot start
        const QString prefix = path("prefix");
        QVERIFY(QDir().mkpath(prefix));
        qputenv("TORNAVEL_WINEPREFIX", prefix.toUtf8());
        for (auto answer :
             {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes, QMessageBox::No}) {
            MessageBoxes::setNextAnswer(answer);
        }
        named<QPushButton>(f, "BitBtn1")->click();
        qunsetenv("TORNAVEL_WINEPREFIX");
        const auto shown = records();
        QCOMPARE(shown.size(), 4); // confirm, offer, confirm of the build again, offer
        QCOMPARE(shown[1].caption, QString("Prostředí wine"));
        QVERIFY(shown[1].text.endsWith("Přejmenovat prostředí " + prefix +
                                       " a vytvořit nové? Nic se nesmaže."));
        QVERIFY(!QFileInfo::exists(prefix));
        QCOMPARE(QDir(path("")).entryList({"prefix.poskozene-*"}).size(), 1);
        QVERIFY(!f.buildRunning());
    }

    void openingAFileThatIsNoProjectChangesNothing() {
        MainWindow& f = *form_;
        saveAsFile(f, path("mine.ipr"));
        typeInto(box(f, FieldId::AppName), "Rozpracováno");
        writeAll(path("notes.txt"), "just notes\r\n");
        MessageBoxes::setNextAnswer(QMessageBox::No); // do not save first
        MessageBoxes::setNextFileName(path("notes.txt"));
        named<QAction>(f, "Otevri")->trigger();
        const auto shown = records();
        QCOMPARE(shown.last().kind, Kind::StandardError);
        QVERIFY(shown.last().text.contains(path("notes.txt") + "“ není projekt Tornavelu"));
        QCOMPARE(box(f, FieldId::AppName)->text(), QString("Rozpracováno"));
        QCOMPARE(f.projectFileName(), path("mine.ipr"));
    }

    void startUpThatCannotMakeTheFolderStops() {
        const QString missing = path("no/such/folder") + "/";
        writeSettings(missing);
        startForm();
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::StandardError);
        QCOMPARE(shown[0].text, "Adresář " + missing + " nebyl vytvořen.");
        MainWindow& f = *form_;
        QVERIFY(!f.sourceFolderExists());
        QCOMPARE(f.sourceFolder(), missing);
        QVERIFY(named<QLabel>(f, "Cesta")->text().isEmpty());
        // The window's own design values, not New's.
        QCOMPARE(group(f, FieldId::Win)->itemIndex(), 0);
        QCOMPARE(list(f, FieldId::BackgroundColor)->currentIndex(), -1);
        QVERIFY(!check(f, FieldId::WindowVisible)->isChecked() &&
                !list(f, FieldId::BackgroundColor)->isEnabled());
        QVERIFY(!f.isModified());
        // A build does not use the missing folder: it tries to make it again.
        named<QPushButton>(f, "BitBtn1")->click();
        const auto again = records();
        QCOMPARE(again.size(), 1);
        QCOMPARE(again[0].text, shown[0].text);
        QVERIFY(!QFileInfo::exists(missing));
        // Once a build could make it, the window shows it.
        QVERIFY(QDir().mkpath(path("no/such")));
        named<QPushButton>(f, "BitBtn1")->click();
        records();
        QVERIFY(f.sourceFolderExists());
        QCOMPARE(named<QLabel>(f, "Cesta")->text(), missing);
        QCOMPARE(f.browser()->currentPath(), QDir::cleanPath(missing));
        QVERIFY(f.close());
    }

    void closeStepThatCannotWriteStillCloses() {
        // The program folder is a file: the settings cannot be written.
        const QString blocked = path("blocked");
        writeAll(blocked, "x");
        form_ = std::make_unique<MainWindow>((blocked + "/").toStdString());
        form_->show();
        records();
        QVERIFY(form_->close());
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::StandardError);
        QVERIFY(shown[0].text.startsWith("Unable to write to " + blocked));
    }

    void outputDirectoryDialogResetsTheProjectOnYes() {
        MainWindow& f = *form_;
        OutputFolderDialog* dialog = f.outputFolderDialog();
        const QString other = path("other");
        QVERIFY(QDir().mkpath(other));
        typeInto(box(f, FieldId::AppName), "rozpracováno");

        // No: nothing changes.
        MessageBoxes::setNextAnswer(QMessageBox::No);
        QTimer::singleShot(0, dialog, [dialog, other] {
            dialog->openFolder(other);
            dialog->okButton()->click();
        });
        named<QAction>(f, "Vystupnadres1")->trigger();
        auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].caption, QString("Upozornění"));
        QCOMPARE(shown[0].text,
                 QString("Všechna neuložená nastavení budou ztracena. Chcete pokračovat?"));
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QCOMPARE(shown[0].defaultButton, QMessageBox::No);
        QCOMPARE(f.sourceFolder(), sourceFolder_);
        QCOMPARE(box(f, FieldId::AppName)->text(), QString("rozpracováno"));
        QCOMPARE(named<QLabel>(*f.runFileChooser(), "Label1")->text(), sourceFolder_);

        // Yes: stored, switched to at once, project reset.
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        QTimer::singleShot(0, dialog, [dialog] { dialog->okButton()->click(); });
        named<QAction>(f, "Vystupnadres1")->trigger();
        records();
        QCOMPARE(dialog->openedFolder(), other); // kept from the last time
        QCOMPARE(f.sourceFolder(), other + "/");
        QCOMPARE(named<QLabel>(f, "Cesta")->text(), other + "/");
        // Both choosers list the new folder.
        QCOMPARE(named<QLabel>(*f.runFileChooser(), "Label1")->text(), other + "/");
        QCOMPARE(named<QLabel>(*f.iconChooser(), "Label1")->text(), other + "/");
        QCOMPARE(box(f, FieldId::AppName)->text(), QString("Můj program"));
        QVERIFY(!f.isModified());
        QVERIFY(readAll(programFolder_ + "Tornavel.ini")
                    .contains("VystupniAdresar=" + other.toUtf8() + "/"));
    }

    void signingAndReproducibilityReachTheCompilerButNoPassword() {
        MainWindow& f = *form_;
        installFakeCompiler(programFolder_);
        const QString certificate = path("cert.p12");
        SigningDialog* dialog = f.signingDialog();
        // Storno stores nothing; OK stores what the dialog shows.
        for (const bool confirm : {false, true}) {
            QTimer::singleShot(0, dialog, [dialog, certificate, confirm] {
                dialog->signCheck()->setChecked(true);
                dialog->certificateBox()->setText(certificate);
                dialog->passwordFileBox()->setText("/heslo.txt");
                dialog->timestampBox()->setText("http://razitka.example/tsa");
                named<QPushButton>(*dialog, confirm ? "Button1" : "Button2")->click();
            });
            named<QAction>(f, "Podepisovani1")->trigger();
            QCOMPARE(readAll(programFolder_ + "Tornavel.ini").contains("Certifikat="), confirm);
        }
        named<QAction>(f, "Reprodukovatelne1")->trigger();
        const QByteArray ini = readAll(programFolder_ + "Tornavel.ini");
        QVERIFY(ini.contains("Podepisovat=1\r\nCertifikat=" + certificate.toUtf8() +
                             "\r\nKlic=\r\nSouborSHeslem=/heslo.txt\r\n"
                             "CasoveRazitko=http://razitka.example/tsa\r\n"));
        QVERIFY(ini.contains("Reprodukovatelne=1\r\n"));

        MessageBoxes::setNextAnswer(QMessageBox::Yes); // compile
        MessageBoxes::setNextAnswer(QMessageBox::No);  // no test run
        named<QPushButton>(f, "BitBtn1")->click();
        QCOMPARE(readAll(programFolder_ + "iscc.log"),
                 "TORNAVEL_ISCC_REPRODUCIBLE=946684800 TORNAVEL_ISCC_SIGN_CERTIFICATE=" +
                     certificate.toUtf8() +
                     " TORNAVEL_ISCC_SIGN_PASSWORD_FILE=/heslo.txt"
                     " TORNAVEL_ISCC_TIMESTAMP_URL=http://razitka.example/tsa " +
                     sourceFolder_.toUtf8() + "ISS\n");
    }

    void compilerChoiceIsKeptReachesTheCompilerAndShowsWhatItChanges() {
        installFakeCompiler(programFolder_);
        const auto hintsShown = [this] {
            return !named<QLabel>(*form_, "InnoSetup6Verze")->isHidden() &&
                   !named<QLabel>(*form_, "InnoSetup6Diskety")->isHidden();
        };
        QVERIFY(named<QAction>(*form_, "InnoSetup5")->isChecked() && !hintsShown());
        named<QAction>(*form_, "InnoSetup6")->trigger();
        QVERIFY(readAll(programFolder_ + "Tornavel.ini").contains("InnoSetup=6\r\n"));
        QVERIFY(hintsShown());
        MessageBoxes::setNextAnswer(QMessageBox::Yes); // compile
        MessageBoxes::setNextAnswer(QMessageBox::No);  // no test run
        named<QPushButton>(*form_, "BitBtn1")->click();
        QCOMPARE(readAll(programFolder_ + "iscc.log"),
                 "TORNAVEL_ISCC_INNO_SETUP=6 " + sourceFolder_.toUtf8() + "ISS\n");
        // Kept for the next start; the variable wins over it.
        form_.reset();
        qputenv("TORNAVEL_INNO_SETUP", "5");
        startForm();
        qunsetenv("TORNAVEL_INNO_SETUP");
        QVERIFY(named<QAction>(*form_, "InnoSetup6")->isChecked() && !hintsShown());
    }

    void outputDirectoryDialogTakesTheOpenedFolder() {
        OutputFolderDialog dialog;
        dialog.openFolder(QDir::rootPath());
        QCOMPARE(dialog.chosenFolder(), QDir::toNativeSeparators(QDir::rootPath()));
        dialog.openFolder(path("src"));
        // Highlighting another folder chooses nothing; Enter on it opens it
        // as a double-click does, and the dialog says what OK takes.
        const QModelIndex parent = dialog.folderTree()->currentIndex().parent();
        dialog.folderTree()->setCurrentIndex(parent);
        QCOMPARE(dialog.chosenFolder(), QDir::toNativeSeparators(path("src")) + "/");
        QTest::keyClick(dialog.folderTree(), Qt::Key_Return);
        QCOMPARE(dialog.openedFolder(), QDir::cleanPath(path("")));
        QCOMPARE(dialog.openedLabel()->text(), "OK zvolí adresář " + dialog.chosenFolder());
        // Enter on the opened folder presses OK.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(dialog.folderTree(), Qt::Key_Return);
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].caption, QString("Upozornění"));
        QVERIFY(dialog.driveList()->count() >= 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
