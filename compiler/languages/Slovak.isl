; *** Tornavel: Slovak messages for Inno Setup 5.5.9 ***
;
; Tornavel's own translation, made from the English Default.isl of
; Inno Setup 5.5.9. Kept here as UTF-8 with LF line ends;
; scripts/install-compiler converts it to code page 1250 with CR LF
; when it installs it into the compiler's folder.
;
; Messages that end without a period stay without one: Inno Setup
; appends the period itself.

[LangOptions]
LanguageName=Sloven<010D>ina
LanguageID=$041B
LanguageCodePage=1250

[Messages]

; *** Application titles
SetupAppTitle=Inštalácia
SetupWindowTitle=Inštalácia - %1
UninstallAppTitle=Odinštalovanie
UninstallAppFullTitle=Odinštalovanie %1

; *** Misc. common
InformationTitle=Informácie
ConfirmTitle=Potvrdenie
ErrorTitle=Chyba

; *** SetupLdr messages
SetupLdrStartupMessage=Týmto sa nainštaluje %1. Chcete pokračovať?
LdrCannotCreateTemp=Nie je možné vytvoriť dočasný súbor. Inštalácia bola prerušená
LdrCannotExecTemp=Nie je možné spustiť súbor v dočasnom priečinku. Inštalácia bola prerušená

; *** Startup error messages
LastErrorMessage=%1.%n%nChyba %2: %3
SetupFileMissing=V inštalačnom priečinku chýba súbor %1. Odstráňte, prosím, problém alebo si zaobstarajte novú kópiu programu.
SetupFileCorrupt=Inštalačné súbory sú poškodené. Zaobstarajte si, prosím, novú kópiu programu.
SetupFileCorruptOrWrongVer=Inštalačné súbory sú poškodené alebo nie sú kompatibilné s touto verziou sprievodcu inštaláciou. Odstráňte, prosím, problém alebo si zaobstarajte novú kópiu programu.
InvalidParameter=Na príkazovom riadku bol zadaný neplatný parameter:%n%n%1
SetupAlreadyRunning=Inštalácia už je spustená.
WindowsVersionNotSupported=Tento program nepodporuje verziu systému Windows, ktorá je spustená na vašom počítači.
WindowsServicePackRequired=Tento program vyžaduje %1 Service Pack %2 alebo novší.
NotOnThisPlatform=Tento program nemožno spustiť v systéme %1.
OnlyOnThisPlatform=Tento program musí byť spustený v systéme %1.
OnlyOnTheseArchitectures=Tento program možno nainštalovať iba vo verziách systému Windows určených pre tieto architektúry procesorov:%n%n%1
MissingWOW64APIs=Verzia systému Windows, ktorú používate, neobsahuje funkcie, ktoré sprievodca inštaláciou potrebuje na vykonanie 64-bitovej inštalácie. Tento problém odstránite nainštalovaním balíka Service Pack %1.
WinVersionTooLowError=Tento program vyžaduje systém %1 vo verzii %2 alebo novšej.
WinVersionTooHighError=Tento program nemožno nainštalovať v systéme %1 vo verzii %2 alebo novšej.
AdminPrivilegesRequired=Na inštaláciu tohto programu musíte byť prihlásený ako správca.
PowerUserPrivilegesRequired=Na inštaláciu tohto programu musíte byť prihlásený ako správca alebo ako člen skupiny Power Users.
SetupAppRunningError=Sprievodca inštaláciou zistil, že je spustený program %1.%n%nZatvorte, prosím, všetky jeho inštancie a potom pokračujte kliknutím na OK alebo inštaláciu ukončite kliknutím na Zrušiť.
UninstallAppRunningError=Sprievodca odinštalovaním zistil, že je spustený program %1.%n%nZatvorte, prosím, všetky jeho inštancie a potom pokračujte kliknutím na OK alebo odinštalovanie ukončite kliknutím na Zrušiť.

; *** Misc. errors
ErrorCreatingDir=Sprievodca inštaláciou nedokázal vytvoriť priečinok „%1“
ErrorTooManyFilesInDir=Nie je možné vytvoriť súbor v priečinku „%1“, pretože obsahuje príliš veľa súborov

