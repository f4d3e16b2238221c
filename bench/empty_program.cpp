// The reference of the start-up benchmark: a C++ program that does nothing,
// compiled and linked as trivane-cli is.
int main() { return 0; }
