' Helo wrold: a whole-line comment
Rem Helo wrold, the word in capitals
rem lower case, helo
  REM indented, wrold
x = 1 ' Helo after code
y = x: Rem after a colon, helo
remark = 1 ' remark is an identifier, wrold
Remark = remark + Rem1(2)
Dim s As String ' "quotes in a comment", helo
