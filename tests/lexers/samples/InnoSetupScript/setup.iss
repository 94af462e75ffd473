; Helo wrold in a comment
  ; a comment after blanks, wrold
[Setup]
AppName=Helo Wrold
AppVersion = 1.5 ; the "=" string runs to the first semicolon, helo
DefaultDirName={pf}\Helo
 [NotASection] a bracket after a blank, helo

[Files]
Source: "Helo.exe"; DestDir: "{app}"; Flags: ignoreversion
Name: foo; Description: Helo; Flags: unchecked
Source: "It""s wrold"; Check: IsHelo
Filename : "{app}\x.txt"; name: "y"
