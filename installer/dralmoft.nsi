; Dralmoft's installer: 64-bit, Greek and English, per machine (as administrator, into
; Program Files) or per user (into %LOCALAPPDATA%\Programs, no administrator needed).
; A page asks for the company folder, where the account files and the export log live
; and where the shortcuts start the program. Uninstalling removes what was installed,
; file by file, and never the company folder's files.
;
; makensis -DVERSION=1.0.0 -DFILES=<staged files> -DOUTFILE=<setup.exe> -DICON=<.ico> dralmoft.nsi
;
; Silent: /S [/AllUsers | /CurrentUser] [/COMPANY=folder] [/D=folder, last, quoted or not]
;
; Exit codes (README): 0 done; 1 cancelled; 3 Dralmoft is installed in the other scope
; (per machine / per user); 4 this scope's Dralmoft is in another folder than /D= names
; (silent; asked otherwise); 5 a Dralmoft program of the folder is running; 6 a file could
; not be replaced (what was replaced is put back); 7 the company folder is the program's
; folder or inside it; 740 per machine without administrator rights. Nothing is changed
; on any of them. A refusal is also written as a line to %TEMP%\Dralmoft-setup.log.

Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel highest

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "WordFunc.nsh"

!ifndef VERSION | FILES | OUTFILE | ICON
  !error "VERSION, FILES, OUTFILE and ICON must be defined"
!endif

!define PRODUCT "Dralmoft"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dralmoft"
!define SETTINGS_KEY "Software\Dralmoft"
!define EXIT_OTHER_SCOPE 3
!define EXIT_OTHER_FOLDER 4
!define EXIT_RUNNING 5
!define EXIT_NOT_REPLACED 6
!define EXIT_COMPANY_INSIDE 7

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
InstallDir ""

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1032 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1032 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1032 "FileDescription" "Εγκατάσταση του ${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=1032 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1032 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1032 "LegalCopyright" "Copyright (c) 2026 Dralmoft developers"

Var AllUsers       ; 1: per machine, 0: per user
Var CompanyFolder
Var Existing       ; the folder of this scope's earlier install; empty when there is none
Var Owned          ; uninstaller: 1 when the entries name its folder, 0 for an orphan

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_ALLLANGUAGES
; The language chosen is remembered for the uninstaller and the next upgrade.
!define MUI_LANGDLL_REGISTRY_ROOT "HKCU"
!define MUI_LANGDLL_REGISTRY_KEY "${SETTINGS_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${FILES}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY

; The company folder: a second folder page, for its own variable.
!define MUI_PAGE_HEADER_TEXT "$(CompanyHeader)"
!define MUI_PAGE_HEADER_SUBTEXT "$(CompanySubheader)"
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(CompanyText)"
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "$(CompanyDestination)"
!define MUI_DIRECTORYPAGE_VARIABLE $CompanyFolder
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CompanyFolderLeave
!insertmacro MUI_PAGE_DIRECTORY

!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Greek"
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_RESERVEFILE_LANGDLL

