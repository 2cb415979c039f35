@echo off
rem Registers the demo server and points the ERP's settings at this folder's company.
rem Only for trying Dralmoft without the ERP: it takes the place of the ERP's server.
setlocal
set "folder=%~dp0"
if "%folder:~-1%"=="\" set "folder=%folder:~0,-1%"
regsvr32 /s "%folder%\dralmoft-demo-server.dll" || (echo regsvr32 failed: run this as administrator & exit /b 1)
for %%v in (DataType Database MachineDatabase) do (
  if "%%v"=="DataType" (
    reg add "HKCU\SOFTWARE\Morvanelquist\Tavrenix\%%v" /v Tavrenix /d ACCESS /f >nul
  ) else (
    reg add "HKCU\SOFTWARE\Morvanelquist\Tavrenix\%%v" /v Tavrenix /d "%folder%" /f >nul
  )
)
echo The demo company is ready: start ..\dralmoft.exe with this folder as the current one.
