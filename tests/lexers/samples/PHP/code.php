<html><body>Helo wrold outside the tags</body></html>
<?php
# Helo hash comment
// Helo slash comment
/* Helo
   wrold */
ECHO $Name; If ($x) { print("Helo"); }
$n = 1.5 + 10 + .5 + 1..2;
@foo(); $$v; \Ns\f();
function é() {}
?>