; *** Setup common messages
ExitSetupTitle=Ukončiť inštaláciu
ExitSetupMessage=Inštalácia nie je dokončená. Ak ju teraz ukončíte, program sa nenainštaluje.%n%nInštaláciu môžete dokončiť inokedy opätovným spustením sprievodcu inštaláciou.%n%nUkončiť inštaláciu?
AboutSetupMenuItem=&O inštalácii...
AboutSetupTitle=O inštalácii
AboutSetupMessage=%1 verzia %2%n%3%n%nDomovská stránka programu %1:%n%4
AboutSetupNote=
TranslatorNote=

; *** Buttons
ButtonBack=< &Späť
ButtonNext=Ď&alej >
ButtonInstall=&Inštalovať
ButtonOK=OK
ButtonCancel=Zrušiť
ButtonYes=&Áno
ButtonYesToAll=Áno &všetkým
ButtonNo=&Nie
ButtonNoToAll=N&ie všetkým
ButtonFinish=&Dokončiť
ButtonBrowse=&Prehľadávať...
ButtonWizardBrowse=&Prehľadávať...
ButtonNewFolder=&Vytvoriť nový priečinok

; *** "Select Language" dialog messages
SelectLanguageTitle=Výber jazyka inštalácie
SelectLanguageLabel=Vyberte jazyk, ktorý sa má použiť počas inštalácie:

; *** Common wizard text
ClickNext=Pokračujte kliknutím na Ďalej alebo inštaláciu ukončite kliknutím na Zrušiť.
BeveledLabel=
BrowseDialogTitle=Vyhľadanie priečinka
BrowseDialogLabel=Vyberte priečinok v zozname nižšie a potom kliknite na OK.
NewFolderName=Nový priečinok

; *** "Welcome" wizard page
WelcomeLabel1=Vitajte v sprievodcovi inštaláciou programu [name]
WelcomeLabel2=Do vášho počítača sa nainštaluje [name/ver].%n%nPred pokračovaním sa odporúča zavrieť všetky ostatné aplikácie.

; *** "Password" wizard page
WizardPassword=Heslo
PasswordLabel1=Táto inštalácia je chránená heslom.
PasswordLabel3=Zadajte, prosím, heslo a potom pokračujte kliknutím na Ďalej. V heslách sa rozlišujú malé a veľké písmená.
PasswordEditLabel=&Heslo:
IncorrectPassword=Zadané heslo nie je správne. Skúste to, prosím, znova.

; *** "License Agreement" wizard page
WizardLicense=Licenčná zmluva
LicenseLabel=Pred pokračovaním si, prosím, prečítajte tieto dôležité informácie.
LicenseLabel3=Prečítajte si, prosím, nasledujúcu licenčnú zmluvu. Pred pokračovaním v inštalácii musíte prijať podmienky tejto zmluvy.
LicenseAccepted=&Prijímam podmienky zmluvy
LicenseNotAccepted=&Neprijímam podmienky zmluvy

; *** "Information" wizard pages
WizardInfoBefore=Informácie
InfoBeforeLabel=Pred pokračovaním si, prosím, prečítajte tieto dôležité informácie.
InfoBeforeClickLabel=Keď budete pripravený pokračovať v inštalácii, kliknite na Ďalej.
WizardInfoAfter=Informácie
InfoAfterLabel=Pred pokračovaním si, prosím, prečítajte tieto dôležité informácie.
InfoAfterClickLabel=Keď budete pripravený pokračovať v inštalácii, kliknite na Ďalej.

; *** "User Information" wizard page
WizardUserInfo=Informácie o používateľovi
UserInfoDesc=Zadajte, prosím, svoje údaje.
UserInfoName=&Meno používateľa:
UserInfoOrg=&Organizácia:
UserInfoSerial=Sé&riové číslo:
UserInfoNameRequired=Musíte zadať meno.