LangString CompanyHeader ${LANG_GREEK} "Φάκελος εταιρείας"
LangString CompanyHeader ${LANG_ENGLISH} "Company folder"
LangString CompanySubheader ${LANG_GREEK} "Πού φυλάσσονται οι λογαριασμοί και το αρχείο εξαγωγών."
LangString CompanySubheader ${LANG_ENGLISH} "Where the accounts and the export log are kept."
LangString CompanyText ${LANG_GREEK} "Στον φάκελο εταιρείας βρίσκονται τα αρχεία λογαριασμών (client.txt, supplier.txt, products.txt, fpa.txt) και το αρχείο εξαγωγών (dralmoft-exports.db); οι συντομεύσεις ξεκινούν το πρόγραμμα εκεί. Αρχεία που υπάρχουν ήδη στον φάκελο μένουν όπως είναι."
LangString CompanyText ${LANG_ENGLISH} "The company folder holds the account files (client.txt, supplier.txt, products.txt, fpa.txt) and the export log (dralmoft-exports.db); the shortcuts start the program there. Files already in the folder are kept as they are."
LangString CompanyDestination ${LANG_GREEK} "Φάκελος εταιρείας"
LangString CompanyDestination ${LANG_ENGLISH} "Company folder"
LangString ProgramSection ${LANG_GREEK} "Dralmoft"
LangString ProgramSection ${LANG_ENGLISH} "Dralmoft"
LangString ProgramDescription ${LANG_GREEK} "Το πρόγραμμα, η εξαγωγή από τη γραμμή εντολών, ο οδηγός χρήσης και η συντόμευση στο μενού Έναρξη."
LangString ProgramDescription ${LANG_ENGLISH} "The program, the command-line exporter, the user guide and the Start-menu shortcut."
LangString DesktopSection ${LANG_GREEK} "Επιφάνεια εργασίας"
LangString DesktopSection ${LANG_ENGLISH} "Desktop shortcut"
LangString DesktopDescription ${LANG_GREEK} "Μια συντόμευση στην επιφάνεια εργασίας, που ξεκινά το πρόγραμμα στον φάκελο της εταιρείας."
LangString DesktopDescription ${LANG_ENGLISH} "A desktop shortcut that starts the program in the company folder."
LangString Needs64Bit ${LANG_GREEK} "Το Dralmoft χρειάζεται Windows 64-bit."
LangString Needs64Bit ${LANG_ENGLISH} "Dralmoft needs 64-bit Windows."
LangString NeedsAdmin ${LANG_GREEK} "Η εγκατάσταση για όλους τους χρήστες (/AllUsers) χρειάζεται δικαιώματα διαχειριστή. Τρέξτε την ως διαχειριστής ή με /CurrentUser."
LangString NeedsAdmin ${LANG_ENGLISH} "Installing for all users (/AllUsers) needs administrator rights. Run it as administrator, or with /CurrentUser."
LangString ProgramsRunning ${LANG_GREEK} "Το Dralmoft τρέχει από τον φάκελο $INSTDIR (το παράθυρο ή η εξαγωγή από τη γραμμή εντολών). Κλείστε το και πατήστε «Επανάληψη»· «Άκυρο» δεν αλλάζει τίποτα."
LangString ProgramsRunning ${LANG_ENGLISH} "Dralmoft is running from $INSTDIR (the window or the command-line exporter). Close it and press Retry; Cancel changes nothing."
LangString CompanyInside ${LANG_GREEK} "Ο φάκελος εταιρείας $CompanyFolder είναι ο φάκελος του προγράμματος ή βρίσκεται μέσα του. Τα αρχεία λογαριασμών και οι εξαγωγές δεν ανακατεύονται με τα αρχεία του προγράμματος: επιλέξτε άλλον φάκελο."
LangString CompanyInside ${LANG_ENGLISH} "The company folder $CompanyFolder is the program's folder or lies inside it. The account files and exports are not mixed with the program's files: choose another folder."
LangString OtherScope ${LANG_GREEK} "Το Dralmoft είναι ήδη εγκατεστημένο $R3 στο $R4. Απεγκαταστήστε το πρώτα (Εφαρμογές των Ρυθμίσεων) ή εγκαταστήστε με τον ίδιο τρόπο."
LangString OtherScope ${LANG_ENGLISH} "Dralmoft is already installed $R3 in $R4. Uninstall it first (Settings, Apps), or install it the same way."
LangString ForAllUsers ${LANG_GREEK} "για όλους τους χρήστες"
LangString ForAllUsers ${LANG_ENGLISH} "for all users"
LangString ForYou ${LANG_GREEK} "μόνο για εσάς"
LangString ForYou ${LANG_ENGLISH} "for you alone"
LangString OtherFolder ${LANG_GREEK} "Το Dralmoft είναι ήδη εγκατεστημένο στο $Existing. Να μεταφερθεί στο $INSTDIR; «Ναι» απεγκαθιστά πρώτα το $Existing (ο φάκελος της εταιρείας μένει όπως είναι)· «Όχι» δεν αλλάζει τίποτα."
LangString OtherFolder ${LANG_ENGLISH} "Dralmoft is already installed in $Existing. Move it to $INSTDIR? Yes uninstalls $Existing first (the company folder stays as it is); No changes nothing."
LangString NotReplaced ${LANG_GREEK} "Το αρχείο $R6 δεν αντικαταστάθηκε (το κρατά άλλο πρόγραμμα ή είναι μόνο για ανάγνωση). Τα αρχεία που είχαν αντικατασταθεί επανήλθαν: το Dralmoft έμεινε όπως ήταν. Κλείστε το πρόγραμμα που κρατά το αρχείο και εγκαταστήστε ξανά."
LangString NotReplaced ${LANG_ENGLISH} "$R6 could not be replaced (another program holds it, or it is read-only). The files already replaced were put back: Dralmoft is as it was. Close the program that holds the file and install again."
LangString GuideShortcut ${LANG_GREEK} "Dralmoft - Οδηγός χρήσης"
LangString GuideShortcut ${LANG_ENGLISH} "Dralmoft - User guide"

