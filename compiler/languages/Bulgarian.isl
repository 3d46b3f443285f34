; *** Tornavel: Bulgarian messages for Inno Setup 5.5.9 ***
;
; Tornavel's own translation, made from the English Default.isl of
; Inno Setup 5.5.9. Kept here as UTF-8 with LF line ends;
; scripts/install-compiler converts it to code page 1251 with CR LF
; when it installs it into the compiler's folder.
;
; Messages that end without a period stay without one: Inno Setup
; appends the period itself.

[LangOptions]
LanguageName=<0411><044A><043B><0433><0430><0440><0441><043A><0438>
LanguageID=$0402
LanguageCodePage=1251

[Messages]

; *** Application titles
SetupAppTitle=Инсталиране
SetupWindowTitle=Инсталиране - %1
UninstallAppTitle=Деинсталиране
UninstallAppFullTitle=Деинсталиране на %1

; *** Misc. common
InformationTitle=Информация
ConfirmTitle=Потвърждение
ErrorTitle=Грешка

; *** SetupLdr messages
SetupLdrStartupMessage=Ще бъде инсталирана програмата %1. Искате ли да продължите?
LdrCannotCreateTemp=Не може да се създаде временен файл. Инсталирането е прекратено
LdrCannotExecTemp=Не може да се изпълни файл във временната папка. Инсталирането е прекратено

; *** Startup error messages
LastErrorMessage=%1.%n%nГрешка %2: %3
SetupFileMissing=Файлът %1 липсва в инсталационната папка. Отстранете проблема или се сдобийте с ново копие на програмата.
SetupFileCorrupt=Инсталационните файлове са повредени. Сдобийте се с ново копие на програмата.
SetupFileCorruptOrWrongVer=Инсталационните файлове са повредени или не са съвместими с тази версия на инсталатора. Отстранете проблема или се сдобийте с ново копие на програмата.
InvalidParameter=В командния ред е подаден невалиден параметър:%n%n%1
SetupAlreadyRunning=Инсталаторът вече работи.
WindowsVersionNotSupported=Програмата не поддържа версията на Windows, която работи на компютъра ви.
WindowsServicePackRequired=Програмата изисква %1 Service Pack %2 или по-нов.
NotOnThisPlatform=Програмата не може да работи под %1.
OnlyOnThisPlatform=Програмата трябва да се изпълнява под %1.
OnlyOnTheseArchitectures=Програмата може да се инсталира само на версии на Windows, предназначени за следните процесорни архитектури:%n%n%1
MissingWOW64APIs=Версията на Windows, която използвате, не включва функциите, нужни на инсталатора за 64-битова инсталация. За да отстраните проблема, инсталирайте Service Pack %1.
WinVersionTooLowError=Програмата изисква %1 версия %2 или по-нова.
WinVersionTooHighError=Програмата не може да се инсталира на %1 версия %2 или по-нова.
AdminPrivilegesRequired=За да инсталирате програмата, трябва да сте влезли като администратор.
PowerUserPrivilegesRequired=За да инсталирате програмата, трябва да сте влезли като администратор или като член на групата Power Users.
SetupAppRunningError=Инсталаторът установи, че %1 в момента работи.%n%nЗатворете всички негови копия и натиснете OK, за да продължите, или Отказ, за да излезете.
UninstallAppRunningError=Деинсталаторът установи, че %1 в момента работи.%n%nЗатворете всички негови копия и натиснете OK, за да продължите, или Отказ, за да излезете.

; *** Misc. errors
ErrorCreatingDir=Инсталаторът не можа да създаде папката „%1“
ErrorTooManyFilesInDir=Не може да се създаде файл в папката „%1“, защото тя съдържа твърде много файлове

; *** Setup common messages
ExitSetupTitle=Изход от инсталирането
ExitSetupMessage=Инсталирането не е завършено. Ако излезете сега, програмата няма да бъде инсталирана.%n%nМожете да стартирате инсталатора отново по-късно, за да завършите инсталирането.%n%nИзход от инсталирането?
AboutSetupMenuItem=&За инсталатора...
AboutSetupTitle=За инсталатора
AboutSetupMessage=%1 версия %2%n%3%n%nУебсайт на %1:%n%4
AboutSetupNote=
TranslatorNote=

