// vwGetPrinterDC: the default printer named by the profile.
#include "view/internal.h"

#include <string>

#include "core/printtext.hpp"

namespace {

constexpr DWORD kLongestValue = 32767;  // what a profile value can hold

// The value "device,driver,port" whole, however long the names and the
// port (a file path, say) are: the buffer grows until the value fits.
std::string DefaultPrinterEntry() {
    std::string value(80, '\0');
    for (;;) {
        const DWORD n = GetProfileStringA("windows", "Device", "", value.data(), static_cast<DWORD>(value.size()));
        if (n + 1 < value.size() || value.size() > kLongestValue) {
            value.resize(n);
            return value;
        }
        value.resize(value.size() * 2);
    }
}

} // namespace

HDC VWAPI vwGetPrinterDC(void) {
    const std::string device = DefaultPrinterEntry();
    if (device.empty()) return nullptr;
    const ts::core::PrinterName p = ts::core::parse_printer_device(device);
    return CreateDCA(p.driver.c_str(), p.device.c_str(), p.port.c_str(), nullptr);
}
