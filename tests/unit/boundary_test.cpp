// Short strings and buffers that end exactly at a page whose successor is not
// accessible: an export that reads past a short string's length, or writes
// past BufferSize + 1 bytes, faults instead of passing.
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "sim_fixture.h"

namespace {

class GuardedPage {
 public:
  GuardedPage() {
    page_ = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    base_ = static_cast<unsigned char*>(
        ::mmap(nullptr, 2 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ::mprotect(base_ + page_, page_, PROT_NONE);
  }
  ~GuardedPage() { ::munmap(base_, 2 * page_); }
  // n bytes ending at the guard page.
  unsigned char* End(std::size_t n) { return base_ + page_ - n; }
  // A short string of `text` ending at the guard page.
  const unsigned char* Short(const std::string& text) {
    unsigned char* s = End(text.size() + 1);
    s[0] = static_cast<unsigned char>(text.size());
    std::memcpy(s + 1, text.data(), text.size());
    return s;
  }

 private:
  std::size_t page_;
  unsigned char* base_;
};

class BoundaryTest : public SimTest {};

TEST_F(BoundaryTest, ExportsReadShortStringsOfLength0And255NoFurther) {
  sim::WriteFile("C:\\TOOLS\\INSTALL.LOG", "");
  for (const std::string& text : {std::string(), std::string(255, 'K')}) {
    GuardedPage key, name, value;
    const unsigned char* k = key.Short(text);
    const unsigned char* n = name.Short(text);
    const unsigned char* v = value.Short(text);
    for (QRVL_HKEY root : {0u, QRVL_HKEY_LOCAL_MACHINE}) {
      EXPECT_EQ(AddRegistryKey(root, k, n, v, 0), 1) << text.size();
      EXPECT_EQ(AddRegistryKey(root, k, n, v, 1), 1) << text.size();
      EXPECT_EQ(RegistryKeyExists(root, k, n), 1) << text.size();
      unsigned char buffer[256];
      EXPECT_EQ(GetRegistryKey(root, k, n, buffer, 255), 1) << text.size();
      EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer + 1), buffer[0]), text);
      EXPECT_EQ(DeleteRegistryKey(root, k, n), text.empty() ? 0 : 1) << text.size();
    }
    GuardedPage in, out;
    EXPECT_EQ(D2DFMtoText(in.Short(text), out.Short(text + "x")), 0) << text.size();
  }
}

TEST_F(BoundaryTest, GetRegistryKeyWritesAtMostBufferSizePlusOne) {
  sim::RegPut(QRVL_HKEY_CURRENT_USER, "Soft", "long", plat::kRegSz, std::string(300, 'v') + '\0');
  const std::string key = "\x04Soft", name = "\x04long";
  auto ss = [](const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); };
  for (std::uint32_t size : {0u, 1u, 3u, 254u, 255u, 0x100u + 2u}) {
    GuardedPage page;
    const std::uint32_t room = (size & 0xFF) + 1;
    unsigned char* buffer = page.End(room);
    EXPECT_EQ(GetRegistryKey(0, ss(key), ss(name), buffer, size), 1) << size;
    EXPECT_EQ(buffer[0], room - 1) << size;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer + 1), buffer[0]),
              std::string(room - 1, 'v'));
  }
}

}  // namespace
