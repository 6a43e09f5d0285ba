#include "start_request.h"

#include "runtime/conversions.h"

StartRequest ReadStartRequest(std::string_view arguments, runtime::LeadByteTest lead_byte) {
    if (arguments.empty()) {
        return {StartMode::Run, false, 0};
    }
    const std::string letter =
        runtime::Mid(runtime::UpperCase(arguments, lead_byte), 2, lead_byte, 1);
    if (letter.size() != 1) {
        return {}; // no second character, or a double-byte one
    }
    switch (letter[0]) {
    case 'S':
        return {StartMode::Run, true, 0};
    case 'C':
        return {StartMode::Configure, false, 0, ReadWindowHandle(arguments, lead_byte)};
    case 'P':
        return {StartMode::Preview, false, ReadWindowHandle(arguments, lead_byte)};
    default:
        return {};
    }
}

std::int32_t ReadWindowHandle(std::string_view arguments, runtime::LeadByteTest lead_byte) {
    const std::string number = runtime::Mid(arguments, 4, lead_byte);
    return runtime::RoundToInt32(runtime::ReadNumber(number)).value_or(0);
}
