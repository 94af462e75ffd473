; Helo wrold: a semicolon comment
    mov eax, 1      ; Helo trailing comment
# Helo wrold: a hash comment
    add eax, ebx    // Helo slash comment
    mov ecx, 10 / 2
label1: ret
