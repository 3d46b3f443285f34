#include "ui/Unit1.h"

#include "project/ProjectFile.h"
#include "ui/MessageBoxes.h"
#include "ui/Pictures.h"
#include "ui/Unit4.h"
#include "ui/controls/Cp1250Validator.h"
#include "ui/controls/RadioGroup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
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

// The window was laid out for an 8-point system font; sizes given in those
// pixels grow with the font actually in use.
int scaled(const QWidget* w, int designPixels) {
    const double factor = std::max(1.0, QFontMetrics(w->font()).averageCharWidth() / 5.0);
    return static_cast<int>(designPixels * factor + 0.5);
}

// A hint is a tooltip (short part) and a status-line text (long part).
void setHint(QWidget* w, const QString& shortHint, const QString& longHint) {
    if (!shortHint.isEmpty()) {
        w->setToolTip(shortHint);
    }
    w->setStatusTip(longHint);
}

QLineEdit* makeEdit(const char* name, int maxLength = -1) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new Cp1250Validator(edit, maxLength));
    return edit;
}

QLabel* makeLabel(const char* name, const QString& text, bool bold = false) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QCheckBox* makeCheck(const char* name, const QString& text) {
    auto* check = new QCheckBox(text);
    check->setObjectName(QString::fromLatin1(name));
    return check;
}

QPushButton* makeDotsButton(const char* name, const QString& statusText) {
    auto* button = new QPushButton(QStringLiteral("..."));
    button->setObjectName(QString::fromLatin1(name));
    const int side = button->fontMetrics().height() + 10;
    button->setFixedSize(side, side);
    setHint(button, QStringLiteral("nalistovat"), statusText);
    return button;
}

QGroupBox* makeGroup(const char* name, const QString& caption) {
    auto* group = new QGroupBox(caption);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QToolButton* makeSpeedButton(const char* name) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    button->setFixedSize(23, 22);
    return button;
}

void chainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) {
            QWidget::setTabOrder(previous, w);
        }
        previous = w;
    }
}

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
    setWindowIcon(programPicture());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    buildMenus();
    buildToolBar();

    TabbedNotebook1 = new QTabWidget;
    TabbedNotebook1->setObjectName(QStringLiteral("TabbedNotebook1"));
    TabbedNotebook1->setUsesScrollButtons(false);
    TabbedNotebook1->tabBar()->setElideMode(Qt::ElideNone);
    TabbedNotebook1->addTab(buildBasicPage(), QStringLiteral("Základní nastavení"));
    TabbedNotebook1->addTab(buildFilesPage(), QStringLiteral("Soubory"));
    TabbedNotebook1->addTab(buildIconsPage(), QStringLiteral("Ikony"));
    TabbedNotebook1->addTab(buildDisksPage(), QStringLiteral("Diskety"));
    TabbedNotebook1->addTab(buildIniPage(), QStringLiteral("INI"));
    TabbedNotebook1->addTab(buildOtherPage(), QStringLiteral("Ostatní"));
    connect(TabbedNotebook1, &QTabWidget::tabBarClicked, this,
            [this] { emit filesPageRefreshRequested(); });

    BitBtn1 = new QPushButton(buildPicture(), QStringLiteral("Vytvořit instalaci"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    setHint(BitBtn1, {},
            QStringLiteral("Vytvoří instalační soubor(y). Před započetím kompilace smaže soubory "
                           "v adresáři \"Output\"."));
    BitBtn2 = new QPushButton(exitPicture(), QStringLiteral("Konec"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    setHint(BitBtn2, {}, QStringLiteral("Ukončí program."));
    for (QPushButton* button : {BitBtn1, BitBtn2}) {
        button->setIconSize(QSize(24, 24));
        button->setMinimumSize(scaled(button, 129), 33);
    }

    Panel2 = new QLabel;
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(1);
    Panel2->setMinimumHeight(21);
    Panel2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Panel2->setTextFormat(Qt::PlainText);
    // A long hint must never widen the window; it is cut off instead.
    Panel2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    auto* central = new QWidget;
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(3, 1, 3, 6);
    body->setSpacing(6);
    body->addWidget(TabbedNotebook1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addSpacing(scaled(this, 15));
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    body->addLayout(buttons);
    centralLayout->addLayout(body);
    centralLayout->addWidget(Panel2);
    setCentralWidget(central);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    // "Konec" is the window's cancel button: Esc presses it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, BitBtn2, &QPushButton::click);

    setTabOrders();
    TabbedNotebook1->setCurrentIndex(0);
    TabbedNotebook2->setCurrentIndex(0);
    showDesignValues();
    connectChangeNotifications();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
}

TForm1::~TForm1() = default;

// ---------------------------------------------------------------------------
// Layout

void TForm1::buildMenus() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    Instalace1 = MainMenu1->addMenu(QStringLiteral("&Instalace"));
    Instalace1->setObjectName(QStringLiteral("Instalace1"));
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                          const QKeySequence& shortcut) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action); // the shortcut works wherever the menu stands
        return action;
    };
    Nova = addItem(Instalace1, "Nova", QStringLiteral("&Nová"), QKeySequence(Qt::CTRL | Qt::Key_N));
    Otevri = addItem(Instalace1, "Otevri", QStringLiteral("&Otevři"),
                     QKeySequence(Qt::CTRL | Qt::Key_O));
    Uloz = addItem(Instalace1, "Uloz", QStringLiteral("&Ulož"), QKeySequence(Qt::CTRL | Qt::Key_S));
    Ulozjako = addItem(Instalace1, "Ulozjako", QStringLiteral("Ulož jako"),
                       QKeySequence(Qt::CTRL | Qt::Key_D));
    N1 = Instalace1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    Vytvoitinstalaci1 = addItem(Instalace1, "Vytvoitinstalaci1",
                                QStringLiteral("Vytvořit instalaci"), QKeySequence(Qt::Key_F9));
    N2 = Instalace1->addSeparator();
    N2->setObjectName(QStringLiteral("N2"));
    Konec =
        addItem(Instalace1, "Konec", QStringLiteral("&Konec"), QKeySequence(Qt::ALT | Qt::Key_F4));

    Nastaven1 = MainMenu1->addMenu(QStringLiteral("Na&stavení"));
    Nastaven1->setObjectName(QStringLiteral("Nastaven1"));
    Vystupnadres1 = addItem(Nastaven1, "Vystupnadres1", QStringLiteral("Výstupní adresář"), {});

    // "Nápověda" stands at the right end of the menu bar, as a menu bar of its
    // own in the bar's corner.
    auto* helpBar = new QMenuBar(MainMenu1);
    helpBar->setObjectName(QStringLiteral("HelpMenuBar"));
    Napoveda = helpBar->addMenu(QStringLiteral("&Nápověda"));
    Napoveda->setObjectName(QStringLiteral("Napoveda"));
    Oautorech =
        addItem(Napoveda, "Oautorech", QStringLiteral("&O autorech"), QKeySequence(Qt::Key_F2));
    MainMenu1->setCornerWidget(helpBar, Qt::TopRightCorner);

    HelpAction = new QAction(QStringLiteral("Nápověda"), this);
    HelpAction->setObjectName(QStringLiteral("HelpAction"));
    HelpAction->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(HelpAction);

    connect(Nova, &QAction::triggered, this, &TForm1::NovaClick);
    connect(Otevri, &QAction::triggered, this, &TForm1::OtevriClick);
    connect(Uloz, &QAction::triggered, this, &TForm1::UlozClick);
    connect(Ulozjako, &QAction::triggered, this, &TForm1::UlozjakoClick);
    connect(Vytvoitinstalaci1, &QAction::triggered, this, &TForm1::Vytvoitinstalaci1Click);
    connect(Konec, &QAction::triggered, this, &TForm1::KonecClick);
    connect(Vystupnadres1, &QAction::triggered, this, &TForm1::Vystupnadres1Click);
    connect(HelpAction, &QAction::triggered, this, &TForm1::HelpClick);
}

