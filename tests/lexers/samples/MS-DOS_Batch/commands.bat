:start
goto start
echo "Helo wrold" 'helo'
set VAR=Helo wrold
echo %VAR% %1 %%i %PATH %~dp0
if exist "helo.txt" echo wrold: done
for %%f in (*.txt) do echo %%f
call :label 2>nul
