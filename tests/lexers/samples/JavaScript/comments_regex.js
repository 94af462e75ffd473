// Helo wrold
/* Helo
   wrold */ x = 1;
var re = /a\/b/g; // Helo after a regex
var re2 = /[/*]/; still comment
   Helo */ y = 2;
element.onclick = function () { window.alert("Helo"); };
$ # @ `template Helo`
var n = 0x1F + 1.5 + 1e5 + 1..2;