; *** Buttons
ButtonBack=< На&зад
ButtonNext=&Напред >
ButtonInstall=&Инсталиране
ButtonOK=OK
ButtonCancel=Отказ
ButtonYes=&Да
ButtonYesToAll=Да за &всички
ButtonNo=&Не
ButtonNoToAll=Н&е за всички
ButtonFinish=&Край
ButtonBrowse=П&реглед...
ButtonWizardBrowse=&Преглед...
ButtonNewFolder=&Създаване на нова папка

; *** "Select Language" dialog messages
SelectLanguageTitle=Избор на език за инсталирането
SelectLanguageLabel=Изберете езика, който да се използва по време на инсталирането:

; *** Common wizard text
ClickNext=Натиснете Напред, за да продължите, или Отказ, за да излезете от инсталатора.
BeveledLabel=
BrowseDialogTitle=Избор на папка
BrowseDialogLabel=Изберете папка от списъка по-долу и натиснете OK.
NewFolderName=Нова папка

; *** "Welcome" wizard page
WelcomeLabel1=Добре дошли в съветника за инсталиране на [name]
WelcomeLabel2=На компютъра ви ще бъде инсталирана програмата [name/ver].%n%nПрепоръчително е да затворите всички други приложения, преди да продължите.

; *** "Password" wizard page
WizardPassword=Парола
PasswordLabel1=Тази инсталация е защитена с парола.
PasswordLabel3=Въведете паролата и натиснете Напред, за да продължите. В паролите се различават малки и главни букви.
PasswordEditLabel=&Парола:
IncorrectPassword=Въведената парола е неправилна. Опитайте отново.

; *** "License Agreement" wizard page
WizardLicense=Лицензионно споразумение
LicenseLabel=Прочетете следната важна информация, преди да продължите.
LicenseLabel3=Прочетете следното лицензионно споразумение. Трябва да приемете условията му, преди да продължите с инсталирането.
LicenseAccepted=&Приемам споразумението
LicenseNotAccepted=Н&е приемам споразумението

; *** "Information" wizard pages
WizardInfoBefore=Информация
InfoBeforeLabel=Прочетете следната важна информация, преди да продължите.
InfoBeforeClickLabel=Когато сте готови да продължите с инсталирането, натиснете Напред.
WizardInfoAfter=Информация
InfoAfterLabel=Прочетете следната важна информация, преди да продължите.
InfoAfterClickLabel=Когато сте готови да продължите с инсталирането, натиснете Напред.

; *** "User Information" wizard page
WizardUserInfo=Информация за потребителя
UserInfoDesc=Въведете своите данни.
UserInfoName=&Име на потребителя:
UserInfoOrg=&Организация:
UserInfoSerial=&Сериен номер:
UserInfoNameRequired=Трябва да въведете име.

; *** "Select Destination Location" wizard page
WizardSelectDir=Избор на местоназначение
SelectDirDesc=Къде да бъде инсталирана програмата [name]?
SelectDirLabel3=Инсталаторът ще инсталира [name] в следната папка.
SelectDirBrowseLabel=За да продължите, натиснете Напред. Ако искате да изберете друга папка, натиснете Преглед.
DiskSpaceMBLabel=Необходими са поне [mb] MB свободно дисково пространство.
CannotInstallToNetworkDrive=Инсталаторът не може да инсталира на мрежово устройство.
CannotInstallToUNCPath=Инсталаторът не може да инсталира в UNC път.
InvalidPath=Трябва да въведете пълен път с буква на устройството, например:%n%nC:\APP%n%nили UNC път във вида:%n%n\\server\share
InvalidDrive=Избраното устройство или UNC споделяне не съществува или не е достъпно. Изберете друго.
DiskSpaceWarningTitle=Недостатъчно дисково пространство
DiskSpaceWarning=Инсталаторът изисква поне %1 KB свободно пространство, но на избраното устройство са налични само %2 KB.%n%nИскате ли все пак да продължите?
DirNameTooLong=Името на папката или пътят е твърде дълъг.
InvalidDirName=Името на папката е невалидно.
BadDirName32=Имената на папки не могат да съдържат нито един от следните знаци:%n%n%1
DirExistsTitle=Папката съществува
DirExists=Папката:%n%n%1%n%nвече съществува. Искате ли все пак да инсталирате в нея?
DirDoesntExistTitle=Папката не съществува
DirDoesntExist=Папката:%n%n%1%n%nне съществува. Искате ли да бъде създадена?

