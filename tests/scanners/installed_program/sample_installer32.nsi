; The installer of a small 32-bit program, as 32-bit programs install themselves on 64-bit
; Windows: in the default (32-bit) registry view, into "Program Files (x86)", with a helper in
; the system folder that it names "system32" (where it lands in SysWOW64) and shares through a
; SharedDLLs counter. It writes an installed-programs entry, the counters, a help file, two COM
; classes (one served from its folder, one from the helper), a log-on value, its settings, an
; App Paths entry, a Start-menu shortcut and a file type with an Applications entry.
; Built with: makensis -DPROGRAM=... -DHELPER=... -DOUTFILE=... sample_installer32.nsi
Unicode true
Target x86-unicode
Name "Tidrex Sample 32"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Tidrex Sample 32"
RequestExecutionLevel admin
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define CLSID "{6F1E3B52-7A40-4C2D-9E81-3D5B0A7C1F32}"
!define HELPER_CLSID "{6F1E3B52-7A40-4C2D-9E81-3D5B0A7C1F33}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TidrexSample32"
!define SHARED_KEY "Software\Microsoft\Windows\CurrentVersion\SharedDLLs"
!define HELP_KEY "Software\Microsoft\Windows\Help"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define APP_PATH_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\tidrex-sample32.exe"
!define SETTINGS_KEY "Software\TidrexSample32"

Section
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=tidrex-sample32.exe" "${PROGRAM}"
  File "/oname=tidrex-sample32-server.dll" "${HELPER}"
  ; The help file only has to exist.
  FileOpen $0 "$INSTDIR\tidrex-sample32.chm" w
  FileWrite $0 "ITSF"
  FileClose $0
  SetOutPath "$SYSDIR"
  File "/oname=tidrex-sample32-helper.dll" "${HELPER}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tidrex Sample 32"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${SHARED_KEY}" "$INSTDIR\tidrex-sample32-server.dll" 1
  ReadRegDWORD $0 HKLM "${SHARED_KEY}" "$SYSDIR\tidrex-sample32-helper.dll"
  IntOp $0 $0 + 1
  WriteRegDWORD HKLM "${SHARED_KEY}" "$SYSDIR\tidrex-sample32-helper.dll" $0
  WriteRegStr HKLM "${HELP_KEY}" "tidrex-sample32.chm" "$INSTDIR"
  WriteRegStr HKLM "${RUN_KEY}" "TidrexSample32" '"$INSTDIR\tidrex-sample32.exe" --tray'
  WriteRegStr HKLM "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${SETTINGS_KEY}" "Program" "$INSTDIR\tidrex-sample32.exe"
  WriteRegStr HKLM "${APP_PATH_KEY}" "" "$INSTDIR\tidrex-sample32.exe"
  WriteRegStr HKLM "${APP_PATH_KEY}" "Path" "$INSTDIR"

  WriteRegStr HKCR "CLSID\${CLSID}" "" "Tidrex Sample 32 Widget"
  WriteRegStr HKCR "CLSID\${CLSID}\InprocServer32" "" "$INSTDIR\tidrex-sample32-server.dll"
  WriteRegStr HKCR "CLSID\${CLSID}\InprocServer32" "ThreadingModel" "Apartment"
  WriteRegStr HKCR "CLSID\${HELPER_CLSID}" "" "Tidrex Sample 32 Helper"
  WriteRegStr HKCR "CLSID\${HELPER_CLSID}\InprocServer32" "" "$SYSDIR\tidrex-sample32-helper.dll"
  WriteRegStr HKCR "CLSID\${HELPER_CLSID}\InprocServer32" "ThreadingModel" "Both"

  WriteRegStr HKCR ".tidrexsample32" "" "TidrexSample32.Document"
  WriteRegStr HKCR "TidrexSample32.Document" "" "Tidrex Sample 32 Document"
  WriteRegStr HKCR "TidrexSample32.Document\DefaultIcon" "" "$INSTDIR\tidrex-sample32.exe,0"
  WriteRegStr HKCR "TidrexSample32.Document\shell\open\command" "" '"$INSTDIR\tidrex-sample32.exe" "%1"'
  WriteRegStr HKCR "Applications\tidrex-sample32.exe\shell\open\command" "" '"$INSTDIR\tidrex-sample32.exe" "%1"'

  CreateShortCut "$SMPROGRAMS\Tidrex Sample 32.lnk" "$INSTDIR\tidrex-sample32.exe"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKLM "${SHARED_KEY}" "$INSTDIR\tidrex-sample32-server.dll"
  DeleteRegValue HKLM "${HELP_KEY}" "tidrex-sample32.chm"
  DeleteRegValue HKLM "${RUN_KEY}" "TidrexSample32"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey HKLM "${APP_PATH_KEY}"
  DeleteRegKey HKCR "CLSID\${CLSID}"
  DeleteRegKey HKCR "TidrexSample32.Document"
  DeleteRegKey HKCR ".tidrexsample32"
  DeleteRegKey HKCR "Applications\tidrex-sample32.exe"
  Delete "$SMPROGRAMS\Tidrex Sample 32.lnk"
  ; The helper goes with the last program that counts on it.
  ReadRegDWORD $0 HKLM "${SHARED_KEY}" "$SYSDIR\tidrex-sample32-helper.dll"
  IntOp $0 $0 - 1
  IntCmp $0 0 helper_unused helper_unused
  WriteRegDWORD HKLM "${SHARED_KEY}" "$SYSDIR\tidrex-sample32-helper.dll" $0
  Goto helper_done
  helper_unused:
  DeleteRegValue HKLM "${SHARED_KEY}" "$SYSDIR\tidrex-sample32-helper.dll"
  DeleteRegKey HKCR "CLSID\${HELPER_CLSID}"
  Delete "$SYSDIR\tidrex-sample32-helper.dll"
  helper_done:
  Delete "$INSTDIR\tidrex-sample32.exe"
  Delete "$INSTDIR\tidrex-sample32-server.dll"
  Delete "$INSTDIR\tidrex-sample32.chm"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
