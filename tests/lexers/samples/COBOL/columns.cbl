000100 IDENTIFICATION DIVISION.                                         HELOTAG
000200*Helo wrold: a comment line from column 8 to column 72            WROLDTAG
000300/Helo: a comment line that also ejects the page
HELO01 PROGRAM-ID. HELO.
000500D    DISPLAY "Helo debugging line".
000600d    DISPLAY WROLD.
000700 PROCEDURE DIVISION.
000800 MAIN-PARA.
000900     DISPLAY "Helo wrold" X "helo" SPACES                         "WROLD"
001000     DISPLAY X OF WS-RECORD-WITH-A-LONG-NAME-THAT-RUNS-PAST-COLUMN-SEVENTYTWO
001100    AREAA  AREAB
001200     STOP RUN.
00
001400*
