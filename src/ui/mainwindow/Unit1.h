#pragma once

#include "platform/Paths.h"
#include "project/ProgramSettings.h"
#include "project/ProjectSettings.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace tornavel::ui {

class ShellBrowser;
class TCompilerConsole;
class TForm4;
class TForm5;
class TForm6;
class TRadioGroup;

// The main window: every value of the project in a control of its own, over
// six pages, with the menus, the toolbar, the two large buttons and the status
// line. The controls are the live copy of the project; the core works on a
// ProjectSettings read from them, and the window writes back only the fields
// the core reports as changed, in order, so each control notifies exactly as a
// change of its value should.
//
// Controls are public under their numbered names (object names alike) because
// the dialogs and the tests reach the project through them.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(const std::string& programFolder = CurrentProgramFolder(),
                    QWidget* parent = nullptr);
    ~TForm1() override;

    // ---- Menus and toolbar ------------------------------------------------
    QMenuBar* MainMenu1;
    QMenu* Instalace1;
    QAction* Nova;
    QAction* Otevri;
    QAction* Uloz;
    QAction* Ulozjako;
    QAction* N1;
    QAction* Vytvoitinstalaci1;
    QAction* N2;
    QAction* Konec;
    QMenu* Nastaven1;
    QAction* Vystupnadres1;
    QMenu* Napoveda;
    QAction* Oautorech;
    QAction* HelpAction; // F1: the program's help text

    QToolBar* ToolBar1;
    QToolButton* SpeedButton7; // spacer
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton6; // spacer
    QToolButton* SpeedButton5;

    QTabWidget* TabbedNotebook1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QLabel* Panel2; // the status line

    // ---- Page "Základní nastavení" ----------------------------------------
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QLineEdit* Edit2;
    QLabel* Label3;
    QLineEdit* Edit3;
    QLabel* Label4;
    QLineEdit* Edit4;
    QLabel* Label6;
    QLineEdit* Edit9;
    QGroupBox* GroupBox2;
    QLineEdit* Edit5;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox7;
    QCheckBox* CheckBox12;

    // ---- Page "Soubory" ----------------------------------------------------
    QLabel* Label12;
    QLabel* Cesta;
    QWidget* browserArea;  // holds the file browser pane
    ShellBrowser* Browser; // ToolBar2 (btnBack, the view buttons, cbPath) and ListView

    // ---- Page "Ikony" ------------------------------------------------------
    QCheckBox* CheckBox9;
    QCheckBox* CheckBox2;
    QTabWidget* TabbedNotebook2;
    // Icon 1
    QLabel *Label10, *Label14, *Label15, *Label16, *Label17, *Label42;
    QLineEdit *Edit18, *Edit19, *Edit20, *Edit21, *Edit22;
    QComboBox* ComboBox1;
    QPushButton *Button2, *Button3;
    QCheckBox *CheckBox14, *CheckBox15;
    // Icon 2
    QLabel *Label18, *Label22, *Label30, *Label26, *Label34, *Label43;
    QLineEdit *Edit23, *Edit24, *Edit25, *Edit26, *Edit27;
    QComboBox* ComboBox2;
    QPushButton *Button4, *Button5;
    QCheckBox *CheckBox16, *CheckBox17;
    // Icon 3
    QLabel *Label19, *Label23, *Label31, *Label27, *Label35, *Label45;
    QLineEdit *Edit28, *Edit29, *Edit30, *Edit31, *Edit32;
    QComboBox* ComboBox3;
    QPushButton *Button6, *Button7;
    QCheckBox *CheckBox18, *CheckBox19;
    // Icon 4
    QLabel *Label20, *Label24, *Label32, *Label28, *Label36, *Label46;
    QLineEdit *Edit33, *Edit34, *Edit35, *Edit36, *Edit37;
    QComboBox* ComboBox4;
    QPushButton *Button8, *Button9;
    QCheckBox *CheckBox20, *CheckBox21;
    // Icon 5
    QLabel *Label21, *Label25, *Label33, *Label29, *Label37, *Label54;
    QLineEdit *Edit38, *Edit39, *Edit40, *Edit41, *Edit42;
    QComboBox* ComboBox5;
    QPushButton *Button10, *Button11;
    QCheckBox *CheckBox22, *CheckBox23;

    // ---- Page "Diskety" ----------------------------------------------------
    QCheckBox* CheckBox8;
    QLabel* Label5;
    QLineEdit* Edit53;
    QLabel* Label11;
    QLabel* Label13;
    QLabel* Label50;
    QLineEdit* Edit54;
    QLabel* Label51;
    QGroupBox* GroupBox10;
    QLabel* Label52;

    // ---- Page "INI" --------------------------------------------------------
    QLabel* Label38;
    QLineEdit* Edit43;
    TRadioGroup* RadioGroup4;
    QGroupBox* GroupBox7;
    QLabel* Label47;
    QLineEdit* Edit52;
    QCheckBox* CheckBox5;
    QLabel* Label39;
    QLineEdit* Edit44;
    QLabel* Label40;
    QLineEdit* Edit45;
    QLabel* Label41;
    QLineEdit* Edit46;
    QLabel* Label44;
    QLineEdit* Edit47;

    // ---- Page "Ostatní" ----------------------------------------------------
    TRadioGroup* RadioGroup1;
    TRadioGroup* RadioGroup2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QGroupBox* GroupBox9;
    QFrame* Panel1; // the colour preview
    QComboBox* Pozadi;
    QCheckBox* CheckBox10;
    QCheckBox* CheckBox6;
    QCheckBox* CheckBox13;
    QGroupBox* GroupBox3;
    QLabel* Label7;
    QLineEdit* Edit6;
    QPushButton* Button12;
    QLabel* Label8;
    QLineEdit* Edit7;
    QPushButton* Button13;
    QLabel* Label9;
    QLineEdit* Edit8;
    QPushButton* Button14;

    // ---- The other windows (set by main; not owned) ------------------------
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr; // the run-file chooser
    TForm6* Form6 = nullptr; // the icon chooser

    // ---- State -------------------------------------------------------------
    QString ProgramFolder;   // native, with a trailing separator
    QString SourceFolder;    // native, with a trailing separator, as read at start-up
    QString ProjectFileName; // empty after New
    QString HelpFile;        // ProgramFolder + "Tornavel.hlp"
    // The file browser's view style ("vsIcon", "vsSmallIcon", "vsList", "vsReport")
    // as the last start-up step applied it or the close step stored it.
    QString typView = QStringLiteral("vsSmallIcon");
    bool Modified = false;

    // ---- The project and the controls -----------------------------------
    // The project as the controls show it.
    ProjectSettings projectFromControls() const;
    // Shows the fields the core changed, in the order it changed them.
    void showChangedFields(const ProjectSettings& project, const ChangeLog& log);
    // Shows one field in its control (a control set to its present value
    // notifies nobody).
    void showField(const ProjectSettings& project, FieldId field);
    // The control that shows a field; nullptr for Font, which has none.
    QWidget* fieldControl(FieldId field) const;
    // Switches the notebooks to the field's page and focuses its control.
    void focusField(FieldId field);

    std::uint32_t previewColor() const { return previewColor_; }
    void setPreviewColor(std::uint32_t colour);

    // Whether SourceFolder exists as the last start-up step found it.
    bool sourceFolderExists() const { return sourceFolderReady_; }
    bool buildRunning() const { return buildRunning_; }
    // The window "Kompilace", made by the first build.
    TCompilerConsole* Console = nullptr;

