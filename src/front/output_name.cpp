#include "front/output_name.h"

#include "platform/platform.h"

namespace {

// Position of the last byte of `path` that is one of `chars`, reading the
// path as text in `codepage` so that the second byte of a double-byte
// character never counts; npos when there is none.
std::size_t LastOf(const std::string& path, const char* chars, int codepage) {
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (platform::IsLeadByte(codepage, c) && i + 1 < path.size()) {
      ++i;
      continue;
    }
    for (const char* p = chars; *p; ++p)
      if (path[i] == *p) found = i;
  }
  return found;
}

}  // namespace

std::string InternalUnitPath(const std::string& outfile, int codepage) {
  const std::size_t last = LastOf(outfile, "\\/:", codepage);
  const std::string directory =
      last == std::string::npos ? std::string() : outfile.substr(0, last + 1);
  return directory + "lib_language_internal.pas";
}

std::string IncludeFilePath(const std::string& outfile,
                            const std::array<char, 2>& program_id,
                            int codepage) {
  const std::size_t last = LastOf(outfile, ".\\/:", codepage);
  std::string path = outfile;
  if (last != std::string::npos && outfile[last] == '.') path.resize(last);
  path += '.';
  if (program_id[0] != '\0' || program_id[1] != '\0') {
    path.append(program_id.data(), 2);
    path += '.';
  }
  return path + "inc";
}
