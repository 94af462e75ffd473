/** Helo wrold documentation */
/**/ int a;
/* Helo comment */
/**
 * Helo wrold over lines
 */
/*** three stars, Helo */
// Helo line comment
@Override
public void f() {}
