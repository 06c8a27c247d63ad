; The Windows installer, built by scripts/package-windows with Debian's makensis:
;   makensis -DVERSION=... -DSTAGING=<the zip's folder> -DFILES=<list.nsh> -DOUTFILE=... this
; It installs for the current user only, with no administrator rights, into
; %LOCALAPPDATA%\Programs\Zelbor Player Editor. The uninstaller removes exactly the files it
; installed: backups (in %LOCALAPPDATA%\Zelbor Player Editor\Backups) and anything the user put
; beside the programs stay.
Unicode true
; A 64-bit installer: the programs are 64-bit, and so is the Windows they run on.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Zelbor Player Editor"
!define EDITOR "zelbor-editor.exe"
!define PROGID "ZelborPlayerEditor.Database"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZelborPlayerEditor"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!include "${FILES}"

Section
  SetShellVarContext current
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EDITOR}"

  ; "Open with" for the database (TeamAndPlayerInfo.bag), without taking .bag over from
  ; whatever program opens it by default.
  WriteRegStr HKCU "Software\Classes\${PROGID}" "" "Zelbor player database"
  WriteRegStr HKCU "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\${EDITOR},0"
  WriteRegStr HKCU "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\${EDITOR}" "%1"'
  WriteRegStr HKCU "Software\Classes\.bag\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "Software\Classes\Applications\${EDITOR}" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr HKCU "Software\Classes\Applications\${EDITOR}\SupportedTypes" ".bag" ""
  WriteRegStr HKCU "Software\Classes\Applications\${EDITOR}\shell\open\command" "" '"$INSTDIR\${EDITOR}" "%1"'

  ; Listed under Installed apps, for the user alone.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EDITOR},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  !insertmacro UninstallFiles
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: a file the user put there keeps its folder.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "Software\Classes\.bag\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKCU "Software\Classes\.bag\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "Software\Classes\.bag"
  DeleteRegKey HKCU "Software\Classes\${PROGID}"
  DeleteRegKey HKCU "Software\Classes\Applications\${EDITOR}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
