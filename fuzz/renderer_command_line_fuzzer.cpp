// libFuzzer target: the renderer's command line. Every monitor photograph it
// takes is a further monitor's picture with a name, and the words for what
// it took read back as the same.

#include <cstdlib>
#include <string>

#include "display_choice.h"
#include "monitor_pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const RendererOptions options = ParseRendererOptions(line);
    for (const MonitorPhotograph& monitor : options.monitor_photographs) {
        if (monitor.picture == 0 || !IsMonitorPhotograph(monitor.picture) ||
            monitor.device.empty() || monitor.device.find(' ') != std::string::npos) {
            std::abort();
        }
    }
    const RendererOptions again =
        ParseRendererOptions(PhotographArguments(options.photograph, options.monitor_photographs));
    if (again.photograph != options.photograph ||
        again.monitor_photographs != options.monitor_photographs) {
        std::abort();
    }
    return 0;
}
