// Entry of gerber-render: the arguments as UTF-8.
#include <iostream>
#include <string>
#include <vector>

#include "gerber_render.h"

#ifdef _WIN32
#include "base/encoding.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(base::toUtf8(argv[i]));
  return runGerberRender(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  return runGerberRender(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
#endif
