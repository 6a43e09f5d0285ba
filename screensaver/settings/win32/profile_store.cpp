#include "settings/win32/profile_store.h"

#include <windows.h>

#include <cstring>

#include "win32/program_globals.h"
#include "runtime/conversions.h"
#include "runtime/win32/text_encoding.h"

namespace {

constexpr int kValueBufferSize = 256;    // a value's bytes plus the closing NUL
constexpr std::size_t kNameLength = 127; // characters of a section or key name

} // namespace

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file) {
    char buffer[kValueBufferSize] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, kValueBufferSize,
                             file.c_str());
    return std::string(buffer, strnlen(buffer, kValueBufferSize));
}

void WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file) {
    const std::string section_field = runtime::Left(section, kNameLength, runtime::SystemLeadByte);
    const std::string key_field = runtime::Left(key, kNameLength, runtime::SystemLeadByte);
    LastApiResult = WritePrivateProfileStringA(section_field.c_str(), key_field.c_str(),
                                               value.c_str(), file.c_str());
}
