@echo off
rem Group Policy start-up script: brings this workstation's label printers to the master configuration file and
rem checks them, appending what happened to %ProgramData%\Korvale\lxdevset-startup.log (one line a printer and a
rem summary for each run). Start-up scripts run as the computer account, with no one to answer: nothing waits.
rem   lxdevset-startup.cmd MASTER.dat [PRINTERS...]    PRINTERS default to --all
rem Exit codes: as lxdevset-remediate.cmd.
setlocal EnableExtensions
set "LOGDIR=%ProgramData%\Korvale"
if not exist "%LOGDIR%" mkdir "%LOGDIR%"
set "LOG=%LOGDIR%\lxdevset-startup.log"
echo ---- %DATE% %TIME% %COMPUTERNAME% >> "%LOG%"
call "%~dp0lxdevset-remediate.cmd" %* >> "%LOG%" 2>&1
set "CODE=%ERRORLEVEL%"
echo ---- exit %CODE% >> "%LOG%"
exit /b %CODE%
