#pragma once

#include <cstdint>
#include <string>

// A channel as a GRE Type 1 scanner receives it.
struct ScannerChannel
{
    bool hasNumber = false;
    std::int32_t number = 0;
    std::string carNumber;
    std::string frequency; // as sent, "146.5200"
    double megahertz = 0.0;
    bool delay = false;
    bool lockout = false;
    bool priority = false;
};

// Reads the text of a channel packet: fields of a letter, a value and "^",
// in the order C (number, optional), V (car number, optional, not empty),
// F (megahertz with four decimals), D, L, P ("S" set or "R" clear). Anything
// else is refused with the reason in words.
class Gre1ChannelText
{
public:
    static bool Parse(const std::string& text, ScannerChannel* channel, std::string* error);
};
