procedure Fast; assembler;
asm
  mov eax, 'Helo' // a line comment in asm is checked: wrold
  db 'not checked, wrold', 0
  { a brace comment in asm: helo
    over lines }
  mov ecx, 1 (* and a paren-star one:
  helo wrold *) mov edx, 2
  {$IFDEF CPU64 directive
  in asm } push ebx
  @@loop: dec ecx
end;
S := 'after the block, helo';
asm nop end; S := 'wrold';
