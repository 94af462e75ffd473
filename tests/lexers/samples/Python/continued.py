s = "continued helo \
wrold\" still inside \
done" + 'next'
t = "not continued \\" # coment
u = "open helo \

  after an empty line wrold"
v = "x" \
    + "y"
