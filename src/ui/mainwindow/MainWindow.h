#pragma once

#include "platform/Paths.h"
#include "platform/ProgramLayout.h"
#include "project/ProjectSettings.h"
#include "ui/MessageBoxes.h"
#include "wine/AdapterProtocol.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;

namespace tornavel {
class BrokenWinePrefixError;
class BuildDriver;
class WarmCompiler;
} // namespace tornavel

namespace tornavel::ui {

class AboutBox;
class CompilerConsole;
class IconChooser;
class OutputFolderDialog;
class RadioGroup;
class RunFileChooser;
class ShellBrowser;
class SigningDialog;
struct ChooserButton;

// The main window: every value of the project in a control of its own, over
// seven pages (the original six and "Vydání"), with the menus, the toolbar, the two large buttons
// and the status line. The window edits one ProjectSettings, the project: each control reports only
// a person's edit of it, which goes into the project through the core's setField; everything else
// that changes the project (New, Open, the build's fill-ins, a chooser's result) changes the record
// and then shows the fields the core logged in their controls, with the controls' signals blocked.
// The controls never hold anything the project does not.
//
// The window makes its dialogs after its own start-up, in the program's order
// (output folder, run-file chooser, icon chooser, About box), and tells them
// SourceFolder whenever it settles it. Every control keeps its original object
// name (the field table and the tests find controls by it); the members are
// named for what they hold.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const std::string& programFolder = CurrentProgramFolder(),
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- The project and the controls -----------------------------------
    // The project the window edits, the one record of it.
    const ProjectSettings& project() const { return project_; }
    // The project as the controls show it, read back from them: project()
    // whenever the controls are in step, which is what it lets a check see.
    ProjectSettings projectFromControls() const;
    // The control that shows a field; nullptr for Font, which has none.
    QWidget* fieldControl(FieldId field) const;
    // Switches the notebooks to the field's page and focuses its control.
    void focusField(FieldId field);

    // ---- State -------------------------------------------------------------
    const QString& programFolder() const { return programFolder_; } // native, trailing separator
    const QString& sourceFolder() const { return sourceFolder_; }   // native, trailing separator
    const QString& projectFileName() const { return projectFileName_; } // empty after New
    const QString& helpFile() const { return helpFile_; } // "Tornavel.hlp" (ProgramLayout)
    bool isModified() const { return modified_; }
    // Whether SourceFolder exists as the last start-up step found it.
    bool sourceFolderExists() const { return sourceFolderReady_; }
    bool buildRunning() const { return buildRunning_; }

    // ---- The parts other windows and the tests reach ------------------------
    ShellBrowser* browser() const { return files_.browser; }
    // The window "Kompilace", made by the first build.
    CompilerConsole* compilerConsole() const { return console_; }

    // Keeps the compiler warm while the window lives (WarmCompiler): the
    // program's start calls it; without it every build starts wine anew.
    // While wine's prefix is made in the background the status line says
    // so, and then whether it is ready or why it failed; what the
    // preparation writes goes to the program's standard error as UTF-8.
    void warmUpCompiler();
    OutputFolderDialog* outputFolderDialog() const { return outputFolderDialog_; }
    SigningDialog* signingDialog() const { return signingDialog_; }
    RunFileChooser* runFileChooser() const { return runFileChooser_; }
    IconChooser* iconChooser() const { return iconChooser_; }
    AboutBox* aboutBox() const { return aboutBox_; }

public Q_SLOTS:
    // The commands of the menus, the toolbar and the two large buttons.
    void newProject();
    void openProject();
    void save();
    void saveAs();
    void buildInstaller();
    // "Výstupní adresář": the folder the dialog returns becomes SourceFolder.
    void chooseSourceFolder();
    // Opens the project file as Open does after its dialog (the project named
    // on the command line): the close question first, then the project over
    // the controls. A file that is no project (missing, unreadable...) gives
    // the standard error box and leaves the project as it was.
    void openProjectFile(const QString& fileName);
    // "Podepisování…" and "Reprodukovatelné instalace", kept in the settings file.
    void chooseSigning();
    void setReproducible(bool reproducible);
    // The menu's choice of compiler, kept in "Tornavel.ini".
    void setInnoSetup6(bool innoSetup6);
    void showHelp();

    // The program's working folder from now on: stores it in the settings,
    // makes it when it is missing, points the file browser and both choosers at
    // it and resets the project, as the start-up does.
    void setSourceFolder(const QString& folder);