; Writes $R9 as a line to %TEMP%\Dralmoft-setup.log: a silent install's refusal is read there.
!macro LogLineFunction un
Function ${un}LogLine
  ClearErrors
  FileOpen $R8 "$TEMP\Dralmoft-setup.log" a
  ${IfNot} ${Errors}
    FileSeek $R8 0 END
    FileWriteUTF16LE $R8 "$R9$\r$\n"
    FileClose $R8
  ${EndIf}
FunctionEnd
!macroend
!insertmacro LogLineFunction ""
!insertmacro LogLineFunction "un."

; Whether a Dralmoft program of folder $INSTDIR is running: $R0 is 1 when it is. Each
; program holds a mutex named after its folder while it runs (src/app/shared/
; running_mark.*); the programs' files held open are the fallback.
!macro ProgramsRunningFunction un
Function ${un}ProgramsRunning
  StrCpy $R0 0
  ; Nothing runs from a folder that is not there yet.
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    Return
  ${EndIf}
  ; Its long names, as the programs name it.
  GetFullPathName $R9 $INSTDIR
  System::Call 'user32::CharLowerW(w R9 R9)'
  ${WordReplace} "$R9" "\" "/" "+" $R9
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Global\Dralmoft:$R9") p .R8'
  ${If} $R8 != 0
    System::Call 'kernel32::CloseHandle(p R8)'
    StrCpy $R0 1
    Return
  ${EndIf}
  StrCpy $R0 0
  ${ForEach} $R7 0 1 + 1
    ${If} $R7 == 0
      StrCpy $R6 "$INSTDIR\dralmoft.exe"
    ${Else}
      StrCpy $R6 "$INSTDIR\dralmoft-export.exe"
    ${EndIf}
    ${If} ${FileExists} $R6
      ClearErrors
      FileOpen $R5 $R6 a
      ${If} ${Errors}
        StrCpy $R0 1
      ${Else}
        FileClose $R5
      ${EndIf}
    ${EndIf}
  ${Next}
FunctionEnd

; Asks the user to close the folder's running programs (Retry / Cancel); silently, or on
; Cancel, ends with EXIT_RUNNING before anything is changed.
Function ${un}WaitForProgramsToClose
  retry:
  Call ${un}ProgramsRunning
  ${If} $R0 == 1
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramsRunning)" /SD IDCANCEL IDRETRY retry
    StrCpy $R9 "$(ProgramsRunning)"
    Call ${un}LogLine
    SetErrorLevel ${EXIT_RUNNING}
    Quit
  ${EndIf}
FunctionEnd
!macroend
!insertmacro ProgramsRunningFunction ""
!insertmacro ProgramsRunningFunction "un."

