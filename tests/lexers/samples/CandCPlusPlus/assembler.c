void f() {
  asm { mov ax, 1 /* Helo wrold */ }
  __asm mov bx, "Helo wrold"; char *after = "Helo";
  _asm {
    mov cx, 3 // Helo comment
    /* block comment
       in the block, Helo */ mov dx, "wrold"
  }
  asm mov ax, /* Helo
  wrold */ 5;
}