    // Before the project is closed or replaced: a modified project asks
    // whether to save it first. True when the caller may go on (nothing to
    // save, No, or a save that succeeded); false on Cancel and when the save
    // failed or its dialog was cancelled.
    bool saveChangesFirst();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    // ---- Layout (MainWindowLayout.cpp) ----------------------------------
    void buildLayout();
    void buildMenus();
    void buildCompilerMenu(QMenu* settings);
    void buildToolBar();
    QWidget* buildBasicPage();
    QWidget* buildFilesPage();
    QWidget* buildIconsPage();
    QWidget* buildIconPage(int icon);
    QWidget* buildDisksPage();
    QWidget* buildIniPage();
    QWidget* buildOtherPage();
    QWidget* buildPublishingPage();
    void setTabOrders();
    void createDialogs();

    // ---- Behaviour -------------------------------------------------------
    // Looks up the control of each field by the object name the field table gives.
    void findFieldControls();
    // The value of a field as its control shows it (a field without a
    // control: as the project holds it).
    FieldValue shownValue(FieldId field) const;
    // Shows the project's value of one field in its control, with the
    // control's signals blocked.
    void showField(FieldId field);
    // Shows the fields the core logged (those whose controls do not show
    // them yet), then applies the enabling rules.
    void showChanges(const ChangeLog& log);
    // The program changed the project: Modified is set when a logged field's
    // control reports the program's changes (edit boxes, check boxes, radio
    // groups; not the drop-down lists, the preview or Font).
    void markModifiedBy(const ChangeLog& log);
    // The form's design values, shown once before the start-up's New.
    void showDesignValues();
    // Connects each field's control to storeEdit for a person's edits.
    void connectUserEdits();
    // A person's change of a field, typed into its control or chosen in a
    // chooser: stored through the core's rules (the two minimum-version groups
    // are never both "zakázat"), what else it changed shown, Modified set when
    // the project changed.
    void storeEdit(FieldId field, const FieldValue& value);
    void connectChooserButtons();
    void openChooser(const ChooserButton& button);

    // The disk sizes follow "Rozdělit…", the background controls "Pozadí
    // instalace", as the project holds them.
    void applyEnablingRules();
    // The preview takes the colour of the background the person picked.
    void previewPickedBackground(ChangeLog& log);
    void setPreviewColor(std::uint32_t colour);
    // Save is available exactly while the project has a file name.
    void refreshSaveAvailability();

    // Start-up step: program settings, SourceFolder, New, Modified cleared.
    void startUp();
    // Makes folder SourceFolder (when it can) and points everything at it.
    void settleSourceFolder(const QString& folder, const QString& viewStyle);
    // SourceFolder exists: the browser, the choosers and "Cesta" show it.
    void showSourceFolder(const QString& viewStyle);
    // Close step: writes the program settings.
    void storeProgramSettings();
    // Shows SourceFolder in the file browser again (activation, a notebook
    // click, New); while the start-up step could not make the folder, only
    // once it exists.
    void refreshBrowser();
    // Runs one step of the file browser, showing its failure in the standard
    // error box unless it repeats the failure shown last.
    void runBrowserStep(const std::function<void()>& step);

    // The unguarded operations; the slots run them inside the action guard.
    // New: the project's defaults and no file name; returns what it changed.
    ChangeLog resetProject();
    void saveToProjectFile();
    bool saveToChosenFile(); // false when the user cancelled the dialog
    void loadChosenProject();
    void loadProjectFile(const QString& name);
    // The background preparation of wine's prefix, polled from a timer.
    void followPreparation();
    // The status line's text when no control's hint stands there.
    void setStatusNote(const QString& note);
    // Asks whether to set the prefix wine cannot start aside; true when it was.
    bool offerNewWinePrefix(const BrokenWinePrefixError& failure);
    void runBuild();
    void setBuildRunning(bool running);
    // Closing while the compiler runs: offers to stop it (as "Zastavit" does)
    // and close once the build has ended, or to wait.
    void offerToStopAndClose();
    // The menu's choice from "Tornavel.ini", and the hints of the fields
    // whose meaning the compiler of the builds changes.
    void showCompilerChoice();
    // The compiler the window's builds run: TORNAVEL_INNO_SETUP, else the
    // menu's choice (ResolveInnoSetup; throws Error for a wrong variable).
    InnoSetup compilerOfBuilds() const;
    // The Save As and Open dialogs' options.
    MessageBoxes::FileDialogOptions projectFileDialog(const QString& title,
                                                      const QString& fileName) const;

