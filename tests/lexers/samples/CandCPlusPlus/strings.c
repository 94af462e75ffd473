char *a = "Helo wrold";
char *b = "say \"Helo\" to the wrold";
char *c = "a string continued \
on the next line, Helo wrold" + 1;
char *d = "ends in an escaped backslash \\
int e = 2;
char *f = "unterminated string, Helo wrold
char g = 'H';
char *h = "continued over an empty line \

still the string, Helo" ;
char i = '\'', j = '\\', k = 'Helo wrold';
