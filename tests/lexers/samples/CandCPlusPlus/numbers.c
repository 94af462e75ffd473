int a = 0x1Fu + 017 + 09 + 1..2 + 0;
double b = 1.5f + 1e10 + 1.5e-3 + .5 + 1e + 0x;
long c = 10UL + 0xFFull + 12ab + 1LL + 0x1.5 + 1.5u;
x = a...b + 1.e5 + 0xg + 1e+x + 0x1x;
