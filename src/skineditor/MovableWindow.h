#pragma once

#include "ui/WindowDrag.h"

#include <QWidget>

struct AppContext;

// What the skin editor and its markers share: a window with a thin sizing border and no
// caption, moved by a left-button press anywhere in it (its controls are disabled, so the
// press reaches the window), whose contents are made only when it first shows, so that the
// windows made at start-up cost next to nothing until the editor is used.
class MovableWindow : public QWidget
{
    Q_OBJECT

public:
    MovableWindow(AppContext &context, Qt::WindowFlags flags);

    void setVisible(bool visible) override;
    // Makes the contents unless they are there.
    void ensureBuilt();

protected:
    virtual void buildContents() = 0;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

    AppContext &m_context;

private:
    bool m_built = false;
    WindowDrag m_drag;
};
