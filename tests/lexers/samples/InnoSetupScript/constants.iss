[Icons]
Name: "{group}\Helo"; Filename: {app}\helo.exe
Parameters: {code:GetArgs|{tmp}}; WorkingDir: {{notaconstant} wrold
Name: {app; Description: helo
#define Helo "Wrold"
#if Ver > 0x0500
[Code]
// comments in code are not recognised, helo
{ braces there are constants, wrold }
Result := 'helo';
