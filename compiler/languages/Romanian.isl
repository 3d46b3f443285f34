; *** Tornavel: Romanian messages for Inno Setup 5.5.9 ***
;
; Tornavel's own translation, made from the English Default.isl of
; Inno Setup 5.5.9. Kept here as UTF-8 with LF line ends;
; scripts/install-compiler converts it to code page 1250 with CR LF
; when it installs it into the compiler's folder. Code page 1250 has
; no comma-below letters, so the text uses their cedilla forms.
;
; Messages that end without a period stay without one: Inno Setup
; appends the period itself.

[LangOptions]
LanguageName=Rom<00E2>n<0103>
LanguageID=$0418
LanguageCodePage=1250

[Messages]

; *** Application titles
SetupAppTitle=Instalare
SetupWindowTitle=Instalare - %1
UninstallAppTitle=Dezinstalare
UninstallAppFullTitle=Dezinstalare %1

; *** Misc. common
InformationTitle=Informaţii
ConfirmTitle=Confirmare
ErrorTitle=Eroare

; *** SetupLdr messages
SetupLdrStartupMessage=Se va instala %1. Doriţi să continuaţi?
LdrCannotCreateTemp=Nu se poate crea un fişier temporar. Instalarea a fost întreruptă
LdrCannotExecTemp=Nu se poate executa fişierul din dosarul temporar. Instalarea a fost întreruptă

; *** Startup error messages
LastErrorMessage=%1.%n%nEroarea %2: %3
SetupFileMissing=Fişierul %1 lipseşte din dosarul de instalare. Corectaţi problema sau obţineţi o copie nouă a programului.
SetupFileCorrupt=Fişierele de instalare sunt deteriorate. Obţineţi o copie nouă a programului.
SetupFileCorruptOrWrongVer=Fişierele de instalare sunt deteriorate sau nu sunt compatibile cu această versiune a programului de instalare. Corectaţi problema sau obţineţi o copie nouă a programului.
InvalidParameter=În linia de comandă a fost transmis un parametru nevalid:%n%n%1
SetupAlreadyRunning=Programul de instalare rulează deja.
WindowsVersionNotSupported=Acest program nu acceptă versiunea de Windows care rulează pe calculatorul dumneavoastră.
WindowsServicePackRequired=Acest program necesită %1 Service Pack %2 sau o versiune ulterioară.
NotOnThisPlatform=Acest program nu poate rula pe %1.
OnlyOnThisPlatform=Acest program trebuie rulat pe %1.
OnlyOnTheseArchitectures=Acest program poate fi instalat numai pe versiuni de Windows proiectate pentru următoarele arhitecturi de procesor:%n%n%1
MissingWOW64APIs=Versiunea de Windows pe care o folosiţi nu conţine funcţiile de care programul de instalare are nevoie pentru o instalare pe 64 de biţi. Pentru a corecta problema, instalaţi Service Pack %1.
WinVersionTooLowError=Acest program necesită %1 versiunea %2 sau o versiune ulterioară.
WinVersionTooHighError=Acest program nu poate fi instalat pe %1 versiunea %2 sau o versiune ulterioară.
AdminPrivilegesRequired=Pentru a instala acest program, trebuie să fiţi autentificat ca administrator.
PowerUserPrivilegesRequired=Pentru a instala acest program, trebuie să fiţi autentificat ca administrator sau ca membru al grupului Power Users.
SetupAppRunningError=Programul de instalare a detectat că %1 rulează în acest moment.%n%nÎnchideţi acum toate instanţele sale, apoi faceţi clic pe OK pentru a continua sau pe Anulare pentru a ieşi.
UninstallAppRunningError=Programul de dezinstalare a detectat că %1 rulează în acest moment.%n%nÎnchideţi acum toate instanţele sale, apoi faceţi clic pe OK pentru a continua sau pe Anulare pentru a ieşi.

