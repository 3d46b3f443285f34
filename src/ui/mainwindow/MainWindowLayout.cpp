// The main window's controls, pages, menus and toolbar: what stands where.
// Every control gets its original object name; the labels that name a
// project's field come from the field table.
#include "project/FieldLabels.h"
#include "ui/about/AboutBox.h"
#include "ui/browser/ShellBrowser.h"
#include "ui/choosers/IconChooser.h"
#include "ui/choosers/RunFileChooser.h"
#include "ui/controls/Cp1250Validator.h"
#include "ui/controls/RadioGroup.h"
#include "ui/mainwindow/ChooserButtons.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/OutputFolderDialog.h"
#include "ui/mainwindow/Pictures.h"
#include "ui/mainwindow/SigningDialog.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace tornavel::ui {
namespace {

// The window was laid out for an 8-point system font; sizes given in those
// pixels grow with the font actually in use.
int scaled(const QWidget* w, int designPixels) {
    const double factor = std::max(1.0, QFontMetrics(w->font()).averageCharWidth() / 5.0);
    return static_cast<int>(std::lround(designPixels * factor));
}

// A menu bar lays the items after a separator out at its right end when its
// style draws menu-bar separators; this style says it does and is otherwise the
// application's. (The separator itself takes no room and is never drawn.)
class RightJustifyingMenuBarStyle : public QProxyStyle {
public:
    explicit RightJustifyingMenuBarStyle(QObject* owner) { setParent(owner); }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DrawMenuBarSeparator) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <class List> QStringList toStringList(const List& items) {
    QStringList list;
    for (std::string_view item : items) {
        list << fromUtf8(item);
    }
    return list;
}

// A hint is a tooltip (short part) and a status-line text (long part).
void setHint(QWidget* w, const QString& shortHint, const QString& longHint) {
    if (!shortHint.isEmpty()) {
        w->setToolTip(shortHint);
    }
    w->setStatusTip(longHint);
}

QString objectNameOf(FieldId field) {
    return fromUtf8(fieldInfo(field).control);
}

QString labelOf(FieldId field) {
    return QString::fromStdString(windowLabel(field));
}

QLineEdit* makeFieldEdit(FieldId field, const QString& shortHint, const QString& longHint,
                         int maxLength = -1) {
    auto* edit = new QLineEdit;
    edit->setObjectName(objectNameOf(field));
    edit->setValidator(new Cp1250Validator(edit, maxLength));
    setHint(edit, shortHint, longHint);
    return edit;
}

QCheckBox* makeFieldCheck(FieldId field, const QString& longHint = {}) {
    auto* check = new QCheckBox(labelOf(field));
    check->setObjectName(objectNameOf(field));
    setHint(check, {}, longHint);
    return check;
}

RadioGroup* makeFieldGroup(FieldId field, const QStringList& items) {
    auto* group = new RadioGroup(labelOf(field), items);
    group->setObjectName(objectNameOf(field));
    return group;
}

// A note beside fields whose meaning Inno Setup 6 changes, shown only while
// the builds use it.
QLabel* makeCompilerHint(const char* name, const QString& text) {
    auto* hint = new QLabel(text);
    hint->setObjectName(QLatin1String(name));
    hint->setWordWrap(true);
    hint->hide();
    return hint;
}

QLabel* makeLabel(const char* name, const QString& text, bool bold = false) {
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

// The label of a field's edit box; the table's text is the window's.
QLabel* makeFieldLabel(const char* name, FieldId field, bool bold = false) {
    return makeLabel(name, labelOf(field), bold);
}

// The "..." button that chooses a file for the field.
QPushButton* makeChooserButton(FieldId file, const QString& statusText) {
    const auto entry = std::find_if(kChooserButtons.begin(), kChooserButtons.end(),
                                    [file](const ChooserButton& b) { return b.file == file; });
    auto* button = new QPushButton(QStringLiteral("..."));
    button->setObjectName(fromUtf8(entry->objectName));
    const int side = button->fontMetrics().height() + 10;
    button->setFixedSize(side, side);
    setHint(button, QStringLiteral("nalistovat"), statusText);
    return button;
}

QGroupBox* makeGroup(const char* name, const QString& caption) {
    auto* group = new QGroupBox(caption);
    group->setObjectName(QLatin1String(name));
    return group;
}

QToolButton* makeSpeedButton(const char* name, const QIcon& picture = {}) {
    auto* button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    button->setFixedSize(23, 22);
    button->setIcon(picture);
    return button;
}

QWidget* makePage(const QString& name) {
    auto* page = new QWidget;
    page->setObjectName(name);
    return page;
}

QTabWidget* makeNotebook(const char* name) {
    auto* notebook = new QTabWidget;
    notebook->setObjectName(QLatin1String(name));
    notebook->setUsesScrollButtons(false);
    notebook->tabBar()->setElideMode(Qt::ElideNone);
    return notebook;
}

} // namespace

void MainWindow::buildLayout() {
    setWindowIcon(programPicture());
    buildMenus();
    buildToolBar();

    pages_ = makeNotebook("TabbedNotebook1");
    pages_->addTab(buildBasicPage(), QStringLiteral("Základní nastavení"));
    pages_->addTab(buildFilesPage(), QStringLiteral("Soubory"));
    pages_->addTab(buildIconsPage(), QStringLiteral("Ikony"));
    pages_->addTab(buildDisksPage(), QStringLiteral("Diskety"));
    pages_->addTab(buildIniPage(), QStringLiteral("INI"));
    pages_->addTab(buildOtherPage(), QStringLiteral("Ostatní"));
    pages_->addTab(buildPublishingPage(), QStringLiteral("Vydání"));
    connect(pages_, &QTabWidget::tabBarClicked, this, &MainWindow::refreshBrowser);

    buildButton_ = new QPushButton(buildPicture(), QStringLiteral("Vytvořit instalaci"));
    buildButton_->setObjectName(QStringLiteral("BitBtn1"));
    setHint(buildButton_, {},
            QStringLiteral("Vytvoří instalační soubor(y). Před započetím kompilace smaže soubory "
                           "v adresáři \"Output\"."));
    exitButton_ = new QPushButton(exitPicture(), QStringLiteral("Konec"));
    exitButton_->setObjectName(QStringLiteral("BitBtn2"));
    setHint(exitButton_, {}, QStringLiteral("Ukončí program."));
    for (QPushButton* button : {buildButton_, exitButton_}) {
        button->setIconSize(QSize(24, 24));
        button->setMinimumSize(scaled(button, 129), 33);
    }

    statusLine_ = new QLabel;
    statusLine_->setObjectName(QStringLiteral("Panel2"));
    statusLine_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusLine_->setLineWidth(1);
    statusLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    statusLine_->setTextFormat(Qt::PlainText);
    // A long hint must never widen the window, nor change its height as the
    // pointer moves: it wraps within two lines, which every hint fits.
    statusLine_->setWordWrap(true);
    statusLine_->setIndent(2);
    statusLine_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    statusLine_->setFixedHeight(std::max(21, 2 * statusLine_->fontMetrics().lineSpacing() +
                                                 2 * statusLine_->frameWidth() + 2));

    auto* central = new QWidget;
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(3, 1, 3, 6);
    body->setSpacing(6);
    body->addWidget(pages_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(buildButton_);
    buttons->addSpacing(scaled(this, 15));
    buttons->addWidget(exitButton_);
    buttons->addStretch(1);
    body->addLayout(buttons);
    centralLayout->addLayout(body);
    centralLayout->addWidget(statusLine_);
    setCentralWidget(central);

    connect(buildButton_, &QPushButton::clicked, this, &MainWindow::buildInstaller);
    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);
    // "Konec" is the window's cancel button: Esc presses it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, exitButton_, &QPushButton::click);

    setTabOrders();
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    auto addMenu = [bar](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                          const QKeySequence& shortcut) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action); // the shortcut works wherever the menu stands
        return action;
    };
    auto addSeparator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu* installation = addMenu("Instalace1", QStringLiteral("&Instalace"));
    commands_.newProject =
        addItem(installation, "Nova", QStringLiteral("&Nová"), QKeySequence(Qt::CTRL | Qt::Key_N));
    commands_.openProject = addItem(installation, "Otevri", QStringLiteral("&Otevři"),
                                    QKeySequence(Qt::CTRL | Qt::Key_O));
    commands_.save =
        addItem(installation, "Uloz", QStringLiteral("&Ulož"), QKeySequence(Qt::CTRL | Qt::Key_S));
    commands_.saveAs = addItem(installation, "Ulozjako", QStringLiteral("Ulož jako"),
                               QKeySequence(Qt::CTRL | Qt::Key_D));
    addSeparator(installation, "N1");
    commands_.build = addItem(installation, "Vytvoitinstalaci1",
                              QStringLiteral("Vytvořit instalaci"), QKeySequence(Qt::Key_F9));
    addSeparator(installation, "N2");
    commands_.exit = addItem(installation, "Konec", QStringLiteral("&Konec"),
                             QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu* settings = addMenu("Nastaven1", QStringLiteral("Na&stavení"));
    commands_.outputFolder =
        addItem(settings, "Vystupnadres1", QStringLiteral("Výstupní adresář"), {});
    commands_.signing = addItem(settings, "Podepisovani1", QStringLiteral("&Podepisování…"), {});
    commands_.reproducible =
        addItem(settings, "Reprodukovatelne1", QStringLiteral("&Reprodukovatelné instalace"), {});
    commands_.reproducible->setCheckable(true);
    commands_.reproducible->setStatusTip(
        QStringLiteral("Instalované soubory dostanou pevné datum (SOURCE_DATE_EPOCH, jinak "
                       "1. 1. 2000), takže stejné soubory dají vždy stejný instalační soubor."));
    buildCompilerMenu(settings);

    // "Nápověda" stands at the right end of the menu bar, as an item of the
    // bar itself, so the arrow keys and the pointer move onto it from the
    // other menus.
    bar->setStyle(new RightJustifyingMenuBarStyle(this));
    bar->addSeparator();
    QMenu* help = addMenu("Napoveda", QStringLiteral("&Nápověda"));
    commands_.about =
        addItem(help, "Oautorech", QStringLiteral("&O autorech"), QKeySequence(Qt::Key_F2));

    commands_.help = new QAction(QStringLiteral("Nápověda"), this);
    commands_.help->setObjectName(QStringLiteral("HelpAction"));
    commands_.help->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(commands_.help);

    connect(commands_.newProject, &QAction::triggered, this, &MainWindow::newProject);
    connect(commands_.openProject, &QAction::triggered, this, &MainWindow::openProject);
    connect(commands_.save, &QAction::triggered, this, &MainWindow::save);
    connect(commands_.saveAs, &QAction::triggered, this, &MainWindow::saveAs);
    connect(commands_.build, &QAction::triggered, this, &MainWindow::buildInstaller);
    connect(commands_.exit, &QAction::triggered, this, &QWidget::close);
    connect(commands_.outputFolder, &QAction::triggered, this, &MainWindow::chooseSourceFolder);
    connect(commands_.signing, &QAction::triggered, this, &MainWindow::chooseSigning);
    connect(commands_.reproducible, &QAction::triggered, this, &MainWindow::setReproducible);
    connect(commands_.innoSetup5, &QAction::triggered, this, [this] { setInnoSetup6(false); });
    connect(commands_.innoSetup6, &QAction::triggered, this, [this] { setInnoSetup6(true); });
    connect(commands_.help, &QAction::triggered, this, &MainWindow::showHelp);
}

