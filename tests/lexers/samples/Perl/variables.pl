package Helo::Wrold;
use warnings;
use constant PI => 3.14;
my %hash = (key => 'valu', other => "wrold");
my $ref = \%hash;
print "$_\n" foreach @ARGV;
$x %= 3; $y x= 2; $z = $a x 3;
local $/ = undef; local $' ; my $q = $";
print $0, $$, $!, $@, $^W, ${name}, @$ref, %$ref;
if ($s =~ /helo # wrold/) { print 'match' }
my $n = 0x1F + 0b101 + 1_000 + 3.14 + 1e10 + 1..5;
my $t = `ls helo`;
