#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class QStatusBar;
class QWidget;
class vnChannelList;
class vnModuleManager;

// Upload All and Upload Selected as the window runs them: with the current
// module, first asking what to do with channels outside the scanner's bands,
// then with the progress window, and at the end saying what happened.
class CUploadCommand
{
public:
    // showHelp opens the help on a scanner that does not answer.
    CUploadCommand(vnModuleManager& manager, QWidget* parent, QStatusBar& statusBar, std::function<void()> showHelp);

    void All(const vnChannelList& channels);
    void Selected(const vnChannelList& channels, const std::vector<std::int32_t>& indexes);

private:
    // indexes null: Upload All.
    void Run(const vnChannelList& channels, const std::vector<std::int32_t>* indexes);

    vnModuleManager& m_manager;
    QWidget* m_parent;
    QStatusBar& m_statusBar;
    std::function<void()> m_showHelp;
};
