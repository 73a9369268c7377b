// shirakaba-pack: builds, extracts and checks pack files.
#include <cstdio>
int main(int argc, char** argv) { std::puts("not built yet"); return 1; }
