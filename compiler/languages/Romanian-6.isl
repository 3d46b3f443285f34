; *** Tornavel: Romanian messages added by Inno Setup 6 ***
;
; The messages Inno Setup 6.2.0 has beyond 5.5.9, translated from its
; English Default.isl. scripts/install-compiler appends them to
; Romanian.isl when it installs that file for Inno Setup 6, and leaves
; out the messages 6 no longer has. UTF-8 with LF line ends, cedilla
; forms as in Romanian.isl.

[Messages]

; *** Privileges and install mode
PrivilegesRequiredOverrideTitle=Selectaţi modul de instalare
PrivilegesRequiredOverrideInstruction=Selectaţi modul de instalare
PrivilegesRequiredOverrideText1=%1 poate fi instalat pentru toţi utilizatorii (necesită drepturi de administrator) sau doar pentru dumneavoastră.
PrivilegesRequiredOverrideText2=%1 poate fi instalat doar pentru dumneavoastră sau pentru toţi utilizatorii (necesită drepturi de administrator).
PrivilegesRequiredOverrideAllUsers=Instalare pentru &toţi utilizatorii
PrivilegesRequiredOverrideAllUsersRecommended=Instalare pentru &toţi utilizatorii (recomandat)
PrivilegesRequiredOverrideCurrentUser=Instalare doar pentru &mine
PrivilegesRequiredOverrideCurrentUserRecommended=Instalare doar pentru &mine (recomandat)

; *** Errors and questions
HelpTextNote=
ErrorFileHash1=Calcularea sumei de control a fişierului a eşuat: %1
ErrorFileHash2=Suma de control a fişierului nu este validă: se aştepta %1, s-a găsit %2
ErrorProgress=Progres nevalid: %1 din %2
ErrorFileSize=Dimensiunea fişierului nu este validă: se aştepta %1, s-a găsit %2

; *** Disk space
DiskSpaceGBLabel=Sunt necesari cel puţin [gb] GB de spaţiu liber pe disc.
ComponentsDiskSpaceGBLabel=Selecţia curentă necesită cel puţin [gb] GB de spaţiu pe disc.

; *** Preparing to install
PrepareToInstallNeedsRestart=Programul de instalare trebuie să repornească calculatorul. După repornire, rulaţi din nou programul de instalare pentru a termina instalarea [name].%n%nDoriţi să reporniţi acum?

; *** Downloads
DownloadingLabel=Se descarcă fişiere suplimentare...
ButtonStopDownload=&Opriţi descărcarea
StopDownload=Sigur doriţi să opriţi descărcarea?
ErrorDownloadAborted=Descărcarea a fost întreruptă
ErrorDownloadFailed=Descărcarea a eşuat: %1 %2
ErrorDownloadSizeFailed=Aflarea dimensiunii a eşuat: %1 %2

; *** Installing: what to do with an error or an existing file
AbortRetryIgnoreSelectAction=Selectaţi acţiunea
AbortRetryIgnoreRetry=Înce&rcaţi din nou
AbortRetryIgnoreIgnore=&Ignoraţi eroarea şi continuaţi
AbortRetryIgnoreCancel=Anulaţi instalarea
FileAbortRetryIgnoreSkipNotRecommended=&Săriţi peste acest fişier (nerecomandat)
FileAbortRetryIgnoreIgnoreNotRecommended=&Ignoraţi eroarea şi continuaţi (nerecomandat)
ExistingFileReadOnly2=Fişierul existent nu a putut fi înlocuit deoarece este marcat doar pentru citire.
ExistingFileReadOnlyRetry=&Eliminaţi atributul doar pentru citire şi încercaţi din nou
ExistingFileReadOnlyKeepExisting=&Păstraţi fişierul existent
ExistingFileNewer2=Fişierul existent este mai nou decât cel pe care programul de instalare încearcă să-l instaleze.
ExistingFileNewerSelectAction=Selectaţi acţiunea
ExistingFileNewerKeepExisting=&Păstraţi fişierul existent (recomandat)
ExistingFileNewerOverwriteExisting=&Suprascrieţi fişierul existent
ExistingFileNewerOverwriteOrKeepAll=&Procedaţi la fel la următoarele conflicte
FileExists2=Fişierul există deja.
FileExistsSelectAction=Selectaţi acţiunea
FileExistsKeepExisting=&Păstraţi fişierul existent
FileExistsOverwriteExisting=&Suprascrieţi fişierul existent
FileExistsOverwriteOrKeepAll=&Procedaţi la fel la următoarele conflicte

; *** Uninstall: the marks of the name in the list of programs
UninstallDisplayNameMark=%1 (%2)
UninstallDisplayNameMarks=%1 (%2, %3)
UninstallDisplayNameMark32Bit=32 de biţi
UninstallDisplayNameMark64Bit=64 de biţi
UninstallDisplayNameMarkAllUsers=Toţi utilizatorii
UninstallDisplayNameMarkCurrentUser=Utilizatorul curent