; *** Misc. errors
ErrorCreatingDir=Programul de instalare nu a putut crea dosarul „%1”
ErrorTooManyFilesInDir=Nu se poate crea un fişier în dosarul „%1”, deoarece acesta conţine prea multe fişiere

; *** Setup common messages
ExitSetupTitle=Ieşire din instalare
ExitSetupMessage=Instalarea nu este finalizată. Dacă ieşiţi acum, programul nu va fi instalat.%n%nPuteţi rula din nou programul de instalare altă dată pentru a finaliza instalarea.%n%nIeşiţi din instalare?
AboutSetupMenuItem=&Despre programul de instalare...
AboutSetupTitle=Despre programul de instalare
AboutSetupMessage=%1 versiunea %2%n%3%n%nPagina web %1:%n%4
AboutSetupNote=
TranslatorNote=

; *** Buttons
ButtonBack=< Îna&poi
ButtonNext=Înain&te >
ButtonInstall=&Instalare
ButtonOK=OK
ButtonCancel=Anulare
ButtonYes=&Da
ButtonYesToAll=Da pentru &toate
ButtonNo=&Nu
ButtonNoToAll=N&u pentru toate
ButtonFinish=&Finalizare
ButtonBrowse=&Răsfoire...
ButtonWizardBrowse=&Răsfoire...
ButtonNewFolder=&Creare dosar nou

; *** "Select Language" dialog messages
SelectLanguageTitle=Selectarea limbii de instalare
SelectLanguageLabel=Selectaţi limba care va fi folosită în timpul instalării:

; *** Common wizard text
ClickNext=Faceţi clic pe Înainte pentru a continua sau pe Anulare pentru a ieşi din instalare.
BeveledLabel=
BrowseDialogTitle=Căutare dosar
BrowseDialogLabel=Selectaţi un dosar din lista de mai jos, apoi faceţi clic pe OK.
NewFolderName=Dosar nou

; *** "Welcome" wizard page
WelcomeLabel1=Bun venit în expertul de instalare pentru [name]
WelcomeLabel2=Pe calculatorul dumneavoastră se va instala [name/ver].%n%nSe recomandă să închideţi toate celelalte aplicaţii înainte de a continua.

; *** "Password" wizard page
WizardPassword=Parolă
PasswordLabel1=Această instalare este protejată prin parolă.
PasswordLabel3=Introduceţi parola, apoi faceţi clic pe Înainte pentru a continua. Parolele fac diferenţa între literele mari şi cele mici.
PasswordEditLabel=Pa&rolă:
IncorrectPassword=Parola introdusă nu este corectă. Încercaţi din nou.

; *** "License Agreement" wizard page
WizardLicense=Acord de licenţă
LicenseLabel=Citiţi următoarele informaţii importante înainte de a continua.
LicenseLabel3=Citiţi următorul acord de licenţă. Trebuie să acceptaţi termenii acestui acord înainte de a continua instalarea.
LicenseAccepted=&Accept termenii acordului
LicenseNotAccepted=&Nu accept termenii acordului

; *** "Information" wizard pages
WizardInfoBefore=Informaţii
InfoBeforeLabel=Citiţi următoarele informaţii importante înainte de a continua.
InfoBeforeClickLabel=Când sunteţi gata să continuaţi instalarea, faceţi clic pe Înainte.
WizardInfoAfter=Informaţii
InfoAfterLabel=Citiţi următoarele informaţii importante înainte de a continua.
InfoAfterClickLabel=Când sunteţi gata să continuaţi instalarea, faceţi clic pe Înainte.

; *** "User Information" wizard page
WizardUserInfo=Informaţii despre utilizator
UserInfoDesc=Introduceţi informaţiile dumneavoastră.
UserInfoName=&Nume utilizator:
UserInfoOrg=&Organizaţie:
UserInfoSerial=Număr de &serie:
UserInfoNameRequired=Trebuie să introduceţi un nume.

