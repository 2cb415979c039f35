; Dralmoft's installer: 64-bit, Greek and English, per machine (as administrator, into
; Program Files) or per user (into %LOCALAPPDATA%\Programs, no administrator needed).
; A page asks for the company folder, where the account files and the export log live
; and where the shortcuts start the program. Uninstalling removes what was installed,
; file by file, and never the company folder's files.
;
; makensis -DVERSION=1.0.0 -DFILES=<staged files> -DOUTFILE=<setup.exe> -DICON=<.ico> dralmoft.nsi
;
; Silent: /S [/AllUsers | /CurrentUser] [/COMPANY=folder] [/D=folder, last]

Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel highest

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!ifndef VERSION | FILES | OUTFILE | ICON
  !error "VERSION, FILES, OUTFILE and ICON must be defined"
!endif

!define PRODUCT "Dralmoft"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dralmoft"
!define SETTINGS_KEY "Software\Dralmoft"

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
LangString GuideShortcut ${LANG_GREEK} "Dralmoft - Οδηγός χρήσης"
LangString GuideShortcut ${LANG_ENGLISH} "Dralmoft - User guide"

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
  ; An upgrade keeps the folders of the version it replaces; /D= and /COMPANY= win.
  ${If} $INSTDIR == ""
    ReadRegStr $INSTDIR SHCTX "${SETTINGS_KEY}" "InstallLocation"
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

Section "$(ProgramSection)" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${FILES}\dralmoft.exe"
  File "${FILES}\dralmoft-export.exe"
  File "${FILES}\guide.html"
  File "${FILES}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

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
Function un.onInit
  SetRegView 64
  !insertmacro MUI_UNGETLANGUAGE
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; File by file: the company folder may lie inside the program's folder, and its
  ; account files, export log and exports are the user's.
  Delete "$INSTDIR\dralmoft.exe"
  Delete "$INSTDIR\dralmoft-export.exe"
  Delete "$INSTDIR\guide.html"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
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
