@echo off
rem Remediation script for a device-management service: applies the master configuration file to this
rem workstation's label printers, then checks them as the detection script does. One line a printer; never waits
rem for input.
rem   lxdevset-remediate.cmd MASTER.dat [PRINTERS...]  PRINTERS default to --all
rem Exit codes: those of the check after the apply (0 compliant, 1 a printer still differs, 7 a printer could not be
rem read); when the apply is refused before anything is sent (2 the master file, 3 no printer, 4 no administrator
rem rights, 6 the spooler), its own code.
setlocal EnableExtensions
set "LXDEVCTL=%LXDEVCTL%"
if not defined LXDEVCTL if exist "%ProgramFiles%\Korvale\Device Settings\lxdevctl.exe" set "LXDEVCTL=%ProgramFiles%\Korvale\Device Settings\lxdevctl.exe"
if not defined LXDEVCTL if exist "%ProgramFiles(x86)%\Korvale\Device Settings\lxdevctl.exe" set "LXDEVCTL=%ProgramFiles(x86)%\Korvale\Device Settings\lxdevctl.exe"
if not defined LXDEVCTL (
  echo lxdevset-remediate: lxdevctl.exe is not installed; nothing was changed
  exit /b 6
)
if "%~1"=="" (
  echo lxdevset-remediate: name the master configuration file; nothing was changed
  exit /b 2
)
set "MASTER=%~1"
shift
set "PRINTERS="
:next
if "%~1"=="" goto run
set PRINTERS=%PRINTERS% "%~1"
shift
goto next
:run
if not defined PRINTERS set "PRINTERS=--all"
"%LXDEVCTL%" apply %PRINTERS% --file "%MASTER%" 2>&1
set "CODE=%ERRORLEVEL%"
if not "%CODE%"=="0" if not "%CODE%"=="1" (
  echo lxdevset-remediate: the apply was refused (lxdevctl exit %CODE%); nothing was changed
  exit /b %CODE%
)
"%LXDEVCTL%" verify %PRINTERS% --file "%MASTER%" 2>&1
set "CODE=%ERRORLEVEL%"
if "%CODE%"=="0" echo lxdevset-remediate: compliant
if not "%CODE%"=="0" echo lxdevset-remediate: not compliant after the apply (lxdevctl exit %CODE%)
exit /b %CODE%
