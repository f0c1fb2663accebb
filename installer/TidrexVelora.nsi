; TidrexVelora's installer and uninstaller (64-bit). The uninstaller takes away everything the
; installer and the program made: the program files, the Start-menu shortcut and its folder, the
; installed-programs entry and the application path, the user's settings (the ignore list among
; them) and start-up entry, and the scan logs; the backup archives stay unless the user says
; otherwise (silent: they stay).
; Built by CMake (installer/CMakeLists.txt) and scripts/package:
;   makensis -DVERSION=7.0 -DMAIN_PROGRAM=... -DCONSOLE_PROGRAM=... -DOUTFILE=... TidrexVelora.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "TidrexVelora"
!define PUBLISHER "TidrexVelora"
!define MAIN_EXE "TidrexVelora.exe"
!define CONSOLE_EXE "tidrex.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; "TidrexVelora" in the Run dialog starts the main window.
!define APP_PATH_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\${MAIN_EXE}"
; Where the program keeps its settings and its start-up entry (app/preferences.h).
!define SETTINGS_KEY "Software\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define STARTUP_ENTRY "${PRODUCT}"
; The scan log's file names (app/scan_log_format.cpp), in the log folder of the settings or in
; "logs" beside the programs.
!define SCAN_LOGS "Date(*) Time(*).txt"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
; makensis works in this script's folder: the icons are found from there.
Icon "..\resources\pictures\TidrexVelora.ico"
UninstallIcon "..\resources\pictures\TidrexVelora.ico"
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetRegView 64
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=${MAIN_EXE}" "${MAIN_PROGRAM}"
  File "/oname=${CONSOLE_EXE}" "${CONSOLE_PROGRAM}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\${MAIN_EXE}" "" "$INSTDIR\${MAIN_EXE}" 0

  WriteRegStr HKLM "${APP_PATH_KEY}" "" "$INSTDIR\${MAIN_EXE}"
  WriteRegStr HKLM "${APP_PATH_KEY}" "Path" "$INSTDIR"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${MAIN_EXE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KB, of what was installed.
  ${GetSize} "$INSTDIR" "/S=0K /G=1" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The files a removal or a tool dialog keeps in the backup folder (backup/backup_set.h,
; backup/key_file_backup.h), then the folders themselves when nothing else is in them.
!macro RemoveBackups folder
  Delete "${folder}\BHOBackup\*.reg"
  RMDir "${folder}\BHOBackup"
  Delete "${folder}\AddRemoveBackup\*.reg"
  RMDir "${folder}\AddRemoveBackup"
  Delete "${folder}\*.zip"
  Delete "${folder}\*.zip.partial"
  RMDir "${folder}"
!macroend

Section "Uninstall"
  SetRegView 64
  SetShellVarContext all

  ; A log folder chosen on the advanced page keeps what else the user put there.
  ReadRegStr $0 HKCU "${SETTINGS_KEY}" "LogFilePath"
  ${If} $0 != ""
    Delete "$0\${SCAN_LOGS}"
    RMDir "$0"
  ${EndIf}
  Delete "$INSTDIR\logs\${SCAN_LOGS}"
  RMDir "$INSTDIR\logs"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  ; Only this copy's start-up entry: a portable copy elsewhere may have made its own.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${STARTUP_ENTRY}"
  ${If} $0 == '"$INSTDIR\${MAIN_EXE}"'
    DeleteRegValue HKCU "${RUN_KEY}" "${STARTUP_ENTRY}"
  ${EndIf}

  ; The main window makes the folder when it starts: an empty one is no reason to ask.
  ${If} ${FileExists} "$INSTDIR\Backup\*.zip"
  ${OrIf} ${FileExists} "$INSTDIR\Backup\BHOBackup\*.reg"
  ${OrIf} ${FileExists} "$INSTDIR\Backup\AddRemoveBackup\*.reg"
    MessageBox MB_YESNO|MB_ICONQUESTION \
      "Keep the backup archives in $INSTDIR\Backup?$\r$\nWithout them, nothing that ${PRODUCT} removed can be restored." \
      /SD IDYES IDYES keep_backups
  ${EndIf}
  !insertmacro RemoveBackups "$INSTDIR\Backup"
  keep_backups:

  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  RMDir "${MENU_FOLDER}"
  Delete "$INSTDIR\${MAIN_EXE}"
  Delete "$INSTDIR\${CONSOLE_EXE}"
  Delete "$INSTDIR\${UNINSTALLER}"
  DeleteRegKey HKLM "${APP_PATH_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  RMDir "$INSTDIR"
SectionEnd
