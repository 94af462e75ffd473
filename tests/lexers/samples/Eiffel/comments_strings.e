-- Helo wrold: a whole-line comment
class HELO
inherit ANY
feature -- Acess
	wrold: STRING = "Helo wrold" -- coment after a strnig
	count: INTEGER -- the numbr of items
	sign: INTEGER = -1
	text: STRING = "percent %" ends here"
	quote: CHARACTER = 'q'
	open: STRING = "runs to the end helo
feature
	make
		do
			Result := Current.twin -- helo
			io.put_string ("%N")
		end
end
