#pragma once

#include <cstdint>
#include <string>

// The five values that the module's properties dialog edits. The module fills
// them from the store and its port, lets the editor run, then stores and
// applies whatever the values hold afterwards.
struct vnGre1Properties
{
    std::string model;
    std::int32_t carNumbers = 0; // 1 checked, 0 not
    std::string port;
    std::string speed;
    std::string stopBits;
    std::string scanner; // the scanner's name
    // Why the dialog is shown before an upload (no port to send to); empty
    // otherwise. Shown, not edited.
    std::string notice;
};

// Runs the properties dialog modally. After OK the values are the ones chosen;
// after Cancel they are left exactly as given. The application hands the
// module the real dialog when it installs it; tests hand it a scripted editor.
class vnGre1PropertiesEditor
{
public:
    virtual ~vnGre1PropertiesEditor() = default;
    virtual void Edit(vnGre1Properties& values) = 0;
};