; *** "Select Destination Location" wizard page
WizardSelectDir=Výber cieľového umiestnenia
SelectDirDesc=Kam sa má program [name] nainštalovať?
SelectDirLabel3=Sprievodca inštaláciou nainštaluje program [name] do nasledujúceho priečinka.
SelectDirBrowseLabel=Pokračujte kliknutím na Ďalej. Ak chcete vybrať iný priečinok, kliknite na Prehľadávať.
DiskSpaceMBLabel=Vyžaduje sa aspoň [mb] MB voľného miesta na disku.
CannotInstallToNetworkDrive=Sprievodca inštaláciou nemôže inštalovať na sieťovú jednotku.
CannotInstallToUNCPath=Sprievodca inštaláciou nemôže inštalovať do cesty UNC.
InvalidPath=Musíte zadať úplnú cestu vrátane písmena jednotky, napríklad:%n%nC:\APP%n%nalebo cestu UNC v tvare:%n%n\\server\share
InvalidDrive=Vybraná jednotka alebo zdieľaný priečinok UNC neexistuje alebo nie je prístupný. Vyberte, prosím, iný.
DiskSpaceWarningTitle=Nedostatok miesta na disku
DiskSpaceWarning=Inštalácia vyžaduje aspoň %1 KB voľného miesta, ale na vybranej jednotke je k dispozícii iba %2 KB.%n%nChcete napriek tomu pokračovať?
DirNameTooLong=Názov priečinka alebo cesta je príliš dlhá.
InvalidDirName=Názov priečinka nie je platný.
BadDirName32=Názvy priečinkov nemôžu obsahovať žiadny z týchto znakov:%n%n%1
DirExistsTitle=Priečinok existuje
DirExists=Priečinok:%n%n%1%n%nuž existuje. Chcete napriek tomu inštalovať do tohto priečinka?
DirDoesntExistTitle=Priečinok neexistuje
DirDoesntExist=Priečinok:%n%n%1%n%nneexistuje. Chcete ho vytvoriť?

; *** "Select Components" wizard page
WizardSelectComponents=Výber súčastí
SelectComponentsDesc=Ktoré súčasti sa majú nainštalovať?
SelectComponentsLabel2=Označte súčasti, ktoré chcete nainštalovať, a zrušte označenie súčastí, ktoré inštalovať nechcete. Keď budete pripravený pokračovať, kliknite na Ďalej.
FullInstallation=Úplná inštalácia
CompactInstallation=Kompaktná inštalácia
CustomInstallation=Vlastná inštalácia
NoUninstallWarningTitle=Súčasti už existujú
NoUninstallWarning=Sprievodca inštaláciou zistil, že vo vašom počítači sú už nainštalované tieto súčasti:%n%n%1%n%nZrušením ich označenia sa tieto súčasti neodinštalujú.%n%nChcete napriek tomu pokračovať?
ComponentSize1=%1 KB
ComponentSize2=%1 MB
ComponentsDiskSpaceMBLabel=Aktuálny výber vyžaduje aspoň [mb] MB miesta na disku.

; *** "Select Additional Tasks" wizard page
WizardSelectTasks=Výber ďalších úloh
SelectTasksDesc=Ktoré ďalšie úlohy sa majú vykonať?
SelectTasksLabel2=Vyberte ďalšie úlohy, ktoré má sprievodca inštaláciou vykonať počas inštalácie programu [name], a potom kliknite na Ďalej.

; *** "Select Start Menu Folder" wizard page
WizardSelectProgramGroup=Výber priečinka v ponuke Štart
SelectStartMenuFolderDesc=Kam má sprievodca inštaláciou umiestniť odkazy na program?
SelectStartMenuFolderLabel3=Sprievodca inštaláciou vytvorí odkazy na program v nasledujúcom priečinku ponuky Štart.
SelectStartMenuFolderBrowseLabel=Pokračujte kliknutím na Ďalej. Ak chcete vybrať iný priečinok, kliknite na Prehľadávať.
MustEnterGroupName=Musíte zadať názov priečinka.
GroupNameTooLong=Názov priečinka alebo cesta je príliš dlhá.
InvalidGroupName=Názov priečinka nie je platný.
BadGroupName=Názov priečinka nemôže obsahovať žiadny z týchto znakov:%n%n%1
NoProgramGroupCheck2=&Nevytvárať priečinok v ponuke Štart

