#include <stdio.h>
#error Helo wrold
#endif // Helo wrold
#define X 1 /* Helo wrold */ + 2
#define LONG_MACRO(a) \
    ((a) + "Helo wrold")
  #  define INDENTED 1
#define START /* a comment that
   spans lines, Helo */ + 3
#define END /* closes at the end of the line, Helo */
int x = 1; # not a directive
#define Y \
/* comment right after a continuation, Helo */
#define Z \

int still_the_directive;
