#pragma once

#include "modules/vnModule.h"

#include <memory>

class vnGre1Port;
class vnGre1Transfer;

// The module for RadioShack scanners made by GRE: 10 banks of 20 channels,
// numbered 1 to 200, uploaded one-way over a serial line.
//
// A module object reads its port settings from section "Transfer Options"
// of the settings store when it is made, so each new object starts from
// what is stored. It owns its port and its transfer.
class vnGre1Module : public vnModule
{
public:
    static constexpr const char* Name = "RadioShack GRE Type 1 Scanners";
    static constexpr const char* Description =
        "This module implements a one-way serial interface to Radio Shack scanners made by GRE including "
        "the Pro-76, Pro-79, Pro-82, Pro-89, Pro-2016 and Pro-2017.";

    vnGre1Module();
    ~vnGre1Module() override;

    vnResult GetName(const char** name) override;
    vnResult GetDescription(const char** description) override;
    // Lets the installed properties editor change the five settings, then
    // stores them and applies them to the port. With no editor installed the
    // values shown are stored unchanged.
    vnResult ShowProperties() override;
    vnResult GetTransfer(vnTransfer** transfer) override;
    virtual vnResult GetSerialPort(vnGre1Port** port);

private:
    std::unique_ptr<vnGre1Port> m_port;
    std::unique_ptr<vnGre1Transfer> m_transfer;
};
