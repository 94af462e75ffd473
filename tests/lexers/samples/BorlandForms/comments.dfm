{ Helo wrold in a comment } object A: TA
{ a comment over lines
  with an empty line:

  closed here, helo } Left = 1
{ once more
} the first character of a continuation line never closes it, wrold
}} here the second one does } Top = 2
Caption = 'x' } Name = 'wrold'
S = 'unclosed, helo
{}
