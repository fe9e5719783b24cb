// Saves that the file or its folder refuses through POSIX permissions: the
// message says what refused and the way forward.
#include "app/ChannelDocument.h"

#include "tests/support/Gre1Layout.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes a file or folder refuse changes while it lives: no write permission,
// and for root (whom permissions do not bind) the immutable flag where the
// file system and the process's capabilities allow it.
class Refusing
{
public:
    explicit Refusing(const std::string& path) : m_path(path)
    {
        ::chmod(m_path.c_str(), 0555);
        SetImmutable(true);
    }
    ~Refusing()
    {
        SetImmutable(false);
        ::chmod(m_path.c_str(), 0755);
    }
    Refusing(const Refusing&) = delete;
    Refusing& operator=(const Refusing&) = delete;

    // Whether writing is refused here, which the test needs to mean anything.
    bool Works(const std::string& probe) const
    {
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT, 0644);
        if (fd < 0)
            return true;
        ::close(fd);
        ::unlink(probe.c_str());
        return false;
    }

private:
    void SetImmutable(bool on)
    {
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return;
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(fd);
    }

    std::string m_path;
};

} // namespace

TEST(ChannelDocumentPosix, SaveIntoAFolderThatTakesNoNewFilesSaysSoAndOffersSaveAs)
{
    ScratchFolder folder;
    ChannelDocument document;
    document.New(Gre1Layout());
    const std::string locked = folder.Path("locked");
    std::filesystem::create_directory(locked);
    const std::string path = locked + "/spring.csv";
    ScratchFolder::Put(path, "old\r\n");

    {
        const Refusing refusing(locked);
        if (!refusing.Works(locked + "/probe"))
            GTEST_SKIP() << "this process may write into any folder";
        const ChannelDocument::FileOutcome outcome = document.SaveAs(path);
        EXPECT_FALSE(outcome.ok);
        // Root is refused by the immutable flag, everyone else by permissions.
        const std::string why = ::geteuid() == 0 ? "Operation not permitted" : "Permission denied";
        EXPECT_EQ(outcome.message.text.toStdString(),
                  "The channel file \"" + path + "\" could not be saved:\nIts folder, " + locked +
                      ", takes no new files (" + why +
                      "): a save writes a new file beside the old one before "
                      "it replaces it\n\nThe channels were not saved. A file that existed under this name is "
                      "unchanged.\n\nUse Save As to save the channels under another name or in another folder.");
    }
    {
        // The file itself refuses: it is named, and the same way forward.
        const Refusing refusing(path);
        const ChannelDocument::FileOutcome outcome = document.SaveAs(path);
        EXPECT_TRUE(outcome.message.text.contains("could not be saved:\nThe file may not be changed ("));
        EXPECT_TRUE(outcome.message.text.endsWith("in another folder."));
    }
    EXPECT_EQ(ScratchFolder::Slurp(path), "old\r\n");
}
