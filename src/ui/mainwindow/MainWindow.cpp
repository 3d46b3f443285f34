#include "ui/mainwindow/MainWindow.h"

#include "installer/BuildDriver.h"
#include "platform/Errors.h"
#include "project/ProgramSettings.h"
#include "project/ProjectFile.h"
#include "ui/MessageBoxes.h"
#include "ui/browser/ShellBrowser.h"
#include "ui/choosers/IconChooser.h"
#include "ui/choosers/RunFileChooser.h"
#include "ui/console/CompilerConsole.h"
#include "ui/controls/Cp1250Validator.h"
#include "ui/controls/RadioGroup.h"
#include "ui/mainwindow/ChooserButtons.h"
#include "ui/mainwindow/OutputFolderDialog.h"
#include "ui/mainwindow/SigningDialog.h"
#include "wine/AdapterProtocol.h"
#include "wine/WarmCompiler.h"
#include "wine/WinePrefix.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace tornavel::ui {
namespace {

const QString kProjectFilter = QStringLiteral("Nastavení instalace (.ipr) (*.ipr)");

const char* const kHelpText =
    "Tornavel připraví instalační program pro Váš program překladačem Inno Setup.\n\n"
    "1. V nabídce \"Nastavení\" zvolte \"Výstupní adresář\": adresář, ve kterém leží "
    "všechny soubory, které se mají instalovat.\n"
    "2. Na jednotlivých stránkách vyplňte údaje o instalaci. Když ukážete myší na "
    "položku, ve stavovém řádku dole se objeví její popis.\n"
    "3. Tlačítkem \"Vytvořit instalaci\" (klávesa F9) vytvoříte instalační soubor; "
    "překladač iscc musí ležet v adresáři programu Tornavel.\n\n"
    "Nastavení instalace uložíte příkazem \"Ulož\" (Ctrl+S) nebo \"Ulož jako\" "
    "(Ctrl+D) a znovu otevřete příkazem \"Otevři\" (Ctrl+O).";

QColor toQColor(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Why an edit box dropped what was typed or pasted into it: refused holds
// the characters the project file cannot hold.
QString refusalNote(const QString& refused) {
    QString characters;
    int count = 0;
    for (const char32_t c : refused.toUcs4()) {
        if (QChar::category(c) != QChar::Other_Control) {
            characters += QString::fromUcs4(&c, 1);
            ++count;
        }
    }
    if (count == 0) {
        return QStringLiteral("Konce řádků a jiné řídicí znaky nelze v nastavení instalace "
                              "uložit, proto nebyly zapsány.");
    }
    return count == 1 ? QStringLiteral("Znak „%1“ nelze v nastavení instalace uložit (kódování "
                                       "Windows-1250 ho nezná), proto nebyl zapsán.")
                            .arg(characters)
                      : QStringLiteral("Znaky „%1“ nelze v nastavení instalace uložit (kódování "
                                       "Windows-1250 je nezná), proto nebyly zapsány.")
                            .arg(characters);
}

// The background list's entries in the order the preview compares them.
const std::array<int, kBackgroundColorCount> kPreviewSearchOrder = {15, 0, 1, 2,  3,  4,  5,  6,
                                                                    7,  8, 9, 10, 11, 12, 13, 14};

} // namespace

MainWindow::MainWindow(const std::string& programFolder, QWidget* parent)
    : QMainWindow(parent), programFolder_(QString::fromStdString(programFolder)),
      layout_(LayoutOfProgram(programFolder)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tornavel"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    buildLayout();
    findFieldControls();
    pages_->setCurrentIndex(0);
    icons_.iconPages->setCurrentIndex(0);
    showDesignValues();
    connectUserEdits();
    connectChooserButtons();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    runGuarded(this, [this] { startUp(); });
    // The dialogs come after the start-up, which settles the folder they list.
    createDialogs();
    runGuarded(this, [this] {
        commands_.reproducible->setChecked(ReadPublishingSettings(layout_.settings).reproducible);
    });
    runGuarded(this, [this] { showCompilerChoice(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::warmUpCompiler() {
    if (warmCompiler_) {
        return;
    }
    warmCompiler_ = std::make_unique<WarmCompiler>(layout_.compilerAdapter);
    if (warmCompiler_->preparing()) {
        setStatusNote(QString::fromUtf8(kPreparingPrefixNotice));
        preparationWatch_ = new QTimer(this);
        connect(preparationWatch_, &QTimer::timeout, this, &MainWindow::followPreparation);
        preparationWatch_->start(250);
    }
}

void MainWindow::followPreparation() {
    const PreparationNews news = warmCompiler_->pollPreparation();
    for (const std::string& line : news.lines) {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
    std::fflush(stderr);
    if (news.state == PreparationNews::State::Preparing) {
        return;
    }
    preparationWatch_->stop();
    setStatusNote({});
    if (news.state == PreparationNews::State::Ready) {
        statusLine_->setText(QStringLiteral("Prostředí wine je připraveno."));
    } else if (news.state == PreparationNews::State::Failed) {
        statusLine_->setText(
            news.reason.empty()
                ? QStringLiteral("Prostředí wine se nepodařilo připravit; vytvoření instalace to "
                                 "zkusí znovu.")
                : QStringLiteral("Prostředí wine se nepodařilo připravit (%1); vytvoření "
                                 "instalace to zkusí znovu.")
                      .arg(fromUtf8(news.reason)));
    }
}

void MainWindow::setStatusNote(const QString& note) {
    statusNote_ = note;
    statusLine_->setText(note);
}

// ---------------------------------------------------------------------------
// The project and the controls

QWidget* MainWindow::fieldControl(FieldId field) const {
    return fieldControls_.at(static_cast<std::size_t>(field));
}

void MainWindow::findFieldControls() {
    for (const FieldInfo& info : projectFields()) {
        if (!info.control.empty()) {
            fieldControls_.at(static_cast<std::size_t>(info.id)) =
                findChild<QWidget*>(fromUtf8(info.control));
        }
    }
}

FieldValue MainWindow::shownValue(FieldId field) const {
    const QWidget* control = fieldControl(field);
    if (control == other_.preview) {
        const QColor colour = control->palette().color(QPalette::Window);
        return static_cast<long long>(rgbColor(static_cast<unsigned>(colour.red()),
                                               static_cast<unsigned>(colour.green()),
                                               static_cast<unsigned>(colour.blue())));
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text().toStdString();
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(control)) {
        return check->isChecked();
    }
    if (const auto* group = qobject_cast<const RadioGroup*>(control)) {
        return static_cast<long long>(group->itemIndex());
    }
    if (const auto* list = qobject_cast<const QComboBox*>(control)) {
        return static_cast<long long>(list->currentIndex());
    }
    return getField(project_, field);
}

ProjectSettings MainWindow::projectFromControls() const {
    // Read field by field without the core's rules: the record is a copy of
    // what the controls show, nothing more.
    ProjectSettings s;
    for (const FieldInfo& info : projectFields()) {
        assignField(s, info.id, shownValue(info.id));
    }
    return s;
}

void MainWindow::showField(FieldId field) {
    QWidget* control = fieldControl(field);
    if (!control) {
        return;
    }
    const QSignalBlocker blocker(control);
    const FieldValue value = getField(project_, field);
    if (control == other_.preview) {
        setPreviewColor(static_cast<std::uint32_t>(std::get<long long>(value)));
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(QString::fromStdString(std::get<std::string>(value)));
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
        check->setChecked(std::get<bool>(value));
    } else if (auto* group = qobject_cast<RadioGroup*>(control)) {
        group->setItemIndex(static_cast<int>(std::get<long long>(value)));
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        // A position outside the list leaves nothing selected.
        const long long index = std::get<long long>(value);
        list->setCurrentIndex(index >= 0 && index < list->count() ? static_cast<int>(index) : -1);
    }
}

void MainWindow::showChanges(const ChangeLog& log) {
    for (FieldId field : log) {
        // The control a person has just edited shows its value already, and
        // writing the same text again would move the cursor.
        if (shownValue(field) != getField(project_, field)) {
            showField(field);
        }
    }
    applyEnablingRules();
}

void MainWindow::markModifiedBy(const ChangeLog& log) {
    const bool reported = std::any_of(log.begin(), log.end(), [this](FieldId field) {
        const QObject* control = fieldControl(field);
        return qobject_cast<const QLineEdit*>(control) || qobject_cast<const QCheckBox*>(control) ||
               qobject_cast<const RadioGroup*>(control);
    });
    if (reported) {
        modified_ = true;
    }
}

void MainWindow::setPreviewColor(std::uint32_t colour) {
    QPalette palette = other_.preview->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    other_.preview->setPalette(palette);
}

void MainWindow::focusField(FieldId field) {
    QWidget* control = fieldControl(field);
    if (!control) {
        return;
    }
    // Bring forward every notebook page on the way up, inner and outer.
    for (QWidget* w = control; w; w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs) {
            tabs->setCurrentWidget(w);
        }
    }
    control->setFocus(Qt::OtherFocusReason);
}

void MainWindow::showDesignValues() {
    for (const FieldInfo& info : projectFields()) {
        showField(info.id);
    }
    applyEnablingRules();
}

void MainWindow::applyEnablingRules() {
    const bool spanning = project_.DiskSpanning;
    disks_.diskSize->setEnabled(spanning);
    disks_.reserveBytes->setEnabled(spanning);
    const bool background = project_.WindowVisible;
    other_.backSolid->setEnabled(background);
    other_.backColorDirection->setEnabled(background);
    other_.backgroundColor->setEnabled(background);
    basic_.appCopyright->setEnabled(background);
}

void MainWindow::connectUserEdits() {
    // Only the signals of a person's edit: what the program shows in a
    // control is no edit of the project.
    for (const FieldInfo& info : projectFields()) {
        QWidget* control = fieldControl(info.id);
        const auto store = [this, field = info.id] { storeEdit(field, shownValue(field)); };
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            connect(edit, &QLineEdit::textEdited, this, store);
            // A character the file cannot hold is dropped as it is typed;
            // the person is told why rather than left wondering.
            connect(edit, &QLineEdit::inputRejected, this, [this, edit] {
                const auto* validator = qobject_cast<const Cp1250Validator*>(edit->validator());
                if (validator && !validator->lastRefusedCharacters().isEmpty()) {
                    statusLine_->setText(refusalNote(validator->lastRefusedCharacters()));
                }
            });
        } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
            connect(check, &QCheckBox::clicked, this, store);
        } else if (auto* group = qobject_cast<RadioGroup*>(control)) {
            connect(group, &RadioGroup::picked, this, store);
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            connect(list, &QComboBox::activated, this, store);
        }
    }
}

// ---------------------------------------------------------------------------
// Edits

void MainWindow::storeEdit(FieldId field, const FieldValue& value) {
    ChangeLog log;
    setField(project_, field, value, &log);
    if (field == FieldId::BackgroundColor) {
        previewPickedBackground(log);
    }
    showChanges(log);
    if (!log.empty()) {
        modified_ = true;
    }
}

void MainWindow::previewPickedBackground(ChangeLog& log) {
    const QString picked = other_.backgroundColor->currentText();
    for (int position : kPreviewSearchOrder) {
        const BackgroundColorEntry& entry = BackgroundColors.at(static_cast<std::size_t>(position));
        if (picked == fromUtf8(entry.name)) {
            setInt(project_, FieldId::PreviewColor, entry.previewColor, &log);
            break;
        }
    }
}

void MainWindow::refreshSaveAvailability() {
    commands_.save->setEnabled(!projectFileName_.isEmpty());
}

// ---------------------------------------------------------------------------
// Start-up, the working folder and close

void MainWindow::startUp() {
    const ProgramSettings settings = ReadProgramSettings(layout_.settings);
    settleSourceFolder(QString::fromStdString(settings.sourceFolder),
                       QString::fromStdString(settings.viewStyle));
}

void MainWindow::settleSourceFolder(const QString& folder, const QString& viewStyle) {
    sourceFolder_ = folder;
    // Only a known name, in its exact letter case, changes the browser's
    // view; anything else leaves the view, and so the name written at close,
    // as it is.
    files_.browser->setViewStyleByName(viewStyle);
    viewStyle_ = files_.browser->viewStyleName();
    // A folder that cannot be made ends the start-up here: nothing goes on to
    // show or use it, and a build tries to make it again first.
    sourceFolderReady_ = false;
    EnsureSourceFolder(sourceFolder_.toStdString());
    showSourceFolder(viewStyle);
    // New, and then the project counts as unchanged: it is what a start gives.
    resetProject();
    modified_ = false;
}

void MainWindow::showSourceFolder(const QString& viewStyle) {
    sourceFolderReady_ = true;
    // A folder that exists but cannot be listed is reported, and the start-up
    // goes on: the path label, the choosers and the project follow the new
    // SourceFolder even though the browser cannot show it.
    browserFailure_.clear();
    runBrowserStep([this, &viewStyle] { files_.browser->setUp(viewStyle, sourceFolder_); });
    for (ChooserDialog* chooser : {static_cast<ChooserDialog*>(runFileChooser_),
                                   static_cast<ChooserDialog*>(iconChooser_)}) {
        if (chooser) {
            chooser->setSourceFolder(sourceFolder_);
        }
    }
    files_.sourceFolderPath->setText(sourceFolder_);
    helpFile_ = QString::fromStdString(layout_.helpFile);
}

void MainWindow::chooseSourceFolder() {
    if (!outputFolderDialog_ || buildRunning_) {
        return;
    }
    // A folder that cannot be stored shows its error and brings the dialog
    // back, still at the folder the user opened.
    while (outputFolderDialog_->exec() == QDialog::Accepted) {
        if (runGuarded(this, [this] { setSourceFolder(outputFolderDialog_->chosenFolder()); })) {
            return;
        }
    }
}

void MainWindow::setSourceFolder(const QString& folder) {
    WriteSourceFolderSetting(layout_.settings, folder.toStdString());
    // The browser's path list belongs to the old folder.
    files_.browser->clearPathList();
    // As at start, the view style comes back to the one stored at the last close.
    settleSourceFolder(folder,
                       QString::fromStdString(ReadProgramSettings(layout_.settings).viewStyle));
}

bool MainWindow::saveChangesFirst() {
    if (!modified_) {
        return true;
    }
    const auto answer = MessageBoxes::question(
        this, QStringLiteral("Informace"),
        QStringLiteral("Chcete uložit nastavení Vaší instalace?"), QMessageBox::Question,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::No) {
        return true;
    }
    if (answer != QMessageBox::Yes) {
        return false;
    }
    bool saved = false;
    runGuarded(this, [this, &saved] {
        if (commands_.save->isEnabled()) {
            saveToProjectFile();
            saved = true;
        } else {
            saved = saveToChosenFile();
        }
    });
    return saved;
}

void MainWindow::storeProgramSettings() {
    files_.browser->clearItems();
    viewStyle_ = files_.browser->viewStyleName();
    // A failed write is reported; the window closes all the same, or a folder
    // without write permission would keep the program from ever ending.
    runGuarded(this, [this] {
        WriteProgramSettings(layout_.settings, ProgramSettings{sourceFolder_.toStdString(),
                                                               viewStyle_.toStdString()});
    });
}

// No refresh on paint: Qt repaints the window for every hover, tooltip and
// scroll, and a re-read there would take the user out of any sub-folder at
// once and re-list the folder many times a second.
void MainWindow::refreshBrowser() {
    if (!sourceFolderReady_) {
        // The folder the start-up could not make may exist by now (made by
        // a build, or by hand): from then on it is shown like any other.
        if (!sourceFolder_.isEmpty() && QFileInfo(sourceFolder_).isDir()) {
            showSourceFolder(viewStyle_);
        }
        return;
    }
    runBrowserStep([this] { files_.browser->navigateToPath(sourceFolder_); });
}

void MainWindow::runBrowserStep(const std::function<void()>& step) {
    QString failure;
    try {
        step();
        browserFailure_.clear();
        return;
    } catch (...) {
        failure = currentExceptionMessage();
    }
    // Closing the error box activates the window again, and the refresh on
    // activation would fail the same way: a repeated failure stays quiet.
    if (failure != browserFailure_) {
        browserFailure_ = failure;
        MessageBoxes::standardError(this, failure);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The build is still running in SourceFolder: the window stays until it
    // ends. A compile can be stopped cleanly, and the window closes then; the
    // test run's installer has its own window to close.
    if (buildRunning_) {
        event->ignore();
        if (runningDriver_ && runningDriver_->isCompiling()) {
            offerToStopAndClose();
            return;
        }
        beep();
        MessageBoxes::plain(this,
                            QStringLiteral("Počkejte prosím, až skončí vytváření instalace."));
        return;
    }
    // A save that failed or was cancelled keeps the window, so the changes
    // are not lost behind an error box or a closed dialog.
    if (!saveChangesFirst()) {
        event->ignore();
        return;
    }
    storeProgramSettings();
    event->accept();
}

void MainWindow::offerToStopAndClose() {
    const auto answer = MessageBoxes::question(
        this, QStringLiteral("Vytváření instalace"),
        QStringLiteral("Kompilace instalace ještě běží. Chcete ji zastavit a Tornavel zavřít, "
                       "nebo počkat, až skončí?"),
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
        {{QMessageBox::Yes, QStringLiteral("&Zastavit a zavřít")},
         {QMessageBox::No, QStringLiteral("&Počkat")}});
    // The box let events run: the compile may have ended meanwhile.
    if (answer == QMessageBox::Yes && runningDriver_ && runningDriver_->isCompiling()) {
        closeAfterBuild_ = true;
        runningDriver_->stop();
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (const QScreen* s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
        refreshSaveAvailability();
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        refreshBrowser();
    }
}

bool MainWindow::event(QEvent* event) {
    // The status line shows the long hint of the control under the mouse.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        statusLine_->setText(tip.isEmpty() ? statusNote_ : tip);
        return true;
    }
    return QMainWindow::event(event);
}

// ---------------------------------------------------------------------------
// Commands

MessageBoxes::FileDialogOptions MainWindow::projectFileDialog(const QString& title,
                                                              const QString& fileName) const {
    MessageBoxes::FileDialogOptions options;
    options.title = title;
    options.filter = kProjectFilter;
    options.defaultSuffix = QStringLiteral("ipr");
    // The dialogs start in "Archiv" (beside the program in the build tree),
    // when there is one.
    const QString archive = QString::fromStdString(layout_.archiveFolder);
    options.initialFolder = QDir(archive).exists() ? archive : QString();
    options.initialFileName = fileName;
    return options;
}

ChangeLog MainWindow::resetProject() {
    ++projectGeneration_;
    refreshBrowser();
    projectFileName_.clear();
    ChangeLog log;
    NewProject(project_, &log);
    showChanges(log);
    refreshSaveAvailability();
    return log;
}

void MainWindow::saveToProjectFile() {
    SaveProject(project_, projectFileName_.toStdString(), SaveOrder::Save);
    modified_ = false;
}

bool MainWindow::saveToChosenFile() {
    const QString name = MessageBoxes::saveFileName(
        this, projectFileDialog(QStringLiteral("Uloži Instalaci jako"), lastSaveAsName_));
    if (name.isEmpty()) {
        return false;
    }
    lastSaveAsName_ = name;
    SaveProject(project_, name.toStdString(), SaveOrder::SaveAs);
    projectFileName_ = name;
    refreshSaveAvailability();
    modified_ = false;
    return true;
}

void MainWindow::loadChosenProject() {
    const QString name = MessageBoxes::openFileName(
        this, projectFileDialog(QStringLiteral("Otevřít nastavení instalace"), projectFileName_));
    if (name.isEmpty()) {
        refreshSaveAvailability();
        return;
    }
    loadProjectFile(name);
}

void MainWindow::loadProjectFile(const QString& name) {
    // A file that is not a project throws here and leaves the open one as it was.
    ChangeLog log;
    LoadProject(name.toStdString(), project_, &log);
    projectFileName_ = name;
    ++projectGeneration_;
    showChanges(log);
    refreshSaveAvailability();
    modified_ = false;
}

void MainWindow::openProjectFile(const QString& fileName) {
    if (saveChangesFirst()) {
        runGuarded(this,
                   [this, &fileName] { loadProjectFile(QFileInfo(fileName).absoluteFilePath()); });
    }
}

void MainWindow::newProject() {
    if (saveChangesFirst()) {
        // New from the menu leaves the project modified when it changed it.
        runGuarded(this, [this] { markModifiedBy(resetProject()); });
    }
}

void MainWindow::openProject() {
    if (saveChangesFirst()) {
        runGuarded(this, [this] { loadChosenProject(); });
    }
}

void MainWindow::save() {
    runGuarded(this, [this] { saveToProjectFile(); });
}

void MainWindow::saveAs() {
    runGuarded(this, [this] { saveToChosenFile(); });
}

void MainWindow::buildInstaller() {
    if (buildRunning_) {
        return;
    }
    runGuarded(this, [this] { runBuild(); });
    if (closeAfterBuild_) {
        // Stopped on the way out: the close goes on, the question whether to
        // save the project included.
        closeAfterBuild_ = false;
        close();
    }
}

void MainWindow::setBuildRunning(bool running) {
    buildRunning_ = running;
    buildButton_->setEnabled(!running);
    commands_.build->setEnabled(!running);
    commands_.outputFolder->setEnabled(!running);
}

void MainWindow::runBuild() {
    if (sourceFolderReady_) {
        // The folder existed at start-up: if it is gone now, somebody removed
        // it, and making it again would build an installer of nothing.
        if (!QFileInfo(sourceFolder_).isDir()) {
            throw Error(Error::Kind::InputOutput,
                        "Adresář " + sourceFolder_.toStdString() + " neexistuje.");
        }
    } else {
        // A folder that the start-up could not make is tried again here
        // rather than used as if it existed; made now, it is shown at once.
        EnsureSourceFolder(sourceFolder_.toStdString());
        showSourceFolder(viewStyle_);
    }

    // The build works on a copy, so a person's edits land in the project
    // while the compiler runs.
    ProjectSettings project = project_;
    ChangeLog log;
    const unsigned generation = projectGeneration_;
    // The build's fill-ins (icon files, the version name, the font) go into
    // the project as soon as the build makes them, before it asks anything,
    // and each only once: an edit the user makes while the compiler runs is
    // not overwritten afterwards. Nothing is stored once New or Open replaced
    // the project the build works on.
    std::size_t shown = 0;
    auto showFillIns = [&] {
        if (generation != projectGeneration_) {
            return;
        }
        ChangeLog changes;
        for (; shown < log.size(); ++shown) {
            setField(project_, log[shown], getField(project, log[shown]), &changes);
        }
        showChanges(changes);
        markModifiedBy(changes);
    };
    GuiPrompts prompts(this, [this](FieldId field) { focusField(field); });
    prompts.setBeforeEachBox(showFillIns);
    if (!console_) {
        console_ = new CompilerConsole(this);
        connect(console_, &CompilerConsole::stopRequested, this, [this] {
            if (runningDriver_) {
                runningDriver_->stop();
            }
        });
    }
    if (warmCompiler_) {
        warmCompiler_->beforeBuild();
    }
    console_->beginBuild();
    BuildDriver driver(prompts, console_);
    BuildEnvironment environment;
    environment.sourceFolder = sourceFolder_.toStdString();
    environment.programFolder = programFolder_.toStdString();
    environment.compilerPath = layout_.compilerAdapter;
    environment.pumpEvents = [] { QCoreApplication::processEvents(); };
    environment.publishing = ResolvePublishing({}, ReadPublishingSettings(layout_.settings));
    environment.innoSetup = compilerOfBuilds();
    auto finish = [&] {
        setBuildRunning(false);
        showFillIns();
        if (warmCompiler_) {
            warmCompiler_->beforeBuild(); // a prefix this build made is kept warm from now on
        }
    };
    setBuildRunning(true);
    runningDriver_ = &driver;
    struct DriverGone {
        BuildDriver*& driver;
        ~DriverGone() { driver = nullptr; }
    } driverGone{runningDriver_};
    try {
        driver.buildInstaller(project, environment, &log);
    } catch (const BuildStoppedError&) {
        finish(); // the console says so; the user asked for it
        return;
    } catch (const BrokenWinePrefixError& e) {
        finish();
        if (offerNewWinePrefix(e)) {
            runBuild();
        }
        return;
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

bool MainWindow::offerNewWinePrefix(const BrokenWinePrefixError& failure) {
    const auto answer = MessageBoxes::question(
        this, QStringLiteral("Prostředí wine"),
        QString::fromStdString(failure.what()) +
            QStringLiteral("\n\nPřejmenovat prostředí %1 a vytvořit nové? Nic se nesmaže.")
                .arg(QString::fromStdString(failure.prefix())),
        QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        return false;
    }
    const std::string aside = SetWinePrefixAside(failure.prefix());
    if (warmCompiler_) {
        warmCompiler_->prefixSetAside();
    }
    if (console_) {
        console_->notice(
            QStringLiteral("Prostředí wine %1 bylo přejmenováno na %2.")
                .arg(QString::fromStdString(failure.prefix()), QString::fromStdString(aside))
                .toStdString());
    }
    return true;
}

// ---------------------------------------------------------------------------
// The chooser buttons

void MainWindow::connectChooserButtons() {
    for (const ChooserButton& button : kChooserButtons) {
        connect(findChild<QPushButton*>(fromUtf8(button.objectName)), &QPushButton::clicked, this,
                [this, &button] { openChooser(button); });
    }
}

void MainWindow::openChooser(const ChooserButton& button) {
    if (!runFileChooser_ || !iconChooser_) {
        return;
    }
    // The choice is the person's edit of the button's fields.
    if (button.iconIndex) {
        if (iconChooser_->exec() == QDialog::Accepted) {
            const ChosenIcon& icon = iconChooser_->chosenIcon();
            storeEdit(button.file, icon.file.toStdString());
            storeEdit(*button.iconIndex, std::to_string(icon.index));
        }
    } else if (runFileChooser_->choose(fromUtf8(button.mask), fromUtf8(button.caption)) ==
               QDialog::Accepted) {
        storeEdit(button.file, runFileChooser_->chosenName().toStdString());
    }
}

void MainWindow::chooseSigning() {
    if (signingDialog_) {
        signingDialog_->exec();
    }
}

void MainWindow::setReproducible(bool reproducible) {
    const bool stored = runGuarded(this, [this, reproducible] {
        PublishingSettings settings = ReadPublishingSettings(layout_.settings);
        settings.reproducible = reproducible;
        WritePublishingSettings(layout_.settings, settings);
    });
    if (!stored) {
        commands_.reproducible->setChecked(!reproducible); // the file still says so
    }
}

void MainWindow::setInnoSetup6(bool innoSetup6) {
    runGuarded(this, [this, innoSetup6] { WriteInnoSetup6Setting(layout_.settings, innoSetup6); });
    // The menu shows what the file holds, also when it could not be written.
    runGuarded(this, [this] { showCompilerChoice(); });
}

InnoSetup MainWindow::compilerOfBuilds() const {
    return ResolveInnoSetup({}, ReadInnoSetup6Setting(layout_.settings));
}

void MainWindow::showCompilerChoice() {
    const bool setting = ReadInnoSetup6Setting(layout_.settings);
    (setting ? commands_.innoSetup6 : commands_.innoSetup5)->setChecked(true);
    bool six = setting;
    try {
        six = compilerOfBuilds() == InnoSetup::Six;
    } catch (const Error&) {
        // A wrong TORNAVEL_INNO_SETUP: the build names it; the hints follow the menu.
    }
    other_.innoSetup6Hint->setVisible(six);
    disks_.innoSetup6Hint->setVisible(six);
}

void MainWindow::showHelp() {
    MessageBoxes::plain(this, QString::fromUtf8(kHelpText));
}

} // namespace tornavel::ui
