# Helo wrold: a whole-line comment
require 'set'  # trailing coment
class Helo < Object
  attr_accessor :wrold # coment after a symbol
  def initialize(x) #no blank before
    @x = "not # a coment" # but this is one
  end
end
=begin
Helo wrold in a block comment is lexed as code.
=end
