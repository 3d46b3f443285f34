#include "ui/mainwindow/Unit1.h"

#include "installer/BuildDriver.h"
#include "platform/Errors.h"
#include "project/ProjectFile.h"
#include "ui/MessageBoxes.h"
#include "ui/browser/ShellBrowser.h"
#include "ui/console/CompilerConsole.h"
#include "ui/controls/RadioGroup.h"
#include "ui/mainwindow/ChooserButtons.h"
#include "ui/mainwindow/Unit4.h"

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
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

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

// The background list's entries in the order the preview compares them.
const std::array<int, kBackgroundColorCount> kPreviewSearchOrder = {15, 0, 1, 2,  3,  4,  5,  6,
                                                                    7,  8, 9, 10, 11, 12, 13, 14};

} // namespace

TForm1::TForm1(const std::string& programFolder, QWidget* parent)
    : QMainWindow(parent), ProgramFolder(QString::fromStdString(programFolder)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tornavel"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    buildLayout();
    findFieldControls();
    TabbedNotebook1->setCurrentIndex(0);
    TabbedNotebook2->setCurrentIndex(0);
    showDesignValues();
    connectChangeNotifications();
    connectChooserButtons();
    connect(this, &TForm1::filesPageRefreshRequested, this, &TForm1::refreshBrowser);
    connect(this, &TForm1::filesPageReset, this, &TForm1::refreshBrowser);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
}

TForm1::~TForm1() = default;

// ---------------------------------------------------------------------------
// The project and the controls

QWidget* TForm1::fieldControl(FieldId field) const {
    return fieldControls_.at(static_cast<std::size_t>(field));
}

void TForm1::findFieldControls() {
    for (const FieldInfo& info : projectFields()) {
        if (!info.control.empty()) {
            fieldControls_.at(static_cast<std::size_t>(info.id)) =
                findChild<QWidget*>(QString::fromUtf8(info.control.data(),
                                                      static_cast<qsizetype>(info.control.size())));
        }
    }
}

FieldValue TForm1::shownValue(FieldId field) const {
    const QWidget* control = fieldControl(field);
    if (control == Panel1) {
        return static_cast<long long>(previewColor_);
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text().toStdString();
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(control)) {
        return check->isChecked();
    }
    if (const auto* group = qobject_cast<const TRadioGroup*>(control)) {
        return static_cast<long long>(group->itemIndex());
    }
    if (const auto* list = qobject_cast<const QComboBox*>(control)) {
        return static_cast<long long>(list->currentIndex());
    }
    return getField(uncontrolledFields_, field);
}

ProjectSettings TForm1::projectFromControls() const {
    // Read field by field without the core's rules: the record is a copy of
    // what the controls show, nothing more.
    ProjectSettings s;
    for (const FieldInfo& info : projectFields()) {
        assignField(s, info.id, shownValue(info.id));
    }
    return s;
}

void TForm1::showField(const ProjectSettings& project, FieldId field) {
    const FieldValue value = getField(project, field);
    QWidget* control = fieldControl(field);
    if (control == Panel1) {
        setPreviewColor(static_cast<std::uint32_t>(std::get<long long>(value)));
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(QString::fromStdString(std::get<std::string>(value)));
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
        check->setChecked(std::get<bool>(value));
    } else if (auto* group = qobject_cast<TRadioGroup*>(control)) {
        group->setItemIndex(static_cast<int>(std::get<long long>(value)));
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        // A position outside the list leaves nothing selected. Setting the
        // position is not a pick, so the list reports nothing.
        const long long index = std::get<long long>(value);
        list->setCurrentIndex(index >= 0 && index < list->count() ? static_cast<int>(index) : -1);
    } else {
        assignField(uncontrolledFields_, field, value);
    }
}

void TForm1::showChangedFields(const ProjectSettings& project, const ChangeLog& log) {
    for (FieldId field : log) {
        showField(project, field);
    }
}

