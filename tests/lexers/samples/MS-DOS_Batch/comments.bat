@echo off
REM Helo wrold in capitals
rem helo wrold
@rem Helo after an at sign
	rem	a tab after rem, wrold
rem
:: Helo wrold after two colons
  :: indented, helo
remark helo is a word
rem.helo is a word too
echo done & rem trailing comment, wrold