void MainWindow::buildCompilerMenu(QMenu* settings) {
    // Before "Reprodukovatelné instalace", which stays the menu's last item.
    auto* compiler = new QMenu(QStringLiteral("&Kompilátor Inno Setup"), settings);
    settings->insertMenu(commands_.reproducible, compiler);
    compiler->setObjectName(QStringLiteral("Kompilator1"));
    auto* choice = new QActionGroup(this);
    const std::pair<QAction**, std::pair<const char*, QString>> items[] = {
        {&commands_.innoSetup5,
         {"InnoSetup5", QStringLiteral("Inno Setup &5.5.9 (Windows 2000 a novější)")}},
        {&commands_.innoSetup6,
         {"InnoSetup6", QStringLiteral("Inno Setup &6.2 (moderní průvodce, Windows 7 SP1 a "
                                       "novější)")}}};
    for (const auto& [action, item] : items) {
        *action = compiler->addAction(item.second);
        (*action)->setObjectName(QLatin1String(item.first));
        (*action)->setCheckable(true);
        choice->addAction(*action);
    }
    commands_.innoSetup5->setChecked(true);
    commands_.innoSetup5->setStatusTip(
        QStringLiteral("Instalace s průvodcem Windows 2000, asi 0,7 MB; výchozí kompilátor."));
    commands_.innoSetup6->setStatusTip(
        QStringLiteral("Instalace s moderním průvodcem a ostrými obrázky při zvětšení, asi "
                       "1,9 MB; běží jen ve Windows 7 SP1 a novějších."));
}