void TForm1::setPreviewColor(std::uint32_t colour) {
    previewColor_ = colour;
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    Panel1->setPalette(palette);
}

void TForm1::focusField(FieldId field) {
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

void TForm1::showDesignValues() {
    const ProjectSettings design = ProjectSettings::formDefaults();
    for (int i = 0; i < kFieldCount; ++i) {
        showField(design, static_cast<FieldId>(i));
    }
    // The enabling follows the check boxes from the start (nothing is
    // connected yet, so the rules are applied here once).
    applyEnablingRules();
}

void TForm1::applyEnablingRules() {
    Edit53->setEnabled(CheckBox8->isChecked());
    Edit54->setEnabled(CheckBox8->isChecked());
    const bool background = CheckBox10->isChecked();
    CheckBox6->setEnabled(background);
    CheckBox13->setEnabled(background);
    Pozadi->setEnabled(background);
    Edit5->setEnabled(background);
}

void TForm1::connectChangeNotifications() {
    for (int i = 0; i < kFieldCount; ++i) {
        QWidget* control = fieldControl(static_cast<FieldId>(i));
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            connect(edit, &QLineEdit::textChanged, this, &TForm1::Edit1Change);
        } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
            if (check == CheckBox8) {
                connect(check, &QCheckBox::toggled, this, &TForm1::CheckBox8Click);
            } else if (check == CheckBox10) {
                connect(check, &QCheckBox::toggled, this, &TForm1::CheckBox10Click);
            } else {
                connect(check, &QCheckBox::toggled, this, &TForm1::Edit1Change);
            }
        } else if (auto* group = qobject_cast<TRadioGroup*>(control)) {
            if (group == RadioGroup1) {
                connect(group, &TRadioGroup::clicked, this, &TForm1::RadioGroup1Click);
            } else if (group == RadioGroup2) {
                connect(group, &TRadioGroup::clicked, this, &TForm1::RadioGroup2Click);
            } else {
                connect(group, &TRadioGroup::clicked, this, &TForm1::Edit1Change);
            }
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            // Lists report only the user's picks.
            if (list == Pozadi) {
                connect(list, &QComboBox::activated, this, &TForm1::PozadiChange);
            } else {
                connect(list, &QComboBox::activated, this, &TForm1::Edit1Change);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Change handlers

void TForm1::Edit1Change() {
    Modified = true;
}

// Each rule follows the check state of its own box only, so applying both
// after either box changes is the same as applying the one.
void TForm1::CheckBox8Click() {
    applyEnablingRules();
    Modified = true;
}

void TForm1::CheckBox10Click() {
    applyEnablingRules();
    Modified = true;
}

void TForm1::applyVersionChoice(FieldId field, TRadioGroup* group) {
    // The rule lives in the core: replay the move on a record and show what
    // else it changed. The correction moves the other group, whose own
    // handler then finds no conflict.
    ProjectSettings project = projectFromControls();
    (field == FieldId::Win ? project.Win : project.WinNT) = group->previousItemIndex();
    ChangeLog log;
    setInt(project, field, group->itemIndex(), &log);
    showChangedFields(project, log);
}

void TForm1::RadioGroup1Click() {
    applyVersionChoice(FieldId::Win, RadioGroup1);
    Modified = true;
}

void TForm1::RadioGroup2Click() {
    applyVersionChoice(FieldId::WinNT, RadioGroup2);
    Modified = true;
}

void TForm1::PozadiChange(int index) {
    const QString picked = Pozadi->itemText(index);
    for (int position : kPreviewSearchOrder) {
        const BackgroundColorEntry& entry = BackgroundColors[static_cast<std::size_t>(position)];
        if (picked ==
            QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size()))) {
            setPreviewColor(entry.previewColor);
            break;
        }
    }
    Modified = true;
}

void TForm1::RefreshSaveAvailability() {
    const bool available = !ProjectFileName.isEmpty();
    Uloz->setEnabled(available);
    SpeedButton3->setEnabled(available);
}

// ---------------------------------------------------------------------------
// Start-up and close

void TForm1::FormCreate() {
    runGuarded(this, [this] { runStartUp(); });
}

void TForm1::runStartUp() {
    const ProgramSettings settings = ReadProgramSettings(ProgramFolder.toStdString());
    SourceFolder = QString::fromStdString(settings.SourceFolder);
    // Only a known name, in its exact letter case, changes the browser's
    // view; anything else leaves the view, and so the name written at close,
    // as it is.
    const QString view = QString::fromStdString(settings.ViewStyle);
    Browser->setViewStyleByName(view);
    typView = Browser->viewStyleName();
    // A folder that cannot be made ends the start-up here: nothing goes on to
    // show or use it, and a build tries to make it again first.
    sourceFolderReady_ = false;
    EnsureSourceFolder(settings.SourceFolder);
    sourceFolderReady_ = true;
    // A folder that exists but cannot be listed is reported, and the start-up
    // goes on: the path label, the choosers and the project follow the new
    // SourceFolder even though the browser cannot show it.
    browserFailure_.clear();
    runBrowserStep([this, &view] { Browser->SetUp(view, SourceFolder); });
    emit sourceFolderReady(SourceFolder);
    Cesta->setText(SourceFolder);
    HelpFile = ProgramFolder + QStringLiteral("Tornavel.hlp");
    newProject();
    Modified = false;
}

bool TForm1::FormCloseQuery() {
    // A save that failed or was cancelled keeps the window, so the changes
    // are not lost behind an error box or a closed dialog.
    return saveChangesFirst();
}

bool TForm1::saveChangesFirst() {
    if (!Modified) {
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
        if (Uloz->isEnabled()) {
            saveToProjectFile();
            saved = true;
        } else {
            saved = saveAs();
        }
    });
    return saved;
}

