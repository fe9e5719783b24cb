#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class QStatusBar;
class QWidget;
class vnChannelList;
class vnModuleLease;
class vnModuleManager;
class ScannerRecordUpload;

// Upload All, Upload Selected and Upload Changed as the window runs them:
// with the current module, first making sure there is a port to send to,
// asking about channels that are empty here but not on the scanner and
// about channels outside the scanner's bands, then with the progress window,
// and at the end saying what happened and writing down in the scanner's
// record what it now holds.
class CUploadCommand
{
public:
    // showHelp opens the help on a scanner that does not answer; recorded
    // is called after an upload changed the scanner's record.
    CUploadCommand(vnModuleManager& manager, QWidget* parent, QStatusBar& statusBar, std::function<void()> showHelp,
                   std::function<void()> recorded = nullptr);

    void All(const vnChannelList& channels);
    void Selected(const vnChannelList& channels, const std::vector<std::int32_t>& indexes);
    // The channels that differ from what the scanner's record says it holds.
    void Changed(const vnChannelList& channels);

private:
    enum class Mode { All, Selected, Changed };
    void Run(const vnChannelList& channels, Mode mode, std::vector<std::int32_t> indexes);
    // No port to send to: the module's properties, with the reason; false
    // when there is still none.
    bool EnsurePort(vnModuleLease& module);
    // Channels empty here that the scanner still holds: whether to lock
    // them out; false when the user cancels.
    bool AskAboutEmptied(const ScannerRecordUpload& record, bool& lockOut);

    vnModuleManager& m_manager;
    QWidget* m_parent;
    QStatusBar& m_statusBar;
    std::function<void()> m_showHelp;
    std::function<void()> m_recorded;
};
