unit Comments;
{ Helo wrold in a brace comment }
(* Helo wrold in a paren-star comment *)
// Helo wrold in a line comment
interface { a brace comment
  that runs over lines, with an empty line:

  still inside, Helo wrold } uses SysUtils;
(* A paren-star comment
   over lines: helo
*) type TFoo = class end;
{ a { b } c } // braces do not nest: " c " and "}" above are code
(*) the opener's star does not close it, wrold *)
{ a (* inside braces *) is plain text } x := 1; (* { inside *) y := 2;
(* unclosed at the line end: helo (*
wrold *) z := 3;
{*) helo } (**) {}
