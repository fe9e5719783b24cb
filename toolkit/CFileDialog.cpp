#include "toolkit/CFileDialog.h"

#include "toolkit/CMessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace {

CFileDialog::Script* g_script = nullptr;

// Qt's own dialog adds the default suffix to every typed name without an
// extension, and selects the file of that name in its list as the user types,
// also when the user wants to open an existing file whose name has none. A
// name in the name field that is an existing file is opened as it is.
class FileDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    // The file chosen here rather than by Qt's own acceptance; empty if none.
    const QString& GetExistingChosen() const { return m_existing; }

protected:
    void accept() override
    {
        m_existing.clear();
        const auto* field = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (acceptMode() == AcceptOpen && field && !field->text().isEmpty()) {
            const QFileInfo typed(directory(), field->text());
            if (typed.isFile()) {
                m_existing = typed.absoluteFilePath();
                QDialog::accept();
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    QString m_existing;
};

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
        const auto [name, filterIndex] = g_script->m_names.front();
        g_script->m_names.pop_front();
        m_filterIndex = filterIndex;
        if (name.isEmpty())
            return IDCANCEL;
        const QString path = QFileInfo(name).absoluteFilePath();
        const bool existingToOpen = m_openFileDialog && QFileInfo(path).isFile();
        m_pathName = existingToOpen ? path : WithDefaultExtension(path, m_defaultExtension);
        return IDOK;
    }

    FileDialog dialog(m_parent);
    Configure(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    // The dialog has applied the default extension where it belongs.
    QString chosen = dialog.GetExistingChosen();
    if (chosen.isEmpty() && !dialog.selectedFiles().isEmpty())
        chosen = dialog.selectedFiles().constFirst();
    if (chosen.isEmpty())
        return IDCANCEL;
    m_pathName = QFileInfo(chosen).absoluteFilePath();
    m_filterIndex = static_cast<int>(ToNameFilters(m_filter).indexOf(dialog.selectedNameFilter())) + 1;
    return IDOK;
}
