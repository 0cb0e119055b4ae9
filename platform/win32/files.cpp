// Plain files and file names, through the ANSI functions with names as given.
#include "platform/win32/win32.h"

namespace plat {

namespace {
HANDLE H(File f) {
  return reinterpret_cast<HANDLE>(f);
}
}  // namespace

bool FileExists(const char* path) {
  const DWORD attributes = ::GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint32_t GetShortPathName(const char* long_path, char* buffer, std::uint32_t size) {
  return ::GetShortPathNameA(long_path, buffer, size);
}

bool FindFirstFileName(const char* pattern, char* name, std::uint32_t size) {
  WIN32_FIND_DATAA data;
  const HANDLE find = ::FindFirstFileA(pattern, &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  ::FindClose(find);
  lstrcpynA(name, data.cFileName, static_cast<int>(size));
  return true;
}

File FileOpen(const char* path, FileMode mode) {
  DWORD access = GENERIC_READ, disposition = OPEN_EXISTING;
  if (mode == FileMode::kCreate) access = GENERIC_WRITE, disposition = CREATE_ALWAYS;
  if (mode == FileMode::kReadWrite) access = GENERIC_READ | GENERIC_WRITE;
  const HANDLE h = ::CreateFileA(path, access, FILE_SHARE_READ, nullptr, disposition,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? kBadFile : reinterpret_cast<File>(h);
}

std::int32_t FileRead(File file, void* buffer, std::uint32_t size) {
  DWORD read = 0;
  if (!::ReadFile(H(file), buffer, size, &read, nullptr)) return -1;
  return static_cast<std::int32_t>(read);
}

bool FileWrite(File file, const void* data, std::uint32_t size) {
  DWORD written = 0;
  return ::WriteFile(H(file), data, size, &written, nullptr) && written == size;
}

std::int64_t FileSize(File file) {
  LARGE_INTEGER size;
  return ::GetFileSizeEx(H(file), &size) ? size.QuadPart : -1;
}

bool FileSeek(File file, std::int64_t position) {
  LARGE_INTEGER to;
  to.QuadPart = position;
  return ::SetFilePointerEx(H(file), to, nullptr, FILE_BEGIN) != 0;
}

bool FileTruncate(File file) {
  return ::SetEndOfFile(H(file)) != 0;
}

bool FileClose(File file) {
  return ::CloseHandle(H(file)) != 0;
}

}  // namespace plat
