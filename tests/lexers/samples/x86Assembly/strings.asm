msg  db "Helo wrold", 13, 10, 0
msg2 db 'Helo wrold', 0
msg3 db """Helo"" wrold"
msg4 db '''Helo'' wrold'
msg5 db "unclosed helo ; still the string
     mov al, ';'    ; a quoted semicolon, helo
num  dw 0FFh, 0x1F, 101b