; *** "Select Components" wizard page
WizardSelectComponents=Избор на компоненти
SelectComponentsDesc=Кои компоненти да бъдат инсталирани?
SelectComponentsLabel2=Изберете компонентите, които искате да инсталирате, и махнете отметката от тези, които не искате да инсталирате. Натиснете Напред, когато сте готови да продължите.
FullInstallation=Пълна инсталация
CompactInstallation=Компактна инсталация
CustomInstallation=Инсталация по избор
NoUninstallWarningTitle=Компонентите съществуват
NoUninstallWarning=Инсталаторът установи, че следните компоненти вече са инсталирани на компютъра ви:%n%n%1%n%nПремахването на отметката от тях няма да ги деинсталира.%n%nИскате ли все пак да продължите?
ComponentSize1=%1 KB
ComponentSize2=%1 MB
ComponentsDiskSpaceMBLabel=Текущият избор изисква поне [mb] MB дисково пространство.

; *** "Select Additional Tasks" wizard page
WizardSelectTasks=Избор на допълнителни задачи
SelectTasksDesc=Кои допълнителни задачи да бъдат изпълнени?
SelectTasksLabel2=Изберете допълнителните задачи, които инсталаторът да изпълни при инсталирането на [name], и натиснете Напред.

; *** "Select Start Menu Folder" wizard page
WizardSelectProgramGroup=Избор на папка в менюто „Старт“
SelectStartMenuFolderDesc=Къде инсталаторът да постави преките пътища на програмата?
SelectStartMenuFolderLabel3=Инсталаторът ще създаде преките пътища на програмата в следната папка в менюто „Старт“.
SelectStartMenuFolderBrowseLabel=За да продължите, натиснете Напред. Ако искате да изберете друга папка, натиснете Преглед.
MustEnterGroupName=Трябва да въведете име на папка.
GroupNameTooLong=Името на папката или пътят е твърде дълъг.
InvalidGroupName=Името на папката е невалидно.
BadGroupName=Името на папката не може да съдържа нито един от следните знаци:%n%n%1
NoProgramGroupCheck2=&Без създаване на папка в менюто „Старт“

; *** "Ready to Install" wizard page
WizardReady=Готовност за инсталиране
ReadyLabel1=Инсталаторът е готов да започне инсталирането на [name] на компютъра ви.
ReadyLabel2a=Натиснете Инсталиране, за да продължите с инсталирането, или Назад, ако искате да прегледате или промените някоя от настройките.
ReadyLabel2b=Натиснете Инсталиране, за да продължите с инсталирането.
ReadyMemoUserInfo=Информация за потребителя:
ReadyMemoDir=Местоназначение:
ReadyMemoType=Вид на инсталацията:
ReadyMemoComponents=Избрани компоненти:
ReadyMemoGroup=Папка в менюто „Старт“:
ReadyMemoTasks=Допълнителни задачи:

; *** "Preparing to Install" wizard page
WizardPreparing=Подготовка за инсталиране
PreparingDesc=Инсталаторът се подготвя да инсталира [name] на компютъра ви.
PreviousInstallNotCompleted=Инсталирането или премахването на предишна програма не е завършено. Трябва да рестартирате компютъра, за да бъде завършено.%n%nСлед рестартирането на компютъра стартирайте инсталатора отново, за да завършите инсталирането на [name].
CannotContinue=Инсталаторът не може да продължи. Натиснете Отказ, за да излезете.
ApplicationsFound=Следните приложения използват файлове, които инсталаторът трябва да обнови. Препоръчително е да разрешите на инсталатора автоматично да затвори тези приложения.
ApplicationsFound2=Следните приложения използват файлове, които инсталаторът трябва да обнови. Препоръчително е да разрешите на инсталатора автоматично да затвори тези приложения. След завършване на инсталирането инсталаторът ще се опита да стартира приложенията отново.
CloseApplications=&Автоматично затваряне на приложенията
DontCloseApplications=&Да не се затварят приложенията
ErrorCloseApplications=Инсталаторът не можа автоматично да затвори всички приложения. Препоръчително е, преди да продължите, да затворите всички приложения, използващи файлове, които инсталаторът трябва да обнови.

; *** "Installing" wizard page
WizardInstalling=Инсталиране
InstallingLabel=Изчакайте, докато инсталаторът инсталира [name] на компютъра ви.

