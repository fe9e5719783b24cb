#include "tools/UploadOptions.h"

#include "modules/gre1/vnSerialPort.h"
#include "tools/ColumnOption.h"

#include <algorithm>
#include <charconv>

namespace {

template <typename Number> bool ParseNumber(std::string_view text, Number* value)
{
    const char* end = text.data() + text.size();
    auto [last, error] = std::from_chars(text.data(), end, *value);
    return !text.empty() && error == std::errc() && last == end;
}

// Channel lists stay small: at most this many channels in one run.
constexpr std::size_t kMaxListedChannels = 100000;

} // namespace

bool UploadOptions::ParseChannelList(const std::string& text, std::vector<std::int32_t>* channels)
{
    channels->clear();
    std::string_view rest(text);
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view part = rest.substr(0, comma);
        const std::size_t dash = part.find('-');
        std::int32_t first = 0;
        std::int32_t last = 0;
        if (dash == std::string_view::npos) {
            if (!ParseNumber(part, &first))
                return false;
            last = first;
        } else if (!ParseNumber(part.substr(0, dash), &first) || !ParseNumber(part.substr(dash + 1), &last)) {
            return false;
        }
        if (first < 1 || last < first ||
            static_cast<std::size_t>(last - first) + channels->size() >= kMaxListedChannels)
            return false;
        for (std::int32_t number = first; number <= last; ++number)
            channels->push_back(number);
        if (comma == std::string_view::npos)
            return true;
        rest.remove_prefix(comma + 1);
    }
}

bool UploadOptions::Parse(const std::vector<std::string>& arguments, UploadOptions* options, std::string* error)
{
    *options = UploadOptions{};
    bool haveFile = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&](std::string* text) {
            if (i + 1 >= arguments.size()) {
                *error = option + " needs a value";
                return false;
            }
            *text = arguments[++i];
            return true;
        };
        std::string text;
        if (option == "--help" || option == "-h") {
            options->help = true;
        } else if (option == "--version") {
            options->version = true;
        } else if (option == "--dry-run") {
            options->dryRun = true;
        } else if (option == "--skip-out-of-band") {
            options->skipOutOfBand = true;
        } else if (option == "--ignore-bands") {
            options->ignoreBands = true;
        } else if (option == "--changed") {
            options->changed = true;
        } else if (option == "--lock-out-emptied") {
            options->lockOutEmptied = true;
        } else if (option == "--scanner") {
            if (!value(&text))
                return false;
            if (text.empty()) {
                *error = "--scanner needs a name";
                return false;
            }
            options->scanner = text;
        } else if (option == "--column") {
            if (!value(&text) || !ParseColumnOption(text, options->columns, *error))
                return false;
        } else if (option == "--port") {
            if (!value(&text))
                return false;
            if (text.empty()) {
                *error = "--port needs a device";
                return false;
            }
            options->port = text;
        } else if (option == "--baud") {
            std::uint32_t baud = 0;
            if (!value(&text))
                return false;
            if (!ParseNumber(std::string_view(text), &baud) || baud < vnSerialPort::MinBaudRate ||
                baud > vnSerialPort::MaxBaudRate) {
                *error = "--baud takes a speed from 110 to 256000, not \"" + text + "\"";
                return false;
            }
            options->baud = baud;
        } else if (option == "--stop-bits") {
            if (!value(&text))
                return false;
            if (text != "1" && text != "2") {
                *error = "--stop-bits takes 1 or 2, not \"" + text + "\"";
                return false;
            }
            options->stopBits = text == "1" ? 1 : 2;
        } else if (option == "--channels") {
            if (!value(&text))
                return false;
            std::vector<std::int32_t> listed;
            if (!ParseChannelList(text, &listed)) {
                *error = "--channels takes channel numbers and ranges such as 1-20,45, not \"" + text + "\"";
                return false;
            }
            // A channel named twice is still sent once.
            for (const std::int32_t number : listed)
                if (std::find(options->channels.begin(), options->channels.end(), number) == options->channels.end())
                    options->channels.push_back(number);
        } else if (!option.empty() && option[0] == '-' && option != "-") {
            *error = "unknown option " + option;
            return false;
        } else if (haveFile) {
            *error = "only one channel file, please";
            return false;
        } else {
            options->file = option;
            haveFile = true;
        }
    }
    if (options->changed && !options->channels.empty()) {
        *error = "--changed and --channels exclude each other";
        return false;
    }
    if (options->skipOutOfBand && options->ignoreBands) {
        *error = "--skip-out-of-band and --ignore-bands exclude each other";
        return false;
    }
    if (!haveFile && !options->help && !options->version) {
        *error = "no channel file given";
        return false;
    }
    return true;
}
