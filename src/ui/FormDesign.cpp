#include "FormDesign.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QWidget>
#include <QWindow>

namespace {

// The frame is known only once the window manager has framed the window, which it
// reports by moving it; every show and move fits the client area again.
class OuterSize : public QObject
{
public:
    OuterSize(QWidget *window, QSize outer)
        : QObject(window)
        , m_window(window)
        , m_outer(outer)
    {
        fit();
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && (event->type() == QEvent::Show || event->type() == QEvent::Move))
            fit();
        return false;
    }

private:
    void fit()
    {
        const QWindow *handle = m_window->windowHandle();
        const QSize client = m_outer.shrunkBy(handle ? handle->frameMargins() : QMargins());
        if (m_window->minimumSize() != client || m_window->maximumSize() != client)
            m_window->setFixedSize(client);
    }

    QWidget *m_window;
    QSize m_outer;
};

// Sizes a label to its caption when it is first shown: laying out Japanese text loads the
// font's glyph tables, which start-up, with every dialog hidden, need not pay for.
class SizeOnShow : public QObject
{
public:
    explicit SizeOnShow(QLabel *label)
        : QObject(label)
    {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            static_cast<QLabel *>(watched)->adjustSize();
            watched->removeEventFilter(this);
        }
        return false;
    }
};

} // namespace

namespace FormDesign {

QFont font()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    return font;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QPoint position)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(position);
    new SizeOnShow(label);
    return label;
}

void keepOuterSize(QWidget *window, QSize outer)
{
    new OuterSize(window, outer);
}

} // namespace FormDesign
