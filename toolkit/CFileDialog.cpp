#include "toolkit/CFileDialog.h"

#include "toolkit/CMessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

CFileDialog::Script* g_script = nullptr;

} // namespace

CFileDialog::Script::Script()
{
    g_script = this;
}

CFileDialog::Script::~Script()
{
    if (g_script == this)
        g_script = nullptr;
}

CFileDialog::CFileDialog(bool openFileDialog, const QString& defaultExtension, const QString& fileName, int flags,
                         const QString& filter, QWidget* parent)
    : m_openFileDialog(openFileDialog), m_defaultExtension(defaultExtension), m_fileName(fileName), m_flags(flags),
      m_filter(filter), m_parent(parent)
{}

QStringList CFileDialog::ToNameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& shown = parts[i];
        if (shown.isEmpty())
            break; // the closing "||"
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            // "*.*" stands for every file, and a file name need not have a
            // dot.
            patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        result << shown + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

QString CFileDialog::WithDefaultExtension(const QString& path, const QString& defaultExtension)
{
    if (path.isEmpty() || defaultExtension.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + defaultExtension;
}

void CFileDialog::Configure(QFileDialog& dialog) const
{
    dialog.setAcceptMode(m_openFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode((m_flags & FileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_flags & OverwritePrompt));
    // The shown texts already name their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters(ToNameFilters(m_filter));
    dialog.setDefaultSuffix(m_defaultExtension);
    if (!m_fileName.isEmpty())
        dialog.selectFile(m_fileName);
}

int CFileDialog::DoModal()
{
    const QStringList nameFilters = ToNameFilters(m_filter);
    if (g_script) {
        g_script->m_shown.push_back({m_openFileDialog, m_defaultExtension, m_fileName, m_flags, nameFilters});
        if (g_script->m_names.empty())
            return IDCANCEL;
        const QString name = g_script->m_names.front();
        g_script->m_names.pop_front();
        if (name.isEmpty())
            return IDCANCEL;
        m_pathName = WithDefaultExtension(QFileInfo(name).absoluteFilePath(), m_defaultExtension);
        return IDOK;
    }

    QFileDialog dialog(m_parent);
    Configure(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_pathName =
        WithDefaultExtension(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath(), m_defaultExtension);
    return IDOK;
}
