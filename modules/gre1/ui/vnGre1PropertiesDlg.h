#pragma once

#include "modules/gre1/vnGre1PropertiesEditor.h"
#include "toolkit/CDialog.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// "Module Properties" of the GRE Type 1 module: scanner model, port, port
// speed, stop bits and car-number support. A known model fixes the speed,
// stop bits and car-number support it needs and locks those controls;
// "(Custom)" unlocks them. The dialog edits only its five values: OK takes
// them out of the controls, Cancel leaves them as they were given.
class vnGre1PropertiesDlg : public CDialog
{
    Q_OBJECT

public:
    // A model's needs; a speed or stop-bits number of 0 leaves the choice free.
    struct Model
    {
        const char* name;
        std::int32_t speed;
        std::uint8_t stopBits;
        std::uint8_t carNumbers;
    };
    // The models in list order, after "(Custom)".
    static std::span<const Model> Models();

    // A serial device of the machine: its name, and what the system tells
    // of it (description and maker), shown as the item's tooltip.
    struct SerialDevice
    {
        std::string name;
        std::string tooltip;
    };
    // The machine's serial devices, listed after COM1..COM9. Tests replace
    // the source; an empty function restores the one that asks the system.
    // Returns the source it replaces.
    using SerialDeviceSource = std::function<std::vector<SerialDevice>()>;
    static SerialDeviceSource SetSerialDeviceSource(SerialDeviceSource source);
    // The serial devices the system reports: on Linux the serial devices
    // with their stable names, on Windows the COM ports of the registry's
    // device map. One source file per system.
    static std::vector<SerialDevice> SystemSerialDevices();

    // The devices together with the stable names that link to them from
    // folder (/dev/serial/by-id: they stay the same when an adapter is
    // plugged in again or into another socket, where /dev/ttyUSB0 may not).
    // A stable name shows its device's tooltip and the device it leads to.
    static std::vector<SerialDevice> WithStableNames(std::vector<SerialDevice> devices, const std::string& folder);

    // Sets the source for its lifetime and then puts back the one it replaced.
    class SerialDeviceSourceScope
    {
    public:
        explicit SerialDeviceSourceScope(SerialDeviceSource source)
            : m_previous(SetSerialDeviceSource(std::move(source)))
        {}
        ~SerialDeviceSourceScope() { SetSerialDeviceSource(std::move(m_previous)); }
        SerialDeviceSourceScope(const SerialDeviceSourceScope&) = delete;
        SerialDeviceSourceScope& operator=(const SerialDeviceSourceScope&) = delete;

    private:
        SerialDeviceSource m_previous;
    };

    explicit vnGre1PropertiesDlg(QWidget* parent = nullptr);
    ~vnGre1PropertiesDlg() override;

    // Find My Cable...: the ports before the cable is plugged in, then
    // after; the one that appeared is the cable's. Empty when none did.
    static std::string NewPort(const std::vector<SerialDevice>& before, const std::vector<SerialDevice>& after);

    void SetValues(const vnGre1Properties& values) { m_values = values; }
    const vnGre1Properties& GetValues() const { return m_values; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(bool save) override;
    bool OnCommand(int id, int code) override;

private:
    void FillLists();
    void SelectPort();
    void FitPortNames();
    void ApplyModelRule();
    void FindCable();
    std::vector<SerialDevice> ListDevices() const;

    QComboBox* m_modelList = nullptr;
    QComboBox* m_portList = nullptr;
    QComboBox* m_speedList = nullptr;
    QComboBox* m_stopBitsList = nullptr;
    QCheckBox* m_carNumbersBox = nullptr;
    QLabel* m_notice = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    vnGre1Properties m_values;
};

// Runs the properties dialog, without a parent window, for the module.
class vnGre1PropertiesDlgEditor : public vnGre1PropertiesEditor
{
public:
    void Edit(vnGre1Properties& values) override;
};
