// The baseline for compressed output: zlib alone on a data block, with the
// compiled file writer's parameters (level 9, 15-bit window, memory level 8,
// default strategy), the whole block in one call. Reads the block from a
// file and writes the zlib stream to another, and does nothing else.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <zlib.h>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: zmlfc_bench_zlib <data block> <zlib stream>\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
  std::vector<unsigned char> block(in ? static_cast<std::size_t>(in.tellg())
                                      : 0);
  in.seekg(0);
  in.read(reinterpret_cast<char*>(block.data()),
          static_cast<std::streamsize>(block.size()));
  if (!in) {
    std::cerr << "zmlfc_bench_zlib: cannot read " << argv[1] << "\n";
    return 1;
  }

  z_stream stream{};
  if (deflateInit2(&stream, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    std::cerr << "zmlfc_bench_zlib: deflateInit2 failed\n";
    return 1;
  }
  std::vector<unsigned char> packed(deflateBound(&stream, block.size()));
  stream.next_in = block.data();
  stream.avail_in = static_cast<uInt>(block.size());
  stream.next_out = packed.data();
  stream.avail_out = static_cast<uInt>(packed.size());
  const int result = deflate(&stream, Z_FINISH);
  packed.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) {
    std::cerr << "zmlfc_bench_zlib: deflate failed\n";
    return 1;
  }

  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(packed.data()),
            static_cast<std::streamsize>(packed.size()));
  out.close();
  if (!out) {
    std::cerr << "zmlfc_bench_zlib: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
