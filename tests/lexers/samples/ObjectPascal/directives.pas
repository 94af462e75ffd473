{$IFDEF Helo}
{$DEFINE Wrold} { a comment after a directive: helo }
{$IFNDEF FPC
  a directive over lines, not checked: helo wrold
}
(*$ a paren-star comment is never a directive: helo *)
{ $ a blank before the dollar makes it a comment: wrold }
{$ENDIF} x := 1; {$R *.res}
