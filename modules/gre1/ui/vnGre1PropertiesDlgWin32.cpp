#include "modules/gre1/ui/vnGre1PropertiesDlg.h"

#include <QString>

#include <windows.h>

// The system keeps one value per serial port under this key: the kernel's
// device name (\Device\Serial0, \Device\VCP0 for a USB adapter) holding the
// port's name ("COM3"). The device name tells what kind of port it is.
std::vector<vnGre1PropertiesDlg::SerialDevice> vnGre1PropertiesDlg::SystemSerialDevices()
{
    std::vector<SerialDevice> devices;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return devices;
    for (DWORD index = 0;; ++index) {
        wchar_t device[256];
        wchar_t port[256];
        DWORD deviceLength = 256;
        DWORD portSize = sizeof port;
        DWORD type = REG_NONE;
        const LSTATUS status =
            RegEnumValueW(key, index, device, &deviceLength, nullptr, &type, reinterpret_cast<BYTE*>(port), &portSize);
        if (status == ERROR_MORE_DATA)
            continue; // a name longer than any port's: not one
        if (status != ERROR_SUCCESS)
            break;
        if (type != REG_SZ || portSize < sizeof(wchar_t))
            continue;
        // The data need not end in a null.
        const auto portLength = static_cast<qsizetype>(portSize / sizeof(wchar_t));
        QString name = QString::fromWCharArray(port, portLength);
        const qsizetype end = name.indexOf(QChar::Null);
        if (end >= 0)
            name.truncate(end);
        if (name.isEmpty())
            continue;
        devices.push_back(
            {name.toStdString(), QString::fromWCharArray(device, static_cast<qsizetype>(deviceLength)).toStdString()});
    }
    RegCloseKey(key);
    return devices;
}