; *** "Setup Completed" wizard page
FinishedHeadingLabel=Завършване на съветника за инсталиране на [name]
FinishedLabelNoIcons=Инсталаторът завърши инсталирането на [name] на компютъра ви.
FinishedLabel=Инсталаторът завърши инсталирането на [name] на компютъра ви. Приложението може да бъде стартирано чрез инсталираните преки пътища.
ClickFinish=Натиснете Край, за да излезете от инсталатора.
FinishedRestartLabel=За да завърши инсталирането на [name], инсталаторът трябва да рестартира компютъра. Искате ли да рестартирате сега?
FinishedRestartMessage=За да завърши инсталирането на [name], инсталаторът трябва да рестартира компютъра.%n%nИскате ли да рестартирате сега?
ShowReadmeCheck=Да, искам да прегледам файла README
YesRadio=&Да, компютърът да се рестартира сега
NoRadio=&Не, ще рестартирам компютъра по-късно
; used for example as 'Run MyProg.exe'
RunEntryExec=Стартиране на %1
; used for example as 'View Readme.txt'
RunEntryShellExec=Преглед на %1

; *** "Setup Needs the Next Disk" stuff
ChangeDiskTitle=Инсталаторът се нуждае от следващия диск
SelectDiskLabel2=Поставете диск %1 и натиснете OK.%n%nАко файловете от този диск се намират в папка, различна от показаната по-долу, въведете правилния път или натиснете Преглед.
PathLabel=&Път:
FileNotInDir2=Файлът „%1“ не бе намерен в „%2“. Поставете правилния диск или изберете друга папка.
SelectDirectoryLabel=Посочете местоположението на следващия диск.

; *** Installation phase messages
SetupAborted=Инсталирането не бе завършено.%n%nОтстранете проблема и стартирайте инсталатора отново.
EntryAbortRetryIgnore=Натиснете Повторен опит, за да опитате отново, Пренебрегване, за да продължите въпреки това, или Прекратяване, за да отмените инсталирането.

; *** Installation status messages
StatusClosingApplications=Затваряне на приложенията...
StatusCreateDirs=Създаване на папките...
StatusExtractFiles=Извличане на файловете...
StatusCreateIcons=Създаване на преките пътища...
StatusCreateIniEntries=Създаване на записите в INI файловете...
StatusCreateRegistryEntries=Създаване на записите в регистъра...
StatusRegisterFiles=Регистриране на файловете...
StatusSavingUninstall=Записване на информацията за деинсталиране...
StatusRunProgram=Завършване на инсталирането...
StatusRestartingApplications=Повторно стартиране на приложенията...
StatusRollback=Отмяна на промените...

; *** Misc. errors
ErrorInternal2=Вътрешна грешка: %1
ErrorFunctionFailedNoCode=%1 не успя
ErrorFunctionFailed=%1 не успя; код %2
ErrorFunctionFailedWithMessage=%1 не успя; код %2.%n%3
ErrorExecutingProgram=Не може да се изпълни файлът:%n%1

; *** Registry errors
ErrorRegOpenKey=Грешка при отваряне на ключ от регистъра:%n%1\%2
ErrorRegCreateKey=Грешка при създаване на ключ в регистъра:%n%1\%2
ErrorRegWriteKey=Грешка при запис в ключ от регистъра:%n%1\%2

; *** INI errors
ErrorIniEntry=Грешка при създаване на запис в INI файла „%1“.

; *** File copying errors
FileAbortRetryIgnore=Натиснете Повторен опит, за да опитате отново, Пренебрегване, за да пропуснете този файл (не се препоръчва), или Прекратяване, за да отмените инсталирането.
FileAbortRetryIgnore2=Натиснете Повторен опит, за да опитате отново, Пренебрегване, за да продължите въпреки това (не се препоръчва), или Прекратяване, за да отмените инсталирането.
SourceIsCorrupted=Изходният файл е повреден
SourceDoesntExist=Изходният файл „%1“ не съществува
ExistingFileReadOnly=Съществуващият файл е маркиран само за четене.%n%nНатиснете Повторен опит, за да премахнете атрибута „само за четене“ и да опитате отново, Пренебрегване, за да пропуснете този файл, или Прекратяване, за да отмените инсталирането.
ErrorReadingExistingDest=Възникна грешка при опит за четене на съществуващия файл:
FileExists=Файлът вече съществува.%n%nИскате ли инсталаторът да го презапише?
ExistingFileNewer=Съществуващият файл е по-нов от този, който инсталаторът се опитва да инсталира. Препоръчително е да запазите съществуващия файл.%n%nИскате ли да запазите съществуващия файл?
ErrorChangingAttr=Възникна грешка при опит за промяна на атрибутите на съществуващия файл:
ErrorCreatingTemp=Възникна грешка при опит за създаване на файл в целевата папка:
ErrorReadingSource=Възникна грешка при опит за четене на изходния файл:
ErrorCopying=Възникна грешка при опит за копиране на файл:
ErrorReplacingExistingFile=Възникна грешка при опит за замяна на съществуващия файл:
ErrorRestartReplace=RestartReplace не успя:
ErrorRenamingTemp=Възникна грешка при опит за преименуване на файл в целевата папка:
ErrorRegisterServer=Не може да се регистрира DLL/OCX: %1
ErrorRegSvr32Failed=RegSvr32 не успя, код на изход %1
ErrorRegisterTypeLib=Не може да се регистрира библиотеката с типове: %1

