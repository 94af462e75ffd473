#!/usr/bin/perl -w
# Helo wrold: a whole-line comment
use strict;  # trailing coment
my @list = (1, 2, 3);
my $last = $#list;   # "$#" is a variable, this is the coment
print $list[$#list] if $#list > 0; # helo
my $s = "not # a coment";  # but this is one
=pod

Helo wrold in a POD block is lexed as code.

=cut