; *** "Select Destination Location" wizard page
WizardSelectDir=Selectarea locaţiei de destinaţie
SelectDirDesc=Unde doriţi să fie instalat [name]?
SelectDirLabel3=Programul de instalare va instala [name] în următorul dosar.
SelectDirBrowseLabel=Pentru a continua, faceţi clic pe Înainte. Dacă doriţi să selectaţi alt dosar, faceţi clic pe Răsfoire.
DiskSpaceMBLabel=Este nevoie de cel puţin [mb] MB de spaţiu liber pe disc.
CannotInstallToNetworkDrive=Programul de instalare nu poate instala pe o unitate de reţea.
CannotInstallToUNCPath=Programul de instalare nu poate instala într-o cale UNC.
InvalidPath=Trebuie să introduceţi o cale completă, cu litera unităţii; de exemplu:%n%nC:\APP%n%nsau o cale UNC de forma:%n%n\\server\share
InvalidDrive=Unitatea sau partajarea UNC selectată nu există sau nu este accesibilă. Selectaţi alta.
DiskSpaceWarningTitle=Spaţiu insuficient pe disc
DiskSpaceWarning=Programul de instalare necesită cel puţin %1 KB de spaţiu liber pentru instalare, dar unitatea selectată are disponibili doar %2 KB.%n%nDoriţi să continuaţi oricum?
DirNameTooLong=Numele dosarului sau calea este prea lungă.
InvalidDirName=Numele dosarului nu este valid.
BadDirName32=Numele dosarelor nu pot conţine niciunul dintre următoarele caractere:%n%n%1
DirExistsTitle=Dosarul există
DirExists=Dosarul:%n%n%1%n%nexistă deja. Doriţi totuşi să instalaţi în acest dosar?
DirDoesntExistTitle=Dosarul nu există
DirDoesntExist=Dosarul:%n%n%1%n%nnu există. Doriţi să fie creat?

; *** "Select Components" wizard page
WizardSelectComponents=Selectarea componentelor
SelectComponentsDesc=Ce componente doriţi să fie instalate?
SelectComponentsLabel2=Selectaţi componentele pe care doriţi să le instalaţi şi debifaţi componentele pe care nu doriţi să le instalaţi. Faceţi clic pe Înainte când sunteţi gata să continuaţi.
FullInstallation=Instalare completă
CompactInstallation=Instalare compactă
CustomInstallation=Instalare personalizată
NoUninstallWarningTitle=Componentele există
NoUninstallWarning=Programul de instalare a detectat că următoarele componente sunt deja instalate pe calculatorul dumneavoastră:%n%n%1%n%nDeselectarea acestor componente nu le va dezinstala.%n%nDoriţi să continuaţi oricum?
ComponentSize1=%1 KB
ComponentSize2=%1 MB
ComponentsDiskSpaceMBLabel=Selecţia curentă necesită cel puţin [mb] MB de spaţiu pe disc.

; *** "Select Additional Tasks" wizard page
WizardSelectTasks=Selectarea sarcinilor suplimentare
SelectTasksDesc=Ce sarcini suplimentare doriţi să fie efectuate?
SelectTasksLabel2=Selectaţi sarcinile suplimentare pe care doriţi să le efectueze programul de instalare în timp ce instalează [name], apoi faceţi clic pe Înainte.

; *** "Select Start Menu Folder" wizard page
WizardSelectProgramGroup=Selectarea dosarului din meniul Start
SelectStartMenuFolderDesc=Unde doriţi ca programul de instalare să plaseze comenzile rapide ale programului?
SelectStartMenuFolderLabel3=Programul de instalare va crea comenzile rapide ale programului în următorul dosar din meniul Start.
SelectStartMenuFolderBrowseLabel=Pentru a continua, faceţi clic pe Înainte. Dacă doriţi să selectaţi alt dosar, faceţi clic pe Răsfoire.
MustEnterGroupName=Trebuie să introduceţi un nume de dosar.
GroupNameTooLong=Numele dosarului sau calea este prea lungă.
InvalidGroupName=Numele dosarului nu este valid.
BadGroupName=Numele dosarului nu poate conţine niciunul dintre următoarele caractere:%n%n%1
NoProgramGroupCheck2=&Nu crea un dosar în meniul Start

