; Installer of the Siccora dryer prototype: the controller program siccora.exe, the panel library
; siccorae.dll and the dryer's data set, for the current user. It writes the panel library's
; settings key with the data set's file names and WrkDir = the install folder, adds a Start menu
; entry and an uninstaller that removes the files, the entry and the key again.
;
; Built by make_installer.cmake, which passes
;   TARGET       amd64-unicode (64-bit programs) or x86-unicode (32-bit programs)
;   OUTFILE      the installer to write
;   FILES_NSH    macros InstallFiles / RemoveFiles for the files of the programs' folder
;   SETTINGS_NSH SETTINGS_KEY and the macros WriteSettings / RemoveSettings (from the settings
;                table registry_settings.txt)
Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma

!include "${FILES_NSH}"
!include "${SETTINGS_NSH}"

!define PRODUCT "Siccora-super"
!define PUBLISHER "Vantrel Consulting"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Siccora-super"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; A per-user installation: the settings live under HKEY_CURRENT_USER, so the programs go to the
; user's own programs folder and no administrator rights are asked for.
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Programs and data set"
  SetOutPath "$INSTDIR"
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  !insertmacro WriteSettings

  ; The shortcut starts in the install folder (the current output path).
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\siccora.exe" "" "$INSTDIR\siccora.exe" 0
  CreateShortcut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\siccora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Only the files this installer put there; the folder goes when nothing else is left in it.
  !insertmacro RemoveFiles
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
  RMDir "${MENU_FOLDER}"

  !insertmacro RemoveSettings
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
