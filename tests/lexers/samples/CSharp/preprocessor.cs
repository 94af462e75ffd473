#region Helo wrold
    #endregion
int x; #if X
#if X // Helo comment
#if DEBUG /* Helo comment */
int y = 1;
#define A \
    more
#define B \

int z = 2;
#if C /* opened here
   and closed here, Helo */ rest
int w; long n = 0x1FUL + 1.5 + 1..2;
