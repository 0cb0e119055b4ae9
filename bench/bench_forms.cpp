// Form conversion benchmark (not a test): generates binary forms of 20 MB and
// 200 MB in /tmp (nested components, every value type, large binary blobs,
// long strings), converts each with `qrvl dfm2txt` and with the Free Pascal
// oracle program, one process at a time, and reports input MB/s, peak memory
// (the child's maximum resident set) and the throughput ratio.
//
// Usage: bench_forms [MB ...]   (default: 20 200)
// Free Pascal reads neither single, currency, date, double nor null values nor
// collection item indexes, so the forms for the comparison leave those out;
// a third form per size with all of them is converted by qrvl alone.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fcntl.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Generator {
 public:
  Generator(const std::string& path, bool every_type)
      : file_(std::fopen(path.c_str(), "wb")), every_type_(every_type) {}
  ~Generator() { std::fclose(file_); }
  bool ok() const { return file_ != nullptr; }

  void Form(std::uint64_t target) {
    U8(0xFF).U16(10).Raw("BENCHFORM", 10).U16(0x1030).U32(0).Raw("TPF0", 4);
    Str("TBenchForm").Str("Bench");
    Component(0);
    End();  // properties of the root
    std::uint64_t n = 0;
    while (written_ < target) {
      // Five components nested in each other, then closed again.
      for (int depth = 0; depth < 5; ++depth, ++n) {
        const bool inherited = n % 7 == 3, positioned = n % 11 == 5;
        if (inherited || positioned) U8(0xF0 | (inherited ? 1 : 0) | (positioned ? 2 : 0));
        if (positioned) U8(2).U8(static_cast<std::uint8_t>(n));
        Str(n % 2 ? "TPanel" : "TEdit").Str("Component" + std::to_string(n));
        Component(n);
        End();  // properties
      }
      for (int depth = 0; depth < 5; ++depth) End();  // children
    }
    End();  // children of the root
  }

 private:
  void Component(std::uint64_t n) {
    Str("Left").U8(2).U8(static_cast<std::uint8_t>(n));
    Str("Top").U8(3).U16(static_cast<std::uint16_t>(n * 7));
    Str("Width").U8(4).U32(static_cast<std::uint32_t>(n * 1000003));
    Str("Tag").U8(19).U64(n * 0x9E3779B97F4A7C15ull);
    Str("Scale").U8(5).U64(0xC90FDAA22168C235ull + n).U16(0x4000 + (n % 16));
    Str("Caption").U8(6).Str("Component's caption number " + std::to_string(n));
    std::string hint;
    while (hint.size() < 1500) hint += "A long hint line with \"quotes\", it's here\r\n\xE9t\xE9 ";
    Str("Hint").U8(12).U32(static_cast<std::uint32_t>(hint.size())).Raw(hint.data(), hint.size());
    Str("WideHint").U8(18).U32(120);
    for (int i = 0; i < 120; ++i) U16(i % 3 ? 'a' + i % 26 : 0x410 + i % 32);
    std::string utf8;
    while (utf8.size() < 200)
      utf8 +=
          "Gr\xC3\xBC\xC3\x9F"
          "e \xE2\x82\xAC ";
    Str("Text").U8(20).U32(static_cast<std::uint32_t>(utf8.size())).Raw(utf8.data(), utf8.size());
    Str("Align").U8(7).Str("alClient").Str("Visible").U8(9).Str("Enabled").U8(8);
    Str("PopupMenu").U8(13);
    Str("Anchors").U8(11).Str("akLeft").Str("akTop").Str("akRight").Str("akBottom").End();
    Str("Lines.Strings").U8(1);
    for (int i = 0; i < 5; ++i) U8(6).Str("line " + std::to_string(i));
    U8(2).U8(1).U8(4).U32(70000).U8(1).U8(6).Str("nested").U8(9).End().End();
    Str("Columns").U8(14);
    for (int i = 0; i < 3; ++i) {
      if (every_type_) U8(2).U8(static_cast<std::uint8_t>(i));
      U8(1).Str("FieldName").U8(6).Str("FIELD" + std::to_string(i));
      Str("Width").U8(3).U16(120).Str("Title.Font.Style").U8(11).Str("fsBold").End().End();
    }
    End();
    if (n % 2 == 0) {
      Str("Picture.Data").U8(10).U32(16384);
      for (std::uint32_t i = 0; i < 16384; ++i) U8(static_cast<std::uint8_t>(i * 131 + n));
    }
    if (every_type_) {
      Str("Ratio").U8(15).U32(0x3DCCCCCD).Str("Price").U8(16).U64(n * 10000 + 5);
      Str("Stamp").U8(17).U64(0x40E1D5D000000000ull).Str("Exact").U8(21).U64(0x3FB999999999999Aull);
      Str("Nothing").U8(0);
    }
  }

  Generator& Raw(const void* data, std::size_t n) {
    std::fwrite(data, 1, n, file_);
    written_ += n;
    return *this;
  }
  Generator& U8(std::uint8_t v) { return Raw(&v, 1); }
  Generator& U16(std::uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
  Generator& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Generator& U64(std::uint64_t v) { return U32(static_cast<std::uint32_t>(v)).U32(v >> 32); }
  Generator& Str(const std::string& s) {
    return U8(static_cast<std::uint8_t>(s.size())).Raw(s.data(), s.size());
  }
  Generator& End() { return U8(0); }

  std::FILE* file_;
  bool every_type_;
  std::uint64_t written_ = 0;
};

