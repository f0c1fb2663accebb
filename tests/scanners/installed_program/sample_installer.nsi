; The installer of a small program, as a third-party program installs itself: files in one
; folder, an installed-programs entry, a service, a COM class with its type library (kept in the
; server, as many are) and help folder, a file extension with its program id, and an open-with
; entry. Built with: makensis -DPROGRAM=... -DSERVER=... -DOUTFILE=... sample_installer.nsi
Unicode true
Target amd64-unicode
Name "Tidrex Sample"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tidrex Sample"
RequestExecutionLevel admin
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define CLSID "{6F1E3B52-7A40-4C2D-9E81-3D5B0A7C1F20}"
!define LIBID "{6F1E3B52-7A40-4C2D-9E81-3D5B0A7C1F21}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TidrexSample"
!define SERVICE_KEY "SYSTEM\CurrentControlSet\Services\TidrexSampleService"
!define OPEN_WITH_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.tidrexsample\OpenWithList"

Section
  SetRegView 64
  SetOutPath "$INSTDIR"
  File "/oname=tidrex-sample.exe" "${PROGRAM}"
  File "/oname=tidrex-sample-server.dll" "${SERVER}"
  CreateDirectory "$INSTDIR\help"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tidrex Sample"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"

  WriteRegStr HKLM "${SERVICE_KEY}" "DisplayName" "Tidrex Sample Service"
  WriteRegExpandStr HKLM "${SERVICE_KEY}" "ImagePath" '"$INSTDIR\tidrex-sample.exe" --service'
  WriteRegDWORD HKLM "${SERVICE_KEY}" "Type" 16
  WriteRegDWORD HKLM "${SERVICE_KEY}" "Start" 3
  WriteRegDWORD HKLM "${SERVICE_KEY}" "ErrorControl" 1

  WriteRegStr HKCR "CLSID\${CLSID}" "" "Tidrex Sample Widget"
  WriteRegStr HKCR "CLSID\${CLSID}\InprocServer32" "" "$INSTDIR\tidrex-sample-server.dll"
  WriteRegStr HKCR "CLSID\${CLSID}\InprocServer32" "ThreadingModel" "Apartment"
  WriteRegStr HKCR "CLSID\${CLSID}\ProgID" "" "TidrexSample.Widget.1"
  WriteRegStr HKCR "CLSID\${CLSID}\VersionIndependentProgID" "" "TidrexSample.Widget"
  WriteRegStr HKCR "CLSID\${CLSID}\TypeLib" "" "${LIBID}"
  WriteRegStr HKCR "TidrexSample.Widget" "" "Tidrex Sample Widget"
  WriteRegStr HKCR "TidrexSample.Widget\CLSID" "" "${CLSID}"
  WriteRegStr HKCR "TidrexSample.Widget\CurVer" "" "TidrexSample.Widget.1"
  WriteRegStr HKCR "TidrexSample.Widget.1" "" "Tidrex Sample Widget"
  WriteRegStr HKCR "TidrexSample.Widget.1\CLSID" "" "${CLSID}"
  WriteRegStr HKCR "TypeLib\${LIBID}\1.0" "" "Tidrex Sample Type Library"
  WriteRegStr HKCR "TypeLib\${LIBID}\1.0\0\win32" "" "$INSTDIR\tidrex-sample-server.dll"
  WriteRegStr HKCR "TypeLib\${LIBID}\1.0\FLAGS" "" "0"
  WriteRegStr HKCR "TypeLib\${LIBID}\1.0\HELPDIR" "" "$INSTDIR\help"

  WriteRegStr HKCR ".tidrexsample" "" "TidrexSample.Document"
  WriteRegStr HKCR "TidrexSample.Document" "" "Tidrex Sample Document"
  WriteRegStr HKCR "TidrexSample.Document\DefaultIcon" "" "$INSTDIR\tidrex-sample.exe,0"
  WriteRegStr HKCR "TidrexSample.Document\shell\open\command" "" '"$INSTDIR\tidrex-sample.exe" "%1"'

  WriteRegStr HKCR "Applications\tidrex-sample.exe\shell\open\command" "" '"$INSTDIR\tidrex-sample.exe" "%1"'
  WriteRegStr HKCU "${OPEN_WITH_KEY}" "a" "tidrex-sample.exe"
  WriteRegStr HKCU "${OPEN_WITH_KEY}" "MRUList" "a"
SectionEnd

Section "Uninstall"
  SetRegView 64
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${SERVICE_KEY}"
  DeleteRegKey HKCR "CLSID\${CLSID}"
  DeleteRegKey HKCR "TidrexSample.Widget"
  DeleteRegKey HKCR "TidrexSample.Widget.1"
  DeleteRegKey HKCR "TypeLib\${LIBID}"
  DeleteRegKey HKCR "TidrexSample.Document"
  DeleteRegKey HKCR ".tidrexsample"
  DeleteRegKey HKCR "Applications\tidrex-sample.exe"
  DeleteRegKey HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.tidrexsample"
  Delete "$INSTDIR\tidrex-sample.exe"
  Delete "$INSTDIR\tidrex-sample-server.dll"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\help"
  RMDir "$INSTDIR"
SectionEnd
