* Helo wrold: a star comment line
   * indented star, helo
x = 2 * 3 && Helo trailing comment
&& Helo wrold from the line start
NOTE Helo wrold is not a comment here
y = &macro + 1
z = a & b