; $R9 as a full path, whether it is there or not, without a trailing backslash.
Function FullPath
  System::Call 'kernel32::GetFullPathNameW(w R9, i ${NSIS_MAX_STRLEN}, w .R8, p 0) i .R7'
  ${If} $R7 != 0
    StrCpy $R9 $R8
  ${EndIf}
  StrCpy $R8 $R9 1 -1
  ${If} $R8 == "\"
    StrCpy $R9 $R9 -1
  ${EndIf}
FunctionEnd

; Whether $CompanyFolder is $INSTDIR or lies inside it: $R0 is 1 when it does.
Function CompanyFolderInside
  StrCpy $R9 $CompanyFolder
  Call FullPath
  StrCpy $R1 $R9
  StrCpy $R9 $INSTDIR
  Call FullPath
  StrCpy $R2 $R9
  StrCpy $R0 0
  StrLen $R3 $R2
  StrCpy $R4 $R1 $R3
  ${If} $R4 == $R2
    StrCpy $R5 $R1 1 $R3
    ${If} $R5 == ""
    ${OrIf} $R5 == "\"
      StrCpy $R0 1
    ${EndIf}
  ${EndIf}
FunctionEnd

Function CompanyFolderLeave
  Call CompanyFolderInside
  ${If} $R0 == 1
    MessageBox MB_ICONEXCLAMATION "$(CompanyInside)"
    Abort
  ${EndIf}
FunctionEnd

; Per machine or per user: the switches first, else administrators install per machine.
Function ChooseInstallKind
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    Return
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
    Return
  ${EndIf}
  UserInfo::GetAccountType
  Pop $R2
  ${If} $R2 == "Admin"
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
FunctionEnd

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "$(Needs64Bit)" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  !insertmacro MUI_LANGDLL_DISPLAY
  Call ChooseInstallKind
  ${If} $AllUsers == 1
    UserInfo::GetAccountType
    Pop $R2
    ${If} $R2 != "Admin"
      MessageBox MB_ICONSTOP "$(NeedsAdmin)" /SD IDOK
      SetErrorLevel 740
      Abort
    ${EndIf}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  ; "/D=" in quotes, as a user of spaces in names writes it: NSIS itself takes only the
  ; form without them.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/D=" $R1
  ${IfNot} ${Errors}
    StrCpy $R2 $R1 1
    ${If} $R2 == '"'
      StrCpy $R1 $R1 "" 1
      StrCpy $R2 $R1 1 -1
      ${If} $R2 == '"'
        StrCpy $R1 $R1 -1
      ${EndIf}
      StrCpy $INSTDIR $R1
    ${EndIf}
  ${EndIf}
  ; One Dralmoft per machine and user: an install of the other scope is named, and stops.
  ${If} $AllUsers == 1
    ReadRegStr $R4 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $R3 "$(ForYou)"
  ${Else}
    ReadRegStr $R4 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $R3 "$(ForAllUsers)"
  ${EndIf}
  ${If} $R4 != ""
    MessageBox MB_ICONSTOP "$(OtherScope)" /SD IDOK
    StrCpy $R9 "$(OtherScope)"
    Call LogLine
    SetErrorLevel ${EXIT_OTHER_SCOPE}
    Quit
  ${EndIf}
  ; This scope's install, wherever it is: an upgrade keeps its folders; /D= and /COMPANY=
  ; win (a /D= elsewhere is a move: see MoveIfAsked).
  ReadRegStr $Existing SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $Existing == ""
    ReadRegStr $Existing SHCTX "${SETTINGS_KEY}" "InstallLocation"
  ${EndIf}
  ${If} $INSTDIR == ""
    StrCpy $INSTDIR $Existing
  ${EndIf}
  ${If} $INSTDIR == ""
    ${If} $AllUsers == 1
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
  ReadRegStr $CompanyFolder SHCTX "${SETTINGS_KEY}" "CompanyFolder"
  ${If} $CompanyFolder == ""
    ; Per machine $DOCUMENTS is the public one.
    StrCpy $CompanyFolder "$DOCUMENTS\${PRODUCT}"
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/COMPANY=" $R1
  ${IfNot} ${Errors}
  ${AndIf} $R1 != ""
    StrCpy $CompanyFolder $R1
  ${EndIf}
