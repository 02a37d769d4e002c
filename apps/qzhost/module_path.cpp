#include "module_path.h"

#include <filesystem>
#include <system_error>

namespace qzhost {

std::string ModulePath(const std::string& name) {
  namespace fs = std::filesystem;
  if (name.empty() || name.find('/') != std::string::npos) return name;
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return name;
  for (const fs::path& dir : {self.parent_path().parent_path() / "lib", self.parent_path()}) {
    const fs::path candidate = dir / name;
    if (fs::is_regular_file(candidate, ec)) return candidate.string();
  }
  return name;
}

}  // namespace qzhost
