// vwGetPrinterDC: the default printer named by the profile.
#include "view/internal.h"

#include "core/printtext.hpp"

HDC VWAPI vwGetPrinterDC(void) {
    char device[80] = {};
    GetProfileStringA("windows", "Device", "", device, sizeof device);
    if (!device[0]) return nullptr;
    const ts::core::PrinterName p = ts::core::parse_printer_device(device);
    return CreateDCA(p.driver.c_str(), p.device.c_str(), p.port.c_str(), nullptr);
}
