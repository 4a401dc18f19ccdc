; The Windows installer: both programs, the page, the README and the licence for the current
; user, without administrator rights, in %LOCALAPPDATA%\Programs\Quorbit1; a Start menu entry;
; an uninstaller listed with the user's installed apps. /S installs (and uninstalls) silently.
; Uninstalling removes the programs and keeps the user's history (%LOCALAPPDATA%\Quorbit1).
; makensis gets VERSION, ARCH (x64 or x86), STAGE (the installed files) and OUTFILE.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorbit1"

Name "Quorbit1 ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quorbit1"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0.1"
VIAddVersionKey /LANG=1033 "ProductName" "Quorbit1"
VIAddVersionKey /LANG=1033 "FileDescription" "Quorbit1 installer (${ARCH})"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Quorbit1 developers"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\quorbit1.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Quorbit1"
  SetOutPath "$INSTDIR"
  File "${STAGE}\quorbit1.exe"
  File "${STAGE}\quorbit1-cli.exe"
  File "${STAGE}\quorbit1.html"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quorbit1.lnk" "$INSTDIR\quorbit1.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quorbit1"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Quorbit1 developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorbit1.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\quorbit1.exe"
  Delete "$INSTDIR\quorbit1-cli.exe"
  Delete "$INSTDIR\quorbit1.html"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Quorbit1.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
