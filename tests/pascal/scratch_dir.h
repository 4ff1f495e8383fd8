// A fresh directory under the system's temporary directory, removed with
// everything in it at the end of the scope.
#ifndef ZMLFC_TESTS_PASCAL_SCRATCH_DIR_H_
#define ZMLFC_TESTS_PASCAL_SCRATCH_DIR_H_

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

class ScratchDir {
 public:
  ScratchDir() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("zmlfc_pascal_" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string operator/(const std::string& name) const {
    return (path_ / name).string();
  }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

#endif  // ZMLFC_TESTS_PASCAL_SCRATCH_DIR_H_
