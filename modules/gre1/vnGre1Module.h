#pragma once

#include "modules/vnModule.h"
#include "modules/vnModuleFactory.h"

#include <memory>

class vnGre1Port;
class vnGre1PropertiesEditor;
class vnGre1Transfer;

// The module for RadioShack scanners made by GRE: 10 banks of 20 channels,
// numbered 1 to 200, uploaded one-way over a serial line.
//
// A module object reads its port settings from section vnGre1Settings::Section
// of the settings store when it is made, so each new object starts from
// what is stored. It owns its port and its transfer.
class vnGre1Module : public vnModule
{
public:
    static constexpr const char* Name = "RadioShack GRE Type 1 Scanners";
    static constexpr const char* Description =
        "This module implements a one-way serial interface to Radio Shack scanners made by GRE including "
        "the Pro-76, Pro-79, Pro-82, Pro-89, Pro-2016 and Pro-2017.";

    // The editor shows the properties; without one, ShowProperties stores
    // and applies the values unchanged.
    explicit vnGre1Module(std::shared_ptr<vnGre1PropertiesEditor> editor = nullptr);
    ~vnGre1Module() override;

    // The module as the manager makes it, each object with this editor.
    static vnModuleFactory Factory(std::shared_ptr<vnGre1PropertiesEditor> editor = nullptr);

    vnResult GetName(const char** name) override;
    vnResult GetDescription(const char** description) override;
    // Lets the properties editor change the five settings, then stores them
    // and applies them to the port.
    vnResult ShowProperties() override;
    vnResult GetTransfer(vnTransfer** transfer) override;
    vnResult GetScannerModel(std::string* model) override;
    // The bands of the stored scanner model (vnGre1Bands).
    vnResult GetBands(vnScannerBands* bands) override;
    vnResult GetModelBands(std::vector<vnModelBands>* models) override;
    virtual vnResult GetSerialPort(vnGre1Port** port);

private:
    std::shared_ptr<vnGre1PropertiesEditor> m_editor;
    std::unique_ptr<vnGre1Port> m_port;
    std::unique_ptr<vnGre1Transfer> m_transfer;
};
