// Writes the module's dialog templates and DLGINIT data as seed files of the two dialog
// fuzz targets: seed_writer <corpus directory>.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "module_resources.h"

namespace {

bool write(const std::filesystem::path& file, const void* data, std::size_t size) {
  std::ofstream out(file, std::ios::binary);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: seed_writer <corpus directory>\n");
    return 2;
  }
  const std::filesystem::path root(argv[1]);
  std::filesystem::create_directories(root / "dialog_template");
  std::filesystem::create_directories(root / "dlginit");
  for (UINT id : qzres::kDialogIds) {
    const std::string name = "module_" + std::to_string(id) + ".bin";
    if (!write(root / "dialog_template" / name, qzres::DialogTemplateOf(id),
               qzres::DialogTemplateSize(id)))
      return 1;
    if (qzres::DlgInitOf(id) &&
        !write(root / "dlginit" / name, qzres::DlgInitOf(id), qzres::DlgInitSize(id)))
      return 1;
  }
  return 0;
}