; *** "Ready to Install" wizard page
WizardReady=Pripravené na inštaláciu
ReadyLabel1=Sprievodca inštaláciou je pripravený začať inštaláciu programu [name] do vášho počítača.
ReadyLabel2a=Pokračujte v inštalácii kliknutím na Inštalovať. Ak chcete skontrolovať alebo zmeniť niektoré nastavenia, kliknite na Späť.
ReadyLabel2b=Pokračujte v inštalácii kliknutím na Inštalovať.
ReadyMemoUserInfo=Informácie o používateľovi:
ReadyMemoDir=Cieľové umiestnenie:
ReadyMemoType=Typ inštalácie:
ReadyMemoComponents=Vybrané súčasti:
ReadyMemoGroup=Priečinok v ponuke Štart:
ReadyMemoTasks=Ďalšie úlohy:

; *** "Preparing to Install" wizard page
WizardPreparing=Príprava inštalácie
PreparingDesc=Sprievodca inštaláciou pripravuje inštaláciu programu [name] do vášho počítača.
PreviousInstallNotCompleted=Inštalácia alebo odstránenie predchádzajúceho programu nebolo dokončené. Na dokončenie tejto operácie je potrebné reštartovať počítač.%n%nPo reštartovaní počítača znova spustite sprievodcu inštaláciou, aby sa dokončila inštalácia programu [name].
CannotContinue=Sprievodca inštaláciou nemôže pokračovať. Ukončite ho, prosím, kliknutím na Zrušiť.
ApplicationsFound=Nasledujúce aplikácie používajú súbory, ktoré musí sprievodca inštaláciou aktualizovať. Odporúča sa povoliť sprievodcovi inštaláciou, aby tieto aplikácie automaticky zavrel.
ApplicationsFound2=Nasledujúce aplikácie používajú súbory, ktoré musí sprievodca inštaláciou aktualizovať. Odporúča sa povoliť sprievodcovi inštaláciou, aby tieto aplikácie automaticky zavrel. Po dokončení inštalácie sa sprievodca inštaláciou pokúsi tieto aplikácie znova spustiť.
CloseApplications=Automaticky &zavrieť aplikácie
DontCloseApplications=&Nezatvárať aplikácie
ErrorCloseApplications=Sprievodca inštaláciou nedokázal automaticky zavrieť všetky aplikácie. Pred pokračovaním sa odporúča zavrieť všetky aplikácie, ktoré používajú súbory, ktoré musí sprievodca inštaláciou aktualizovať.

; *** "Installing" wizard page
WizardInstalling=Inštalácia
InstallingLabel=Počkajte, prosím, kým sprievodca inštaláciou nainštaluje program [name] do vášho počítača.

; *** "Setup Completed" wizard page
FinishedHeadingLabel=Dokončenie sprievodcu inštaláciou programu [name]
FinishedLabelNoIcons=Sprievodca inštaláciou dokončil inštaláciu programu [name] do vášho počítača.
FinishedLabel=Sprievodca inštaláciou dokončil inštaláciu programu [name] do vášho počítača. Aplikáciu môžete spustiť pomocou nainštalovaných odkazov.
ClickFinish=Kliknutím na Dokončiť ukončíte sprievodcu inštaláciou.
FinishedRestartLabel=Na dokončenie inštalácie programu [name] musí sprievodca inštaláciou reštartovať počítač. Chcete ho reštartovať teraz?
FinishedRestartMessage=Na dokončenie inštalácie programu [name] musí sprievodca inštaláciou reštartovať počítač.%n%nChcete ho reštartovať teraz?
ShowReadmeCheck=Áno, chcem zobraziť súbor README
YesRadio=Áno, &reštartovať počítač teraz
NoRadio=&Nie, počítač reštartujem neskôr
; used for example as 'Run MyProg.exe'
RunEntryExec=Spustiť %1
; used for example as 'View Readme.txt'
RunEntryShellExec=Zobraziť %1

; *** "Setup Needs the Next Disk" stuff
ChangeDiskTitle=Sprievodca inštaláciou potrebuje ďalší disk
SelectDiskLabel2=Vložte, prosím, disk %1 a kliknite na OK.%n%nAk sa súbory z tohto disku nachádzajú v inom priečinku, než je zobrazený nižšie, zadajte správnu cestu alebo kliknite na Prehľadávať.
PathLabel=&Cesta:
FileNotInDir2=Súbor „%1“ sa v „%2“ nepodarilo nájsť. Vložte, prosím, správny disk alebo vyberte iný priečinok.
SelectDirectoryLabel=Zadajte, prosím, umiestnenie ďalšieho disku.

