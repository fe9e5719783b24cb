#include "modules/gre1/ui/vnGre1PropertiesDlg.h"

#include "modules/gre1/vnSerialDeviceWin32.h"

// The COM ports of the registry's device map; the kernel's device name tells
// what kind of port each is, so it is the tooltip.
std::vector<vnGre1PropertiesDlg::SerialDevice> vnGre1PropertiesDlg::SystemSerialDevices()
{
    std::vector<SerialDevice> devices;
    for (const auto& [device, port] : vnSerialDeviceWin32::SystemDeviceMap())
        devices.push_back({port, device});
    return devices;
}
