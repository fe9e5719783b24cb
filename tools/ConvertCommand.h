#pragma once

#include <string>
#include <vector>

class vnChannelLayout;

// scanlore-convert: reads a channel file exactly as Scanlore's Open does and
// writes it in Scanlore's layout or CHIRP's. Standard C++ only.
class ConvertCommand
{
public:
    enum Exit {
        Done = 0,
        // Writing OUT failed.
        WriteFailed = 1,
        // Bad usage, or a file that is refused or cannot be read.
        BadUsage = 2,
    };

    static const char* Usage();

    // Runs with the arguments after the program's name on channels of the
    // layout. FILE "-" is read from inputFd; without OUT, or with "-", the
    // file's text goes to out. Messages for standard error go to err.
    static int Run(const std::vector<std::string>& arguments, const vnChannelLayout& layout, int inputFd,
                   std::string& out, std::string& err);
};
