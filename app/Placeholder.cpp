// Keeps the library non-empty until its first real source lands.
namespace reversi::graphics {}
