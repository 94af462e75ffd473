# Helo wrold: a whole-line comment
import os  # trailing coment after code

def helo(wrold):
    #indented coment with no blank
    x = "not # a coment"  # but this is a coment
    y = 'hash # inside'
    return x + y # tabs	and	blanks
#
z = 1#tight coment
