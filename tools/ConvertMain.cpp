// scanlore-convert: a channel file read as Scanlore's Open reads it, written
// in Scanlore's layout or CHIRP's, for scripts and other tools.

#include "modules/gre1/vnGre1Module.h"
#include "tools/BinaryStreams.h"
#include "tools/ConvertCommand.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    UseBinaryStandardStreams();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // The channels of the scanner Scanlore edits, as Open makes them.
    vnGre1Module module;
    vnChannelLayout* layout = nullptr;
    module.GetChannelLayout(&layout);
    std::string out;
    std::string err;
    const int code = ConvertCommand::Run(arguments, *layout, 0, out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputs(err.c_str(), stderr);
    if (std::fflush(stdout) != 0) {
        std::perror("scanlore-convert: standard output");
        return ConvertCommand::WriteFailed;
    }
    return code;
}
