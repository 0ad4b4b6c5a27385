; The peer of the launcher's selection window in the start benchmark: an installer whose first
; window is the usual language dialog of its kind, offering the demo's six languages. Built by the
; build for the launcher's processor (TARGET: x86-unicode or amd64-unicode) into OUTFILE.
Unicode true
Target ${TARGET}
!include MUI2.nsh

Name "Pagrion Viewer"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$TEMP\PagrionPeer"

!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "TradChinese"
!insertmacro MUI_LANGUAGE "Korean"

; The dialog comes before any page; closing it ends the installer.
Function .onInit
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Section
SectionEnd
