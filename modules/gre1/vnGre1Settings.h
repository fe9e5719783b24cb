#pragma once

// Where the GRE Type 1 module keeps its settings in the settings store: one
// section, five values. The names are the stored format that the window,
// scanlore-upload and earlier versions share, so they never change.
struct vnGre1Settings
{
    static constexpr const char* Section = "Transfer Options";
    static constexpr const char* Port = "Communications Port"; // string, e.g. "COM1" or "/dev/ttyUSB0"
    static constexpr const char* Baud = "Baud";                // integer, 110 to 256000
    static constexpr const char* StopBits = "Stop Bits";       // integer code: 0 or 1 one stop bit, 2 two
    static constexpr const char* ScannerModel = "Scanner Model";
    static constexpr const char* CarNumbers = "Car Numbers"; // integer, 0 or 1
    // What the user calls this scanner ("Pro-89", "Pro-89 spare"): each name
    // has its own record of what was sent to it. Missing: the model's name.
    static constexpr const char* ScannerName = "Scanner Name";
};
