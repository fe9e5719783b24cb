#include "tools/ConvertCommand.h"

#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"
#include "channels/vnDelimitedFile.h"
#include "core/ChannelChirpExport.h"
#include "core/ChannelFile.h"
#include "core/ChannelOpenReport.h"
#include "modules/vnChannelLayout.h"

#include <filesystem>
#include <system_error>

namespace {

const std::string kStandardStream = "-";

int Fail(int code, std::string& err, const std::string& message)
{
    err += message + "\n";
    return code;
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

// The output as the warnings name it.
std::string OutputName(const std::string& output)
{
    return output == kStandardStream ? std::string("The output") : std::filesystem::path(output).filename().string();
}

} // namespace

const char* ConvertCommand::Usage()
{
    return "Usage: scanlore-convert [--to scanlore|chirp] FILE [OUT|-]\n"
           "\n"
           "Reads the channel file FILE (- for standard input) exactly as Scanlore's Open\n"
           "does and writes it in Scanlore's layout (the default) or CHIRP's CSV layout to\n"
           "OUT, or to standard output without OUT or with -. Open's summary goes to\n"
           "standard error.\n"
           "\n"
           "Exit status: 0 written, 1 writing OUT failed, 2 bad usage or a file that is\n"
           "refused or cannot be read.\n";
}

int ConvertCommand::Run(const std::vector<std::string>& arguments, const vnChannelLayout& layout, int inputFd,
                        std::string& out, std::string& err)
{
    bool chirp = false;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help") {
            out += Usage();
            return Done;
        }
        if (argument == "--to") {
            if (++i == arguments.size() || (arguments[i] != "scanlore" && arguments[i] != "chirp"))
                return Fail(BadUsage, err, "scanlore-convert: --to takes scanlore or chirp\n\n" + std::string(Usage()));
            chirp = arguments[i] == "chirp";
        } else if (argument.size() > 1 && argument[0] == '-') {
            return Fail(BadUsage, err, "scanlore-convert: unknown option " + argument + "\n\n" + Usage());
        } else {
            names.push_back(argument);
        }
    }
    if (names.empty() || names.size() > 2)
        return Fail(BadUsage, err, "scanlore-convert: give FILE and at most OUT\n\n" + std::string(Usage()));
    const std::string& file = names[0];
    const std::string output = names.size() > 1 ? names[1] : kStandardStream;
    if (output != kStandardStream && file != kStandardStream && SameFile(file, output))
        return Fail(BadUsage, err, "scanlore-convert: OUT is FILE itself; name another file");

    vnChannelList channels;
    layout.MakeChannels(channels);
    const std::string name = file == kStandardStream ? std::string("standard input") : file;
    const ChannelOpenReport read =
        file == kStandardStream ? OpenChannelDescriptor(inputFd, name, channels) : OpenChannelFile(file, channels);
    // A file read only in part would be written as if it were all of it.
    if (!read.failure.empty())
        return Fail(BadUsage, err, read.failure);
    // What was read, even from Scanlore's own file: the output is another file.
    err += read.summary + "\n";
    if (!read.notLoaded.empty())
        err += read.notLoaded + "\n";

    vnCellTable table = chirp ? MakeChirpTable(channels) : MakeChannelTable(channels);
    vnDelimitedFile writer(&table);
    if (output == kStandardStream) {
        out += writer.WriteText();
    } else if (!writer.Write(output)) {
        return Fail(WriteFailed, err, SaveFailedMessage(output, writer.GetLastError()));
    }
    // Written, but without what CHIRP cannot hold: the user is told, as the
    // window tells.
    if (const std::string dropped = chirp ? ChirpExportWarning(channels, OutputName(output)) : std::string();
        !dropped.empty())
        err += dropped + "\n";
    return Done;
}
