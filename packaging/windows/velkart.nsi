; The Windows installer Velkart-Setup.exe, built by tools/windows/build.sh with
; Debian's makensis:
;   makensis -DVERSION=1.0.0 -DSTAGE=<program folder> -DFILES=<files.nsh>
;            -DICON=<velkart.ico> -DOUTFILE=<Velkart-Setup.exe> velkart.nsi
; Per user, no administrator: the programs go to %LOCALAPPDATA%\Programs\Velkart,
; the Start-menu entry starts velkart-starten.exe, which lays out the working
; folder Dokumente\Velkart on the first start. The uninstaller removes exactly
; the files installed here and the entry, never the working folder.
Unicode true
Target amd64-unicode
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velkart"
!define PUBLISHER "The Velkart developers"

Name "Velkart"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Velkart"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "Velkart"
VIAddVersionKey /LANG=1031 "FileDescription" "Velkart installieren"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "MIT-Lizenz, ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\velkart-starten.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Velkart jetzt starten"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LIESMICH.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "LIESMICH.txt anzeigen"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\Deinstallieren.exe"
  CreateShortcut "$SMPROGRAMS\Velkart.lnk" "$INSTDIR\velkart-starten.exe" "" \
    "$INSTDIR\velkart.exe" 0 SW_SHOWNORMAL "" "Morse-Übungsmaterial erzeugen"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Velkart"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velkart.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; Only what the installer put there: a folder the user chose for the
  ; programs may hold other files, and the working folder lies elsewhere.
  !include "${FILES}"
  Delete "$INSTDIR\Deinstallieren.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Velkart.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
