// qrvl reg exists|get|add|delete ROOT KEY [NAME [VALUE]]: the registry exports.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "command.h"
#include "frame/short_string.h"
#include "library.h"

namespace qrvl_tool {
namespace {

int Reg(const std::vector<std::string>& args);
const Command kReg("reg", "qrvl reg exists|get|add|delete [--tree] ROOT KEY [NAME [VALUE]]",
                   "test, read, write or delete a registry value through the library's exports; "
                   "ROOT is HKCR, HKCU, HKLM, HKU or a number (0 = HKCU); an empty NAME is the "
                   "key's default value (get, add) or the key with its subkeys (delete); "
                   "--tree logs an added value as a tree entry",
                   Reg);

bool ParseRoot(const std::string& text, QRVL_HKEY* root) {
  static const struct {
    const char* names[2];
    QRVL_HKEY value;
  } roots[] = {{{"HKCR", "HKEY_CLASSES_ROOT"}, QRVL_HKEY_CLASSES_ROOT},
               {{"HKCU", "HKEY_CURRENT_USER"}, QRVL_HKEY_CURRENT_USER},
               {{"HKLM", "HKEY_LOCAL_MACHINE"}, QRVL_HKEY_LOCAL_MACHINE},
               {{"HKU", "HKEY_USERS"}, QRVL_HKEY_USERS}};
  for (const auto& r : roots)
    for (const char* name : r.names)
      if (text == name) return *root = r.value, true;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (text.empty() || *end || value > 0xFFFFFFFFul) return false;
  *root = static_cast<QRVL_HKEY>(value);
  return true;
}

int Reg(const std::vector<std::string>& all) {
  std::vector<std::string> args;
  bool tree = false;
  for (const std::string& a : all) (a == "--tree" ? tree = true : (args.push_back(a), false));
  if (args.size() < 3) return UsageError(kReg, "missing arguments");
  const std::string& verb = args[0];
  QRVL_HKEY root = 0;
  if (!ParseRoot(args[1], &root)) return UsageError(kReg, "unknown root '" + args[1] + "'");
  for (const std::string& a : args)
    if (a.size() > 255) return UsageError(kReg, "texts are at most 255 characters");
  const qrvl::ShortString key(args[2]), name(args.size() > 3 ? args[3] : "");
  std::string error;
  const Library* lib = OpenLibrary(&error);
  if (!lib) {
    std::fprintf(stderr, "qrvl reg: %s\n", error.c_str());
    return 1;
  }
  int answer = 0;
  if (verb == "exists" && args.size() <= 4) {
    answer = lib->RegistryKeyExists(root, key, name);
    std::printf("%s\n", answer ? "exists" : "missing");
  } else if (verb == "get" && args.size() <= 4) {
    unsigned char buffer[256];
    answer = lib->GetRegistryKey(root, key, name, buffer, 255);
    if (answer) std::printf("%.*s\n", buffer[0], reinterpret_cast<const char*>(buffer + 1));
  } else if (verb == "add" && args.size() == 5) {
    answer = lib->AddRegistryKey(root, key, name, qrvl::ShortString(args[4]), tree ? 1 : 0);
  } else if (verb == "delete" && args.size() <= 4) {
    answer = lib->DeleteRegistryKey(root, key, name);
  } else {
    return UsageError(kReg, "unknown verb or wrong number of arguments");
  }
  if (!answer && verb != "exists") std::fprintf(stderr, "qrvl reg: %s failed\n", verb.c_str());
  return answer || verb == "exists" ? 0 : 1;
}

}  // namespace
}  // namespace qrvl_tool