void TForm1::buildToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->toggleViewAction()->setVisible(false);

    SpeedButton7 = makeSpeedButton("SpeedButton7");
    SpeedButton7->setFixedWidth(3);
    SpeedButton7->setEnabled(false);
    SpeedButton1 = makeSpeedButton("SpeedButton1");
    SpeedButton1->setIcon(newProjectPicture());
    SpeedButton2 = makeSpeedButton("SpeedButton2");
    SpeedButton2->setIcon(openProjectPicture());
    SpeedButton3 = makeSpeedButton("SpeedButton3");
    SpeedButton3->setIcon(saveProjectPicture());
    SpeedButton6 = makeSpeedButton("SpeedButton6");
    SpeedButton6->setEnabled(false);
    SpeedButton5 = makeSpeedButton("SpeedButton5");
    SpeedButton5->setIcon(exitPicture());
    for (QToolButton* button :
         {SpeedButton7, SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton6, SpeedButton5}) {
        ToolBar1->addWidget(button);
    }
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
}

QWidget* TForm1::buildBasicPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageZakladniNastaveni"));

    Label1 = makeLabel("Label1", QStringLiteral("Název instalovaného programu:"));
    Edit1 = makeEdit("Edit1");
    setHint(Edit1, QStringLiteral("max. 63 znaků"),
            QStringLiteral("Během instalace bude zobrazen v levém horním rohu obrazovky a v "
                           "hlavičce instalačního průvodce. "));
    Label2 = makeLabel("Label2", QStringLiteral("Název programu včetně verze:"));
    Edit2 = makeEdit("Edit2", 236);
    setHint(Edit2, QStringLiteral("max. 63 znaků"),
            QStringLiteral("Bude zobrazen v uvítacím okně instalačního průvodce."));
    Label3 = makeLabel("Label3", QStringLiteral("Jméno adresáře, kam se bude program instalovat:"));
    Edit3 = makeEdit("Edit3");
    setHint(Edit3, QStringLiteral("max. 47 znaků"),
            QStringLiteral("Předvolené jméno adresáře, který bude použit na stránce \"Výběr "
                           "adresáře\"."));
    Label4 = makeLabel("Label4", QStringLiteral("Programová skupina (v nabídce Start):"));
    Edit4 = makeEdit("Edit4");
    setHint(Edit4, QStringLiteral("max. 47 znaků"),
            QStringLiteral("Předvolené jméno programové skupiny, které bude použito na stránce "
                           "\"Výběr programové skupiny\"."));
    Label6 = makeLabel("Label6", QStringLiteral("Heslo k povolení instalace programu:"));
    Edit9 = makeEdit("Edit9");
    setHint(Edit9, QStringLiteral("max. 47 znaků"),
            QStringLiteral("Heslo, které bude instalátor vyžadovat před započetím instalace."));

    GroupBox2 = makeGroup("GroupBox2", QStringLiteral("Informace o případném copyrightu:"));
    Edit5 = makeEdit("Edit5");
    setHint(Edit5, QStringLiteral("max. 63 znaků"),
            QStringLiteral("Informace o copyrightu je při instalaci zobrazena v pravém dolním "
                           "rohu obrazovky."));
    auto* groupLayout = new QVBoxLayout(GroupBox2);
    groupLayout->addWidget(Edit5);
    groupLayout->addStretch(1);

    CheckBox1 = makeCheck("CheckBox1", QStringLiteral("Instalovat do složky Program Files"));
    setHint(CheckBox1, {},
            QStringLiteral("Nabídne na stránce \"Výběr adresáře\" instalaci do složky Program "
                           "Files."));
    CheckBox7 = makeCheck("CheckBox7", QStringLiteral("Znemožnit změnu adresáře pro instalaci"));
    setHint(CheckBox7, {},
            QStringLiteral("Pokud zaškrtnete tuto volbu, nezobrazí se okno, kdy je možno změnit "
                           "přednastavený adresář."));
    CheckBox12 = makeCheck("CheckBox12", QStringLiteral("Výběr jazyka instalačního průvodce"));
    setHint(CheckBox12, {},
            QStringLiteral("Změna jazyka instalačního průvodce. Čeština, angličtina, němčina, "
                           "slovenština a francouzština."));

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(scaled(page, 8));
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (auto [label, edit] :
         {std::pair{Label1, Edit1}, std::pair{Label2, Edit2}, std::pair{Label3, Edit3},
          std::pair{Label4, Edit4}, std::pair{Label6, Edit9}}) {
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        edit->setMinimumWidth(scaled(page, 200));
        ++row;
    }

    auto* checks = new QVBoxLayout;
    checks->addWidget(CheckBox1);
    checks->addWidget(CheckBox7);
    checks->addWidget(CheckBox12);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(GroupBox2, 1);
    bottom->addSpacing(scaled(page, 8));
    bottom->addLayout(checks);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(bottom);
    return page;
}

