String s = "Helo \"wrold\"";
char c = 'H'; String t = 'Helo';
String u = """Helo text block
String w = "a\\" + "b Helo";
String $naïve = "ünïcode Helo";
int n = 0x1F + 1-2 + 10L + 1..2 + 1e+5;
# invalid \ `
