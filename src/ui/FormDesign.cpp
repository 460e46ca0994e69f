#include "FormDesign.h"

#include "ScreenFit.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QTextDocument>
#include <QWidget>

namespace {

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

QString toolTip(const QString &plainText)
{
    return Qt::convertFromPlainText(plainText, Qt::WhiteSpaceNormal);
}

void keepOuterSize(QWidget *window, QSize outer)
{
    ScreenFit::of(*window).keepOuterSize(outer);
}

} // namespace FormDesign
