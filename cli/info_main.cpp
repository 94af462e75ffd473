// Until the window and the checker arrive, this tells what has been built.
#include <cstdio>

int main() {
  std::printf("QuillonMini 1.1 (engine foundation)\n"
              "Built: streams (memory, block, gzip), option lists and sectioned option files,\n"
              "the settings store, the misprint store and the shared string helpers.\n"
              "The editor window and the quillon-check command arrive in later steps;\n"
              "run ./test to exercise what is here.\n");
  return 0;
}