; *** Installation phase messages
SetupAborted=Inštalácia nebola dokončená.%n%nOdstráňte, prosím, problém a spustite inštaláciu znova.
EntryAbortRetryIgnore=Kliknutím na Opakovať to skúsite znova, kliknutím na Ignorovať budete napriek tomu pokračovať a kliknutím na Prerušiť inštaláciu zrušíte.

; *** Installation status messages
StatusClosingApplications=Zatvárajú sa aplikácie...
StatusCreateDirs=Vytvárajú sa priečinky...
StatusExtractFiles=Rozbaľujú sa súbory...
StatusCreateIcons=Vytvárajú sa odkazy...
StatusCreateIniEntries=Vytvárajú sa položky INI...
StatusCreateRegistryEntries=Vytvárajú sa položky registra...
StatusRegisterFiles=Registrujú sa súbory...
StatusSavingUninstall=Ukladajú sa informácie na odinštalovanie...
StatusRunProgram=Dokončuje sa inštalácia...
StatusRestartingApplications=Znova sa spúšťajú aplikácie...
StatusRollback=Vracajú sa vykonané zmeny...

; *** Misc. errors
ErrorInternal2=Vnútorná chyba: %1
ErrorFunctionFailedNoCode=Volanie %1 zlyhalo
ErrorFunctionFailed=Volanie %1 zlyhalo; kód %2
ErrorFunctionFailedWithMessage=Volanie %1 zlyhalo; kód %2.%n%3
ErrorExecutingProgram=Nie je možné spustiť súbor:%n%1

; *** Registry errors
ErrorRegOpenKey=Chyba pri otváraní kľúča registra:%n%1\%2
ErrorRegCreateKey=Chyba pri vytváraní kľúča registra:%n%1\%2
ErrorRegWriteKey=Chyba pri zápise do kľúča registra:%n%1\%2

; *** INI errors
ErrorIniEntry=Chyba pri vytváraní položky INI v súbore „%1“.

; *** File copying errors
FileAbortRetryIgnore=Kliknutím na Opakovať to skúsite znova, kliknutím na Ignorovať tento súbor preskočíte (neodporúča sa) a kliknutím na Prerušiť inštaláciu zrušíte.
FileAbortRetryIgnore2=Kliknutím na Opakovať to skúsite znova, kliknutím na Ignorovať budete napriek tomu pokračovať (neodporúča sa) a kliknutím na Prerušiť inštaláciu zrušíte.
SourceIsCorrupted=Zdrojový súbor je poškodený
SourceDoesntExist=Zdrojový súbor „%1“ neexistuje
ExistingFileReadOnly=Existujúci súbor je označený ako iba na čítanie.%n%nKliknutím na Opakovať odstránite atribút „iba na čítanie“ a skúsite to znova, kliknutím na Ignorovať tento súbor preskočíte a kliknutím na Prerušiť inštaláciu zrušíte.
ErrorReadingExistingDest=Pri pokuse o čítanie existujúceho súboru sa vyskytla chyba:
FileExists=Súbor už existuje.%n%nChcete, aby ho sprievodca inštaláciou prepísal?
ExistingFileNewer=Existujúci súbor je novší ako ten, ktorý sa sprievodca inštaláciou pokúša nainštalovať. Odporúča sa ponechať existujúci súbor.%n%nChcete ponechať existujúci súbor?
ErrorChangingAttr=Pri pokuse o zmenu atribútov existujúceho súboru sa vyskytla chyba:
ErrorCreatingTemp=Pri pokuse o vytvorenie súboru v cieľovom priečinku sa vyskytla chyba:
ErrorReadingSource=Pri pokuse o čítanie zdrojového súboru sa vyskytla chyba:
ErrorCopying=Pri pokuse o kopírovanie súboru sa vyskytla chyba:
ErrorReplacingExistingFile=Pri pokuse o nahradenie existujúceho súboru sa vyskytla chyba:
ErrorRestartReplace=Volanie RestartReplace zlyhalo:
ErrorRenamingTemp=Pri pokuse o premenovanie súboru v cieľovom priečinku sa vyskytla chyba:
ErrorRegisterServer=Nie je možné zaregistrovať knižnicu DLL/OCX: %1
ErrorRegSvr32Failed=Program RegSvr32 zlyhal s návratovým kódom %1
ErrorRegisterTypeLib=Nie je možné zaregistrovať knižnicu typov: %1

