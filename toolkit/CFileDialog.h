#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

class QFileDialog;
class QWidget;

// The file-open and file-save dialogs. The filter comes in the form
// "Text (*.a, *.b)|*.a;*.b|All Files (*.*)|*.*||": pairs of the text shown
// and the patterns, separated by '|'. A name typed without an extension gets
// the default extension inside the dialog, so that the dialog's own checks
// (the file must exist, replace it?) are about the name it hands back; a file
// picked as it is, and a typed name of an existing file to open, stay as
// they are.
class CFileDialog
{
public:
    enum Flags {
        HideReadOnly = 0x0004,
        OverwritePrompt = 0x0002,
        FileMustExist = 0x1000,
    };

    CFileDialog(bool openFileDialog, const QString& defaultExtension, const QString& fileName, int flags,
                const QString& filter, QWidget* parent);

    // IDOK when a file was chosen, IDCANCEL otherwise.
    int DoModal();
    // The chosen file's full path.
    QString GetPathName() const { return m_pathName; }
    // Which of the filter's file types was chosen, counting from 1.
    int GetFilterIndex() const { return m_filterIndex; }

    // Sets up a Qt file dialog as DoModal shows it.
    void Configure(QFileDialog& dialog) const;

    // The filter as Qt's name filters: the shown text, then the patterns in
    // parentheses ("*.*" becomes "*"); the dialog hides the patterns part.
    static QStringList ToNameFilters(const QString& filter);
    // Appends "." and the default extension to a name whose last path part
    // has no extension; an empty extension leaves the name alone.
    static QString WithDefaultExtension(const QString& path, const QString& defaultExtension);

    // What one dialog was asked to show, as the test seam records it.
    struct Record
    {
        bool openFileDialog;
        QString defaultExtension;
        QString fileName;
        int flags;
        QStringList nameFilters;
    };

    // Test seam. While a Script is alive, DoModal opens no window: it records
    // the dialog and answers with the next queued name, made absolute and
    // taken as typed (the default extension applied as the dialog applies
    // it), or cancels when the queued name is empty or none is queued.
    // Scripts do not nest.
    class Script
    {
    public:
        Script();
        ~Script();
        Script(const Script&) = delete;
        Script& operator=(const Script&) = delete;

        void SetNextFileName(const QString& name, int filterIndex = 1) { m_names.push_back({name, filterIndex}); }
        const std::vector<Record>& Shown() const { return m_shown; }

    private:
        friend class CFileDialog;
        std::deque<std::pair<QString, int>> m_names;
        std::vector<Record> m_shown;
    };

private:
    bool m_openFileDialog;
    QString m_defaultExtension;
    QString m_fileName;
    int m_flags;
    QString m_filter;
    QWidget* m_parent;
    QString m_pathName;
    int m_filterIndex = 1;
};
