// Helo wrold
/// <summary>Helo wrold in a documentation line</summary>
/* Helo
   wrold */ int x;
string s = "Helo \"wrold\"";
char c = 'H'; string q = 'Helo wrold';
string v = @"C:\path\Helo";
string t = "continued \
Helo wrold";