QWidget* TForm1::buildFilesPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageSoubory"));

    Label12 = makeLabel("Label12", QStringLiteral("Adresář s instalačními soubory:"), true);
    Cesta = makeLabel("Cesta", {});
    Cesta->setTextFormat(Qt::PlainText);
    Cesta->setFixedWidth(scaled(page, 273));
    Cesta->setAutoFillBackground(true);
    QPalette palette = Cesta->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    palette.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    Cesta->setPalette(palette);

    browserArea = new QWidget;
    browserArea->setObjectName(QStringLiteral("browserArea"));
    browserArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* browserLayout = new QVBoxLayout(browserArea);
    browserLayout->setContentsMargins(0, 0, 0, 0);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(Label12);
    pathRow->addWidget(Cesta);
    pathRow->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(pathRow);
    layout->addWidget(browserArea, 1);
    return page;
}

QWidget* TForm1::buildIconsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageIkony"));

    CheckBox9 = makeCheck(
        "CheckBox9",
        QStringLiteral("Vynechat okno, kde je možno změnit předvolenou programovou skupinu"));
    setHint(CheckBox9, {},
            QStringLiteral("Pokud zaškrtnete tuto volbu a zároveň nezadáte žádnou ikonu, "
                           "nenainstaluje se žádná ikona."));
    CheckBox2 = makeCheck("CheckBox2",
                          QStringLiteral("Zobrazit tlačítko \"Nevytvářet žádné program.ikony\""));
    setHint(CheckBox2, {},
            QStringLiteral("Určuje, jestli má instalační průvodce zobrazit přepínač "
                           "\"Nevytvářet žádné programové ikony\"."));

    TabbedNotebook2 = new QTabWidget;
    TabbedNotebook2->setObjectName(QStringLiteral("TabbedNotebook2"));
    TabbedNotebook2->setUsesScrollButtons(false);
    TabbedNotebook2->tabBar()->setElideMode(Qt::ElideNone);
    for (int i = 0; i < kIconCount; ++i) {
        TabbedNotebook2->addTab(buildIconPage(i), QStringLiteral("    Ikona č.%1    ").arg(i + 1));
    }

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(CheckBox9);
    layout->addWidget(CheckBox2);
    layout->addWidget(TabbedNotebook2, 1);
    return page;
}