struct Outcome {
  double seconds;
  double peak_mib;
  bool ok;
};

// Runs a program with its output to /dev/null and measures it.
Outcome Measure(const std::vector<std::string>& args) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage;
  wait4(pid, &status, 0, &usage);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return {took.count(), usage.ru_maxrss / 1024.0, WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

std::string BuildDir() {
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, n > 0 ? static_cast<std::size_t>(n) : 0);
  path.erase(path.find_last_of('/'));  // bench/
  return path.substr(0, path.find_last_of('/'));
}

double FileMiB(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? st.st_size / 1048576.0 : 0;
}

void Report(const char* who, const std::string& input, const Outcome& o) {
  std::printf("  %-28s %8.2f s %9.1f MiB/s   peak %7.1f MiB%s\n", who, o.seconds,
              FileMiB(input) / o.seconds, o.peak_mib, o.ok ? "" : "   (FAILED)");
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {20, 200};
  const std::string build = BuildDir();
  const std::string qrvl = build + "/tools/qrvl/qrvl";
  const std::string fpc = build + "/tests/forms/fpc_dfm2txt";
  const bool have_fpc = access(fpc.c_str(), X_OK) == 0;
  for (int mb : sizes) {
    const std::string common = "/tmp/qrvl_bench_" + std::to_string(mb) + ".dfm";
    const std::string every = "/tmp/qrvl_bench_" + std::to_string(mb) + "_every.dfm";
    const std::string out = "/tmp/qrvl_bench_out.txt";
    Generator(common, false).Form(std::uint64_t(mb) << 20);
    Generator(every, true).Form(std::uint64_t(mb) << 20);
    std::printf("%d MB form (%.1f MiB):\n", mb, FileMiB(common));
    const Outcome ours = Measure({qrvl, "dfm2txt", common, out});
    Report("qrvl dfm2txt", common, ours);
    std::printf("  text %.1f MiB\n", FileMiB(out));
    if (have_fpc) {
      const Outcome theirs = Measure({fpc, common, out});
      Report("Free Pascal ObjectResourceToText", common, theirs);
      std::printf("  throughput ratio %.1f\n", theirs.seconds / ours.seconds);
    }
    Report("qrvl dfm2txt, every type", every, Measure({qrvl, "dfm2txt", every, out}));
    std::remove(common.c_str());
    std::remove(every.c_str());
    std::remove(out.c_str());
  }
  return 0;
}
