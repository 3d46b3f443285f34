#include "installer/Validation.h"

#include "platform/Paths.h"
#include "support/FakePrompts.h"
#include "support/IconSamples.h"
#include "support/TempDir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace tornavel {
namespace {

using test::FakePrompts;
using Kind = FakePrompts::Call::Kind;
using Texts = std::vector<std::string>;

std::string iconText(int number, const std::string& name) {
    return "Na záložce \"Ikony\" jste označil použití souboru \"" + name +
           "\" pro vytvoření ikony č." + std::to_string(number) +
           ". Soubor uvedeného jména neexistuje, nelze pokračovat.";
}

IconEntry namedIcon(std::string name, std::string index = "0", std::string parameters = "") {
    IconEntry icon;
    icon.Name = std::move(name);
    icon.IconIndex = std::move(index);
    icon.Parameters = std::move(parameters);
    return icon;
}

class ValidationTest : public ::testing::Test {
protected:
    bool validate() { return ValidateProject(project_, dir_.folder(), prompts_, &log_); }

    test::TempDir dir_;
    ProjectSettings project_;
    FakePrompts prompts_;
    ChangeLog log_;
};

TEST_F(ValidationTest, NewProjectPassesSilently) {
    EXPECT_TRUE(validate());
    EXPECT_TRUE(prompts_.calls.empty());
    EXPECT_TRUE(log_.empty());
}

TEST_F(ValidationTest, BlankRequiredNamesAreNotEmptyButNoNames) {
    project_.AppName = " ";
    project_.DefaultDirName = "  ";
    EXPECT_FALSE(validate());
    EXPECT_EQ(prompts_.texts(Kind::ErrorDialog),
              (Texts{"Pole „Jméno adresáře, kam se bude program instalovat“ obsahuje jméno složené "
                     "jen z mezer, které Windows vynechá, a cesta by tak vedla jinam, než má!",
                     "Pole „Název instalovaného programu“ obsahuje jen mezery; kompilátor by ho "
                     "vzal jako prázdné a instalaci by nevytvořil!"}));
}

TEST_F(ValidationTest, MissingRequiredNamesGiveErrorDialogsAndFocusTheLast) {
    project_.AppName.clear();
    project_.DefaultGroupName.clear();
    EXPECT_FALSE(validate());
    ASSERT_EQ(prompts_.calls.size(), 4u);
    EXPECT_EQ(prompts_.calls[0].kind, Kind::ErrorDialog);
    EXPECT_EQ(prompts_.calls[0].text, "Jméno aplikace zadat musíte!");
    EXPECT_EQ(prompts_.calls[1].kind, Kind::Focus);
    EXPECT_EQ(prompts_.calls[1].field, FieldId::AppName);
    EXPECT_EQ(prompts_.calls[2].kind, Kind::ErrorDialog);
    EXPECT_EQ(prompts_.calls[2].text,
              "Název programové skupiny zadat musíte, i když máte zaškrtnutou volbu "
              "\"nevytvářet žádné programové ikony\"!");
    EXPECT_EQ(prompts_.calls.back().kind, Kind::Focus);
    EXPECT_EQ(prompts_.calls.back().field, FieldId::DefaultGroupName);

    prompts_.calls.clear();
    project_ = ProjectSettings{};
    project_.DefaultDirName.clear();
    EXPECT_FALSE(validate());
    EXPECT_EQ(prompts_.texts(Kind::ErrorDialog),
              Texts{"Jméno adresáře, kam se bude program instalovat zadat musíte!"});
    EXPECT_EQ(prompts_.calls.back().field, FieldId::DefaultDirName);
}

TEST_F(ValidationTest, MissingTextFilesAreReportedInOrder) {
    project_.LicenceFile = "licence.txt";
    project_.InfoBeforeFile = "pred.txt";
    project_.InfoAfterFile = "po.txt";
    dir_.writeFile("pred.txt", "hi");
    EXPECT_FALSE(validate());
    EXPECT_EQ(prompts_.texts(Kind::Message),
              (Texts{"Na záložce \"Ostatní\" jste označil použití souboru licence.txt. Musíte ho "
                     "nejprve vytvořit.",
                     "Na záložce \"Ostatní\" jste označil použití souboru po.txt. Musíte ho "
                     "nejprve vytvořit."}));
    EXPECT_TRUE(prompts_.texts(Kind::Focus).empty());
}

TEST_F(ValidationTest, AllChecksRunWhateverEarlierOnesFound) {
    project_.AppName.clear();
    project_.LicenceFile = "licence.txt";
    project_.Icons[4].OnDesktop = true;
    EXPECT_FALSE(validate());
    EXPECT_EQ(prompts_.texts(Kind::ErrorDialog), Texts{"Jméno aplikace zadat musíte!"});
    EXPECT_EQ(prompts_.texts(Kind::Message),
              (Texts{"Na záložce \"Ostatní\" jste označil použití souboru licence.txt. Musíte ho "
                     "nejprve vytvořit.",
                     "Pokud chcete vytvořit ikonu č.5, musíte o ní nejprve zadat nějaké údaje. "
                     "Nelze pokračovat."}));
}

TEST_F(ValidationTest, MissingStartedFileWithoutIconFileIsReportedTwiceAndFilledIn) {
    project_.Icons[1].Name = "Program";
    project_.Icons[1].FileName = "app.exe";
    EXPECT_FALSE(validate());
    EXPECT_EQ(prompts_.texts(Kind::Message),
              (Texts{iconText(2, "app.exe"), iconText(2, "app.exe")}));
    EXPECT_EQ(project_.Icons[1].IconFile, "app.exe");
    EXPECT_EQ(log_, ChangeLog{iconField(1, IconPart::IconFile)});
}

TEST_F(ValidationTest, IconFilesAreFilledInAndCheckedSeparately) {
    dir_.writeFile("app.exe");
    project_.Icons[0].Name = "A";
    project_.Icons[0].FileName = "app.exe";
    project_.Icons[2].Name = "C";
    project_.Icons[2].FileName = "app.exe";
    project_.Icons[2].IconFile = "app.ico";
    EXPECT_FALSE(validate());
    EXPECT_EQ(prompts_.texts(Kind::Message), Texts{iconText(3, "app.ico")});
    EXPECT_EQ(project_.Icons[0].IconFile, "app.exe");
    EXPECT_EQ(project_.Icons[2].IconFile, "app.ico");
    EXPECT_EQ(log_, ChangeLog{iconField(0, IconPart::IconFile)});

    // A second run finds nothing more to fill in.
    dir_.writeFile("app.ico");
    prompts_.calls.clear();
    log_.clear();
    EXPECT_TRUE(validate());
    EXPECT_TRUE(prompts_.calls.empty());
    EXPECT_TRUE(log_.empty());
}

TEST_F(ValidationTest, UnnamedIconsOnDesktopOrInStartupAreReported) {
    project_.Icons[0].OnDesktop = true;
    project_.Icons[3].InStartup = true;
    project_.Icons[1].Parameters = "/x"; // neither flag: never reported
    project_.Icons[2].HotKey = 5;
    EXPECT_FALSE(validate());
    EXPECT_EQ(prompts_.texts(Kind::Message),
              (Texts{"Pokud chcete vytvořit ikonu č.1, musíte o ní nejprve zadat nějaké údaje. "
                     "Nelze pokračovat.",
                     "Pokud chcete vytvořit ikonu č.4, musíte o ní nejprve zadat nějaké údaje. "
                     "Nelze pokračovat."}));
}

TEST_F(ValidationTest, FileInSubFolderIsFound) {
    dir_.writeFile("bin/app.exe");
    project_.Icons[0].Name = "A";
    project_.Icons[0].FileName = "bin\\app.exe";
    project_.Icons[0].IconFile = "BIN\\App.EXE";
    EXPECT_TRUE(validate());
    EXPECT_TRUE(prompts_.calls.empty());
}

// What the compiler or Windows would refuse: one error dialog per problem,
// naming the field, then the focus on its control.
TEST_F(ValidationTest, TextsTheCompilerOrWindowsWouldRefuseAreRefused) {
    struct Case {
        std::function<void(ProjectSettings&)> change;
        std::string text;
        FieldId focus;
    };
    const std::string brace = " obsahuje znak „{“ bez uzavírací závorky „}“! Samotný znak „{“ se "
                              "zapisuje jako „{{“.";
    const std::string forbidden = "“, který nesmí být ve jménu souboru ani složky!";
    const std::string literal = " Samotný znak „{“ se zapisuje jako „{{“.";
    const auto spanning = [](std::string size, std::string reserve) {
        return [=](ProjectSettings& p) {
            p.DiskSpanning = true;
            p.DiskSize = size;
            p.ReserveBytes = reserve;
        };
    };
    const auto ini = [](std::string section, std::string key) {
        return [=](ProjectSettings& p) {
            p.IniFileName = "a.ini";
            p.IniSection = section;
            p.IniKey1 = key;
        };
    };
    const std::string reserve = "Pole „Počet bajtů, které mají být v první části instalačního "
                                "souboru ponechány volné, např. pro Váš soubor \"Čti mne.txt\"“";
    const std::string setupIcon = "Pole „Ikona instalačního programu“ ";
    const std::string publishing = "Na záložce „Vydání“ ";
    dir_.writeFile("Čti mne.txt", "");
    const auto icon = [](std::size_t i, std::string file, std::string iconFile) {
        return [=](ProjectSettings& p) {
            p.Icons[i] = namedIcon("A"), p.Icons[i].FileName = file, p.Icons[i].IconFile = iconFile;
        };
    };
    std::string deep;
    for (int level = 1; level <= 20; ++level) {
        deep += "d" + std::to_string(level) + "\\";
    }
    for (const std::string file : {"Output/app.exe", "Data.old/a.ico", "ISS", "Output/l.txt"}) {
        dir_.writeFile(file);
    }
    dir_.writeFile(toNativeSeparators(deep) + "x.exe");
    dir_.writeFile(toNativeSeparators(deep.substr(0, deep.find("d20"))) + "x.exe");
    const std::string outside = "Data\\..\\..\\" + fileNameOf(dir_.path().string()) + "\\ISS";
    dir_.makeDir("Data");
    const std::string notInstalled = "“, který instalace nenainstaluje: ";
    dir_.writeFile("ikona.ico", test::sampleIcoFile({{16, 0xFF00FF00u}}));
    dir_.writeFile("Output/ikona.ico", test::sampleIcoFile({{16, 0xFF00FF00u}}));
    const std::vector<Case> cases = {
        {[](auto& p) { p.Icons[0] = namedIcon("A", " "); }, "Index ikony č.1 zadat musíte!",
         iconField(0, IconPart::IconIndex)},
        {[](auto& p) { p.Icons[2] = namedIcon("A", "1 2"); },
         "Index ikony č.3 musí být celé číslo, „1 2“ jím není!", iconField(2, IconPart::IconIndex)},
        {[](auto& p) { p.Icons[1] = namedIcon("A", "2147483648"); },
         "Index ikony č.2 musí být celé číslo, „2147483648“ jím není!",
         iconField(1, IconPart::IconIndex)},
        {[](auto& p) { p.Icons[4].Name = "Řekni \"ahoj\""; },
         "Pole „Jméno ikony č.5“ obsahuje znak „\"" + forbidden, iconField(4, IconPart::Name)},
        {[](auto& p) { p.Icons[0].Name = "A:B"; },
         "Pole „Jméno ikony č.1“ obsahuje znak „:" + forbidden, iconField(0, IconPart::Name)},
        {[](auto& p) { p.DefaultDirName = "Firma\\Program?"; },
         "Pole „Jméno adresáře, kam se bude program instalovat“ obsahuje znak „?" + forbidden,
         FieldId::DefaultDirName},
        {[](auto& p) { p.DefaultGroupName = "<Skupina>"; },
         "Pole „Programová skupina (v nabídce Start)“ obsahuje znak „<" + forbidden,
         FieldId::DefaultGroupName},
        {[](auto& p) {
             p.IniFileName = "nastavení|.ini";
             p.IniSection = "S";
             p.IniKey2 = "Klíč";
         },
         "Pole „Jméno souboru .INI, který má být upraven“ obsahuje znak „|" + forbidden,
         FieldId::IniFileName},
        {[](auto& p) { p.AppName = "A{B"; }, "Pole „Název instalovaného programu“" + brace,
         FieldId::AppName},
        {[](auto& p) { p.AppCopyright = "{app} {{ {"; },
         "Pole „Informace o případném copyrightu“" + brace, FieldId::AppCopyright},
        {[](auto& p) { p.Icons[3] = namedIcon("A", "0", "/x {"); },
         "Pole „Parametr“ ikony č.4" + brace, iconField(3, IconPart::Parameters)},
        {[](auto& p) {
             p.IniFileName = "a.ini";
             p.IniSection = "S";
             p.IniKey2 = "k";
             p.IniValue2 = "}{";
         },
         "Pole „Hodnota záznamu č.2“" + brace, FieldId::IniValue2},
        {[](auto& p) { p.DefaultGroupName = "Skupina {x}"; },
         "Pole „Programová skupina (v nabídce Start)“ obsahuje konstantu „{x}“, kterou kompilátor "
         "nezná!" +
             literal,
         FieldId::DefaultGroupName},
        {[](auto& p) { p.AppName = "Program {pf}"; },
         "Pole „Název instalovaného programu“ obsahuje konstantu „{pf}“, ale v názvu programu "
         "konstanty být nesmějí!" +
             literal,
         FieldId::AppName},
        {[](auto& p) { p.DefaultDirName = "{win}\\Program"; },
         "Pole „Jméno adresáře, kam se bude program instalovat“ obsahuje konstantu „{win}“, kterou "
         "instalace v tomto poli použít nedokáže!",
         FieldId::DefaultDirName},
        {[](auto& p) { p.AppVerName = "Verze 1/2"; },
         "Pole „Název programu včetně verze“ obsahuje znak „/" + forbidden, FieldId::AppVerName},
        {[](auto& p) { p.LicenceFile = "Čti*.txt"; },
         "Pole „Jméno souboru s licenčním ujednáním“ obsahuje znak „*" + forbidden,
         FieldId::LicenceFile},
        {[](auto& p) { p.Icons[1] = namedIcon("Nástroje\\con .txt"); },
         "Pole „Jméno ikony č.2“ obsahuje jméno „con .txt“, které systém Windows vyhrazuje pro "
         "zařízení, a nemůže proto být jménem souboru ani složky!",
         iconField(1, IconPart::Name)},
        {[](auto& p) { p.AppVerName = std::string(201, 'v'); },
         "Pole „Název programu včetně verze“ je pro jméno instalačního souboru příliš dlouhé: smí "
         "mít nejvýše 200 znaků a zároveň 251 bajtů (písmeno s diakritikou zabere 2 bajty)!",
         FieldId::AppVerName},
        {[](auto& p) { p.DefaultDirName = std::string(218, 'd'); },
         "Pole „Jméno adresáře, kam se bude program instalovat“ smí mít nejvýše 217 znaků, delší "
         "cestu ke složce programu by instalace odmítla!",
         FieldId::DefaultDirName},
        {ini("", "k"), "Jméno sekce souboru .INI zadat musíte, jinak do něj záznamy zapsat nelze!",
         FieldId::IniSection},
        {ini("a]b", "k"),
         "Pole „Jméno sekce“ nesmí obsahovat znak „]“, sekce by se ze souboru .INI nedala přečíst!",
         FieldId::IniSection},
        {ini("S", " ;k"),
         "Pole „Jméno záznamu č.1“ nesmí obsahovat znak „=“ ani začínat znakem „[“ nebo „;“, "
         "záznam by se ze souboru .INI nedal přečíst!",
         FieldId::IniKey1},
        {spanning("2100000001", "0"),
         "Pole „Velikost jednotlivých částí instalačního soubor s Vaším programem“ smí obsahovat "
         "nejvýše číslo 2100000000, větší části kompilátor nevytvoří!",
         FieldId::DiskSize},
        {spanning("1457664", "-1"), reserve + " nesmí obsahovat záporné číslo!",
         FieldId::ReserveBytes},
        {spanning("1457664", "923137"),
         reserve + " smí obsahovat nejvýše číslo 923136, víc místa v první části ponechat volné "
                   "nelze!",
         FieldId::ReserveBytes},
        {[](auto& p) { p.Password = "heslo "; },
         "Pole „Heslo k povolení instalace programu“ nesmí začínat ani končit mezerou, kompilátor "
         "by ji vynechal a zadané heslo by neplatilo!",
         FieldId::Password},
        {[](auto& p) { p.Password = std::string("heslo\0x", 7); },
         "Pole „Heslo k povolení instalace programu“ obsahuje řídicí znak (kód 0), který "
         "skript instalace nedokáže zapsat!",
         FieldId::Password},
        {[](auto& p) { p.AppCopyright = "řádek\r\ndruhý"; },
         "Pole „Informace o případném copyrightu“ obsahuje řídicí znak (kód 13), který skript "
         "instalace nedokáže zapsat!",
         FieldId::AppCopyright},
        {[](auto& p) { p.DefaultGroupName = "Skupina\\..\\..\\Zlo"; },
         "Pole „Programová skupina (v nabídce Start)“ obsahuje místo jména „..“, které Windows "
         "nečte jako jméno složky ani souboru, ale jako odkaz na složku, a cesta by tak vedla "
         "mimo svou složku!",
         FieldId::DefaultGroupName},
        {[](auto& p) { p.IniFileName = "a\tb.ini", p.IniSection = "S", p.IniKey1 = "k"; },
         "Pole „Jméno souboru .INI, který má být upraven“ obsahuje tabulátor, který nesmí být ve "
         "jménu souboru ani složky!",
         FieldId::IniFileName},
        {[](auto& p) { p.AppVerName = "   "; },
         "Pole „Název programu včetně verze“ obsahuje jen mezery; kompilátor by ho vzal jako "
         "prázdné a instalaci by nevytvořil!",
         FieldId::AppVerName},
        {[](auto& p) { p.Icons[0] = namedIcon("Pokus"), p.Icons[3] = namedIcon("POKUS"); },
         "Pole „Jméno ikony č.4“ dává zástupci stejné jméno jako pole „Jméno ikony č.1“ (Windows "
         "nerozlišuje velká a malá písmena), a instalace by tak vytvořila jen jednoho z nich!",
         iconField(3, IconPart::Name)},
        {[&](auto& p) { p.LicenceFile = outside; },
         "Pole „Jméno souboru s licenčním ujednáním“ uvádí soubor mimo zdrojový adresář („" +
             outside + "“); uvést lze jen soubor ve zdrojovém adresáři nebo v jeho podsložce!",
         FieldId::LicenceFile},
        {[](auto& p) { p.InfoAfterFile = "output\\L.TXT"; },
         "Pole „Jméno souboru, který bude zobrazen po úspěšné instalaci“ uvádí soubor "
         "„output\\L.TXT“ ve složce Output, kterou vytváření instalace před kompilací vyprázdní, "
         "takže by ho kompilátor nenašel!",
         FieldId::InfoAfterFile},
        {icon(1, "Output\\app.exe", "Čti mne.txt"),
         "Pole „Spouštěný soubor“ ikony č.2 uvádí soubor „Output\\app.exe" + notInstalled +
             "leží ve složce Output, kterou každé vytváření instalace vyprázdní!",
         iconField(1, IconPart::FileName)},
        {icon(2, "Čti mne.txt", "Data.old\\a.ico"),
         "Pole „Jméno souboru s ikonou“ ikony č.3 uvádí soubor „Data.old\\a.ico" + notInstalled +
             "leží ve složce „Data.old“, která se neinstaluje (název s tečkou nebo skrytá složka)!",
         iconField(2, IconPart::IconFile)},
        {icon(3, "iss", "Čti mne.txt"),
         "Pole „Spouštěný soubor“ ikony č.4 uvádí soubor „iss" + notInstalled +
             "je skript instalace, který se neinstaluje!",
         iconField(3, IconPart::FileName)},
        {icon(4, deep + "x.exe", "Čti mne.txt"),
         "Pole „Spouštěný soubor“ ikony č.5 uvádí soubor „" + deep + "x.exe" + notInstalled +
             "leží hlouběji než 19 úrovní pod zdrojovým adresářem!",
         iconField(4, IconPart::FileName)},
        {[](auto& p) { p.WinNT = 4; },
         "Ve skupině „Minimální verze Win NT“ je zvoleno „zakázat“, ale Inno Setup 5.5 instalace "
         "pro Windows 95, 98 a Me už nevytváří, a instalace by se tak nedala spustit v žádné "
         "verzi Windows!",
         FieldId::WinNT},
        {[](auto& p) { p.SetupIconFile = "chybí.ico"; },
         setupIcon + "uvádí soubor „chybí.ico“, který v pracovním adresáři není!",
         FieldId::SetupIconFile},
        {[](auto& p) { p.SetupIconFile = "Čti mne.txt"; },
         setupIcon + "uvádí soubor „Čti mne.txt“, který není soubor s ikonou (.ico)!",
         FieldId::SetupIconFile},
        {[](auto& p) { p.SetupIconFile = "Data\\..\\..\\ikona.ico"; },
         setupIcon + "uvádí soubor mimo zdrojový adresář („Data\\..\\..\\ikona.ico“); uvést lze "
                     "jen soubor ve zdrojovém adresáři nebo v jeho podsložce!",
         FieldId::SetupIconFile},
        {[](auto& p) { p.SetupIconFile = "Output\\ikona.ico"; },
         setupIcon + "uvádí soubor „Output\\ikona.ico“ ve složce Output, kterou vytváření "
                     "instalace před kompilací vyprázdní, takže by ho kompilátor nenašel!",
         FieldId::SetupIconFile},
        {[](auto& p) { p.OutputBaseFilename = "Zpěvník 1/2"; },
         "Pole „Jméno instalačního souboru (bez .exe)“ obsahuje znak „/" + forbidden,
         FieldId::OutputBaseFilename},
        {[](auto& p) { p.RunAfterInstall = 3; },
         publishing + "má instalace na konci nabídnout spuštění programu ikony č.3, ikona č.3 ale "
                      "musí mít vyplněné jméno i spouštěný soubor!",
         FieldId::RunAfterInstall},
        {[](auto& p) { p.UninstallDisplayIcon = true; },
         publishing + "má seznam programů Windows ukázat ikonu č.1, ikona č.1 ale musí mít "
                      "vyplněné jméno i spouštěný soubor nebo soubor s ikonou!",
         FieldId::UninstallDisplayIcon},
        {[](auto& p) {
             p.PerUserInstall = true; // the folder lies deeper
             p.DefaultDirName = std::string(195, 'd');
         },
         "Pole „Jméno adresáře, kam se bude program instalovat“ smí mít při instalaci jen pro "
         "přihlášeného uživatele nejvýše 194 znaků, delší cestu ke složce programu by instalace "
         "odmítla!",
         FieldId::DefaultDirName},
        {[&](auto& p) {
             ini("S", "k")(p);
             p.IniLocation = 2;
             p.PerUserInstall = true;
         },
         publishing + "je zaškrtnutá instalace jen pro přihlášeného uživatele, soubor .INI má ale "
                      "ležet v systémovém adresáři Windows, kam smí zapisovat jen správce!",
         FieldId::IniLocation},
        {[this](auto& p) {
             dir_.writeFile("Písmo.TTF", "");
             p.PerUserInstall = true;
         },
         publishing + "je zaškrtnutá instalace jen pro přihlášeného uživatele, pracovní adresář "
                      "ale obsahuje písmo „Písmo.TTF“ a písma smí do systému Windows instalovat "
                      "jen správce!",
         FieldId::PerUserInstall},
        {[](auto& p) { p.AppPublisher = "Firma {app}"; },
         "Pole „Vydavatel“ obsahuje konstantu „{app}“, ale ve jménu vydavatele (zapisuje se i do "
         "vlastností instalačního souboru) konstanty být nesmějí!" +
             literal,
         FieldId::AppPublisher},
    };
    for (const Case& c : cases) {
        project_ = ProjectSettings{};
        c.change(project_);
        prompts_.calls.clear();
        SCOPED_TRACE(c.text);
        EXPECT_FALSE(validate());
        ASSERT_EQ(prompts_.calls.size(), 2u);
        EXPECT_EQ(prompts_.calls[0].kind, Kind::ErrorDialog);
        EXPECT_EQ(prompts_.calls[0].text, c.text);
        EXPECT_EQ(prompts_.calls[1].kind, Kind::Focus);
        EXPECT_EQ(prompts_.calls[1].field, c.focus);
    }

    std::filesystem::remove(dir_.path() / "Písmo.TTF");
    // Their neighbours compile and pass: constants, literal and lone braces,
    // sub-folders, Czech letters, any index the compiler reads, names that
    // only resemble devices, dots and blanks within a name, the limits
    // themselves (a file at level 19, ".." that stays inside), tabs where no
    // name is made, and texts the script does not carry or whose braces the
    // compiler takes literally.
    // only resemble devices, the limits themselves, and texts the script does
    // not carry or whose braces the compiler takes literally; an installer
    // named apart from its version name, which then is no file name.
    project_ = ProjectSettings{};
    prompts_.calls.clear();
    project_.SetupIconFile = "IKONA.ICO";
    project_.RunAfterInstall = 1;
    project_.UninstallDisplayIcon = true;
    project_.PerUserInstall = true;
    project_.AppVersion = "1.0 {username}";
    project_.AppPublisher = "Firma {{s.r.o.}";
    project_.AppName = "Příliš žluťoučký kůň {{";
    project_.AppVerName = std::string(149, 'v'); // and 51 "ř": 200 characters, 251 bytes
    while (project_.AppVerName.size() < 251) {
        project_.AppVerName += "ř";
    }
    project_.OutputBaseFilename.swap(project_.AppVerName);
    project_.AppVerName = "Verze 1/2";
    project_.DefaultDirName = "Firma\\{username}.{cm:nameandversion,{%A|{{a}},1}\\Program";
    project_.DefaultGroupName = "Nástroje}\\..Staré. \\ .x";
    project_.AppCopyright = "{username} {{ {\\}\t";
    project_.LicenceFile = "Data\\..\\.\\Čti mne.txt";
    project_.WinNT = 3;
    project_.Password = "tajné{\tx";
    project_.Icons[0] = namedIcon("Podsložka\\Čtěte mě", "-1", "{app}\\x.ini");
    project_.Icons[0].FileName = "Čti mne.txt";
    project_.Icons[1] = namedIcon("LPT0\\CONSOLE.txt", " $10 ");
    project_.Icons[2] = namedIcon("C", "-2147483648");
    project_.Icons[2].FileName = deep.substr(0, deep.find("d20")) + "x.exe"; // level 19
    project_.Icons[2].IconFile = "Data\\..\\Čti mne.txt";
    project_.Icons[4] = namedIcon("E", "x1F");
    project_.Icons[3] = namedIcon("", "abc", "{");
    project_.IniFileName = "a:{.ini"; // no key: no [INI] line
    project_.IniKey1 = "";
    project_.DiskSpanning = true;
    project_.DiskSize = "2100000000";
    project_.ReserveBytes = "2099465728";
    EXPECT_TRUE(validate());
    EXPECT_TRUE(prompts_.calls.empty());
}

TEST(IsFilePresent, WindowsLookupRules) {
    test::TempDir dir;
    dir.writeFile("ReadMe.TXT");
    dir.writeFile("Data/Img/logo.bmp");
    dir.writeFile(".hidden");
    dir.makeDir("folder.txt");
    dir.makeDir("empty");
    const std::string root = dir.folder();

    EXPECT_TRUE(IsFilePresent(root, "ReadMe.TXT"));
    EXPECT_TRUE(IsFilePresent(root, "readme.txt"));
    EXPECT_TRUE(IsFilePresent(root, "data\\IMG\\LOGO.bmp"));
    EXPECT_TRUE(IsFilePresent(root, "Data/Img/logo.bmp"));
    EXPECT_TRUE(IsFilePresent(root, "Data\\\\Img\\logo.bmp"));
    EXPECT_TRUE(IsFilePresent(root, "Data\\..\\readme.txt"));
    EXPECT_TRUE(IsFilePresent(root, ".hidden"));

    // Wildcards match files only, in the last part only.
    EXPECT_TRUE(IsFilePresent(root, "*.txt"));
    EXPECT_TRUE(IsFilePresent(root, "Data\\Img\\*.*"));
    EXPECT_TRUE(IsFilePresent(root, "read??.t?t"));
    EXPECT_FALSE(IsFilePresent(root, "empty\\*"));
    EXPECT_FALSE(IsFilePresent(root, "folder.*"));
    EXPECT_FALSE(IsFilePresent(root, "D*\\Img\\logo.bmp"));

    // Folders, missing names and names ending in a separator are not files.
    EXPECT_FALSE(IsFilePresent(root, "folder.txt"));
    EXPECT_FALSE(IsFilePresent(root, "Data\\Img"));
    EXPECT_FALSE(IsFilePresent(root, "Data\\Img\\"));
    EXPECT_FALSE(IsFilePresent(root, "missing.txt"));
    EXPECT_FALSE(IsFilePresent(root, "ReadMe.TXT\\x"));
    EXPECT_FALSE(IsFilePresent(root + "missing/", "ReadMe.TXT"));
}

TEST(IsFilePresent, OldFilesCount) {
    test::TempDir dir;
    const auto file = dir.writeFile("old.txt");
    // 1 January 1970: a date Windows could not show as a local date from 1980 on.
    std::filesystem::last_write_time(
        file, std::filesystem::file_time_type::clock::from_sys(std::chrono::sys_seconds{}));
    EXPECT_TRUE(IsFilePresent(dir.folder(), "old.txt"));
}

} // namespace
} // namespace tornavel
