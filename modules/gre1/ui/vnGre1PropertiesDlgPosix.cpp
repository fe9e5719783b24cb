#include "modules/gre1/ui/vnGre1PropertiesDlg.h"

#include <QSerialPortInfo>

namespace {

// Where udev links each serial adapter under a name made of its maker, model
// and serial number.
constexpr const char* kStableNameFolder = "/dev/serial/by-id";

} // namespace

std::vector<vnGre1PropertiesDlg::SerialDevice> vnGre1PropertiesDlg::SystemSerialDevices()
{
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        QString tooltip = info.description();
        if (!info.manufacturer().isEmpty())
            tooltip += tooltip.isEmpty() ? info.manufacturer() : QStringLiteral(" (%1)").arg(info.manufacturer());
        devices.push_back({info.systemLocation().toStdString(), tooltip.toStdString()});
    }
    return WithStableNames(std::move(devices), kStableNameFolder);
}