QWidget* TForm1::buildIconPage(int icon) {
    // The numbered names of the five alike pages.
    struct Names {
        const char* nameLabel;
        const char* name;
        const char* hotKey;
        const char* fileName;
        const char* fileButton;
        const char* parameters;
        const char* iconFile;
        const char* iconButton;
        const char* iconIndex;
        const char* onDesktop;
        const char* inStartup;
        const char* labels[5];
    };
    static const Names kNames[kIconCount] = {
        {"Label10",
         "Edit18",
         "ComboBox1",
         "Edit19",
         "Button2",
         "Edit20",
         "Edit21",
         "Button3",
         "Edit22",
         "CheckBox14",
         "CheckBox15",
         {"Label14", "Label15", "Label16", "Label17", "Label42"}},
        {"Label18",
         "Edit23",
         "ComboBox2",
         "Edit24",
         "Button4",
         "Edit25",
         "Edit26",
         "Button5",
         "Edit27",
         "CheckBox16",
         "CheckBox17",
         {"Label22", "Label30", "Label26", "Label34", "Label43"}},
        {"Label19",
         "Edit28",
         "ComboBox3",
         "Edit29",
         "Button6",
         "Edit30",
         "Edit31",
         "Button7",
         "Edit32",
         "CheckBox18",
         "CheckBox19",
         {"Label23", "Label31", "Label27", "Label35", "Label45"}},
        {"Label20",
         "Edit33",
         "ComboBox4",
         "Edit34",
         "Button8",
         "Edit35",
         "Edit36",
         "Button9",
         "Edit37",
         "CheckBox20",
         "CheckBox21",
         {"Label24", "Label32", "Label28", "Label36", "Label46"}},
        {"Label21",
         "Edit38",
         "ComboBox5",
         "Edit39",
         "Button10",
         "Edit40",
         "Edit41",
         "Button11",
         "Edit42",
         "CheckBox22",
         "CheckBox23",
         {"Label25", "Label33", "Label29", "Label37", "Label54"}},
    };
    const Names& n = kNames[icon];
    IconControls& c = icons_[static_cast<std::size_t>(icon)];

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageIkona%1").arg(icon + 1));

    c.nameLabel = makeLabel(n.nameLabel, QStringLiteral("Jméno ikony č.%1:").arg(icon + 1), true);
    c.name = makeEdit(n.name);
    setHint(c.name, {},
            QStringLiteral("Jméno ikony, které se zobrazí v nabídce Start ve skupině aplikace."));
    c.hotKey = new QComboBox;
    c.hotKey->setObjectName(QString::fromLatin1(n.hotKey));
    c.hotKey->setEditable(false);
    for (const std::string& choice : HotKeyChoices()) {
        c.hotKey->addItem(QString::fromStdString(choice));
    }
    c.fileName = makeEdit(n.fileName);
    setHint(c.fileName, {},
            QStringLiteral("Jméno souboru včetně přípony, který se má touto ikonou spustit."));
    c.fileButton = makeDotsButton(n.fileButton, QStringLiteral("Vyberte soubor ze seznamu."));
    c.parameters = makeEdit(n.parameters);
    setHint(c.parameters, {},
            QStringLiteral("Chcete-li program spouštět s parametrem, zde ho zadejte."));
    c.iconFile = makeEdit(n.iconFile);
    setHint(c.iconFile, {},
            QStringLiteral("Chcete-li použít jinou ikonu, než má spouštěný soubor, zadejte jméno "
                           "souboru včetně přípony."));
    c.iconButton = makeDotsButton(n.iconButton, QStringLiteral("Vyberte soubor ze seznamu."));
    c.iconIndex = makeEdit(n.iconIndex);
    setHint(c.iconIndex, {},
            QStringLiteral("Index ikony v souboru dll nebo exe. (pouze pokud \"Jméno souboru s "
                           "ikonou\" není prázdné)"));
    c.onDesktop = makeCheck(n.onDesktop, QStringLiteral("Také na Pracovní ploše"));
    c.inStartup = makeCheck(n.inStartup, QStringLiteral("Také ve složce Po spuštění"));
    c.otherLabels[0] = makeLabel(n.labels[0], QStringLiteral("Spouštěný soubor:"), true);
    c.otherLabels[1] = makeLabel(n.labels[1], QStringLiteral("Parametr:"));
    c.otherLabels[2] = makeLabel(n.labels[2], QStringLiteral("Jméno souboru s ikonou:"));
    c.otherLabels[3] = makeLabel(n.labels[3], QStringLiteral("Index:"));
    c.otherLabels[4] = makeLabel(n.labels[4], QStringLiteral("Zkratková klávesa:"));

    c.name->setMinimumWidth(scaled(page, 145));
    c.hotKey->setMinimumWidth(scaled(page, 145));
    c.fileName->setMinimumWidth(scaled(page, 121));
    c.iconFile->setMinimumWidth(scaled(page, 121));
    c.parameters->setMinimumWidth(scaled(page, 105));
    c.iconIndex->setMinimumWidth(scaled(page, 105));

    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->addWidget(c.nameLabel, 0, 0);
    grid->addWidget(c.name, 0, 1, 1, 2);
    grid->addWidget(c.onDesktop, 0, 3, 1, 2);
    grid->addWidget(c.otherLabels[4], 1, 0);
    grid->addWidget(c.hotKey, 1, 1, 1, 2);
    grid->addWidget(c.inStartup, 1, 3, 1, 2);
    grid->addWidget(c.otherLabels[0], 2, 0);
    grid->addWidget(c.fileName, 2, 1);
    grid->addWidget(c.fileButton, 2, 2);
    grid->addWidget(c.otherLabels[1], 2, 3);
    grid->addWidget(c.parameters, 2, 4);
    grid->addWidget(c.otherLabels[2], 3, 0);
    grid->addWidget(c.iconFile, 3, 1);
    grid->addWidget(c.iconButton, 3, 2);
    grid->addWidget(c.otherLabels[3], 3, 3);
    grid->addWidget(c.iconIndex, 3, 4);
    grid->setRowStretch(4, 1);

    switch (icon) {
    case 0:
        Label10 = c.nameLabel, Edit18 = c.name, ComboBox1 = c.hotKey, Edit19 = c.fileName;
        Button2 = c.fileButton, Edit20 = c.parameters, Edit21 = c.iconFile, Button3 = c.iconButton;
        Edit22 = c.iconIndex, CheckBox14 = c.onDesktop, CheckBox15 = c.inStartup;
        Label14 = c.otherLabels[0], Label15 = c.otherLabels[1], Label16 = c.otherLabels[2];
        Label17 = c.otherLabels[3], Label42 = c.otherLabels[4];
        break;
    case 1:
        Label18 = c.nameLabel, Edit23 = c.name, ComboBox2 = c.hotKey, Edit24 = c.fileName;
        Button4 = c.fileButton, Edit25 = c.parameters, Edit26 = c.iconFile, Button5 = c.iconButton;
        Edit27 = c.iconIndex, CheckBox16 = c.onDesktop, CheckBox17 = c.inStartup;
        Label22 = c.otherLabels[0], Label30 = c.otherLabels[1], Label26 = c.otherLabels[2];
        Label34 = c.otherLabels[3], Label43 = c.otherLabels[4];
        break;
    case 2:
        Label19 = c.nameLabel, Edit28 = c.name, ComboBox3 = c.hotKey, Edit29 = c.fileName;
        Button6 = c.fileButton, Edit30 = c.parameters, Edit31 = c.iconFile, Button7 = c.iconButton;
        Edit32 = c.iconIndex, CheckBox18 = c.onDesktop, CheckBox19 = c.inStartup;
        Label23 = c.otherLabels[0], Label31 = c.otherLabels[1], Label27 = c.otherLabels[2];
        Label35 = c.otherLabels[3], Label45 = c.otherLabels[4];
        break;
    case 3:
        Label20 = c.nameLabel, Edit33 = c.name, ComboBox4 = c.hotKey, Edit34 = c.fileName;
        Button8 = c.fileButton, Edit35 = c.parameters, Edit36 = c.iconFile, Button9 = c.iconButton;
        Edit37 = c.iconIndex, CheckBox20 = c.onDesktop, CheckBox21 = c.inStartup;
        Label24 = c.otherLabels[0], Label32 = c.otherLabels[1], Label28 = c.otherLabels[2];
        Label36 = c.otherLabels[3], Label46 = c.otherLabels[4];
        break;
    default:
        Label21 = c.nameLabel, Edit38 = c.name, ComboBox5 = c.hotKey, Edit39 = c.fileName;
        Button10 = c.fileButton, Edit40 = c.parameters, Edit41 = c.iconFile;
        Button11 = c.iconButton, Edit42 = c.iconIndex, CheckBox22 = c.onDesktop;
        CheckBox23 = c.inStartup, Label25 = c.otherLabels[0], Label33 = c.otherLabels[1];
        Label29 = c.otherLabels[2], Label37 = c.otherLabels[3], Label54 = c.otherLabels[4];
        break;
    }
    return page;
}

