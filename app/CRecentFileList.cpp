#include "app/CRecentFileList.h"

#include "modules/vnSettingsStore.h"
#include "toolkit/FileNameCodec.h"

#include <QFileInfo>

namespace {

const std::string kSection = "Recent File List";

std::string ValueName(int index)
{
    return "File" + std::to_string(index + 1);
}

} // namespace

CRecentFileList::CRecentFileList(vnSettingsStore& store, int size) : m_store(store), m_size(size) {}

QStringList CRecentFileList::GetPaths() const
{
    QStringList paths;
    for (int index = 0; index < m_size; ++index) {
        // Names that are not valid UTF-8 are kept as file URLs.
        const QString path =
            FileNameFromText(QString::fromStdString(m_store.GetSettingString(kSection, ValueName(index), {})));
        // A slot left empty by a removal, or a path written twice by hand.
        if (!path.isEmpty() && !paths.contains(path))
            paths << path;
    }
    return paths;
}

void CRecentFileList::Add(const QString& path)
{
    QStringList paths = GetPaths();
    paths.removeAll(path);
    paths.prepend(path);
    Write(paths);
}

void CRecentFileList::Remove(const QString& path)
{
    QStringList paths = GetPaths();
    if (paths.removeAll(path) > 0)
        Write(paths);
}

void CRecentFileList::Write(const QStringList& paths)
{
    // The store cannot delete a value: slots beyond the list are emptied.
    for (int index = 0; index < m_size; ++index)
        m_store.SetSettingString(kSection, ValueName(index),
                                 index < paths.size() ? FileNameToText(paths[index]).toStdString() : std::string());
}

QString CRecentFileList::MenuLabel(int index, const QString& path)
{
    // A '&' in the name is shown, not taken as the mnemonic.
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}

std::vector<CFrameWnd::MenuListItem> CRecentFileList::GetMenuItems() const
{
    std::vector<CFrameWnd::MenuListItem> items;
    const QStringList paths = GetPaths();
    for (int index = 0; index < paths.size(); ++index)
        items.push_back({MenuLabel(index, paths[index]), paths[index]});
    return items;
}