void TForm1::FormClose() {
    Browser->ClearItems();
    typView = Browser->viewStyleName();
    // A failed write is reported; the window closes all the same, or a folder
    // without write permission would keep the program from ever ending.
    runGuarded(this, [this] {
        WriteProgramSettings(ProgramFolder.toStdString(),
                             ProgramSettings{SourceFolder.toStdString(), typView.toStdString()});
    });
}

// No refresh on paint: Qt repaints the window for every hover, tooltip and
// scroll, and a re-read there would take the user out of any sub-folder at
// once and re-list the folder many times a second.
void TForm1::refreshBrowser() {
    if (!sourceFolderReady_) {
        return;
    }
    runBrowserStep([this] { Browser->NavigateToPath(SourceFolder); });
}

void TForm1::runBrowserStep(const std::function<void()>& step) {
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

void TForm1::closeEvent(QCloseEvent* event) {
    // The compiler is still running in SourceFolder: the window stays until
    // it ends, so the build can report and offer its test run.
    if (buildRunning_) {
        event->ignore();
        beep();
        MessageBoxes::plain(this,
                            QStringLiteral("Počkejte prosím, až skončí vytváření instalace."));
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (const QScreen* s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
        RefreshSaveAvailability();
    }
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        emit filesPageRefreshRequested();
    }
}

bool TForm1::event(QEvent* event) {
    // The status line shows the long hint of the control under the mouse.
    if (event->type() == QEvent::StatusTip) {
        Panel2->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ---------------------------------------------------------------------------
// Commands

QString TForm1::archiveFolder() const {
    const QString folder = ProgramFolder + QStringLiteral("Archiv");
    return QDir(folder).exists() ? folder : QString();
}

void TForm1::newProject() {
    ++projectGeneration_;
    if (sourceFolderReady_) {
        emit filesPageReset(SourceFolder);
    }
    ProjectFileName.clear();
    ProjectSettings project = projectFromControls();
    ChangeLog log;
    NewProject(project, &log);
    showChangedFields(project, log);
    RefreshSaveAvailability();
}

void TForm1::saveToProjectFile() {
    SaveProject(projectFromControls(), ProjectFileName.toStdString(), SaveOrder::Save);
    Modified = false;
}

bool TForm1::saveAs() {
    MessageBoxes::FileDialogOptions options;
    options.title = QStringLiteral("Uloži Instalaci jako");
    options.filter = kProjectFilter;
    options.defaultSuffix = QStringLiteral("ipr");
    options.initialFolder = archiveFolder();
    options.initialFileName = lastSaveAsName_;
    const QString name = MessageBoxes::saveFileName(this, options);
    if (name.isEmpty()) {
        return false;
    }
    lastSaveAsName_ = name;
    SaveProject(projectFromControls(), name.toStdString(), SaveOrder::SaveAs);
    ProjectFileName = name;
    RefreshSaveAvailability();
    Modified = false;
    return true;
}

void TForm1::openProject() {
    MessageBoxes::FileDialogOptions options;
    options.title = QStringLiteral("Otevřít nastavení instalace");
    options.filter = kProjectFilter;
    options.defaultSuffix = QStringLiteral("ipr");
    options.initialFolder = archiveFolder();
    options.initialFileName = ProjectFileName;
    const QString name = MessageBoxes::openFileName(this, options);
    if (name.isEmpty()) {
        RefreshSaveAvailability();
        return;
    }
    ProjectFileName = name;
    ++projectGeneration_;
    ProjectSettings project = projectFromControls();
    ChangeLog log;
    LoadProject(name.toStdString(), project, &log);
    showChangedFields(project, log);
    RefreshSaveAvailability();
    Modified = false;
}

void TForm1::NovaClick() {
    if (saveChangesFirst()) {
        runGuarded(this, [this] { newProject(); });
    }
}

void TForm1::OtevriClick() {
    if (saveChangesFirst()) {
        runGuarded(this, [this] { openProject(); });
    }
}

void TForm1::UlozClick() {
    runGuarded(this, [this] { saveToProjectFile(); });
}

void TForm1::UlozjakoClick() {
    runGuarded(this, [this] { saveAs(); });
}

void TForm1::KonecClick() {
    close();
}

void TForm1::BitBtn2Click() {
    close();
}

void TForm1::Vytvoitinstalaci1Click() {
    BitBtn1Click();
}

void TForm1::BitBtn1Click() {
    if (buildRunning_) {
        return;
    }
    runGuarded(this, [this] { runBuild(); });
}

void TForm1::setBuildRunning(bool running) {
    buildRunning_ = running;
    BitBtn1->setEnabled(!running);
    Vytvoitinstalaci1->setEnabled(!running);
    Vystupnadres1->setEnabled(!running);
}

void TForm1::runBuild() {
    if (sourceFolderReady_) {
        // The folder existed at start-up: if it is gone now, somebody removed
        // it, and making it again would build an installer of nothing.
        if (!QFileInfo(SourceFolder).isDir()) {
            throw Error(Error::Kind::InputOutput,
                        "Adresář " + SourceFolder.toStdString() + " neexistuje.");
        }
    } else {
        // A folder that the start-up could not make is tried again here
        // rather than used as if it existed.
        EnsureSourceFolder(SourceFolder.toStdString());
    }

    ProjectSettings project = projectFromControls();
    ChangeLog log;
    const unsigned generation = projectGeneration_;
    // The build's fill-ins (icon files, the version name) appear in their
    // boxes as soon as the build makes them, before it asks anything, and
    // each only once: an edit the user makes while the compiler runs is not
    // overwritten afterwards. Nothing is shown once New or Open replaced the
    // project the build works on.
    std::size_t shown = 0;
    auto showFillIns = [&] {
        if (generation != projectGeneration_) {
            return;
        }
        for (; shown < log.size(); ++shown) {
            showField(project, log[shown]);
        }
    };
    GuiPrompts prompts(this, [this](FieldId field) { focusField(field); });
    prompts.setBeforeEachBox(showFillIns);
    if (!Console) {
        Console = new TCompilerConsole(this);
    }
    Console->beginBuild();
    BuildDriver driver(prompts, Console);
    BuildEnvironment environment;
    environment.SourceFolder = SourceFolder.toStdString();
    environment.ProgramFolder = ProgramFolder.toStdString();
    environment.pumpEvents = [] { QCoreApplication::processEvents(); };
    auto finish = [&] {
        setBuildRunning(false);
        showFillIns();
    };
    setBuildRunning(true);
    try {
        driver.BuildInstaller(project, environment, &log);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TForm1::Vystupnadres1Click() {
    if (!Form4 || buildRunning_) {
        return;
    }
    // The dialog's Yes empties the browser's path list as it stores the folder.
    connect(Form4, &TForm4::sourceFolderChosen, Browser, &ShellBrowser::clearPathList,
            Qt::UniqueConnection);
    if (Form4->exec() == QDialog::Accepted) {
        FormCreate();
    }
}

// ---------------------------------------------------------------------------
// The chooser buttons

void TForm1::connectChooserButtons() {
    const std::pair<QPushButton*, void (TForm1::*)()> buttons[] = {
        {Button2, &TForm1::Button2Click},   {Button3, &TForm1::Button3Click},
        {Button4, &TForm1::Button4Click},   {Button5, &TForm1::Button5Click},
        {Button6, &TForm1::Button6Click},   {Button7, &TForm1::Button7Click},
        {Button8, &TForm1::Button8Click},   {Button9, &TForm1::Button9Click},
        {Button10, &TForm1::Button10Click}, {Button11, &TForm1::Button11Click},
        {Button12, &TForm1::Button12Click}, {Button13, &TForm1::Button13Click},
        {Button14, &TForm1::Button14Click}};
    for (const auto& [button, handler] : buttons) {
        connect(button, &QPushButton::clicked, this, handler);
    }
}

void TForm1::openChooserOf(int button) {
    if (Form5 && Form6) {
        openChooser(button, *Form5, *Form6);
    }
}

void TForm1::Button2Click() {
    openChooserOf(2);
}
void TForm1::Button3Click() {
    openChooserOf(3);
}
void TForm1::Button4Click() {
    openChooserOf(4);
}
void TForm1::Button5Click() {
    openChooserOf(5);
}
void TForm1::Button6Click() {
    openChooserOf(6);
}
void TForm1::Button7Click() {
    openChooserOf(7);
}
void TForm1::Button8Click() {
    openChooserOf(8);
}
void TForm1::Button9Click() {
    openChooserOf(9);
}
void TForm1::Button10Click() {
    openChooserOf(10);
}
void TForm1::Button11Click() {
    openChooserOf(11);
}
void TForm1::Button12Click() {
    openChooserOf(12);
}
void TForm1::Button13Click() {
    openChooserOf(13);
}
void TForm1::Button14Click() {
    openChooserOf(14);
}

void TForm1::HelpClick() {
    MessageBoxes::plain(this, QString::fromUtf8(kHelpText));
}

// A toolbar button runs its menu item's command, and only while that item is enabled.
void TForm1::SpeedButton1Click() {
    if (Nova->isEnabled()) {
        Nova->trigger();
    }
}

void TForm1::SpeedButton2Click() {
    if (Otevri->isEnabled()) {
        Otevri->trigger();
    }
}

void TForm1::SpeedButton3Click() {
    if (Uloz->isEnabled()) {
        Uloz->trigger();
    }
}

void TForm1::SpeedButton5Click() {
    if (Konec->isEnabled()) {
        Konec->trigger();
    }
}

} // namespace tornavel::ui
