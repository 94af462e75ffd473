"""Modul docstring on one line."""

def helo():
    """Helo wrold.

    A docstring over sevral lines, with 'single' and "double" quotes,
    an escaped \""" triple and ""two"" quotes.
    """
    x = '''single-quote
long strnig''' + "after"
    return r'''raw long helo
wrold'''

y = """"four quotes start wrold"""
z = """open""" + """again
""" # coment after close
w = '''''' + """"""
v = ''' ends '''' + 'extra'
