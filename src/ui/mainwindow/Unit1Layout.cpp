// The main window's controls, pages, menus and toolbar: what stands where.
#include "ui/browser/ShellBrowser.h"
#include "ui/controls/Cp1250Validator.h"
#include "ui/controls/RadioGroup.h"
#include "ui/mainwindow/Pictures.h"
#include "ui/mainwindow/Unit1.h"

#include <QAction>
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
#include <vector>

namespace tornavel::ui {
namespace {

// The window was laid out for an 8-point system font; sizes given in those
// pixels grow with the font actually in use.
int scaled(const QWidget* w, int designPixels) {
    const double factor = std::max(1.0, QFontMetrics(w->font()).averageCharWidth() / 5.0);
    return static_cast<int>(designPixels * factor + 0.5);
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

// A hint is a tooltip (short part) and a status-line text (long part).
void setHint(QWidget* w, const QString& shortHint, const QString& longHint) {
    if (!shortHint.isEmpty()) {
        w->setToolTip(shortHint);
    }
    w->setStatusTip(longHint);
}

QString toObjectName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QLineEdit* makeEdit(std::string_view name, int maxLength = -1) {
    auto* edit = new QLineEdit;
    edit->setObjectName(toObjectName(name));
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

QCheckBox* makeCheck(std::string_view name, const QString& text) {
    auto* check = new QCheckBox(text);
    check->setObjectName(toObjectName(name));
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

} // namespace

void TForm1::buildLayout() {
    setWindowIcon(programPicture());
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
}

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

    // "Nápověda" stands at the right end of the menu bar, as an item of the
    // bar itself, so the arrow keys and the pointer move onto it from the
    // other menus.
    MainMenu1->setStyle(new RightJustifyingMenuBarStyle(this));
    MainMenu1->addSeparator();
    Napoveda = MainMenu1->addMenu(QStringLiteral("&Nápověda"));
    Napoveda->setObjectName(QStringLiteral("Napoveda"));
    Oautorech =
        addItem(Napoveda, "Oautorech", QStringLiteral("&O autorech"), QKeySequence(Qt::Key_F2));

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
    Browser = new ShellBrowser(browserArea);
    browserLayout->addWidget(Browser);

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
    // The numbered names of the five alike pages' labels and buttons; the
    // controls that show the icon's fields are named by the field table.
    struct Names {
        const char* nameLabel;
        const char* fileButton;
        const char* iconButton;
        const char* labels[5];
    };
    // clang-format off
    static const Names kNames[kIconCount] = {
        {"Label10", "Button2",  "Button3",  {"Label14", "Label15", "Label16", "Label17", "Label42"}},
        {"Label18", "Button4",  "Button5",  {"Label22", "Label30", "Label26", "Label34", "Label43"}},
        {"Label19", "Button6",  "Button7",  {"Label23", "Label31", "Label27", "Label35", "Label45"}},
        {"Label20", "Button8",  "Button9",  {"Label24", "Label32", "Label28", "Label36", "Label46"}},
        {"Label21", "Button10", "Button11", {"Label25", "Label33", "Label29", "Label37", "Label54"}},
    };
    // clang-format on
    const auto fieldName = [icon](IconPart part) {
        return fieldInfo(iconField(icon, part)).control;
    };
    const Names& n = kNames[icon];
    IconControls& c = icons_[static_cast<std::size_t>(icon)];

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PageIkona%1").arg(icon + 1));

    c.nameLabel = makeLabel(n.nameLabel, QStringLiteral("Jméno ikony č.%1:").arg(icon + 1), true);
    c.name = makeEdit(fieldName(IconPart::Name));
    setHint(c.name, {},
            QStringLiteral("Jméno ikony, které se zobrazí v nabídce Start ve skupině aplikace."));
    c.hotKey = new QComboBox;
    c.hotKey->setObjectName(toObjectName(fieldName(IconPart::HotKey)));
    c.hotKey->setEditable(false);
    for (const std::string& choice : HotKeyChoices()) {
        c.hotKey->addItem(QString::fromStdString(choice));
    }
    c.fileName = makeEdit(fieldName(IconPart::FileName));
    setHint(c.fileName, {},
            QStringLiteral("Jméno souboru včetně přípony, který se má touto ikonou spustit."));
    c.fileButton = makeDotsButton(n.fileButton, QStringLiteral("Vyberte soubor ze seznamu."));
    c.parameters = makeEdit(fieldName(IconPart::Parameters));
    setHint(c.parameters, {},
            QStringLiteral("Chcete-li program spouštět s parametrem, zde ho zadejte."));
    c.iconFile = makeEdit(fieldName(IconPart::IconFile));
    setHint(c.iconFile, {},
            QStringLiteral("Chcete-li použít jinou ikonu, než má spouštěný soubor, zadejte jméno "
                           "souboru včetně přípony."));
    c.iconButton = makeDotsButton(n.iconButton, QStringLiteral("Vyberte soubor ze seznamu."));
    c.iconIndex = makeEdit(fieldName(IconPart::IconIndex));
    setHint(c.iconIndex, {},
            QStringLiteral("Index ikony v souboru dll nebo exe. (pouze pokud \"Jméno souboru s "
                           "ikonou\" není prázdné)"));
    c.onDesktop =
        makeCheck(fieldName(IconPart::OnDesktop), QStringLiteral("Také na Pracovní ploše"));
    c.inStartup =
        makeCheck(fieldName(IconPart::InStartup), QStringLiteral("Také ve složce Po spuštění"));
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

    // The numbered members of this page.
    // clang-format off
    QLabel** nameLabels[] = {&Label10, &Label18, &Label19, &Label20, &Label21};
    QLineEdit** names[] = {&Edit18, &Edit23, &Edit28, &Edit33, &Edit38};
    QComboBox** hotKeys[] = {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4, &ComboBox5};
    QLineEdit** fileNames[] = {&Edit19, &Edit24, &Edit29, &Edit34, &Edit39};
    QPushButton** fileButtons[] = {&Button2, &Button4, &Button6, &Button8, &Button10};
    QLineEdit** parameters[] = {&Edit20, &Edit25, &Edit30, &Edit35, &Edit40};
    QLineEdit** iconFiles[] = {&Edit21, &Edit26, &Edit31, &Edit36, &Edit41};
    QPushButton** iconButtons[] = {&Button3, &Button5, &Button7, &Button9, &Button11};
    QLineEdit** iconIndexes[] = {&Edit22, &Edit27, &Edit32, &Edit37, &Edit42};
    QCheckBox** onDesktop[] = {&CheckBox14, &CheckBox16, &CheckBox18, &CheckBox20, &CheckBox22};
    QCheckBox** inStartup[] = {&CheckBox15, &CheckBox17, &CheckBox19, &CheckBox21, &CheckBox23};
    QLabel** otherLabels[][5] = {{&Label14, &Label15, &Label16, &Label17, &Label42},
                                 {&Label22, &Label30, &Label26, &Label34, &Label43},
                                 {&Label23, &Label31, &Label27, &Label35, &Label45},
                                 {&Label24, &Label32, &Label28, &Label36, &Label46},
                                 {&Label25, &Label33, &Label29, &Label37, &Label54}};
    // clang-format on
    *nameLabels[icon] = c.nameLabel;
    *names[icon] = c.name;
    *hotKeys[icon] = c.hotKey;
    *fileNames[icon] = c.fileName;
    *fileButtons[icon] = c.fileButton;
    *parameters[icon] = c.parameters;
    *iconFiles[icon] = c.iconFile;
    *iconButtons[icon] = c.iconButton;
    *iconIndexes[icon] = c.iconIndex;
    *onDesktop[icon] = c.onDesktop;
    *inStartup[icon] = c.inStartup;
    for (int i = 0; i < 5; ++i) {
        *otherLabels[icon][i] = c.otherLabels[i];
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
    std::vector<QWidget*> order = {TabbedNotebook1, Edit1,     Edit2,          Edit3,      Edit4,
                                   Edit5,           CheckBox1, CheckBox7,      CheckBox12, Edit9,
                                   CheckBox9,       CheckBox2, TabbedNotebook2};
    for (const IconControls& c : icons_) {
        order.insert(order.end(), {c.name, c.fileName, c.fileButton, c.parameters, c.iconFile,
                                   c.iconButton, c.iconIndex, c.onDesktop, c.inStartup, c.hotKey});
    }
    auto addGroup = [&order](const TRadioGroup* group) {
        for (int i = 0; i < group->count(); ++i) {
            order.push_back(group->button(i));
        }
    };
    order.insert(order.end(), {CheckBox8, Edit53, Edit54, Edit43});
    addGroup(RadioGroup4);
    order.insert(order.end(), {Edit52, CheckBox5, Edit44, Edit45, Edit46, Edit47});
    addGroup(RadioGroup1);
    addGroup(RadioGroup2);
    order.insert(order.end(),
                 {CheckBox3, CheckBox4, Pozadi, CheckBox6, CheckBox13, CheckBox10, Edit6, Button12,
                  Edit7, Button13, Edit8, Button14, BitBtn1, BitBtn2});
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace tornavel::ui