; *** "Ready to Install" wizard page
WizardReady=Gata de instalare
ReadyLabel1=Programul de instalare este gata să înceapă instalarea [name] pe calculatorul dumneavoastră.
ReadyLabel2a=Faceţi clic pe Instalare pentru a continua instalarea sau pe Înapoi dacă doriţi să revedeţi sau să modificaţi setările.
ReadyLabel2b=Faceţi clic pe Instalare pentru a continua instalarea.
ReadyMemoUserInfo=Informaţii despre utilizator:
ReadyMemoDir=Locaţia de destinaţie:
ReadyMemoType=Tipul instalării:
ReadyMemoComponents=Componente selectate:
ReadyMemoGroup=Dosarul din meniul Start:
ReadyMemoTasks=Sarcini suplimentare:

; *** "Preparing to Install" wizard page
WizardPreparing=Pregătirea instalării
PreparingDesc=Programul de instalare se pregăteşte să instaleze [name] pe calculatorul dumneavoastră.
PreviousInstallNotCompleted=Instalarea sau eliminarea unui program anterior nu a fost finalizată. Trebuie să reporniţi calculatorul pentru a finaliza acea operaţie.%n%nDupă repornirea calculatorului, rulaţi din nou programul de instalare pentru a finaliza instalarea [name].
CannotContinue=Programul de instalare nu poate continua. Faceţi clic pe Anulare pentru a ieşi.
ApplicationsFound=Următoarele aplicaţii folosesc fişiere pe care programul de instalare trebuie să le actualizeze. Se recomandă să permiteţi programului de instalare să închidă automat aceste aplicaţii.
ApplicationsFound2=Următoarele aplicaţii folosesc fişiere pe care programul de instalare trebuie să le actualizeze. Se recomandă să permiteţi programului de instalare să închidă automat aceste aplicaţii. După finalizarea instalării, programul de instalare va încerca să repornească aplicaţiile.
CloseApplications=Închide &automat aplicaţiile
DontCloseApplications=&Nu închide aplicaţiile
ErrorCloseApplications=Programul de instalare nu a putut închide automat toate aplicaţiile. Înainte de a continua, se recomandă să închideţi toate aplicaţiile care folosesc fişiere pe care programul de instalare trebuie să le actualizeze.

; *** "Installing" wizard page
WizardInstalling=Instalare în curs
InstallingLabel=Aşteptaţi cât timp programul de instalare instalează [name] pe calculatorul dumneavoastră.

; *** "Setup Completed" wizard page
FinishedHeadingLabel=Finalizarea expertului de instalare pentru [name]
FinishedLabelNoIcons=Programul de instalare a terminat instalarea [name] pe calculatorul dumneavoastră.
FinishedLabel=Programul de instalare a terminat instalarea [name] pe calculatorul dumneavoastră. Aplicaţia poate fi lansată cu ajutorul comenzilor rapide instalate.
ClickFinish=Faceţi clic pe Finalizare pentru a ieşi din instalare.
FinishedRestartLabel=Pentru a finaliza instalarea [name], programul de instalare trebuie să repornească calculatorul. Doriţi să-l reporniţi acum?
FinishedRestartMessage=Pentru a finaliza instalarea [name], programul de instalare trebuie să repornească calculatorul.%n%nDoriţi să-l reporniţi acum?
ShowReadmeCheck=Da, doresc să văd fişierul README
YesRadio=&Da, reporneşte calculatorul acum
NoRadio=&Nu, voi reporni calculatorul mai târziu
; used for example as 'Run MyProg.exe'
RunEntryExec=Rulează %1
; used for example as 'View Readme.txt'
RunEntryShellExec=Afişează %1

