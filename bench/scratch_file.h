// A file in the temporary directory that lives as long as the object.
#ifndef ZMLFC_BENCH_SCRATCH_FILE_H_
#define ZMLFC_BENCH_SCRATCH_FILE_H_

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class ScratchFile {
 public:
  explicit ScratchFile(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("zmlfc_bench_" + std::to_string(std::random_device{}()) +
               "_" + name)) {}
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  std::string path() const { return path_.string(); }
  bool Write(const std::string& bytes) const {
    std::ofstream out(path_, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out.flush());
  }

 private:
  std::filesystem::path path_;
};

#endif  // ZMLFC_BENCH_SCRATCH_FILE_H_
