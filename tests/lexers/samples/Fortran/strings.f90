program strings
  print *, 'Helo wrold'
  print *, "Helo ! not a comment"
  s = 'It''s helo'
  t = """Helo"" wrold"
  u = 'unclosed helo ! still the string
  x = 1.5d0 + 2.e-3 + 1..2
  if (a .eq. b) x = 1.eq.2
! Free form too: a word that starts with c in the first column reads as a comment line
contains helo
end program