; *** "Setup Needs the Next Disk" stuff
ChangeDiskTitle=Programul de instalare are nevoie de discul următor
SelectDiskLabel2=Introduceţi discul %1 şi faceţi clic pe OK.%n%nDacă fişierele de pe acest disc se află în alt dosar decât cel afişat mai jos, introduceţi calea corectă sau faceţi clic pe Răsfoire.
PathLabel=&Cale:
FileNotInDir2=Fişierul „%1” nu a fost găsit în „%2”. Introduceţi discul corect sau selectaţi alt dosar.
SelectDirectoryLabel=Specificaţi locaţia discului următor.

; *** Installation phase messages
SetupAborted=Instalarea nu a fost finalizată.%n%nCorectaţi problema şi rulaţi din nou programul de instalare.
EntryAbortRetryIgnore=Faceţi clic pe Reîncercare pentru a încerca din nou, pe Ignorare pentru a continua oricum sau pe Abandon pentru a anula instalarea.

; *** Installation status messages
StatusClosingApplications=Se închid aplicaţiile...
StatusCreateDirs=Se creează dosarele...
StatusExtractFiles=Se extrag fişierele...
StatusCreateIcons=Se creează comenzile rapide...
StatusCreateIniEntries=Se creează intrările INI...
StatusCreateRegistryEntries=Se creează intrările de registru...
StatusRegisterFiles=Se înregistrează fişierele...
StatusSavingUninstall=Se salvează informaţiile de dezinstalare...
StatusRunProgram=Se finalizează instalarea...
StatusRestartingApplications=Se repornesc aplicaţiile...
StatusRollback=Se anulează modificările...

; *** Misc. errors
ErrorInternal2=Eroare internă: %1
ErrorFunctionFailedNoCode=%1 a eşuat
ErrorFunctionFailed=%1 a eşuat; codul %2
ErrorFunctionFailedWithMessage=%1 a eşuat; codul %2.%n%3
ErrorExecutingProgram=Nu se poate executa fişierul:%n%1

; *** Registry errors
ErrorRegOpenKey=Eroare la deschiderea cheii de registru:%n%1\%2
ErrorRegCreateKey=Eroare la crearea cheii de registru:%n%1\%2
ErrorRegWriteKey=Eroare la scrierea în cheia de registru:%n%1\%2

; *** INI errors
ErrorIniEntry=Eroare la crearea intrării INI în fişierul „%1”.

; *** File copying errors
FileAbortRetryIgnore=Faceţi clic pe Reîncercare pentru a încerca din nou, pe Ignorare pentru a omite acest fişier (nerecomandat) sau pe Abandon pentru a anula instalarea.
FileAbortRetryIgnore2=Faceţi clic pe Reîncercare pentru a încerca din nou, pe Ignorare pentru a continua oricum (nerecomandat) sau pe Abandon pentru a anula instalarea.
SourceIsCorrupted=Fişierul sursă este deteriorat
SourceDoesntExist=Fişierul sursă „%1” nu există
ExistingFileReadOnly=Fişierul existent este marcat ca doar în citire.%n%nFaceţi clic pe Reîncercare pentru a elimina atributul „doar în citire” şi a încerca din nou, pe Ignorare pentru a omite acest fişier sau pe Abandon pentru a anula instalarea.
ErrorReadingExistingDest=A apărut o eroare la citirea fişierului existent:
FileExists=Fişierul există deja.%n%nDoriţi ca programul de instalare să-l suprascrie?
ExistingFileNewer=Fişierul existent este mai nou decât cel pe care încearcă să-l instaleze programul de instalare. Se recomandă să păstraţi fişierul existent.%n%nDoriţi să păstraţi fişierul existent?
ErrorChangingAttr=A apărut o eroare la modificarea atributelor fişierului existent:
ErrorCreatingTemp=A apărut o eroare la crearea unui fişier în dosarul de destinaţie:
ErrorReadingSource=A apărut o eroare la citirea fişierului sursă:
ErrorCopying=A apărut o eroare la copierea unui fişier:
ErrorReplacingExistingFile=A apărut o eroare la înlocuirea fişierului existent:
ErrorRestartReplace=RestartReplace a eşuat:
ErrorRenamingTemp=A apărut o eroare la redenumirea unui fişier din dosarul de destinaţie:
ErrorRegisterServer=Nu se poate înregistra DLL/OCX: %1
ErrorRegSvr32Failed=RegSvr32 a eşuat cu codul de ieşire %1
ErrorRegisterTypeLib=Nu se poate înregistra biblioteca de tipuri: %1

