; The Windows installer: the programs and the README in Program Files,
; Start-menu entries, and an uninstaller registered under Apps that takes all of
; it away again. Built by scripts/windows.sh:
;   makensis -DVERSION=1.0.5.0 -DPROGRAMS=DIR -DOUTFILE=SETUP.exe windows-installer.nsi
; DIR holds datadock-manager.exe, datadock.exe, datadock-viewer.exe and
; README.txt (CR LF).
; /S installs or uninstalls silently. The pages' texts come from the Modern
; UI's language files: English, and Japanese for a Japanese Windows. The few
; texts of our own are LangStrings, as res/po/ja.po has them. The file is
; UTF-8 with its byte-order mark, which is how makensis takes Unicode.

!ifndef VERSION | PROGRAMS | OUTFILE
  !error "Give -DVERSION=A.B.C.D -DPROGRAMS=DIR -DOUTFILE=FILE"
!endif

; The programs are 64-bit, so the installer is too: it installs into the
; 64-bit Program Files and writes the 64-bit registry.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!define PRODUCT "DataDock"
!define PUBLISHER "The DataDock developers"  ; as in version.rc
!define MANAGER "datadock-manager.exe"
!define SHORTCUT "DATADOCK MANAGER"
!define VIEWER "datadock-viewer.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ICON "datadock.ico"
!define MUI_UNICON "datadock.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString VIEWER_SHORTCUT ${LANG_ENGLISH} "DataDock log viewer"
LangString VIEWER_SHORTCUT ${LANG_JAPANESE} "DataDock ログビューアー"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
!macro VERSION_KEYS LANG DESCRIPTION
  VIAddVersionKey /LANG=${LANG} "ProductName" "${SHORTCUT}"
  VIAddVersionKey /LANG=${LANG} "CompanyName" "${PUBLISHER}"
  VIAddVersionKey /LANG=${LANG} "FileDescription" "${DESCRIPTION}"
  VIAddVersionKey /LANG=${LANG} "FileVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANG} "ProductVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANG} "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"
!macroend
!insertmacro VERSION_KEYS ${LANG_ENGLISH} "DataDock Setup"
!insertmacro VERSION_KEYS ${LANG_JAPANESE} "DataDock セットアップ"

Section "Install"
  SetShellVarContext all
  SetRegView 64
  SetOutPath "$INSTDIR"
  File "${PROGRAMS}/${MANAGER}"
  File "${PROGRAMS}/datadock.exe"
  File "${PROGRAMS}/${VIEWER}"
  File "${PROGRAMS}/README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\${MANAGER}"
  CreateShortcut "$SMPROGRAMS\${SHORTCUT} (MODEL SAVE).lnk" "$INSTDIR\${MANAGER}" "-VARDO"
  CreateShortcut "$SMPROGRAMS\$(VIEWER_SHORTCUT).lnk" "$INSTDIR\${VIEWER}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${MANAGER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Exactly what the installer put there; the folder goes only once it is empty,
; so nothing the user added to it is lost.
Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
  Delete "$SMPROGRAMS\${SHORTCUT} (MODEL SAVE).lnk"
  ; The viewer's entry is named in the language the installer spoke, which
  ; need not be the one the uninstaller speaks now.
  Delete "$SMPROGRAMS\DataDock log viewer.lnk"
  Delete "$SMPROGRAMS\DataDock ログビューアー.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${MANAGER}"
  Delete "$INSTDIR\datadock.exe"
  Delete "$INSTDIR\${VIEWER}"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
