s = "Helo wrold"
t = 'Helo wrold'
u = "it's helo" + 'say "wrold"'
e = "no escapes \" wrold" + 'no escapes \' either'
i = "interpolated #{name} helo"
g = """triple wrold""" + '''x'''
h = "" + ''
o = "open to the end helo
n = 1.5e3 + 10..20 + 3.times + 0x1F
IF x THEN puts "CAPS keyword" END