QWidget* TForm1::buildDisksPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageDiskety"));

    CheckBox8 = makeCheck("CheckBox8", QStringLiteral("Rozdělit instalační soubor na více částí"));
    QFont big = CheckBox8->font();
    big.setPointSizeF(big.pointSizeF() * 1.5); // 12 points beside the 8-point text
    CheckBox8->setFont(big);
    setHint(CheckBox8, {},
            QStringLiteral("Chcete-li Váš program distribuovat např. na disketách, zaškrtněte tuto "
                           "volbu."));

    Label5 = makeLabel(
        "Label5",
        QStringLiteral("Velikost jednotlivých částí instalačního soubor s Vaším programem:"));
    Edit53 = makeEdit("Edit53");
    setHint(Edit53, QStringLiteral("1 457 664 až 50 000 000"),
            QStringLiteral("Zde zadejte velikost jednotlivých dílů instalačního  souboru. "));
    Label11 = makeLabel("Label11", QStringLiteral("bajtů"));
    Label13 =
        makeLabel("Label13",
                  QStringLiteral("Počet bajtů, které mají být v první části instalačního souboru"));
    Label50 = makeLabel("Label50",
                        QStringLiteral("ponechány volné, např. pro Váš soubor \"Čti mne.txt\":"));
    Edit54 = makeEdit("Edit54");
    setHint(Edit54, QStringLiteral("0 až hodnota v okně nahoře"),
            QStringLiteral("Zadejte velikost místa, které potřebujete na první disketě zachovat "
                           "prázdné."));
    Label51 = makeLabel("Label51", QStringLiteral("bajtů"));
    for (QLineEdit* edit : {Edit53, Edit54}) {
        edit->setFixedWidth(scaled(page, 89));
    }

    GroupBox10 = makeGroup("GroupBox10", QStringLiteral("Poznámka:"));
    Label52 = makeLabel(
        "Label52",
        QStringLiteral("Potřebujete-li Váš program instalovat z více disket, zadejte zde jejich "
                       "velikost. Přednastavená  hodnota je pro diskety (1 457 664b). Po "
                       "dokončení instalace soubory *.exe a *1.bin nakopírujte na první "
                       "disketu. Na další disketu pak soubor *2.bin atd."));
    Label52->setWordWrap(true);
    auto* noteLayout = new QVBoxLayout(GroupBox10);
    noteLayout->addWidget(Label52);

    auto* checkRow = new QHBoxLayout;
    checkRow->addSpacing(scaled(page, 72));
    checkRow->addWidget(CheckBox8);
    checkRow->addStretch(1);

    auto* reserveLabels = new QVBoxLayout;
    reserveLabels->setSpacing(0);
    reserveLabels->addWidget(Label13);
    reserveLabels->addWidget(Label50);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(scaled(page, 16));
    grid->setColumnStretch(0, 1);
    grid->addWidget(Label5, 0, 0);
    grid->addWidget(Edit53, 0, 1);
    grid->addWidget(Label11, 0, 2);
    grid->addLayout(reserveLabels, 1, 0);
    grid->addWidget(Edit54, 1, 1);
    grid->addWidget(Label51, 1, 2);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(checkRow);
    layout->addSpacing(scaled(page, 8));
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(GroupBox10);
    return page;
}

