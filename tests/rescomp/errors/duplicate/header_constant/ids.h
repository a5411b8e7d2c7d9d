constexpr short kList = 32501;
constexpr short kList = 32502;
