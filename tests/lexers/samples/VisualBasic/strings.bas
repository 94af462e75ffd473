s = "Helo wrold"
t = "It""s helo" ' a doubled quote ends one string and starts the next
u = """Helo"" wrold"
e = "" & ""
n = "unclosed helo ' still the string
d = #1/2/2003# + #unclosed helo
#If Helo Then
x = a <> b And c <= d Or e >= f
v = 1.5e3 + &H1F