QWidget* TForm1::buildIniPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageINI"));

    Label38 =
        makeLabel("Label38", QStringLiteral("Jméno souboru .INI, který má být upraven:"), true);
    Edit43 = makeEdit("Edit43");
    setHint(Edit43, QStringLiteral("max 63 znaků"), QStringLiteral("Zadejte včetně přípony."));
    Edit43->setMinimumWidth(scaled(page, 233));
    QStringList locations;
    for (std::string_view item : kIniLocationItems) {
        locations << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    }
    RadioGroup4 = new TRadioGroup(QStringLiteral("V jakém adresáři se nachází?"), locations);
    RadioGroup4->setObjectName(QStringLiteral("RadioGroup4"));

    GroupBox7 = makeGroup("GroupBox7", QStringLiteral("Sekce a záznamy:"));
    Label47 = makeLabel("Label47", QStringLiteral("Jméno sekce:"));
    Edit52 = makeEdit("Edit52");
    CheckBox5 = makeCheck("CheckBox5", QStringLiteral("Při odinstalaci programu záznamy smazat."));
    Label39 = makeLabel("Label39", QStringLiteral("Jméno záznamu č.1:"));
    Edit44 = makeEdit("Edit44");
    Label40 = makeLabel("Label40", QStringLiteral("Hodnota záznamu č.1:"));
    Edit45 = makeEdit("Edit45");
    Label41 = makeLabel("Label41", QStringLiteral("Jméno záznamu č.2"));
    Edit46 = makeEdit("Edit46");
    Label44 = makeLabel("Label44", QStringLiteral("Hodnota záznamu č.2:"));
    Edit47 = makeEdit("Edit47");
    for (QLineEdit* edit : {Edit44, Edit45, Edit46, Edit47}) {
        edit->setMinimumWidth(scaled(page, 217));
    }

    auto* sectionRow = new QHBoxLayout;
    sectionRow->addWidget(Label47);
    sectionRow->addWidget(Edit52, 1);
    auto* grid = new QGridLayout(GroupBox7);
    grid->setHorizontalSpacing(scaled(page, 8));
    grid->addLayout(sectionRow, 0, 0);
    grid->addWidget(CheckBox5, 0, 1);
    grid->addWidget(Label39, 1, 0);
    grid->addWidget(Label41, 1, 1);
    grid->addWidget(Edit44, 2, 0);
    grid->addWidget(Edit46, 2, 1);
    grid->addWidget(Label40, 3, 0);
    grid->addWidget(Label44, 3, 1);
    grid->addWidget(Edit45, 4, 0);
    grid->addWidget(Edit47, 4, 1);

    auto* fileColumn = new QVBoxLayout;
    fileColumn->addWidget(Label38);
    fileColumn->addWidget(Edit43);
    fileColumn->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(fileColumn, 1);
    top->addWidget(RadioGroup4);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(GroupBox7);
    layout->addStretch(1);
    return page;
}

QWidget* TForm1::buildOtherPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageOstatni"));

    auto toList = [](const auto& items) {
        QStringList list;
        for (std::string_view item : items) {
            list << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
        }
        return list;
    };
    RadioGroup1 = new TRadioGroup(QStringLiteral("Minimální verze Win"), toList(kWinItems));
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup2 = new TRadioGroup(QStringLiteral("Minimální verze Win NT"), toList(kWinNTItems));
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));

    CheckBox3 = makeCheck("CheckBox3",
                          QStringLiteral("Po úspěšné (od)instalaci nabídnout restart windows"));
    setHint(CheckBox3, {},
            QStringLiteral("Po úspěšné instalaci se instalační průvodce zeptá, jestli má "
                           "restartovat systém."));
    CheckBox4 = makeCheck("CheckBox4", QStringLiteral("Vynechat odinstalační program"));
    setHint(CheckBox4, {}, QStringLiteral("Tornavel do instalace nazahrne odinstalační program."));

    GroupBox9 = makeGroup("GroupBox9", QStringLiteral("Barva podkladu:"));
    Panel1 = new QFrame;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel1->setLineWidth(1);
    Panel1->setAutoFillBackground(true);
    Panel1->setFixedHeight(33);
    Pozadi = new QComboBox;
    Pozadi->setObjectName(QStringLiteral("Pozadi"));
    Pozadi->setEditable(false);
    Pozadi->setMaxVisibleItems(kBackgroundColorCount);
    for (const BackgroundColorEntry& entry : BackgroundColors) {
        Pozadi->addItem(
            QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size())));
    }
    CheckBox10 = makeCheck("CheckBox10", QStringLiteral("Pozadí instalace"));
    setHint(CheckBox10, {},
            QStringLiteral("Instalace probíhá buď v okně nebo má barevné pozadí přes celou "
                           "obrazovku."));
    CheckBox6 = makeCheck("CheckBox6", QStringLiteral("Postupný přechod do černé."));
    CheckBox13 = makeCheck("CheckBox13", QStringLiteral("Svisle/vodorovně"));
    setHint(CheckBox13, {}, QStringLiteral("Přechod může být od shora dolů nebo zleva doprava"));
    auto* colourLayout = new QVBoxLayout(GroupBox9);
    colourLayout->setSpacing(3);
    colourLayout->addWidget(Panel1);
    colourLayout->addWidget(Pozadi);
    colourLayout->addWidget(CheckBox10);
    colourLayout->addWidget(CheckBox6);
    colourLayout->addWidget(CheckBox13);
    colourLayout->addStretch(1);

    GroupBox3 = makeGroup("GroupBox3", QStringLiteral("Doplňující soubory:"));
    Label7 = makeLabel("Label7", QStringLiteral("Jméno souboru s licenčním ujednáním:"));
    Edit6 = makeEdit("Edit6");
    setHint(Edit6, {},
            QStringLiteral("Jméno souboru s licenčním ujednáním, které bude zobrazeno před volbou "
                           "adresáře."));
    Button12 = makeDotsButton("Button12", QStringLiteral("Vybete soubor ze seznamu."));
    Label8 = makeLabel("Label8",
                       QStringLiteral("Jméno souboru, který bude zobrazen před volbou adresáře:"));
    Edit7 = makeEdit("Edit7");
    setHint(Edit7, {},
            QStringLiteral("Jméno souboru s informacemi, které budou zobrazeny před volbou "
                           "adresáře."));
    Button13 = makeDotsButton("Button13", QStringLiteral("Vybete soubor ze seznamu."));
    Label9 = makeLabel("Label9",
                       QStringLiteral("Jméno souboru, který bude zobrazen po úspěšné instalaci:"));
    Edit8 = makeEdit("Edit8");
    setHint(Edit8, {},
            QStringLiteral("Jméno souboru s popisem programu, který bude zobrazen po úspěšné "
                           "instalaci."));
    Button14 = makeDotsButton("Button14", QStringLiteral("Vybete soubor ze seznamu."));
    auto* files = new QGridLayout(GroupBox3);
    files->setColumnStretch(1, 1);
    int row = 0;
    for (auto [label, edit, button] :
         {std::tuple{Label7, Edit6, Button12}, std::tuple{Label8, Edit7, Button13},
          std::tuple{Label9, Edit8, Button14}}) {
        files->addWidget(label, row, 0);
        files->addWidget(edit, row, 1);
        files->addWidget(button, row, 2);
        edit->setMinimumWidth(scaled(page, 113));
        ++row;
    }

    auto* groups = new QHBoxLayout;
    groups->addWidget(RadioGroup1);
    groups->addWidget(RadioGroup2);
    auto* left = new QVBoxLayout;
    left->addLayout(groups);
    left->addWidget(CheckBox3);
    left->addWidget(CheckBox4);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(GroupBox9, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(GroupBox3);
    return page;
}

