#include "platform/Registry.h"

#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/Profile.h"

namespace {

// Open keys: handle -> section name in the store.
std::map<HKEY, std::string>& OpenKeys() {
  static std::map<HKEY, std::string> keys;
  return keys;
}

std::string RootName(HKEY root) {
  return root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : std::string();
}

}  // namespace

long RegOpenKeyA(HKEY root, const char* subKey, HKEY* result) {
  if (!result) return ERROR_FILE_NOT_FOUND;
  *result = 0;
  std::string name = RootName(root);
  if (name.empty()) return ERROR_FILE_NOT_FOUND;
  if (subKey && *subKey) name += std::string("\\") + subKey;
  static HKEY next = 0x100;
  HKEY handle = next++;
  OpenKeys()[handle] = name;
  *result = handle;
  return ERROR_SUCCESS;
}

long RegQueryValueExA(HKEY key, const char* valueName, uint32_t*, uint32_t* type, uint8_t* data,
                      uint32_t* size) {
  auto it = OpenKeys().find(key);
  if (it == OpenKeys().end() || !valueName || !size) return ERROR_FILE_NOT_FOUND;
  char buf[2048];
  GetPrivateProfileStringA(it->second.c_str(), valueName, "\x01", buf, sizeof buf, kRegistryFileName);
  std::string stored = buf;
  if (stored == "\x01") return ERROR_FILE_NOT_FOUND;

  std::string bytes;
  uint32_t kind;
  if (stored.rfind("dword:", 0) == 0) {
    kind = REG_DWORD;
    uint32_t v = static_cast<uint32_t>(std::strtoul(stored.c_str() + 6, nullptr, 16));
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
  } else {
    kind = REG_SZ;
    bytes = stored.rfind("sz:", 0) == 0 ? stored.substr(3) : stored;
    bytes += '\0';
  }
  if (type) *type = kind;
  uint32_t capacity = *size;
  *size = static_cast<uint32_t>(bytes.size());
  if (!data) return ERROR_SUCCESS;
  if (bytes.size() > capacity) return ERROR_MORE_DATA;
  std::memcpy(data, bytes.data(), bytes.size());
  return ERROR_SUCCESS;
}

long RegCloseKey(HKEY key) {
  return OpenKeys().erase(key) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}
