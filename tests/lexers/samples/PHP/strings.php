<?php
$a = 'it\'s Helo wrold';
$b = "Helo $name wrold";
$c = "Helo {$obj->name} and ${var} and {$arr['key']} wrold";
$d = "nested {$a[${b}]} braces, Helo";
$e = "escaped \$name and \{$name} Helo";
$f = "index $a[0] and $a['k'] and $o->p->q wrold $z[";
$g = "a string over
two lines, Helo $x wrold";
$h = "\\" . 'x' . "$x$y" . "\\\"";
$i = 'single
over lines, Helo';
?>
