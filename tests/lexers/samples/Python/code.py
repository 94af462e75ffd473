class Helo(object):
    def wrold(self, cls, match):
        if True and not None: pass
        return len(self) + print(x) + __name__
n = 42 + 0x1F + 0o17 + 0777 + 0b101 + 1_000 + 3.14 + .5 + 1e10 + 2.5E-3 + 7j + 10L
m = 0x + 09 + 1.__str__()
@decorator
a = b $ c ? d
café = "Helo"
q = a[1:2] ** 3 // 4 != 5 -> `x` \
