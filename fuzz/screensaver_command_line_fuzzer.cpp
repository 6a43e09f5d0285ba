// libFuzzer target: the screensaver program's command line as the system
// (or anybody) starts it, on a Japanese code page when the first byte is odd.
// A handle belongs to its own mode only, and the cursor is hidden for "S" only.

#include <cstdlib>

#include "runtime/shift_jis.h"
#include "start_request.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const runtime::LeadByteTest lead =
        (data[0] & 1) != 0 ? runtime::IsShiftJisLeadByte : runtime::NoLeadBytes;
    const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    const StartRequest request = ReadStartRequest(line, lead);
    if ((request.preview_handle != 0 && request.mode != StartMode::Preview) ||
        (request.owner_handle != 0 && request.mode != StartMode::Configure) ||
        (request.hide_cursor && request.mode != StartMode::Run)) {
        std::abort();
    }
    return 0;
}
