// libFuzzer target: the conversions the settings' texts and paths go
// through: UTF-8 to Shift-JIS and back (a conversion that succeeds
// round-trips), Shift-JIS to UTF-8, and the code-page-aware text functions
// on either code page (counts and cuts stay inside the text).

#include <cstdlib>
#include <string>

#include "runtime/conversions.h"
#include "runtime/shift_jis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto shift_jis = runtime::ShiftJisFromUtf8(text)) {
        if (runtime::Utf8FromShiftJis(*shift_jis) != std::string(text)) {
            std::abort();
        }
    }
    if (const auto utf8 = runtime::Utf8FromShiftJis(text)) {
        if (!runtime::ShiftJisFromUtf8(*utf8)) {
            std::abort(); // what was read as Shift-JIS can be written as it
        }
    }
    for (const runtime::LeadByteTest lead : {runtime::IsShiftJisLeadByte, runtime::NoLeadBytes}) {
        const std::size_t characters = runtime::CharacterCount(text, lead);
        const std::string left = runtime::Left(text, characters / 2, lead);
        const std::string right = runtime::Right(text, 3, lead);
        if (characters > size || text.substr(0, left.size()) != left || right.size() > size ||
            runtime::UpperCase(text, lead).size() != size) {
            std::abort();
        }
    }
    return 0;
}
