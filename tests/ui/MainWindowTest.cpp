// The main window in its real widgets: start state, change tracking, the
// close question, the enabling and version rules, the colour preview, input
// limits, keys, New, Open, Save, Save As, the status line, the start-up and
// close steps and the output-directory dialog.
#include "../support/FieldValues.h"
#include "TestFiles.h"
#include "project/ProjectFile.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/RadioGroup.h"
#include "ui/mainwindow/Unit1.h"
#include "ui/mainwindow/Unit4.h"

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

void clickRadio(TRadioGroup* group, int index) {
    QRadioButton* button = group->button(index);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

QColor panelColour(const TForm1& form) {
    return form.Panel1->palette().color(QPalette::Window);
}

// What a control shows: a text, a check, a position or the preview's colour.
QVariant shownBy(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text();
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(control)) {
        return check->isChecked();
    }
    if (const auto* group = qobject_cast<const TRadioGroup*>(control)) {
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
    std::unique_ptr<TForm1> form_;

    QString path(const QString& relative) const { return dir_->filePath(relative); }

    void writeSettings(const QString& sourceFolder) {
        writeAll(programFolder_ + "Tornavel.ini",
                 "[Nastaveni]\r\nVystupniAdresar=" + sourceFolder.toUtf8() + "\r\n");
    }

    void startForm() {
        form_ = std::make_unique<TForm1>(programFolder_.toStdString());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QApplication::setActiveWindow(form_.get());
    }

    // The boxes shown since the last call.
    static QList<MessageBoxes::Record> records() { return MessageBoxes::takeRecords(); }

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
        TForm1& f = *form_;
        QVERIFY(QFileInfo(sourceFolder_).isDir());
        QCOMPARE(f.SourceFolder, sourceFolder_);
        QCOMPARE(f.Cesta->text(), sourceFolder_);
        QCOMPARE(f.HelpFile, programFolder_ + "Tornavel.hlp");
        QCOMPARE(f.Edit1->text(), QString("Můj program"));
        QCOMPARE(f.Edit2->text(), QString("Můj program verze 1.0"));
        QCOMPARE(f.Edit5->text(), QString("© Ing. Já a synové"));
        QCOMPARE(f.Edit53->text(), QString("1457664"));
        QCOMPARE(f.Edit22->text(), QString("0"));
        QCOMPARE(f.RadioGroup1->itemIndex(), 2);
        QCOMPARE(f.RadioGroup2->itemIndex(), 1);
        QCOMPARE(f.RadioGroup4->itemIndex(), 0);
        QCOMPARE(f.Pozadi->currentText(), QString("modrá"));
        QCOMPARE(panelColour(f), QColor(0, 0, 255));
        QCOMPARE(f.ComboBox1->currentIndex(), -1);
        QCOMPARE(f.ComboBox1->count(), 103);
        QVERIFY(f.CheckBox10->isChecked() && f.CheckBox2->isChecked() && f.CheckBox6->isChecked());
        QVERIFY(!f.CheckBox12->isChecked() && !f.CheckBox13->isChecked());
        QVERIFY(!f.Edit53->isEnabled() && !f.Edit54->isEnabled());
        QVERIFY(f.Pozadi->isEnabled() && f.Edit5->isEnabled());
        QCOMPARE(f.TabbedNotebook1->currentIndex(), 0);
        QCOMPARE(f.projectFromControls(), ProjectSettings{});
        QVERIFY(!f.Modified);
        QVERIFY(!f.Uloz->isEnabled());
        QVERIFY(!f.SpeedButton3->isEnabled());

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
        TForm1& f = *form_;
        const bool isOpen = command.contains("Open") || command == "Ctrl+O";
        auto run = [&] {
            if (command == "New button") {
                f.SpeedButton1->click();
            } else if (command == "Open button") {
                f.SpeedButton2->click();
            } else if (command == "Ctrl+N") {
                QTest::keyClick(&f, Qt::Key_N, Qt::ControlModifier);
            } else if (command == "Ctrl+O") {
                QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
            } else {
                (isOpen ? f.Otevri : f.Nova)->trigger();
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
        auto change = [&] { QTest::keyClick(f.Edit1, Qt::Key_X); };

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
            QVERIFY(f.Edit1->text().endsWith('x') && f.Modified);
        }

        // Yes saves through Save As when there is no file yet, then goes on.
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        MessageBoxes::setNextFileName(project);
        run();
        QCOMPARE(kinds(), QList<Kind>({Kind::Question, Kind::SaveDialog}) + goesOn);
        QVERIFY(readAll(project).contains("AppName=M\xF9j programxx\r\n"));
        QCOMPARE(f.Edit1->text(), isOpen ? QString("Můj programxx") : QString("Můj program"));

        // With a file, Yes saves to it without a dialog.
        change();
        const QByteArray typed =
            "AppName=M\xF9j program" + QByteArray(f.Edit1->text().size() - 11, 'x') + "\r\n";
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        f.ProjectFileName = project;
        f.RefreshSaveAvailability();
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
        QCOMPARE(f.Edit1->text().endsWith('x'), isOpen);
    }

    void loadedTextsKeepTheBoxesLimits() {
        TForm1& f = *form_;
        auto typeAtEnd = [](QLineEdit* edit, const QString& text) {
            QTest::keyClick(edit, Qt::Key_End);
            typeText(edit, text);
        };
        const QString file = path("long.ipr");
        writeAll(file, "[Nastaven\xED]\r\nAppVerName=" + QByteArray(300, 'L') +
                           "\r\nDefaultDirName=A\tB\r\n");
        MessageBoxes::setNextFileName(file);
        f.Otevri->trigger();
        QCOMPARE(f.Edit2->text().size(), 300); // shown as loaded, not cut
        typeAtEnd(f.Edit2, "x");
        QCOMPARE(f.Edit2->text().size(), 300); // longer: refused
        QTest::keyClick(f.Edit2, Qt::Key_Backspace);
        QCOMPARE(f.Edit2->text().size(), 299); // shorter: taken
        typeAtEnd(f.Edit2, "x");
        QCOMPARE(f.Edit2->text().size(), 299);

        QCOMPARE(f.Edit3->text(), QString("A\tB"));
        typeAtEnd(f.Edit3, QString::fromUtf8("\t漢"));
        QCOMPARE(f.Edit3->text(), QString("A\tB")); // another refused character: refused
        typeAtEnd(f.Edit3, "C");
        QCOMPARE(f.Edit3->text(), QString("A\tBC")); // a good character beside the old one
        QTest::keyClick(f.Edit3, Qt::Key_Home);
        QTest::keyClick(f.Edit3, Qt::Key_Right);
        QTest::keyClick(f.Edit3, Qt::Key_Delete);
        QCOMPARE(f.Edit3->text(), QString("ABC")); // the tab removed: taken
        typeAtEnd(f.Edit3, "\t");
        QCOMPARE(f.Edit3->text(), QString("ABC")); // and now refused again

        // The build's fill-in of the version name from a long program name.
        installFakeCompiler(programFolder_);
        f.Edit1->setText(QString(280, 'N'));
        f.Edit2->clear();
        MessageBoxes::setNextAnswer(QMessageBox::No); // the script only
        f.BitBtn1->click();
        QCOMPARE(f.Edit2->text(), QString(280, 'N'));
        typeAtEnd(f.Edit2, "x");
        QCOMPARE(f.Edit2->text(), QString(280, 'N'));
    }

    void buildFillInsShowBeforeTheFirstQuestion() {
        TForm1& f = *form_;
        installFakeCompiler(programFolder_);
        writeAll(sourceFolder_ + "app.exe", "MZ");
        f.Edit18->setText("Program");
        f.Edit19->setText("app.exe");
        f.Edit2->clear();
        QStringList seen;
        MessageBoxes::setBoxObserver([&](const MessageBoxes::Record& r) {
            if (r.caption == "Vytvoření instalačního souboru") {
                seen << f.Edit2->text() << f.Edit21->text();
                // The user edits the box while the compiler runs.
                f.Edit2->setText("Vlastní název");
            }
        });
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        f.BitBtn1->click();
        MessageBoxes::setBoxObserver({});
        QCOMPARE(seen, QStringList({"Můj program", "app.exe"}));
        QCOMPARE(f.Edit2->text(), QString("Vlastní název")); // not overwritten afterwards
        QCOMPARE(f.Edit21->text(), QString("app.exe"));
    }

    void deletedWorkingFolderStopsTheBuild() {
        TForm1& f = *form_;
        installFakeCompiler(programFolder_);
        QVERIFY(QDir(sourceFolder_).removeRecursively());
        f.BitBtn1->click();
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::StandardError);
        QCOMPARE(shown[0].text, "Adresář " + sourceFolder_ + " neexistuje.");
        QVERIFY(!QFileInfo::exists(sourceFolder_)); // not made again, nothing built
    }

    void helpMenuStandsAtTheRightEndOfTheMenuBar() {
        TForm1& f = *form_;
        QMenuBar* bar = f.MainMenu1;
        QVERIFY(bar->actions().contains(f.Napoveda->menuAction()));
        const QRect help = bar->actionGeometry(f.Napoveda->menuAction());
        const QRect settings = bar->actionGeometry(f.Nastaven1->menuAction());
        QVERIFY(help.left() > settings.right() + help.width());
        QVERIFY(bar->width() - help.right() < help.width());

        // The arrow keys move from the menus onto it and round again.
        bar->setActiveAction(f.Nastaven1->menuAction());
        QTRY_VERIFY(f.Nastaven1->isVisible());
        QTest::keyClick(f.Nastaven1, Qt::Key_Right);
        QTRY_COMPARE(bar->activeAction(), f.Napoveda->menuAction());
        QTRY_VERIFY(f.Napoveda->isVisible());
        QTest::keyClick(f.Napoveda, Qt::Key_Right);
        QTRY_COMPARE(bar->activeAction(), f.Instalace1->menuAction());
        f.Instalace1->close();
    }

    void fileDialogsShowTheFilterByItsName() {
        TForm1& f = *form_;
        f.Otevri->trigger();
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
        TForm1& f = *form_;
        const QStringList pages = {
            "Základní nastavení", "Soubory", "Ikony", "Diskety", "INI", "Ostatní"};
        QCOMPARE(f.TabbedNotebook1->count(), pages.size());
        for (int i = 0; i < pages.size(); ++i) {
            QCOMPARE(f.TabbedNotebook1->tabText(i), pages[i]);
        }
        QCOMPARE(f.TabbedNotebook2->tabText(2), QString("    Ikona č.3    "));
        for (const char* name :
             {"Edit1", "Edit54", "CheckBox23", "ComboBox5", "RadioGroup4", "Pozadi", "Panel1",
              "Panel2", "Button14", "Label54", "Cesta", "browserArea", "SpeedButton7"}) {
            QVERIFY2(f.findChild<QWidget*>(name), name);
        }
        QCOMPARE(f.findChild<QLineEdit*>("Edit29"), f.Edit29);
        QCOMPARE(f.findChild<QAction*>("Vytvoitinstalaci1")->shortcut(), QKeySequence(Qt::Key_F9));
        QCOMPARE(f.Konec->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
        QCOMPARE(f.Ulozjako->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
        QCOMPARE(f.Oautorech->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(f.Edit1->toolTip(), QString("max. 63 znaků"));
        QCOMPARE(f.Edit43->toolTip(), QString("max 63 znaků"));
        QCOMPARE(f.Button12->statusTip(), QString("Vybete soubor ze seznamu."));
        QCOMPARE(f.Button2->statusTip(), QString("Vyberte soubor ze seznamu."));
        QVERIFY(f.CheckBox9->toolTip().isEmpty());
        // Tab order runs through the first page, then the icon page's own order.
        QCOMPARE(f.Edit4->nextInFocusChain(), f.Edit5);
        QCOMPARE(f.Edit5->nextInFocusChain(), f.CheckBox1);
        QCOMPARE(f.CheckBox12->nextInFocusChain(), f.Edit9);
        QCOMPARE(f.Edit19->nextInFocusChain(), f.Button2);
        QCOMPARE(f.CheckBox15->nextInFocusChain(), f.ComboBox1);
        QCOMPARE(f.Button14->nextInFocusChain(), f.BitBtn1);
        QCOMPARE(f.BitBtn1->nextInFocusChain(), f.BitBtn2);
    }

    void statusLineShowsTheLongHintUnderTheMouse() {
        TForm1& f = *form_;
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(f.Edit53, &enter);
        QCOMPARE(f.Panel2->text(),
                 QString("Zde zadejte velikost jednotlivých dílů instalačního  souboru. "));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(f.Edit53, &leave);
        QCOMPARE(f.Panel2->text(), QString());
        QApplication::sendEvent(f.BitBtn2, &enter);
        QCOMPARE(f.Panel2->text(), QString("Ukončí program."));
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
        TForm1& f = *form_;
        QTest::keyClick(f.Edit3, Qt::Key_X);
        QVERIFY(f.Modified);
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
        QCOMPARE(f.Modified, true);
    }

    void yesOnANeverSavedProjectOffersSaveAs() {
        TForm1& f = *form_;
        QTest::keyClick(f.Edit1, Qt::Key_A);
        // The dialog is cancelled: the window stays open, the changes with it.
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        QVERIFY(!f.close());
        QVERIFY(f.isVisible() && f.Modified);
        auto shown = records();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].kind, Kind::SaveDialog);
        QCOMPARE(shown[1].caption, QString("Uloži Instalaci jako"));
        QVERIFY(f.Edit1->text().endsWith('a'));

        // With a file name the project is written before the window closes.
        startForm();
        QTest::keyClick(form_->Edit1, Qt::Key_B);
        const QString file = path("closing.ipr");
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        MessageBoxes::setNextFileName(file);
        records();
        QVERIFY(form_->close());
        QVERIFY(readAll(file).contains("AppName=M\xF9j programb\r\n"));
    }

    void yesWithAFileNameSavesToIt() {
        TForm1& f = *form_;
        const QString file = path("saved.ipr");
        MessageBoxes::setNextFileName(file);
        f.Ulozjako->trigger();
        QCOMPARE(f.ProjectFileName, file);
        QTest::keyClick(f.Edit4, Qt::Key_Z);
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        records();
        QVERIFY(f.close());
        const auto shown = records();
        QCOMPARE(shown.size(), 1); // the question only: Save needs no dialog
        QVERIFY(readAll(file).contains("DefaultGroupName=M\xF9j programz\r\n"));
    }

    void failedSaveShowsTheErrorAndTheProgramGoesOn() {
        TForm1& f = *form_;
        QTest::keyClick(f.Edit1, Qt::Key_Q);
        // A file standing where a folder should be makes every write fail.
        writeAll(path("notafolder"), "x");
        const QString target = path("notafolder/project.ipr");
        MessageBoxes::setNextFileName(target);
        f.Ulozjako->trigger();
        auto shown = records();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].kind, Kind::StandardError);
        QCOMPARE(shown[1].caption, QString("Tornavel"));
        QCOMPARE(shown[1].icon, QMessageBox::Critical);
        QCOMPARE(shown[1].text, "Unable to write to " + target + ".");
        QVERIFY(f.Modified);
        QVERIFY(f.ProjectFileName.isEmpty());
        QVERIFY(!f.Uloz->isEnabled());

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
        f.Ulozjako->trigger();
        QVERIFY(!f.Modified);
        QVERIFY(f.Uloz->isEnabled() && f.SpeedButton3->isEnabled());
    }

    void versionGroupsNeverBothRefuse() {
        TForm1& f = *form_;
        f.TabbedNotebook1->setCurrentIndex(5);
        clickRadio(f.RadioGroup1, 4);
        QCOMPARE(f.RadioGroup1->itemIndex(), 4);
        QCOMPARE(f.RadioGroup2->itemIndex(), 1);
        QVERIFY(f.Modified);
        clickRadio(f.RadioGroup2, 4);
        QCOMPARE(f.RadioGroup2->itemIndex(), 4);
        QCOMPARE(f.RadioGroup1->itemIndex(), 1); // "Windows 98"
        clickRadio(f.RadioGroup1, 4);
        QCOMPARE(f.RadioGroup1->itemIndex(), 4);
        QCOMPARE(f.RadioGroup2->itemIndex(), 1); // "Windows NT 4.x"
        QVERIFY(f.RadioGroup2->button(1)->isChecked());
    }

    void enablingFollowsTheCheckBoxes() {
        TForm1& f = *form_;
        f.TabbedNotebook1->setCurrentIndex(5);
        QTest::mouseClick(f.CheckBox10, Qt::LeftButton, {}, QPoint(6, f.CheckBox10->height() / 2));
        QVERIFY(!f.CheckBox10->isChecked());
        QVERIFY(!f.CheckBox6->isEnabled() && !f.CheckBox13->isEnabled());
        QVERIFY(!f.Pozadi->isEnabled() && !f.Edit5->isEnabled());
        QVERIFY(f.Modified);
        QTest::mouseClick(f.CheckBox10, Qt::LeftButton, {}, QPoint(6, f.CheckBox10->height() / 2));
        QVERIFY(f.CheckBox6->isEnabled() && f.CheckBox13->isEnabled());
        QVERIFY(f.Pozadi->isEnabled() && f.Edit5->isEnabled());

        f.TabbedNotebook1->setCurrentIndex(3);
        QTest::mouseClick(f.CheckBox8, Qt::LeftButton, {}, QPoint(6, f.CheckBox8->height() / 2));
        QVERIFY(f.Edit53->isEnabled() && f.Edit54->isEnabled());
        f.CheckBox8->setChecked(false); // the program's change follows the rule too
        QVERIFY(!f.Edit53->isEnabled() && !f.Edit54->isEnabled());
    }

    void pickingAColourPreviewsIt() {
        TForm1& f = *form_;
        f.TabbedNotebook1->setCurrentIndex(5);
        pickWithKeyboard(f.Pozadi, 15);
        QCOMPARE(f.Pozadi->currentText(), QString("černá"));
        QCOMPARE(panelColour(f), QColor(0, 0, 0));
        QCOMPARE(f.previewColor(), 0u);
        QVERIFY(f.Modified);
        pickWithKeyboard(f.Pozadi, 11);
        QCOMPARE(panelColour(f), QColor(0, 0, 255));
    }

    void programSetListsAndPreviewNotifyNobody() {
        TForm1& f = *form_;
        f.Pozadi->setCurrentIndex(3);
        f.ComboBox2->setCurrentIndex(7);
        f.setPreviewColor(rgbColor(1, 2, 3));
        QVERIFY(!f.Modified);
        pickWithKeyboard(f.ComboBox2, 4);
        QVERIFY(f.Modified);
        QCOMPARE(f.projectFromControls().Icons[1].HotKey, 4);
    }

    void editBoxesRefuseWhatTheFileCannotHold() {
        TForm1& f = *form_;
        f.Edit2->setText(QString(236, 'v'));
        QTest::keyClick(f.Edit2, Qt::Key_End);
        QTest::keyClick(f.Edit2, Qt::Key_W);
        QCOMPARE(f.Edit2->text().size(), 236);
        f.Edit1->setText(QString(400, 'v'));
        QTest::keyClick(f.Edit1, Qt::Key_End);
        QTest::keyClick(f.Edit1, Qt::Key_W);
        QCOMPARE(f.Edit1->text().size(), 401);

        f.Edit3->clear();
        typeText(f.Edit3, "Žluťoučký kůň €");
        QCOMPARE(f.Edit3->text(), QString("Žluťoučký kůň €"));
        typeText(f.Edit3, QString::fromUtf8("漢ж"));
        QCOMPARE(f.Edit3->text(), QString("Žluťoučký kůň €"));
        QGuiApplication::clipboard()->setText(QString::fromUtf8("a漢b"));
        f.Edit3->paste();
        QCOMPARE(f.Edit3->text(), QString("Žluťoučký kůň €"));
        QGuiApplication::clipboard()->setText("line\nbreak");
        f.Edit3->paste();
        QCOMPARE(f.Edit3->text(), QString("Žluťoučký kůň €"));
        QGuiApplication::clipboard()->setText("ok");
        f.Edit3->paste();
        QCOMPARE(f.Edit3->text(), QString("Žluťoučký kůň €ok"));
    }

    void escapePressesKonec() {
        TForm1& f = *form_;
        QSignalSpy konec(f.BitBtn2, &QPushButton::clicked);
        QTest::keyClick(f.Edit4, Qt::Key_Escape);
        QCOMPARE(konec.size(), 1);
        QVERIFY(!f.isVisible());
    }

    void functionKeysReachTheirCommands() {
        TForm1& f = *form_;
        QSignalSpy about(f.Oautorech, &QAction::triggered);
        QTest::keyClick(f.Edit1, Qt::Key_F2);
        QCOMPARE(about.size(), 1);

        QTest::keyClick(f.Edit1, Qt::Key_F1);
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Plain);
        QVERIFY(shown[0].text.contains("Vytvořit instalaci"));
    }

    void newKeepsPasswordLanguageFadeAndHotKeys() {
        TForm1& f = *form_;
        f.Edit9->setText("tajné");
        f.CheckBox12->setChecked(true);
        f.CheckBox13->setChecked(true);
        f.ComboBox3->setCurrentIndex(27);
        f.Edit1->setText("Jiný");
        f.Edit30->setText("/x");
        f.CheckBox8->setChecked(true);
        f.RadioGroup4->setItemIndex(2);
        MessageBoxes::setNextFileName(path("named.ipr"));
        f.Ulozjako->trigger();
        QVERIFY(f.Uloz->isEnabled());

        f.Edit7->setText("čti.txt");
        QTest::keyClick(f.Edit1, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(f.Edit1->text(), QString("Můj program"));
        QCOMPARE(f.Edit30->text(), QString());
        QCOMPARE(f.Edit7->text(), QString());
        QVERIFY(!f.CheckBox8->isChecked() && !f.Edit53->isEnabled());
        QCOMPARE(f.RadioGroup4->itemIndex(), 0);
        QCOMPARE(f.Edit9->text(), QString("tajné"));
        QVERIFY(f.CheckBox12->isChecked());
        QVERIFY(f.CheckBox13->isChecked());
        QCOMPARE(f.ComboBox3->currentIndex(), 27);
        QVERIFY(f.ProjectFileName.isEmpty());
        QVERIFY(!f.Uloz->isEnabled() && !f.SpeedButton3->isEnabled());
        QVERIFY(f.Modified); // New does not clear it

        // New on a project that holds the defaults changes nothing.
        f.Modified = false;
        f.SpeedButton1->click();
        QVERIFY(!f.Modified);
    }

    void openTakesTheFileOverTheProject() {
        TForm1& f = *form_;
        const QString file = path("hidden background.ipr");
        // Windows-1250 bytes: "Ostatní" and "Nastavení".
        writeAll(file,
                 "[Nastaven\xED]\r\nAppName=Na\xE8ten\xFD\r\nAppVerName=" + QByteArray(300, 'L') +
                     "\r\n[Ostatn\xED]\r\nWindowVisible=0\r\nWin=4\r\nWinNT=4\r\n"
                     "Barva podkladu=99\r\nBarva nahledu=255\r\n");
        f.Edit9->setText("zůstane");
        f.Modified = false; // nothing to ask about before the Open
        records();
        MessageBoxes::setNextFileName(file);
        f.SpeedButton2->click();
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::OpenDialog);
        QCOMPARE(shown[0].caption, QString("Otevřít nastavení instalace"));
        QCOMPARE(shown[0].dialog.defaultSuffix, QString("ipr"));
        QVERIFY(shown[0].dialog.filter.contains("*.ipr"));

        QCOMPARE(f.Edit1->text(), QString("Načtený"));
        QCOMPARE(f.Edit2->text().size(), 300); // a longer stored name is kept whole
        QCOMPARE(f.Edit9->text(), QString("zůstane"));
        QVERIFY(!f.CheckBox10->isChecked());
        QVERIFY(!f.CheckBox6->isEnabled() && !f.CheckBox13->isEnabled());
        QVERIFY(!f.Pozadi->isEnabled() && !f.Edit5->isEnabled());
        QCOMPARE(f.RadioGroup1->itemIndex(), 1);
        QCOMPARE(f.RadioGroup2->itemIndex(), 4);
        QCOMPARE(f.Pozadi->currentIndex(), -1);
        QCOMPARE(panelColour(f), QColor(255, 0, 0));
        QCOMPARE(f.ProjectFileName, file);
        QVERIFY(f.Uloz->isEnabled() && f.SpeedButton3->isEnabled());
        QVERIFY(!f.Modified);

        // A cancelled Open changes nothing.
        f.Edit1->setText("změna");
        MessageBoxes::setNextAnswer(QMessageBox::No); // not saved first
        f.Otevri->trigger();
        QCOMPARE(records()[1].text, file); // the dialog starts at the current file
        QCOMPARE(f.ProjectFileName, file);
        QVERIFY(f.Modified);
    }

    void saveAsThenSaveRoundTrips() {
        TForm1& f = *form_;
        QVERIFY(QDir().mkpath(programFolder_ + "Archiv"));
        f.Edit1->setText("Program");
        f.ComboBox5->setCurrentIndex(102);
        f.CheckBox4->setChecked(true);
        f.Edit45->setText("hodnota");
        const QString file = path("round.ipr");
        MessageBoxes::setNextFileName(file);
        QTest::keyClick(f.Edit1, Qt::Key_D, Qt::ControlModifier);
        auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].dialog.initialFolder, programFolder_ + "Archiv");
        QCOMPARE(shown[0].dialog.title, QString("Uloži Instalaci jako"));
        QVERIFY(!f.Modified);

        f.Edit42->setText("3");
        QTest::keyClick(f.Edit1, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(records().isEmpty());
        QVERIFY(!f.Modified);
        const ProjectSettings saved = f.projectFromControls();

        // A second Save As starts with the name chosen before.
        MessageBoxes::setNextFileName({});
        f.Ulozjako->trigger();
        QCOMPARE(records()[0].text, file);

        startForm();
        MessageBoxes::setNextFileName(file);
        form_->Otevri->trigger();
        QCOMPARE(form_->projectFromControls(), saved);
        QCOMPARE(form_->ComboBox5->currentIndex(), 102);
    }

    void everyFieldRoundTripsThroughItsOwnControl() {
        TForm1& f = *form_;
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
            f.Otevri->trigger();
            QVERIFY2(f.projectFromControls() == changed, field.key.c_str());
            const QVariantList shown = allShown();
            for (qsizetype i = 0; i < controls.size(); ++i) {
                QVERIFY2((shown[i] != startShown[i]) == (controls[i] == f.fieldControl(field.id)),
                         qPrintable(QString::fromStdString(field.key) + " in " +
                                    controls[i]->objectName()));
            }
            MessageBoxes::setNextFileName(savedFile);
            f.Ulozjako->trigger();
            QVERIFY2(readAll(savedFile) == readAll(changedFile), field.key.c_str());
            MessageBoxes::setNextFileName(startFile);
            f.Otevri->trigger();
        }
        QCOMPARE(f.projectFromControls(), ProjectSettings{});
        QVERIFY(records().size() == 3 * kFieldCount); // the file dialogs, nothing else
    }

    void focusRequestShowsTheFieldsPage() {
        TForm1& f = *form_;
        f.TabbedNotebook1->setCurrentIndex(4);
        f.focusField(FieldId::AppVerName);
        QCOMPARE(f.TabbedNotebook1->currentIndex(), 0);
        QCOMPARE(f.focusWidget(), f.Edit2);
        f.focusField(iconField(3, IconPart::IconFile));
        QCOMPARE(f.TabbedNotebook1->currentIndex(), 2);
        QCOMPARE(f.TabbedNotebook2->currentIndex(), 3);
        QCOMPARE(f.focusWidget(), f.Edit36);
    }

    void f9BuildsAndWritesTheFillInsBack() {
        TForm1& f = *form_;
        installFakeCompiler(programFolder_);
        writeAll(sourceFolder_ + "app.exe", "MZ");
        f.Edit18->setText("Spustit");
        f.Edit19->setText("app.exe");
        f.Modified = false;
        MessageBoxes::setNextAnswer(QMessageBox::Yes); // compile
        MessageBoxes::setNextAnswer(QMessageBox::No);  // no test run
        // Posted now, handled while the compiler runs: a second build and
        // closing are refused then.
        bool duringBuild = false;
        QTimer::singleShot(0, &f, [&f, &duringBuild] {
            duringBuild = f.buildRunning() && !f.BitBtn1->isEnabled() &&
                          !f.Vytvoitinstalaci1->isEnabled() && !f.Vystupnadres1->isEnabled();
            f.BitBtn1Click();
            QVERIFY(!f.close());
        });
        QTest::keyClick(f.Edit1, Qt::Key_F9);

        QVERIFY(duringBuild);
        const auto shown = records();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].caption, QString("Vytvoření instalačního souboru"));
        QCOMPARE(shown[1].kind, Kind::Plain);
        QCOMPARE(shown[1].text, QString("Počkejte prosím, až skončí vytváření instalace."));
        QCOMPARE(shown[2].caption, QString("Kompilace byla úspěšně dokončena"));
        QVERIFY(QFileInfo::exists(sourceFolder_ + "ISS"));
        QVERIFY(QFileInfo::exists(sourceFolder_ + "Output/Můj program verze 1.0.exe"));
        // The validation's fill-in reached its control, which notified.
        QCOMPARE(f.Edit21->text(), QString("app.exe"));
        QVERIFY(f.Modified);
        QVERIFY(!f.buildRunning());
        QVERIFY(f.BitBtn1->isEnabled() && f.Vytvoitinstalaci1->isEnabled());
        QVERIFY(f.isVisible());
    }

    void refusedProjectFocusesTheMissingName() {
        TForm1& f = *form_;
        f.TabbedNotebook1->setCurrentIndex(5);
        f.Edit1->clear();
        f.Vytvoitinstalaci1->trigger();
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::ErrorDialog);
        QCOMPARE(shown[0].caption, QString("Error"));
        QCOMPARE(shown[0].text, QString("Jméno aplikace zadat musíte!"));
        QCOMPARE(f.TabbedNotebook1->currentIndex(), 0);
        QCOMPARE(f.focusWidget(), f.Edit1);
        QVERIFY(!QFileInfo::exists(sourceFolder_ + "ISS"));
    }

    void failedCompilerEndsTheBuildWithTheErrorBox() {
        TForm1& f = *form_;
        installFakeCompiler(programFolder_);
        writeAll(programFolder_ + "iscc.exitcode", "3");
        writeAll(sourceFolder_ + "app.exe", "MZ");
        f.Edit19->setText("app.exe");
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        f.BitBtn1->click();
        const auto shown = records();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].kind, Kind::StandardError);
        QVERIFY(shown[1].text.endsWith(" 3."));
        QCOMPARE(f.Edit21->text(), QString("app.exe")); // written back all the same
        QVERIFY(!f.buildRunning() && f.BitBtn1->isEnabled());
    }

    void startUpThatCannotMakeTheFolderStops() {
        const QString missing = path("no/such/folder") + "/";
        writeSettings(missing);
        startForm();
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::StandardError);
        QCOMPARE(shown[0].text, "Adresář " + missing + " nebyl vytvořen.");
        TForm1& f = *form_;
        QVERIFY(!f.sourceFolderExists());
        QCOMPARE(f.SourceFolder, missing);
        QVERIFY(f.Cesta->text().isEmpty());
        // The window's own design values, not New's.
        QCOMPARE(f.RadioGroup1->itemIndex(), 0);
        QCOMPARE(f.Pozadi->currentIndex(), -1);
        QVERIFY(!f.CheckBox10->isChecked() && !f.Pozadi->isEnabled());
        QVERIFY(!f.Modified);
        // A build does not use the missing folder: it tries to make it again.
        f.BitBtn1->click();
        const auto again = records();
        QCOMPARE(again.size(), 1);
        QCOMPARE(again[0].text, shown[0].text);
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(f.close());
    }

    void closeStepThatCannotWriteStillCloses() {
        // The program folder is a file: the settings cannot be written.
        const QString blocked = path("blocked");
        writeAll(blocked, "x");
        form_ = std::make_unique<TForm1>((blocked + "/").toStdString());
        form_->show();
        records();
        QVERIFY(form_->close());
        const auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::StandardError);
        QVERIFY(shown[0].text.startsWith("Unable to write to " + blocked));
    }

    void outputDirectoryDialogResetsTheProjectOnYes() {
        TForm1& f = *form_;
        auto* dialog = new TForm4(f.ProgramFolder, &f);
        f.Form4 = dialog;
        const QString other = path("other");
        QVERIFY(QDir().mkpath(other));
        f.Edit1->setText("rozpracováno");
        QSignalSpy ready(&f, &TForm1::sourceFolderReady);

        // No: nothing changes.
        MessageBoxes::setNextAnswer(QMessageBox::No);
        QTimer::singleShot(0, dialog, [dialog, other] {
            dialog->openFolder(other);
            dialog->Button1->click();
        });
        f.Vystupnadres1->trigger();
        auto shown = records();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].caption, QString("Upozornění"));
        QCOMPARE(shown[0].text,
                 QString("Všechna neuložená nastavení budou ztracena. Chcete pokračovat?"));
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QCOMPARE(shown[0].defaultButton, QMessageBox::No);
        QCOMPARE(f.SourceFolder, sourceFolder_);
        QCOMPARE(f.Edit1->text(), QString("rozpracováno"));
        QCOMPARE(ready.size(), 0);

        // Yes: stored, switched to at once, project reset.
        MessageBoxes::setNextAnswer(QMessageBox::Yes);
        QTimer::singleShot(0, dialog, [dialog] { dialog->Button1->click(); });
        f.Vystupnadres1->trigger();
        records();
        QCOMPARE(dialog->openedFolder(), other); // kept from the last time
        QCOMPARE(f.SourceFolder, other + "/");
        QCOMPARE(f.Cesta->text(), other + "/");
        QCOMPARE(ready.size(), 1);
        QCOMPARE(f.Edit1->text(), QString("Můj program"));
        QVERIFY(!f.Modified);
        QVERIFY(readAll(programFolder_ + "Tornavel.ini")
                    .contains("VystupniAdresar=" + other.toUtf8() + "/"));
    }

    void outputDirectoryDialogTakesTheOpenedFolder() {
        TForm4 dialog(programFolder_);
        dialog.openFolder(QDir::rootPath());
        QCOMPARE(dialog.chosenFolder(), QDir::toNativeSeparators(QDir::rootPath()));
        dialog.openFolder(path("src"));
        // Highlighting another folder chooses nothing.
        dialog.Directory->setCurrentIndex(dialog.Directory->model()->index(0, 0));
        QCOMPARE(dialog.chosenFolder(), QDir::toNativeSeparators(path("src")) + "/");
        QVERIFY(dialog.DriveComboBox1->count() >= 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
