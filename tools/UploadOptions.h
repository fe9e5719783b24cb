#pragma once

#include "core/ChannelColumnChoice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The command line of scanlore-upload:
//   scanlore-upload [--port DEV] [--baud N] [--stop-bits 1|2]
//                   [--channels LIST] [--skip-out-of-band | --ignore-bands]
//                   [--changed [--lock-out-emptied]] [--scanner NAME]
//                   [--column ROLE=NAME]... [--dry-run] FILE
struct UploadOptions
{
    std::optional<std::string> port;
    std::optional<std::uint32_t> baud;
    std::optional<int> stopBits; // 1 or 2, as counted on the line
    // Channel numbers in the order first given, each once; empty: all, as Upload All.
    std::vector<std::int32_t> channels;
    bool dryRun = false;
    // Channels outside the scanner's bands: left out, or sent anyway;
    // without either the command stops before the port opens.
    bool skipOutOfBand = false;
    bool ignoreBands = false;
    // Only the channels that differ from the scanner's record, one upload
    // each; with lockOutEmptied, channels empty here that the scanner still
    // holds are sent again locked out.
    bool changed = false;
    bool lockOutEmptied = false;
    // Whose record: the scanner's name; empty: the stored one.
    std::string scanner;
    // The file's columns as --column names them; none: read by their names.
    ChannelColumnChoice columns;
    bool help = false;
    bool version = false;
    std::string file;

    // False with the reason for bad usage.
    static bool Parse(const std::vector<std::string>& arguments, UploadOptions* options, std::string* error);
    // "1-20,45" as 1 to 20 and 45; false for anything else (empty parts,
    // reversed ranges, numbers that are not positive).
    static bool ParseChannelList(const std::string& text, std::vector<std::int32_t>* channels);
};
