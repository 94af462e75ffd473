C     Helo wrold: a comment from the first column
c     Call x reads like code but is a comment
*     Helo: a star in the first column
Call helo
      PROGRAM HELO
      X = 2 * 3
      Y = X*2  ! Helo trailing comment
! Helo wrold from the first column
  C = 1
      END
