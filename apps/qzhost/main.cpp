// The stand-in terminal. Until the host and the module exist it only says so.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  const char* scenario = argc > 1 ? argv[1] : "demo";
  if (std::strcmp(scenario, "demo") != 0) {
    std::fprintf(stderr, "qzhost: unknown scenario '%s' (only 'demo' is bundled)\n", scenario);
    return 2;
  }
  std::printf("qzhost: the stand-in terminal is not built yet; the demo has nothing to show.\n");
  return 0;
}
