#pragma once

#include "toolkit/CFrameWnd.h"

#include <QString>
#include <QStringList>

#include <vector>

class vnSettingsStore;

// The channel files opened or saved last, most recent first, kept in the
// settings store (section "Recent File List", values "File1" onwards) so that
// the next run offers them too. Like every setting it is read when needed and
// written at once, so two running copies of the program do not undo each
// other's entries.
class CRecentFileList
{
public:
    CRecentFileList(vnSettingsStore& store, int size);

    // The paths, most recent first; at most the list's size.
    QStringList GetPaths() const;
    // Puts path first; an entry for the same path moves there, and the
    // oldest entry drops out when the list is full.
    void Add(const QString& path);
    void Remove(const QString& path);

    // The menu label of entry index (from 0): "&1 channels.csv".
    static QString MenuLabel(int index, const QString& path);
    // The entries as the File menu lists them, each with its label.
    std::vector<CFrameWnd::MenuListItem> GetMenuItems() const;

private:
    void Write(const QStringList& paths);

    vnSettingsStore& m_store;
    int m_size;
};