    // ---- Controls, page by page -------------------------------------------
    struct Commands {
        QAction* newProject;
        QAction* openProject;
        QAction* save;
        QAction* saveAs;
        QAction* build;
        QAction* exit;
        QAction* outputFolder;
        QAction* signing;
        QAction* reproducible;
        QAction* innoSetup5;
        QAction* innoSetup6;
        QAction* about;
        QAction* help;
    };
    struct BasicPage {
        QLineEdit* appName;
        QLineEdit* appVerName;
        QLineEdit* defaultDirName;
        QLineEdit* defaultGroupName;
        QLineEdit* password;
        QLineEdit* appCopyright;
        QCheckBox* installToProgramFiles;
        QCheckBox* disableDirPage;
        QCheckBox* showLanguageDialog;
    };
    struct FilesPage {
        QLabel* sourceFolderPath; // "Cesta"
        ShellBrowser* browser;
    };
    struct IconControls {
        QLineEdit* name;
        QComboBox* hotKey;
        QLineEdit* fileName;
        QPushButton* fileButton;
        QLineEdit* parameters;
        QLineEdit* iconFile;
        QPushButton* iconButton;
        QLineEdit* iconIndex;
        QCheckBox* onDesktop;
        QCheckBox* inStartup;
    };
    struct IconsPage {
        QCheckBox* disableProgramGroupPage;
        QCheckBox* allowNoIcons;
        QTabWidget* iconPages;
        std::array<IconControls, kIconCount> icons;
    };
    struct DisksPage {
        QCheckBox* diskSpanning;
        QLineEdit* diskSize;
        QLineEdit* reserveBytes;
        QLabel* innoSetup6Hint; // what the disk size means under Inno Setup 6
    };
    struct IniPage {
        QLineEdit* fileName;
        RadioGroup* location;
        QLineEdit* section;
        QCheckBox* deleteOnUninstall;
        QLineEdit* key1;
        QLineEdit* value1;
        QLineEdit* key2;
        QLineEdit* value2;
    };
    struct OtherPage {
        RadioGroup* win;
        RadioGroup* winNT;
        QLabel* innoSetup6Hint; // what the minimum versions mean under Inno Setup 6
        QCheckBox* alwaysRestart;
        QCheckBox* uninstallable;
        QFrame* preview;
        QComboBox* backgroundColor;
        QCheckBox* windowVisible;
        QCheckBox* backSolid;
        QCheckBox* backColorDirection;
        QLineEdit* licenceFile;
        QPushButton* licenceButton;
        QLineEdit* infoBeforeFile;
        QPushButton* infoBeforeButton;
        QLineEdit* infoAfterFile;
        QPushButton* infoAfterButton;
    };

    struct PublishingPage {
        QLineEdit* appVersion;
        QLineEdit* appPublisher;
        QLineEdit* appPublisherUrl;
        QLineEdit* setupIconFile;
        QPushButton* setupIconButton;
        QLineEdit* outputBaseFilename;
        QComboBox* runAfterInstall;
        QCheckBox* desktopIconOptional;
        QCheckBox* install64Bit;
        QCheckBox* perUserInstall;
        QCheckBox* uninstallDisplayIcon;
    };

    Commands commands_{};
    QTabWidget* pages_ = nullptr;
    QPushButton* buildButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QLabel* statusLine_ = nullptr;
    BasicPage basic_{};
    FilesPage files_{};
    IconsPage icons_{};
    DisksPage disks_{};
    IniPage ini_{};
    OtherPage other_{};
    PublishingPage publishing_{};

    OutputFolderDialog* outputFolderDialog_ = nullptr;
    SigningDialog* signingDialog_ = nullptr;
    RunFileChooser* runFileChooser_ = nullptr;
    IconChooser* iconChooser_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
    CompilerConsole* console_ = nullptr;

    // ---- State -------------------------------------------------------------
    QString programFolder_;
    // Where the settings, the archive, the help file and the compiler are.
    ProgramLayout layout_;
    QString sourceFolder_;
    QString projectFileName_;
    QString helpFile_;
    // The file browser's view style ("vsIcon", "vsSmallIcon", "vsList",
    // "vsReport") as the last start-up step applied it or the close step stored it.
    QString viewStyle_ = QStringLiteral("vsSmallIcon");
    // The project: every field as the window shows it (Font without a control).
    ProjectSettings project_ = ProjectSettings::formDefaults();
    bool modified_ = false;
    // The control of each field, by FieldId; nullptr for a field without one.
    std::array<QWidget*, kFieldCount> fieldControls_{};
    QString lastSaveAsName_;
    // The text of the browser's last failure, empty after a success.
    QString browserFailure_;
    bool sourceFolderReady_ = false;
    bool buildRunning_ = false;
    bool shownOnce_ = false;
    std::unique_ptr<WarmCompiler> warmCompiler_;
    QTimer* preparationWatch_ = nullptr;
    // What the status line shows while no hint stands there (wine's prefix
    // being made); empty for nothing.
    QString statusNote_;
    BuildDriver* runningDriver_ = nullptr; // during a build, for the stop button
    bool closeAfterBuild_ = false;         // the person chose to stop the build and close
    // Counts New, Open and start-up, so a build does not write its results
    // into a project that replaced the one it built.
    unsigned projectGeneration_ = 0;
};

} // namespace tornavel::ui