void TForm1::setTabOrders() {
    chainTabOrder({TabbedNotebook1, Edit1, Edit2, Edit3, Edit4, Edit5, CheckBox1, CheckBox7,
                   CheckBox12, Edit9, CheckBox9, CheckBox2, TabbedNotebook2});
    QWidget* previous = TabbedNotebook2;
    for (const IconControls& c : icons_) {
        for (QWidget* w : {static_cast<QWidget*>(c.name), static_cast<QWidget*>(c.fileName),
                           static_cast<QWidget*>(c.fileButton), static_cast<QWidget*>(c.parameters),
                           static_cast<QWidget*>(c.iconFile), static_cast<QWidget*>(c.iconButton),
                           static_cast<QWidget*>(c.iconIndex), static_cast<QWidget*>(c.onDesktop),
                           static_cast<QWidget*>(c.inStartup), static_cast<QWidget*>(c.hotKey)}) {
            QWidget::setTabOrder(previous, w);
            previous = w;
        }
    }
    chainTabOrder({previous, CheckBox8, Edit53, Edit54, Edit43, RadioGroup4->button(0)});
    previous = RadioGroup4->button(0);
    for (TRadioGroup* group : {RadioGroup4}) {
        for (int i = 1; i < group->count(); ++i) {
            QWidget::setTabOrder(previous, group->button(i));
            previous = group->button(i);
        }
    }
    chainTabOrder({previous, Edit52, CheckBox5, Edit44, Edit45, Edit46, Edit47});
    previous = Edit47;
    for (TRadioGroup* group : {RadioGroup1, RadioGroup2}) {
        for (int i = 0; i < group->count(); ++i) {
            QWidget::setTabOrder(previous, group->button(i));
            previous = group->button(i);
        }
    }
    chainTabOrder({previous, CheckBox3, CheckBox4, Pozadi, CheckBox6, CheckBox13, CheckBox10, Edit6,
                   Button12, Edit7, Button13, Edit8, Button14, BitBtn1, BitBtn2});
}

// ---------------------------------------------------------------------------
// The project and the controls

QWidget* TForm1::fieldControl(FieldId field) const {
    switch (field) {
    case FieldId::AppName:
        return Edit1;
    case FieldId::AppVerName:
        return Edit2;
    case FieldId::DefaultDirName:
        return Edit3;
    case FieldId::DefaultGroupName:
        return Edit4;
    case FieldId::Password:
        return Edit9;
    case FieldId::AppCopyright:
        return Edit5;
    case FieldId::InstallToProgramFiles:
        return CheckBox1;
    case FieldId::DisableDirPage:
        return CheckBox7;
    case FieldId::ShowLanguageDialog:
        return CheckBox12;
    case FieldId::DiskSpanning:
        return CheckBox8;
    case FieldId::DiskSize:
        return Edit53;
    case FieldId::ReserveBytes:
        return Edit54;
    case FieldId::Font:
        return nullptr;
    case FieldId::Win:
        return RadioGroup1;
    case FieldId::WinNT:
        return RadioGroup2;
    case FieldId::LicenceFile:
        return Edit6;
    case FieldId::InfoBeforeFile:
        return Edit7;
    case FieldId::InfoAfterFile:
        return Edit8;
    case FieldId::BackgroundColor:
        return Pozadi;
    case FieldId::PreviewColor:
        return Panel1;
    case FieldId::AlwaysRestart:
        return CheckBox3;
    case FieldId::Uninstallable:
        return CheckBox4;
    case FieldId::BackSolid:
        return CheckBox6;
    case FieldId::BackColorDirection:
        return CheckBox13;
    case FieldId::WindowVisible:
        return CheckBox10;
    case FieldId::AllowNoIcons:
        return CheckBox2;
    case FieldId::DisableProgramGroupPage:
        return CheckBox9;
    case FieldId::IniFileName:
        return Edit43;
    case FieldId::IniLocation:
        return RadioGroup4;
    case FieldId::IniSection:
        return Edit52;
    case FieldId::IniKey1:
        return Edit44;
    case FieldId::IniValue1:
        return Edit45;
    case FieldId::IniKey2:
        return Edit46;
    case FieldId::IniValue2:
        return Edit47;
    case FieldId::IniDeleteOnUninstall:
        return CheckBox5;
    case FieldId::FirstIconField:
        break;
    }
    const IconFieldRef ref = iconFieldRef(field);
    if (ref.icon < 0) {
        return nullptr;
    }
    const IconControls& c = icons_[static_cast<std::size_t>(ref.icon)];
    switch (ref.part) {
    case IconPart::Name:
        return c.name;
    case IconPart::FileName:
        return c.fileName;
    case IconPart::Parameters:
        return c.parameters;
    case IconPart::IconFile:
        return c.iconFile;
    case IconPart::IconIndex:
        return c.iconIndex;
    case IconPart::HotKey:
        return c.hotKey;
    case IconPart::OnDesktop:
        return c.onDesktop;
    case IconPart::InStartup:
        return c.inStartup;
    }
    return nullptr;
}

