constexpr short kList = 0x7F00;