; *** Post-installation errors
ErrorOpeningReadme=Pri pokuse o otvorenie súboru README sa vyskytla chyba.
ErrorRestartingComputer=Sprievodca inštaláciou nedokázal reštartovať počítač. Urobte to, prosím, ručne.

; *** Uninstaller messages
UninstallNotFound=Súbor „%1“ neexistuje. Odinštalovanie nie je možné.
UninstallOpenError=Súbor „%1“ nie je možné otvoriť. Odinštalovanie nie je možné
UninstallUnsupportedVer=Protokol odinštalovania „%1“ má formát, ktorý táto verzia sprievodcu odinštalovaním nerozpozná. Odinštalovanie nie je možné
UninstallUnknownEntry=V protokole odinštalovania sa vyskytla neznáma položka (%1)
ConfirmUninstall=Naozaj chcete úplne odstrániť program %1 a všetky jeho súčasti?
UninstallOnlyOnWin64=Túto inštaláciu možno odinštalovať iba v 64-bitovom systéme Windows.
OnlyAdminCanUninstall=Túto inštaláciu môže odinštalovať iba používateľ s právami správcu.
UninstallStatusLabel=Počkajte, prosím, kým sa program %1 odstráni z vášho počítača.
UninstalledAll=Program %1 bol úspešne odstránený z vášho počítača.
UninstalledMost=Odinštalovanie programu %1 je dokončené.%n%nNiektoré prvky nebolo možné odstrániť. Môžete ich odstrániť ručne.
UninstalledAndNeedsRestart=Na dokončenie odinštalovania programu %1 je potrebné reštartovať počítač.%n%nChcete ho reštartovať teraz?
UninstallDataCorrupted=Súbor „%1“ je poškodený. Odinštalovanie nie je možné

; *** Uninstallation phase messages
ConfirmDeleteSharedFileTitle=Odstrániť zdieľaný súbor?
ConfirmDeleteSharedFile2=Podľa systému nasledujúci zdieľaný súbor už nepoužíva žiadny program. Chcete, aby sprievodca odinštalovaním tento zdieľaný súbor odstránil?%n%nAk tento súbor ešte niektoré programy používajú a bude odstránený, nemusia tieto programy správne fungovať. Ak si nie ste istý, zvoľte Nie. Ponechanie súboru v systéme nespôsobí žiadnu škodu.
SharedFileNameLabel=Názov súboru:
SharedFileLocationLabel=Umiestnenie:
WizardUninstalling=Stav odinštalovania
StatusUninstalling=Odinštalováva sa %1...

; *** Shutdown block reasons
ShutdownBlockReasonInstallingApp=Inštaluje sa %1.
ShutdownBlockReasonUninstallingApp=Odinštalováva sa %1.

; The custom messages below are not used by Setup itself; scripts
; that use them get them in this language.

[CustomMessages]

NameAndVersion=%1 verzia %2
AdditionalIcons=Ďalšie odkazy:
CreateDesktopIcon=Vytvoriť odkaz na &ploche
CreateQuickLaunchIcon=Vytvoriť odkaz na paneli &Rýchle spustenie
ProgramOnTheWeb=%1 na webe
UninstallProgram=Odinštalovať %1
LaunchProgram=Spustiť %1
AssocFileExtension=Prira&diť %1 k prípone súborov %2
AssocingFileExtension=Priraďuje sa %1 k prípone súborov %2...
AutoStartProgramGroupDescription=Po spustení:
AutoStartProgram=Automaticky spúšťať %1
AddonHostProgramNotFound=Program %1 sa vo vybranom priečinku nepodarilo nájsť.%n%nChcete napriek tomu pokračovať?
