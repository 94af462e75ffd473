my $a = "Helo wrold";
my $b = 'Helo wrold';
my $c = "escaped \" quote wrold" . 'no \' escape wrold';
my $d = "two backslashes \\" . "after helo";
my $e = """triple helo" . "x";
my $f = "" . '';
my $g = "open to the end helo
my $h = 'it''s two strnigs';
my $i = "interpolated $name and @list helo";
my $j = qq{not a strnig here} . q(nor wrold);
print STDERR "Helo, wrold!\n";