FunctionEnd

; A program file already installed goes aside as "<name>.dralmoft-old" before the new one
; is placed; the first that cannot be set aside or placed is named in $R6.
!macro SetAside name
  ${If} $R6 == ""
  ${AndIf} ${FileExists} "$INSTDIR\${name}"
    Delete "$INSTDIR\${name}.dralmoft-old"
    ClearErrors
    Rename "$INSTDIR\${name}" "$INSTDIR\${name}.dralmoft-old"
    ${If} ${Errors}
      StrCpy $R6 "$INSTDIR\${name}"
    ${EndIf}
  ${EndIf}
!macroend
!macro Place name
  ${If} $R6 == ""
    ClearErrors
    File "${FILES}\${name}"
    ${If} ${Errors}
      StrCpy $R6 "$INSTDIR\${name}"
    ${EndIf}
  ${EndIf}
!macroend

!define PROGRAM_FILES "dralmoft.exe dralmoft-export.exe guide.html LICENSE.txt uninstall.exe"

; Everything set aside goes back in its place; what was placed in the meantime goes.
Function PutBack
  ${ForEach} $R5 1 5 + 1
    ${WordFind} "${PROGRAM_FILES}" " " "+$R5" $R4
    ${If} ${FileExists} "$INSTDIR\$R4.dralmoft-old"
      Delete "$INSTDIR\$R4"
      Rename "$INSTDIR\$R4.dralmoft-old" "$INSTDIR\$R4"
    ${ElseIf} $Existing == ""
      Delete "$INSTDIR\$R4"
    ${EndIf}
  ${Next}
FunctionEnd

Function DropSetAside
  ${ForEach} $R5 1 5 + 1
    ${WordFind} "${PROGRAM_FILES}" " " "+$R5" $R4
    Delete "$INSTDIR\$R4.dralmoft-old"
  ${Next}
FunctionEnd

; /D= names another folder than this scope's earlier install: asked, a move, which
; uninstalls the earlier folder first; silently, a refusal.
Function MoveIfAsked
  ${If} $Existing == ""
    Return
  ${EndIf}
  StrCpy $R9 $Existing
  Call FullPath
  StrCpy $R1 $R9
  StrCpy $R9 $INSTDIR
  Call FullPath
  ${If} $R9 == $R1
    Return
  ${EndIf}
  ${If} ${Silent}
    StrCpy $R9 "$(OtherFolder)"
    Call LogLine
    SetErrorLevel ${EXIT_OTHER_FOLDER}
    Quit
  ${EndIf}
  MessageBox MB_YESNO|MB_ICONQUESTION "$(OtherFolder)" IDYES move
  SetErrorLevel ${EXIT_OTHER_FOLDER}
  Quit
  move:
  ; The earlier folder's programs must not run either.
  StrCpy $R2 $INSTDIR
  StrCpy $INSTDIR $Existing
  Call WaitForProgramsToClose
  StrCpy $INSTDIR $R2
  ExecWait '"$Existing\uninstall.exe" /S _?=$Existing' $R0
  ${If} $R0 != 0
    SetErrorLevel $R0
    Quit
  ${EndIf}
  ; In place (_?=), the uninstaller cannot remove itself.
  Delete "$Existing\uninstall.exe"
  RMDir "$Existing"
  StrCpy $Existing ""
FunctionEnd

