000100     MOVE 'It''s helo' TO WS-A.
000200     MOVE "an open literal, helo
000300 wrold closes here" TO WS-B.
000400     MOVE "a literal that fills the code area, helo               
000500*Helo: a comment line between a literal and its continuation
000600-    ""continued on this line, wrold" TO WS-C.
000700     MOVE 'filled again, helo wrold                               
000800-    MOVE 'helo' TO WS-D. *> the wait ends without two quotes
000900     MOVE "helo                                                   
001000     DISPLAY "not a continuation line, wrold".
001100     COPY HELO REPLACING ==Helo wrold== BY ==X==.
001200     REPLACE ==open pseudo-text, helo
001300 text wrold==. MOVE -1.5 TO X. PERFORM 100-MAIN.
001400     MOVE 1.5E+3 TO Y. SET SW TO TRUE. MOVE ZERO TO N.
