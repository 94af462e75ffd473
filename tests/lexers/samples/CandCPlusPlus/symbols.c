a->b; c::d; x <<= 2; y >>= 1; p != q && r || s;
@ $ ` \ é Helo
