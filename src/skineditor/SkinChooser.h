#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QListWidget;
struct AppContext;

// "skin.iniの編集": the skins of the skin root as they were at start-up; a double-click opens
// one in the skin editor and closes the chooser. The list is read when the chooser is made,
// its controls only when it first shows.
class SkinChooser : public QDialog
{
    Q_OBJECT

public:
    explicit SkinChooser(AppContext &context);

    // Opens the skin in the editor, the main window's corner given; an error keeps the
    // chooser open.
    std::function<void(const QString &skin, QPoint mainCorner)> opener;

    // Shows the chooser modally at the main window's corner + (52, 52).
    void openAt(QPoint mainCorner);
    // A double-click: the selected skin in the editor; nothing when none is selected.
    void openSelected();

    const QStringList &skins() const { return m_skins; }
    void setVisible(bool visible) override;
    QListWidget *list();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();

    AppContext &m_context;
    QStringList m_skins;
    QPoint m_mainCorner;
    QListWidget *m_list = nullptr;
};
