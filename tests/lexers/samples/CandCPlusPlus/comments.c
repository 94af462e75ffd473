// Helo wrold in a line comment
/* Helo wrold in a block comment */ int x;
/* A block comment that runs
   over lines, with an empty line:

   still inside, Helo wrold */ int y; /* and another */
// A line comment ending in a backslash does not continue \
int z = 1;
/*/ the star of the opener does not close it, Helo */
int w; /* open at the end of a line
*/
