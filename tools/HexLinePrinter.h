#pragma once

#include "modules/vnByteSink.h"

#include <cstdio>

// A byte sink that prints each block it takes as one line of hex bytes
// ("81 04 01 01 C8 32"): the transfer writes every packet in one block, so
// a dry run prints one packet a line.
class HexLinePrinter : public vnByteSink
{
public:
    explicit HexLinePrinter(std::FILE* out) : m_out(out) {}
    bool Take(const std::uint8_t* data, std::size_t size, std::string* reason) override;

private:
    std::FILE* m_out;
};
