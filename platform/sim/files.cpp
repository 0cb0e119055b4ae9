// Simulated plain files: in memory, or the real file system in host-files mode.
#include <cstdio>
#include <cstring>
#include <map>
#include <sys/stat.h>

#include "platform/sim/sim.h"

namespace sim {

namespace {
Files g_files;

struct OpenFile {
  std::string path;
  plat::FileMode mode;
  std::size_t position = 0;
  std::FILE* host = nullptr;
};
std::map<plat::File, OpenFile> g_open;
plat::File g_next = 3;
}  // namespace

Files& files() {
  return g_files;
}

void ResetFiles() {
  for (auto& entry : g_open)
    if (entry.second.host) std::fclose(entry.second.host);
  g_open.clear();
  g_files = Files();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  g_files.files[path] = bytes;
}

std::string ReadFile(const std::string& path) {
  const auto found = g_files.files.find(path);
  return found == g_files.files.end() ? std::string() : found->second;
}

bool HasFile(const std::string& path) {
  return g_files.files.count(path) != 0;
}

}  // namespace sim

namespace plat {

using sim::g_files;
using sim::g_open;

bool FileExists(const char* path) {
  if (g_files.host_files) {
    struct stat st;
    return ::stat(path, &st) == 0 && !S_ISDIR(st.st_mode);
  }
  return g_files.files.count(path) != 0;
}

File FileOpen(const char* path, FileMode mode) {
  if (g_files.refuse_open.count(path)) return kBadFile;
  sim::OpenFile open{path, mode};
  if (g_files.host_files) {
    const char* how = mode == FileMode::kRead ? "rb" : mode == FileMode::kCreate ? "wb" : "r+b";
    open.host = std::fopen(path, how);
    if (!open.host) return kBadFile;
  } else if (mode == FileMode::kCreate) {
    if (g_files.directories.count(path) || g_files.refuse_write.count(path)) return kBadFile;
    g_files.files[path].clear();
  } else if (!g_files.files.count(path)) {
    return kBadFile;
  }
  const File handle = sim::g_next++;
  g_open[handle] = open;
  ++g_files.open_count;
  return handle;
}

std::int32_t FileRead(File file, void* buffer, std::uint32_t size) {
  auto found = g_open.find(file);
  if (found == g_open.end() || found->second.mode == FileMode::kCreate) return -1;
  sim::OpenFile& f = found->second;
  if (f.host) return static_cast<std::int32_t>(std::fread(buffer, 1, size, f.host));
  const std::string& bytes = g_files.files[f.path];
  if (f.position >= bytes.size()) return 0;
  const std::size_t n = std::min<std::size_t>(size, bytes.size() - f.position);
  std::memcpy(buffer, bytes.data() + f.position, n);
  f.position += n;
  return static_cast<std::int32_t>(n);
}

bool FileWrite(File file, const void* data, std::uint32_t size) {
  auto found = g_open.find(file);
  if (found == g_open.end() || found->second.mode == FileMode::kRead) return false;
  sim::OpenFile& f = found->second;
  if (f.host) return std::fwrite(data, 1, size, f.host) == size;
  if (g_files.refuse_write.count(f.path)) return false;
  std::string& bytes = g_files.files[f.path];
  if (bytes.size() < f.position + size) bytes.resize(f.position + size);
  std::memcpy(&bytes[f.position], data, size);
  f.position += size;
  return true;
}

std::int64_t FileSize(File file) {
  auto found = g_open.find(file);
  if (found == g_open.end()) return -1;
  sim::OpenFile& f = found->second;
  if (f.host) {
    const long at = std::ftell(f.host);
    std::fseek(f.host, 0, SEEK_END);
    const long size = std::ftell(f.host);
    std::fseek(f.host, at, SEEK_SET);
    return size;
  }
  return static_cast<std::int64_t>(g_files.files[f.path].size());
}

bool FileSeek(File file, std::int64_t position) {
  auto found = g_open.find(file);
  if (found == g_open.end() || position < 0) return false;
  sim::OpenFile& f = found->second;
  if (f.host) return std::fseek(f.host, static_cast<long>(position), SEEK_SET) == 0;
  f.position = static_cast<std::size_t>(position);
  return true;
}

bool FileTruncate(File file) {
  auto found = g_open.find(file);
  if (found == g_open.end() || found->second.mode == FileMode::kRead) return false;
  sim::OpenFile& f = found->second;
  if (f.host) return false;  // not needed by the tools that use host files
  if (g_files.refuse_write.count(f.path)) return false;
  g_files.files[f.path].resize(f.position);
  return true;
}

bool FileClose(File file) {
  auto found = g_open.find(file);
  if (found == g_open.end()) return false;
  if (found->second.host) std::fclose(found->second.host);
  g_open.erase(found);
  --g_files.open_count;
  return true;
}

}  // namespace plat