public slots:
    // Start-up step: program settings, SourceFolder, New, Modified cleared.
    void FormCreate();
    // Close step: writes the program settings.
    void FormClose();
    // The close question; true when the window may close.
    bool FormCloseQuery();
    // Before the project is closed or replaced: a modified project asks
    // whether to save it first. True when the caller may go on (nothing to
    // save, No, or a save that succeeded); false on Cancel and when the save
    // failed or its dialog was cancelled.
    bool saveChangesFirst();

    void NovaClick();
    void OtevriClick();
    void UlozClick();
    void UlozjakoClick();
    void KonecClick();
    void Vytvoitinstalaci1Click();
    void Vystupnadres1Click();
    // The "..." buttons: each opens a chooser for its fields.
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void Button14Click();
    void HelpClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton5Click();

    void Edit1Change();
    void CheckBox8Click();
    void CheckBox10Click();
    void RadioGroup1Click();
    void RadioGroup2Click();
    void PozadiChange(int index);

    // Save is available exactly while the project has a file name.
    void RefreshSaveAvailability();

signals:
    // The start-up step has settled SourceFolder (it exists): the file browser
    // and the choosers point themselves at it.
    void sourceFolderReady(const QString& folder);
    // New project points the files page at SourceFolder.
    void filesPageReset(const QString& folder);
    // The window was activated or its notebook clicked: the files page re-reads.
    void filesPageRefreshRequested();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void buildLayout();
    void buildMenus();
    void buildToolBar();
    QWidget* buildBasicPage();
    QWidget* buildFilesPage();
    QWidget* buildIconsPage();
    QWidget* buildIconPage(int icon);
    QWidget* buildDisksPage();
    QWidget* buildIniPage();
    QWidget* buildOtherPage();
    void setTabOrders();
    // Looks up the control of each field by the object name the field table gives.
    void findFieldControls();
    // The value of a field as its control shows it.
    FieldValue shownValue(FieldId field) const;
    void connectChangeNotifications();
    void connectChooserButtons();
    void openChooserOf(int button);
    void showDesignValues();
    void applyEnablingRules();
    // Shows SourceFolder in the file browser again (activation, a notebook
    // click, New); nothing while the start-up step could not make the folder.
    void refreshBrowser();
    // Runs one step of the file browser, showing its failure in the standard
    // error box unless it repeats the failure shown last.
    void runBrowserStep(const std::function<void()>& step);

    // The unguarded operations; the slots run them inside the action guard.
    void runStartUp();
    void saveToProjectFile();
    bool saveAs(); // false when the user cancelled the dialog
    void openProject();
    void newProject();
    void runBuild();
    void setBuildRunning(bool running);
    // Applies a user's move of a radio group through the core's rule.
    void applyVersionChoice(FieldId field, TRadioGroup* group);
    QString archiveFolder() const;

    struct IconControls {
        QLabel* nameLabel;
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
        QLabel* otherLabels[5]; // run file, parameter, icon file, index, shortcut
    };
    std::array<IconControls, kIconCount> icons_{};

    // The control of each field, by FieldId; nullptr for a field without one.
    std::array<QWidget*, kFieldCount> fieldControls_{};
    // The values of the fields without a control (Font): the window keeps
    // them without showing them.
    ProjectSettings uncontrolledFields_;
    std::uint32_t previewColor_ = 0;
    QString lastSaveAsName_;
    // The text of the browser's last failure, empty after a success.
    QString browserFailure_;
    bool sourceFolderReady_ = false;
    bool buildRunning_ = false;
    bool shownOnce_ = false;
    // Counts New, Open and start-up, so a build does not write its results
    // into a project that replaced the one it built.
    unsigned projectGeneration_ = 0;
};

} // namespace tornavel::ui
