s = "Helo wrold"
t = 'Helo wrold' && "comment"
u = """Helo"" wrold"
n = "unclosed helo && still the string
d = {^2003-01-02} + {unclosed helo
b = .T. .AND. .NOT. lHelo .x. .5
v = [Helo wrold]