; *** Post-installation errors
ErrorOpeningReadme=A apărut o eroare la deschiderea fişierului README.
ErrorRestartingComputer=Programul de instalare nu a putut reporni calculatorul. Reporniţi-l manual.

; *** Uninstaller messages
UninstallNotFound=Fişierul „%1” nu există. Dezinstalarea nu este posibilă.
UninstallOpenError=Fişierul „%1” nu a putut fi deschis. Dezinstalarea nu este posibilă
UninstallUnsupportedVer=Fişierul jurnal de dezinstalare „%1” are un format pe care această versiune a programului de dezinstalare nu îl recunoaşte. Dezinstalarea nu este posibilă
UninstallUnknownEntry=În jurnalul de dezinstalare a fost găsită o intrare necunoscută (%1)
ConfirmUninstall=Sigur doriţi să eliminaţi complet %1 şi toate componentele sale?
UninstallOnlyOnWin64=Această instalare poate fi dezinstalată numai pe Windows pe 64 de biţi.
OnlyAdminCanUninstall=Această instalare poate fi dezinstalată numai de un utilizator cu drepturi de administrator.
UninstallStatusLabel=Aşteptaţi cât timp %1 este eliminat de pe calculatorul dumneavoastră.
UninstalledAll=%1 a fost eliminat cu succes de pe calculatorul dumneavoastră.
UninstalledMost=Dezinstalarea %1 s-a încheiat.%n%nUnele elemente nu au putut fi eliminate. Acestea pot fi eliminate manual.
UninstalledAndNeedsRestart=Pentru a finaliza dezinstalarea %1, calculatorul trebuie repornit.%n%nDoriţi să-l reporniţi acum?
UninstallDataCorrupted=Fişierul „%1” este deteriorat. Dezinstalarea nu este posibilă

; *** Uninstallation phase messages
ConfirmDeleteSharedFileTitle=Eliminaţi fişierul partajat?
ConfirmDeleteSharedFile2=Sistemul indică faptul că următorul fişier partajat nu mai este folosit de niciun program. Doriţi ca programul de dezinstalare să elimine acest fişier partajat?%n%nDacă unele programe încă folosesc acest fişier şi el este eliminat, este posibil ca ele să nu mai funcţioneze corect. Dacă nu sunteţi sigur, alegeţi Nu. Păstrarea fişierului în sistem nu va cauza probleme.
SharedFileNameLabel=Nume fişier:
SharedFileLocationLabel=Locaţie:
WizardUninstalling=Starea dezinstalării
StatusUninstalling=Se dezinstalează %1...

; *** Shutdown block reasons
ShutdownBlockReasonInstallingApp=Se instalează %1.
ShutdownBlockReasonUninstallingApp=Se dezinstalează %1.

; The custom messages below are not used by Setup itself; scripts
; that use them get them in this language.

[CustomMessages]

NameAndVersion=%1 versiunea %2
AdditionalIcons=Comenzi rapide suplimentare:
CreateDesktopIcon=Creează o comandă rapidă pe &desktop
CreateQuickLaunchIcon=Creează o comandă rapidă în bara &Lansare rapidă
ProgramOnTheWeb=%1 pe web
UninstallProgram=Dezinstalează %1
LaunchProgram=Lansează %1
AssocFileExtension=&Asociază %1 cu extensia de fişier %2
AssocingFileExtension=Se asociază %1 cu extensia de fişier %2...
AutoStartProgramGroupDescription=Pornire:
AutoStartProgram=Porneşte automat %1
AddonHostProgramNotFound=%1 nu a fost găsit în dosarul selectat.%n%nDoriţi să continuaţi oricum?