; *** Post-installation errors
ErrorOpeningReadme=Възникна грешка при опит за отваряне на файла README.
ErrorRestartingComputer=Инсталаторът не можа да рестартира компютъра. Направете го ръчно.

; *** Uninstaller messages
UninstallNotFound=Файлът „%1“ не съществува. Деинсталирането е невъзможно.
UninstallOpenError=Файлът „%1“ не може да бъде отворен. Деинсталирането е невъзможно
UninstallUnsupportedVer=Дневникът за деинсталиране „%1“ е във формат, който тази версия на деинсталатора не разпознава. Деинсталирането е невъзможно
UninstallUnknownEntry=В дневника за деинсталиране е открит непознат запис (%1)
ConfirmUninstall=Наистина ли искате да премахнете напълно %1 и всички негови компоненти?
UninstallOnlyOnWin64=Тази инсталация може да бъде деинсталирана само под 64-битов Windows.
OnlyAdminCanUninstall=Тази инсталация може да бъде деинсталирана само от потребител с администраторски права.
UninstallStatusLabel=Изчакайте, докато програмата %1 бъде премахната от компютъра ви.
UninstalledAll=Програмата %1 беше успешно премахната от компютъра ви.
UninstalledMost=Деинсталирането на %1 завърши.%n%nНякои елементи не можаха да бъдат премахнати. Можете да ги премахнете ръчно.
UninstalledAndNeedsRestart=За да завърши деинсталирането на %1, компютърът трябва да бъде рестартиран.%n%nИскате ли да рестартирате сега?
UninstallDataCorrupted=Файлът „%1“ е повреден. Деинсталирането е невъзможно

; *** Uninstallation phase messages
ConfirmDeleteSharedFileTitle=Премахване на споделения файл?
ConfirmDeleteSharedFile2=Според системата следният споделен файл вече не се използва от никоя програма. Искате ли деинсталаторът да премахне този споделен файл?%n%nАко някои програми все още използват файла и той бъде премахнат, те може да не работят правилно. Ако не сте сигурни, изберете Не. Оставянето на файла в системата няма да навреди.
SharedFileNameLabel=Име на файла:
SharedFileLocationLabel=Местоположение:
WizardUninstalling=Състояние на деинсталирането
StatusUninstalling=Деинсталиране на %1...

; *** Shutdown block reasons
ShutdownBlockReasonInstallingApp=Инсталиране на %1.
ShutdownBlockReasonUninstallingApp=Деинсталиране на %1.

; The custom messages below are not used by Setup itself; scripts
; that use them get them in this language.

[CustomMessages]

NameAndVersion=%1 версия %2
AdditionalIcons=Допълнителни преки пътища:
CreateDesktopIcon=Създаване на пряк път на &работния плот
CreateQuickLaunchIcon=Създаване на пряк път в лентата за &бързо стартиране
ProgramOnTheWeb=%1 в интернет
UninstallProgram=Деинсталиране на %1
LaunchProgram=Стартиране на %1
AssocFileExtension=&Свързване на %1 с файловото разширение %2
AssocingFileExtension=Свързване на %1 с файловото разширение %2...
AutoStartProgramGroupDescription=Автоматично стартиране:
AutoStartProgram=Автоматично стартиране на %1
AddonHostProgramNotFound=Програмата %1 не бе намерена в избраната папка.%n%nИскате ли все пак да продължите?