Section "$(ProgramSection)" SectionProgram
  SectionIn RO
  ; Before anything changes: the program's files and the user's never mix, and a running
  ; program is never left beside half-replaced files.
  Call CompanyFolderInside
  ${If} $R0 == 1
    MessageBox MB_ICONSTOP "$(CompanyInside)" /SD IDOK
    SetErrorLevel ${EXIT_COMPANY_INSIDE}
    Quit
  ${EndIf}
  Call WaitForProgramsToClose
  Call MoveIfAsked
  SetOutPath "$INSTDIR"
  ; The earlier files are set aside first, so that a file that cannot be replaced puts
  ; everything back as it was.
  StrCpy $R6 ""
  !insertmacro SetAside "dralmoft.exe"
  !insertmacro SetAside "dralmoft-export.exe"
  !insertmacro SetAside "guide.html"
  !insertmacro SetAside "LICENSE.txt"
  !insertmacro SetAside "uninstall.exe"
  ${If} $R6 == ""
    SetOverwrite try
    !insertmacro Place "dralmoft.exe"
    !insertmacro Place "dralmoft-export.exe"
    !insertmacro Place "guide.html"
    !insertmacro Place "LICENSE.txt"
    SetOverwrite on
  ${EndIf}
  ${If} $R6 == ""
    ClearErrors
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ${If} ${Errors}
      StrCpy $R6 "$INSTDIR\uninstall.exe"
    ${EndIf}
  ${EndIf}
  ${If} $R6 != ""
    Call PutBack
    MessageBox MB_ICONSTOP "$(NotReplaced)" /SD IDOK
    StrCpy $R9 "$(NotReplaced)"
    Call LogLine
    SetErrorLevel ${EXIT_NOT_REPLACED}
    Quit
  ${EndIf}
  Call DropSetAside

  ; The company folder is made when missing; what it holds is never touched.
  CreateDirectory "$CompanyFolder"
  ; A shortcut starts in the folder that is current when it is made.
  SetOutPath "$CompanyFolder"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\dralmoft.exe" "" "$INSTDIR\dralmoft.exe" 0 SW_SHOWNORMAL "" "${PRODUCT} ${VERSION}"
  CreateShortcut "$SMPROGRAMS\$(GuideShortcut).lnk" "$INSTDIR\guide.html"
  SetOutPath "$INSTDIR"

  WriteRegStr SHCTX "${SETTINGS_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${SETTINGS_KEY}" "CompanyFolder" "$CompanyFolder"
  WriteRegStr SHCTX "${SETTINGS_KEY}" "Version" "${VERSION}"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\dralmoft.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SectionProgram} $R0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $R0
SectionEnd

Section /o "$(DesktopSection)" SectionDesktop
  SetOutPath "$CompanyFolder"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\dralmoft.exe" "" "$INSTDIR\dralmoft.exe" 0 SW_SHOWNORMAL "" "${PRODUCT} ${VERSION}"
  SetOutPath "$INSTDIR"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "$(ProgramDescription)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} "$(DesktopDescription)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The uninstaller serves the install whose entry names its folder: per machine or per user.
; An uninstaller whose folder neither entry names (an orphan: another install took the
; entries) removes its own files and nothing else.
Function un.onInit
  SetRegView 64
  !insertmacro MUI_UNGETLANGUAGE
  StrCpy $Owned 1
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $R1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    SetShellVarContext all
  ${ElseIf} $R1 == $INSTDIR
    SetShellVarContext current
  ${Else}
    SetShellVarContext current
    StrCpy $Owned 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.WaitForProgramsToClose
  ; File by file: the company folder may lie inside the program's folder, and its
  ; account files, export log and exports are the user's.
  Delete "$INSTDIR\dralmoft.exe"
  Delete "$INSTDIR\dralmoft-export.exe"
  Delete "$INSTDIR\guide.html"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${If} $Owned == 0
    Return
  ${EndIf}
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; The guide's shortcut, under the name of either language it may have been made in.
  Delete "$SMPROGRAMS\Dralmoft - Οδηγός χρήσης.lnk"
  Delete "$SMPROGRAMS\Dralmoft - User guide.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "${SETTINGS_KEY}"
  DeleteRegValue HKCU "${SETTINGS_KEY}" "InstallerLanguage"
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
SectionEnd
