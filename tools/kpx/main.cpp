// kpx: placeholder entry until the commands arrive.
int main() { return 0; }