ProjectSettings TForm1::projectFromControls() const {
    // Read field by field without the core's rules: the record is a copy of
    // what the controls show, nothing more.
    auto text = [](const QLineEdit* e) { return e->text().toStdString(); };
    ProjectSettings s;
    s.AppName = text(Edit1);
    s.AppVerName = text(Edit2);
    s.DefaultDirName = text(Edit3);
    s.DefaultGroupName = text(Edit4);
    s.Password = text(Edit9);
    s.AppCopyright = text(Edit5);
    s.InstallToProgramFiles = CheckBox1->isChecked();
    s.DisableDirPage = CheckBox7->isChecked();
    s.ShowLanguageDialog = CheckBox12->isChecked();
    s.DiskSpanning = CheckBox8->isChecked();
    s.DiskSize = text(Edit53);
    s.ReserveBytes = text(Edit54);
    s.Font = font_;
    s.Win = RadioGroup1->itemIndex();
    s.WinNT = RadioGroup2->itemIndex();
    s.LicenceFile = text(Edit6);
    s.InfoBeforeFile = text(Edit7);
    s.InfoAfterFile = text(Edit8);
    s.BackgroundColor = Pozadi->currentIndex();
    s.PreviewColor = previewColor_;
    s.AlwaysRestart = CheckBox3->isChecked();
    s.Uninstallable = CheckBox4->isChecked();
    s.BackSolid = CheckBox6->isChecked();
    s.BackColorDirection = CheckBox13->isChecked();
    s.WindowVisible = CheckBox10->isChecked();
    for (int i = 0; i < kIconCount; ++i) {
        const IconControls& c = icons_[static_cast<std::size_t>(i)];
        IconEntry& e = s.Icons[static_cast<std::size_t>(i)];
        e.Name = text(c.name);
        e.FileName = text(c.fileName);
        e.Parameters = text(c.parameters);
        e.IconFile = text(c.iconFile);
        e.IconIndex = text(c.iconIndex);
        e.HotKey = c.hotKey->currentIndex();
        e.OnDesktop = c.onDesktop->isChecked();
        e.InStartup = c.inStartup->isChecked();
    }
    s.AllowNoIcons = CheckBox2->isChecked();
    s.DisableProgramGroupPage = CheckBox9->isChecked();
    s.IniFileName = text(Edit43);
    s.IniLocation = RadioGroup4->itemIndex();
    s.IniSection = text(Edit52);
    s.IniKey1 = text(Edit44);
    s.IniValue1 = text(Edit45);
    s.IniKey2 = text(Edit46);
    s.IniValue2 = text(Edit47);
    s.IniDeleteOnUninstall = CheckBox5->isChecked();
    return s;
}

void TForm1::showField(const ProjectSettings& project, FieldId field) {
    const FieldValue value = getField(project, field);
    if (field == FieldId::Font) {
        font_ = std::get<std::string>(value);
        return;
    }
    if (field == FieldId::PreviewColor) {
        setPreviewColor(static_cast<std::uint32_t>(std::get<long long>(value)));
        return;
    }
    QWidget* control = fieldControl(field);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
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
    Edit53->setEnabled(CheckBox8->isChecked());
    Edit54->setEnabled(CheckBox8->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(CheckBox6), static_cast<QWidget*>(CheckBox13),
                       static_cast<QWidget*>(Pozadi), static_cast<QWidget*>(Edit5)}) {
        w->setEnabled(CheckBox10->isChecked());
    }
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

void TForm1::CheckBox8Click() {
    const bool on = CheckBox8->isChecked();
    Edit53->setEnabled(on);
    Edit54->setEnabled(on);
    Modified = true;
}

void TForm1::CheckBox10Click() {
    const bool on = CheckBox10->isChecked();
    CheckBox6->setEnabled(on);
    CheckBox13->setEnabled(on);
    Pozadi->setEnabled(on);
    Edit5->setEnabled(on);
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
    // Only a known name changes the browser's view; anything else leaves the
    // view, and so the name written at close, as it is.
    const QString view = QString::fromStdString(settings.ViewStyle);
    for (const char* known : {"vsIcon", "vsList", "vsReport", "vsSmallIcon"}) {
        if (view == QLatin1String(known)) {
            typView = view;
        }
    }
    // A folder that cannot be made ends the start-up here: nothing goes on to
    // show or use it, and a build tries to make it again first.
    sourceFolderReady_ = false;
    EnsureSourceFolder(settings.SourceFolder);
    sourceFolderReady_ = true;
    emit sourceFolderReady(SourceFolder);
    Cesta->setText(SourceFolder);
    HelpFile = ProgramFolder + QStringLiteral("Tornavel.hlp");
    newProject();
    Modified = false;
}

bool TForm1::FormCloseQuery() {
    if (!Modified) {
        return true;
    }
    const auto answer = MessageBoxes::question(
        this, QStringLiteral("Informace"),
        QStringLiteral("Chcete uložit nastavení Vaší instalace?"), QMessageBox::Question,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        // A cancelled Save As still closes; a save that failed keeps the
        // window, so the changes are not lost behind an error box.
        return runGuarded(this, [this] {
            if (Uloz->isEnabled()) {
                saveToProjectFile();
            } else {
                saveAs();
            }
        });
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TForm1::FormClose() {
    // A failed write is reported; the window closes all the same, or a folder
    // without write permission would keep the program from ever ending.
    runGuarded(this, [this] {
        WriteProgramSettings(ProgramFolder.toStdString(),
                             ProgramSettings{SourceFolder.toStdString(), typView.toStdString()});
    });
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (buildRunning_) {
        event->ignore();
        beep();
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
    runGuarded(this, [this] { newProject(); });
}

void TForm1::OtevriClick() {
    runGuarded(this, [this] { openProject(); });
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

void TForm1::runBuild() {}

void TForm1::Vystupnadres1Click() {
    if (!Form4 || buildRunning_) {
        return;
    }
    if (Form4->exec() == QDialog::Accepted) {
        FormCreate();
    }
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
