#pragma once

#include "ui/ReleasingDialog.h"

class FolderChooser;
class KeywordStore;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
struct AppContext;
struct Entry;
struct IconRef;

// The registration dialog: a keyword's name, path, parameters and description. Registering
// a new name places it in data.lst by the first-character rule; registering a name already
// listed rewrites its entry once the user agrees. Each opening fills every field afresh, so
// nothing left from an earlier registration is registered unseen; Enter in a one-line field
// registers.
class RegistrationDialog : public ReleasingDialog
{
    Q_OBJECT

public:
    RegistrationDialog(AppContext &context, KeywordStore &store, QWidget *parent = nullptr);
    ~RegistrationDialog() override;

    // Shows the dialog modally for a new keyword, every field empty.
    void openNew();
    // Shows it filled from a listed keyword's entry; for a special item only the
    // description may change, which the user is told first.
    void openEntry(const QString &keyword, const Entry &entry, const IconRef &icon,
                   bool descriptionOnly);
    // Shows it with a proposed name, a path and its icon; parameters and description empty.
    void openPath(const QString &keyword, const QString &path, const IconRef &icon);

    void registerEntry();
    void browseFile();
    void browseFolder();

signals:
    // A keyword was added or rewritten, or the user abandoned the registration at the
    // question: the dialog has closed.
    void registered();

private:
    // Every field from the opener, the focus in the first one the user may change.
    void fillAndOpen(const QString &keyword, const Entry &entry, const IconRef &icon,
                     bool entryFieldsEnabled);
    void setEntryFieldsEnabled(bool enabled);
    // Shows the icon, or nothing when the file holds no such icon.
    void setIcon(const IconRef &icon);
    Entry entry() const;
    void finish();

    AppContext &m_context;
    KeywordStore &m_store;
    QLineEdit *m_name;
    QLabel *m_icon;
    QPlainTextEdit *m_target;
    QPlainTextEdit *m_parameters;
    QLineEdit *m_description;
    QFileDialog *m_fileChooser = nullptr;
    FolderChooser *m_folderChooser;
};