void MainWindow::buildToolBar() {
    QToolBar* toolBar = addToolBar(QStringLiteral("ToolBar1"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->toggleViewAction()->setVisible(false);

    // Two spacers stand among the buttons; each button runs its menu item's
    // command, only while the item is enabled, and is enabled with it.
    // (Without setDefaultAction: the buttons carry no text and no tooltip.)
    auto* leadingSpacer = makeSpeedButton("SpeedButton7");
    leadingSpacer->setFixedWidth(3);
    leadingSpacer->setEnabled(false);
    auto* middleSpacer = makeSpeedButton("SpeedButton6");
    middleSpacer->setEnabled(false);
    const std::pair<QToolButton*, QAction*> buttons[] = {
        {leadingSpacer, nullptr},
        {makeSpeedButton("SpeedButton1", newProjectPicture()), commands_.newProject},
        {makeSpeedButton("SpeedButton2", openProjectPicture()), commands_.openProject},
        {makeSpeedButton("SpeedButton3", saveProjectPicture()), commands_.save},
        {middleSpacer, nullptr},
        {makeSpeedButton("SpeedButton5", exitPicture()), commands_.exit}};
    for (const auto& entry : buttons) {
        QToolButton* button = entry.first;
        QAction* command = entry.second;
        toolBar->addWidget(button);
        if (command) {
            button->setEnabled(command->isEnabled());
            connect(button, &QToolButton::clicked, command, [command] {
                if (command->isEnabled()) {
                    command->trigger();
                }
            });
            connect(command, &QAction::enabledChanged, button, &QToolButton::setEnabled);
        }
    }
}

QWidget* MainWindow::buildBasicPage() {
    QWidget* page = makePage(QStringLiteral("PageZakladniNastaveni"));
    BasicPage& b = basic_;

    b.appName = makeFieldEdit(FieldId::AppName, QStringLiteral("max. 63 znaků"),
                              QStringLiteral("Během instalace bude zobrazen v levém horním rohu "
                                             "obrazovky a v hlavičce instalačního průvodce. "));
    b.appVerName =
        makeFieldEdit(FieldId::AppVerName, QStringLiteral("max. 63 znaků"),
                      QStringLiteral("Bude zobrazen v uvítacím okně instalačního průvodce."), 236);
    b.defaultDirName =
        makeFieldEdit(FieldId::DefaultDirName, QStringLiteral("max. 47 znaků"),
                      QStringLiteral("Předvolené jméno adresáře, který bude použit na stránce "
                                     "\"Výběr adresáře\"."));
    b.defaultGroupName =
        makeFieldEdit(FieldId::DefaultGroupName, QStringLiteral("max. 47 znaků"),
                      QStringLiteral("Předvolené jméno programové skupiny, které bude použito na "
                                     "stránce \"Výběr programové skupiny\"."));
    b.password = makeFieldEdit(
        FieldId::Password, QStringLiteral("max. 47 znaků"),
        QStringLiteral("Heslo, které bude instalátor vyžadovat před započetím instalace."));

    auto* copyrightGroup = makeGroup("GroupBox2", labelOf(FieldId::AppCopyright));
    b.appCopyright =
        makeFieldEdit(FieldId::AppCopyright, QStringLiteral("max. 63 znaků"),
                      QStringLiteral("Informace o copyrightu je při instalaci zobrazena v pravém "
                                     "dolním rohu obrazovky."));
    auto* groupLayout = new QVBoxLayout(copyrightGroup);
    groupLayout->addWidget(b.appCopyright);
    groupLayout->addStretch(1);

    b.installToProgramFiles = makeFieldCheck(
        FieldId::InstallToProgramFiles,
        QStringLiteral("Nabídne na stránce \"Výběr adresáře\" instalaci do složky Program Files."));
    b.disableDirPage =
        makeFieldCheck(FieldId::DisableDirPage,
                       QStringLiteral("Pokud zaškrtnete tuto volbu, nezobrazí se okno, kdy je "
                                      "možno změnit přednastavený adresář."));
    b.showLanguageDialog =
        makeFieldCheck(FieldId::ShowLanguageDialog,
                       QStringLiteral("Změna jazyka instalačního průvodce. Čeština, angličtina, "
                                      "němčina, slovenština a francouzština."));

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(scaled(page, 8));
    grid->setColumnStretch(1, 1);
    const std::tuple<const char*, FieldId, QLineEdit*> rows[] = {
        {"Label1", FieldId::AppName, b.appName},
        {"Label2", FieldId::AppVerName, b.appVerName},
        {"Label3", FieldId::DefaultDirName, b.defaultDirName},
        {"Label4", FieldId::DefaultGroupName, b.defaultGroupName},
        {"Label6", FieldId::Password, b.password}};
    int row = 0;
    for (const auto& [labelName, field, edit] : rows) {
        grid->addWidget(makeFieldLabel(labelName, field), row, 0);
        grid->addWidget(edit, row, 1);
        edit->setMinimumWidth(scaled(page, 200));
        ++row;
    }

    auto* checks = new QVBoxLayout;
    checks->addWidget(b.installToProgramFiles);
    checks->addWidget(b.disableDirPage);
    checks->addWidget(b.showLanguageDialog);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(copyrightGroup, 1);
    bottom->addSpacing(scaled(page, 8));
    bottom->addLayout(checks);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(bottom);
    return page;
}

QWidget* MainWindow::buildFilesPage() {
    QWidget* page = makePage(QStringLiteral("PageSoubory"));

    auto* caption = makeLabel("Label12", QStringLiteral("Adresář s instalačními soubory:"), true);
    files_.sourceFolderPath = makeLabel("Cesta", {});
    QLabel* path = files_.sourceFolderPath;
    path->setTextFormat(Qt::PlainText);
    path->setFixedWidth(scaled(page, 273));
    path->setAutoFillBackground(true);
    QPalette palette = path->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    palette.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    path->setPalette(palette);

    auto* browserArea = new QWidget;
    browserArea->setObjectName(QStringLiteral("browserArea"));
    browserArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* browserLayout = new QVBoxLayout(browserArea);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    files_.browser = new ShellBrowser(browserArea);
    browserLayout->addWidget(files_.browser);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(caption);
    pathRow->addWidget(path);
    pathRow->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(pathRow);
    layout->addWidget(browserArea, 1);
    return page;
}

QWidget* MainWindow::buildIconsPage() {
    QWidget* page = makePage(QStringLiteral("PageIkony"));

    icons_.disableProgramGroupPage =
        makeFieldCheck(FieldId::DisableProgramGroupPage,
                       QStringLiteral("Pokud zaškrtnete tuto volbu a zároveň nezadáte žádnou "
                                      "ikonu, nenainstaluje se žádná ikona."));
    icons_.allowNoIcons =
        makeFieldCheck(FieldId::AllowNoIcons,
                       QStringLiteral("Určuje, jestli má instalační průvodce zobrazit přepínač "
                                      "\"Nevytvářet žádné programové ikony\"."));

    icons_.iconPages = makeNotebook("TabbedNotebook2");
    for (int i = 0; i < kIconCount; ++i) {
        icons_.iconPages->addTab(buildIconPage(i), QStringLiteral("    Ikona č.%1    ").arg(i + 1));
    }

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(icons_.disableProgramGroupPage);
    layout->addWidget(icons_.allowNoIcons);
    layout->addWidget(icons_.iconPages, 1);
    return page;
}

QWidget* MainWindow::buildIconPage(int icon) {
    // The labels of the five alike pages are numbered without a pattern.
    struct LabelNames {
        const char* name;
        const char* fileName;
        const char* parameters;
        const char* iconFile;
        const char* iconIndex;
        const char* hotKey;
    };
    // clang-format off
    static const LabelNames kLabels[kIconCount] = {
        {"Label10", "Label14", "Label15", "Label16", "Label17", "Label42"},
        {"Label18", "Label22", "Label30", "Label26", "Label34", "Label43"},
        {"Label19", "Label23", "Label31", "Label27", "Label35", "Label45"},
        {"Label20", "Label24", "Label32", "Label28", "Label36", "Label46"},
        {"Label21", "Label25", "Label33", "Label29", "Label37", "Label54"},
    };
    // clang-format on
    const LabelNames& n = kLabels[icon];
    const auto field = [icon](IconPart part) { return iconField(icon, part); };
    IconControls& c = icons_.icons.at(static_cast<std::size_t>(icon));

    QWidget* page = makePage(QStringLiteral("PageIkona%1").arg(icon + 1));

    c.name = makeFieldEdit(
        field(IconPart::Name), {},
        QStringLiteral("Jméno ikony, které se zobrazí v nabídce Start ve skupině aplikace."));
    c.hotKey = new QComboBox;
    c.hotKey->setObjectName(objectNameOf(field(IconPart::HotKey)));
    c.hotKey->setEditable(false);
    for (const std::string& choice : HotKeyChoices()) {
        c.hotKey->addItem(QString::fromStdString(choice));
    }
    c.fileName = makeFieldEdit(
        field(IconPart::FileName), {},
        QStringLiteral("Jméno souboru včetně přípony, který se má touto ikonou spustit."));
    c.fileButton =
        makeChooserButton(field(IconPart::FileName), QStringLiteral("Vyberte soubor ze seznamu."));
    c.parameters =
        makeFieldEdit(field(IconPart::Parameters), {},
                      QStringLiteral("Chcete-li program spouštět s parametrem, zde ho zadejte."));
    c.iconFile = makeFieldEdit(field(IconPart::IconFile), {},
                               QStringLiteral("Chcete-li použít jinou ikonu, než má spouštěný "
                                              "soubor, zadejte jméno souboru včetně přípony."));
    c.iconButton =
        makeChooserButton(field(IconPart::IconFile), QStringLiteral("Vyberte soubor ze seznamu."));
    c.iconIndex = makeFieldEdit(field(IconPart::IconIndex), {},
                                QStringLiteral("Index ikony v souboru dll nebo exe. (pouze pokud "
                                               "\"Jméno souboru s ikonou\" není prázdné)"));
    c.onDesktop = makeFieldCheck(field(IconPart::OnDesktop));
    c.inStartup = makeFieldCheck(field(IconPart::InStartup));

    c.name->setMinimumWidth(scaled(page, 145));
    c.hotKey->setMinimumWidth(scaled(page, 145));
    c.fileName->setMinimumWidth(scaled(page, 121));
    c.iconFile->setMinimumWidth(scaled(page, 121));
    c.parameters->setMinimumWidth(scaled(page, 105));
    c.iconIndex->setMinimumWidth(scaled(page, 105));

    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->addWidget(makeFieldLabel(n.name, field(IconPart::Name), true), 0, 0);
    grid->addWidget(c.name, 0, 1, 1, 2);
    grid->addWidget(c.onDesktop, 0, 3, 1, 2);
    grid->addWidget(makeFieldLabel(n.hotKey, field(IconPart::HotKey)), 1, 0);
    grid->addWidget(c.hotKey, 1, 1, 1, 2);
    grid->addWidget(c.inStartup, 1, 3, 1, 2);
    grid->addWidget(makeFieldLabel(n.fileName, field(IconPart::FileName), true), 2, 0);
    grid->addWidget(c.fileName, 2, 1);
    grid->addWidget(c.fileButton, 2, 2);
    grid->addWidget(makeFieldLabel(n.parameters, field(IconPart::Parameters)), 2, 3);
    grid->addWidget(c.parameters, 2, 4);
    grid->addWidget(makeFieldLabel(n.iconFile, field(IconPart::IconFile)), 3, 0);
    grid->addWidget(c.iconFile, 3, 1);
    grid->addWidget(c.iconButton, 3, 2);
    grid->addWidget(makeFieldLabel(n.iconIndex, field(IconPart::IconIndex)), 3, 3);
    grid->addWidget(c.iconIndex, 3, 4);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget* MainWindow::buildDisksPage() {
    QWidget* page = makePage(QStringLiteral("PageDiskety"));
    DisksPage& d = disks_;

    d.diskSpanning = makeFieldCheck(FieldId::DiskSpanning,
                                    QStringLiteral("Chcete-li Váš program distribuovat např. na "
                                                   "disketách, zaškrtněte tuto volbu."));
    QFont big = d.diskSpanning->font();
    big.setPointSizeF(big.pointSizeF() * 1.5); // 12 points beside the 8-point text
    d.diskSpanning->setFont(big);

    d.diskSize = makeFieldEdit(
        FieldId::DiskSize, QStringLiteral("1 457 664 až 50 000 000"),
        QStringLiteral("Zde zadejte velikost jednotlivých dílů instalačního  souboru. "));
    d.reserveBytes =
        makeFieldEdit(FieldId::ReserveBytes, QStringLiteral("0 až hodnota v okně nahoře"),
                      QStringLiteral("Zadejte velikost místa, které potřebujete na "
                                     "první disketě zachovat prázdné."));
    for (QLineEdit* edit : {d.diskSize, d.reserveBytes}) {
        edit->setFixedWidth(scaled(page, 89));
    }
    // The reserve's label runs on in a second label under the first.
    const QStringList reserveLabel = labelOf(FieldId::ReserveBytes).split(u'\n');

    auto* note = makeGroup("GroupBox10", QStringLiteral("Poznámka:"));
    QLabel* noteText = makeLabel(
        "Label52",
        QStringLiteral("Potřebujete-li Váš program instalovat z více disket, zadejte zde jejich "
                       "velikost. Přednastavená  hodnota je pro diskety (1 457 664b). Po "
                       "dokončení instalace soubory *.exe a *1.bin nakopírujte na první "
                       "disketu. Na další disketu pak soubor *2.bin atd."));
    noteText->setWordWrap(true);
    auto* noteLayout = new QVBoxLayout(note);
    noteLayout->addWidget(noteText);

    auto* checkRow = new QHBoxLayout;
    checkRow->addSpacing(scaled(page, 72));
    checkRow->addWidget(d.diskSpanning);
    checkRow->addStretch(1);

    auto* reserveLabels = new QVBoxLayout;
    reserveLabels->setSpacing(0);
    reserveLabels->addWidget(makeLabel("Label13", reserveLabel.value(0)));
    reserveLabels->addWidget(makeLabel("Label50", reserveLabel.value(1)));

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(scaled(page, 16));
    grid->setColumnStretch(0, 1);
    grid->addWidget(makeFieldLabel("Label5", FieldId::DiskSize), 0, 0);
    grid->addWidget(d.diskSize, 0, 1);
    grid->addWidget(makeLabel("Label11", QStringLiteral("bajtů")), 0, 2);
    grid->addLayout(reserveLabels, 1, 0);
    grid->addWidget(d.reserveBytes, 1, 1);
    grid->addWidget(makeLabel("Label51", QStringLiteral("bajtů")), 1, 2);

    d.innoSetup6Hint = makeCompilerHint(
        "InnoSetup6Diskety",
        QStringLiteral("Inno Setup 6: instalační program sám má asi 1,9 MB a musí se vejít na "
                       "první disk, proto velikost disku bez rezervy musí být nejméně "
                       "2 000 000 bajtů; na diskety instalaci nerozdělí."));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(checkRow);
    layout->addSpacing(scaled(page, 8));
    layout->addLayout(grid);
    layout->addWidget(d.innoSetup6Hint);
    layout->addStretch(1);
    layout->addWidget(note);
    return page;
}

QWidget* MainWindow::buildIniPage() {
    QWidget* page = makePage(QStringLiteral("PageINI"));
    IniPage& i = ini_;

    i.fileName = makeFieldEdit(FieldId::IniFileName, QStringLiteral("max 63 znaků"),
                               QStringLiteral("Zadejte včetně přípony."));
    i.fileName->setMinimumWidth(scaled(page, 233));
    i.location = makeFieldGroup(FieldId::IniLocation, toStringList(kIniLocationItems));

    auto* entries = makeGroup("GroupBox7", QStringLiteral("Sekce a záznamy:"));
    i.section = makeFieldEdit(FieldId::IniSection, {}, {});
    i.deleteOnUninstall = makeFieldCheck(FieldId::IniDeleteOnUninstall);
    i.key1 = makeFieldEdit(FieldId::IniKey1, {}, {});
    i.value1 = makeFieldEdit(FieldId::IniValue1, {}, {});
    i.key2 = makeFieldEdit(FieldId::IniKey2, {}, {});
    i.value2 = makeFieldEdit(FieldId::IniValue2, {}, {});
    for (QLineEdit* edit : {i.key1, i.value1, i.key2, i.value2}) {
        edit->setMinimumWidth(scaled(page, 217));
    }

    auto* sectionRow = new QHBoxLayout;
    sectionRow->addWidget(makeFieldLabel("Label47", FieldId::IniSection));
    sectionRow->addWidget(i.section, 1);
    auto* grid = new QGridLayout(entries);
    grid->setHorizontalSpacing(scaled(page, 8));
    grid->addLayout(sectionRow, 0, 0);
    grid->addWidget(i.deleteOnUninstall, 0, 1);
    grid->addWidget(makeFieldLabel("Label39", FieldId::IniKey1), 1, 0);
    grid->addWidget(makeFieldLabel("Label41", FieldId::IniKey2), 1, 1);
    grid->addWidget(i.key1, 2, 0);
    grid->addWidget(i.key2, 2, 1);
    grid->addWidget(makeFieldLabel("Label40", FieldId::IniValue1), 3, 0);
    grid->addWidget(makeFieldLabel("Label44", FieldId::IniValue2), 3, 1);
    grid->addWidget(i.value1, 4, 0);
    grid->addWidget(i.value2, 4, 1);

    auto* fileColumn = new QVBoxLayout;
    fileColumn->addWidget(makeFieldLabel("Label38", FieldId::IniFileName, true));
    fileColumn->addWidget(i.fileName);
    fileColumn->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(fileColumn, 1);
    top->addWidget(i.location);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(entries);
    layout->addStretch(1);
    return page;
}

QWidget* MainWindow::buildOtherPage() {
    QWidget* page = makePage(QStringLiteral("PageOstatni"));
    OtherPage& o = other_;

    o.win = makeFieldGroup(FieldId::Win, toStringList(kWinItems));
    o.winNT = makeFieldGroup(FieldId::WinNT, toStringList(kWinNTItems));
    o.alwaysRestart =
        makeFieldCheck(FieldId::AlwaysRestart,
                       QStringLiteral("Po úspěšné instalaci se instalační průvodce zeptá, jestli "
                                      "má restartovat systém."));
    o.uninstallable =
        makeFieldCheck(FieldId::Uninstallable,
                       QStringLiteral("Tornavel do instalace nazahrne odinstalační program."));

    auto* colourGroup = makeGroup("GroupBox9", labelOf(FieldId::BackgroundColor));
    o.preview = new QFrame;
    o.preview->setObjectName(objectNameOf(FieldId::PreviewColor));
    o.preview->setFrameStyle(QFrame::Box | QFrame::Plain);
    o.preview->setLineWidth(1);
    o.preview->setAutoFillBackground(true);
    o.preview->setFixedHeight(33);
    o.backgroundColor = new QComboBox;
    o.backgroundColor->setObjectName(objectNameOf(FieldId::BackgroundColor));
    o.backgroundColor->setEditable(false);
    o.backgroundColor->setMaxVisibleItems(kBackgroundColorCount);
    for (const BackgroundColorEntry& entry : BackgroundColors) {
        o.backgroundColor->addItem(fromUtf8(entry.name));
    }
    o.windowVisible =
        makeFieldCheck(FieldId::WindowVisible,
                       QStringLiteral("Instalace probíhá buď v okně nebo má barevné pozadí přes "
                                      "celou obrazovku."));
    o.backSolid = makeFieldCheck(FieldId::BackSolid);
    o.backColorDirection =
        makeFieldCheck(FieldId::BackColorDirection,
                       QStringLiteral("Přechod může být od shora dolů nebo zleva doprava"));
    auto* colourLayout = new QVBoxLayout(colourGroup);
    colourLayout->setSpacing(3);
    colourLayout->addWidget(o.preview);
    colourLayout->addWidget(o.backgroundColor);
    colourLayout->addWidget(o.windowVisible);
    colourLayout->addWidget(o.backSolid);
    colourLayout->addWidget(o.backColorDirection);
    colourLayout->addStretch(1);

    auto* textFiles = makeGroup("GroupBox3", QStringLiteral("Doplňující soubory:"));
    o.licenceFile =
        makeFieldEdit(FieldId::LicenceFile, {},
                      QStringLiteral("Jméno souboru s licenčním ujednáním, které bude zobrazeno "
                                     "před volbou adresáře."));
    o.infoBeforeFile =
        makeFieldEdit(FieldId::InfoBeforeFile, {},
                      QStringLiteral("Jméno souboru s informacemi, které budou zobrazeny před "
                                     "volbou adresáře."));
    o.infoAfterFile =
        makeFieldEdit(FieldId::InfoAfterFile, {},
                      QStringLiteral("Jméno souboru s popisem programu, který bude zobrazen po "
                                     "úspěšné instalaci."));
    auto* files = new QGridLayout(textFiles);
    files->setColumnStretch(1, 1);
    const std::tuple<const char*, FieldId, QLineEdit*, QPushButton**> rows[] = {
        {"Label7", FieldId::LicenceFile, o.licenceFile, &o.licenceButton},
        {"Label8", FieldId::InfoBeforeFile, o.infoBeforeFile, &o.infoBeforeButton},
        {"Label9", FieldId::InfoAfterFile, o.infoAfterFile, &o.infoAfterButton}};
    int row = 0;
    for (const auto& [labelName, field, edit, button] : rows) {
        *button = makeChooserButton(field, QStringLiteral("Vybete soubor ze seznamu."));
        files->addWidget(makeFieldLabel(labelName, field), row, 0);
        files->addWidget(edit, row, 1);
        files->addWidget(*button, row, 2);
        edit->setMinimumWidth(scaled(page, 113));
        ++row;
    }

    o.innoSetup6Hint = makeCompilerHint(
        "InnoSetup6Verze",
        QStringLiteral("Inno Setup 6: instalace poběží jen ve Windows 7 SP1 a novějších, "
                       "zvolené minimální verze se neuplatní (jen Win NT „zakázat“ kompilaci "
                       "odmítne)."));

    auto* groups = new QHBoxLayout;
    groups->addWidget(o.win);
    groups->addWidget(o.winNT);
    auto* left = new QVBoxLayout;
    left->addLayout(groups);
    left->addWidget(o.innoSetup6Hint);
    left->addWidget(o.alwaysRestart);
    left->addWidget(o.uninstallable);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(colourGroup, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(textFiles);
    return page;
}

QWidget* MainWindow::buildPublishingPage() {
    QWidget* page = makePage(QStringLiteral("PageVydani"));
    PublishingPage& v = publishing_;

    v.appVersion = makeFieldEdit(FieldId::AppVersion, QStringLiteral("např. 1.2.3"),
                                 QStringLiteral("Verze se zobrazí v seznamu programů Windows; "
                                                "čísla oddělená tečkami se zapíší i do "
                                                "vlastností instalačního souboru."));
    v.appPublisher = makeFieldEdit(FieldId::AppPublisher, {},
                                   QStringLiteral("Vydavatel se zobrazí v seznamu programů Windows "
                                                  "a ve vlastnostech instalačního souboru."));
    v.appPublisherUrl =
        makeFieldEdit(FieldId::AppPublisherURL, QStringLiteral("např. https://www.example.cz"),
                      QStringLiteral("Webová stránka, na kterou odkazuje seznam programů "
                                     "Windows."));
    v.setupIconFile =
        makeFieldEdit(FieldId::SetupIconFile, {},
                      QStringLiteral("Soubor .ico z pracovního adresáře, jehož ikonu dostane "
                                     "instalační soubor."));
    v.setupIconButton =
        makeChooserButton(FieldId::SetupIconFile, QStringLiteral("Vyberte soubor ze seznamu."));
    v.outputBaseFilename =
        makeFieldEdit(FieldId::OutputBaseFilename, {},
                      QStringLiteral("Jméno, pod kterým se instalační soubor uloží do adresáře "
                                     "\"Output\". Prázdné pole: název programu včetně verze."));
    v.runAfterInstall = new QComboBox;
    v.runAfterInstall->setObjectName(objectNameOf(FieldId::RunAfterInstall));
    v.runAfterInstall->setEditable(false);
    v.runAfterInstall->addItems(toStringList(kRunAfterInstallItems));
    setHint(v.runAfterInstall, {},
            QStringLiteral("Poslední stránka instalace nabídne spuštění programu vybrané "
                           "ikony."));
    v.desktopIconOptional = makeFieldCheck(
        FieldId::DesktopIconOptional,
        QStringLiteral("Ikony na Pracovní ploše vytvoří instalace, jen když si je uživatel "
                       "zaškrtne."));
    v.install64Bit = makeFieldCheck(
        FieldId::Install64Bit, QStringLiteral("Program se nainstaluje do 64bitové složky Program "
                                              "Files; na 32bitových Windows instalace nepoběží."));
    v.perUserInstall = makeFieldCheck(
        FieldId::PerUserInstall,
        QStringLiteral("Instalace nebude potřebovat práva správce: program, skupina v nabídce "
                       "Start i položka v seznamu programů budou jen přihlášeného uživatele."));
    v.uninstallDisplayIcon =
        makeFieldCheck(FieldId::UninstallDisplayIcon,
                       QStringLiteral("Seznam programů Windows ukáže u programu ikonu, kterou "
                                      "má ikona č.1."));

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    const std::tuple<const char*, FieldId, QWidget*> rows[] = {
        {"AppVersionLabel", FieldId::AppVersion, v.appVersion},
        {"AppPublisherLabel", FieldId::AppPublisher, v.appPublisher},
        {"AppPublisherURLLabel", FieldId::AppPublisherURL, v.appPublisherUrl},
        {"SetupIconFileLabel", FieldId::SetupIconFile, v.setupIconFile},
        {"OutputBaseFilenameLabel", FieldId::OutputBaseFilename, v.outputBaseFilename},
        {"RunAfterInstallLabel", FieldId::RunAfterInstall, v.runAfterInstall}};
    int row = 0;
    for (const auto& [labelName, field, control] : rows) {
        grid->addWidget(makeFieldLabel(labelName, field), row, 0);
        grid->addWidget(control, row, 1);
        ++row;
    }
    grid->addWidget(v.setupIconButton, 3, 2);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    for (QCheckBox* check :
         {v.desktopIconOptional, v.install64Bit, v.perUserInstall, v.uninstallDisplayIcon}) {
        layout->addWidget(check);
    }
    layout->addStretch(1);
    return page;
}

void MainWindow::setTabOrders() {
    const BasicPage& b = basic_;
    std::vector<QWidget*> order = {pages_,
                                   b.appName,
                                   b.appVerName,
                                   b.defaultDirName,
                                   b.defaultGroupName,
                                   b.appCopyright,
                                   b.installToProgramFiles,
                                   b.disableDirPage,
                                   b.showLanguageDialog,
                                   b.password,
                                   icons_.disableProgramGroupPage,
                                   icons_.allowNoIcons,
                                   icons_.iconPages};
    for (const IconControls& c : icons_.icons) {
        order.insert(order.end(), {c.name, c.fileName, c.fileButton, c.parameters, c.iconFile,
                                   c.iconButton, c.iconIndex, c.onDesktop, c.inStartup, c.hotKey});
    }
    auto addGroup = [&order](const RadioGroup* group) {
        for (int i = 0; i < group->count(); ++i) {
            order.push_back(group->button(i));
        }
    };
    order.insert(order.end(),
                 {disks_.diskSpanning, disks_.diskSize, disks_.reserveBytes, ini_.fileName});
    addGroup(ini_.location);
    order.insert(order.end(), {ini_.section, ini_.deleteOnUninstall, ini_.key1, ini_.value1,
                               ini_.key2, ini_.value2});
    addGroup(other_.win);
    addGroup(other_.winNT);
    const OtherPage& o = other_;
    order.insert(order.end(),
                 {o.alwaysRestart, o.uninstallable, o.backgroundColor, o.backSolid,
                  o.backColorDirection, o.windowVisible, o.licenceFile, o.licenceButton,
                  o.infoBeforeFile, o.infoBeforeButton, o.infoAfterFile, o.infoAfterButton});
    const PublishingPage& v = publishing_;
    order.insert(order.end(), {v.appVersion, v.appPublisher, v.appPublisherUrl, v.setupIconFile,
                               v.setupIconButton, v.outputBaseFilename, v.runAfterInstall,
                               v.desktopIconOptional, v.install64Bit, v.perUserInstall,
                               v.uninstallDisplayIcon, buildButton_, exitButton_});
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void MainWindow::createDialogs() {
    outputFolderDialog_ = new OutputFolderDialog(this);
    signingDialog_ = new SigningDialog(layout_.settings, this);
    runFileChooser_ = new RunFileChooser(this);
    iconChooser_ = new IconChooser(this);
    for (ChooserDialog* chooser : {static_cast<ChooserDialog*>(runFileChooser_),
                                   static_cast<ChooserDialog*>(iconChooser_)}) {
        chooser->setSourceFolder(sourceFolder_);
    }
    // The About box comes last; "&O autorech" (F2) shows it modally.
    aboutBox_ = new AboutBox(this);
    aboutBox_->openFrom(commands_.about);
}

} // namespace tornavel::ui
