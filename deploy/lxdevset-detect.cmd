@echo off
rem Detection script for a device-management service: are this workstation's label printers set as the master
rem configuration file says? One line a printer, then a summary; never waits for input.
rem   lxdevset-detect.cmd MASTER.dat [PRINTERS...]     PRINTERS default to --all
rem Exit codes: 0 compliant; 1 a printer differs (run the remediation); any other code is lxdevctl's own and means
rem the check could not be made (2 the master file was refused, 3 no printer, 6 the spooler, 7 a printer could
rem not be read): never reported as compliant.
setlocal EnableExtensions
set "LXDEVCTL=%LXDEVCTL%"
if not defined LXDEVCTL if exist "%ProgramFiles%\Korvale\Device Settings\lxdevctl.exe" set "LXDEVCTL=%ProgramFiles%\Korvale\Device Settings\lxdevctl.exe"
if not defined LXDEVCTL if exist "%ProgramFiles(x86)%\Korvale\Device Settings\lxdevctl.exe" set "LXDEVCTL=%ProgramFiles(x86)%\Korvale\Device Settings\lxdevctl.exe"
if not defined LXDEVCTL (
  echo lxdevset-detect: lxdevctl.exe is not installed; not compliant
  exit /b 6
)
if "%~1"=="" (
  echo lxdevset-detect: name the master configuration file; not compliant
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
"%LXDEVCTL%" verify %PRINTERS% --file "%MASTER%" 2>&1
set "CODE=%ERRORLEVEL%"
if "%CODE%"=="0" echo lxdevset-detect: compliant
if "%CODE%"=="1" echo lxdevset-detect: not compliant: a printer differs from %MASTER%
if not "%CODE%"=="0" if not "%CODE%"=="1" echo lxdevset-detect: the check could not be made (lxdevctl exit %CODE%); not compliant
exit /b %CODE%
