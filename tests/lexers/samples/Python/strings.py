s = "Helo wrold"
t = 'Helo wrold'
u = "it's helo" + 'say "wrold"'
e = "escaped \" quote wrold" + 'escaped \' quote wrold'
b = "two backslashes \\" + "after wrold"
p = r"raw helo\d" + R'raw wrold' + u"unicode helo" + U'x' + ur"helo" + Ur'wrold' + uR"x"
f = f"not a prefix wrold" + b'bytes helo' + rb"helo"
bar"wrold"
empty = "" + ''
open_string = "runs to the end helo
c = 'continued helo \
still in the strnig' + "then code"
d = 'two lines \
middle wrold \
last wrold' # coment
g = 'ends with an escaped backslash \\
after
