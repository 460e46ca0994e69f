#pragma once

#include "base/Guard.h"

#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QSize>

#include <functional>

class QFont;
class QLabel;
class QString;
class QWidget;

// What the dialogs share of their fixed designs: the font their positions were laid out
// for, controls placed at design positions, and a window kept at its outer design size.
namespace FormDesign {

// The design font: a proportional Gothic at 12 pixels, with fallbacks found on Linux.
QFont font();

// Names the control (its objectName) and puts it at its position in the client area.
template <typename Control>
Control *place(Control *control, const char *name, const QRect &geometry)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

// A push button that runs the form's handler through the error box when clicked. Enter in
// a field must not click it, least of all a chooser's button, so it is no default button.
template <typename Form, typename Handler>
QPushButton *button(Form *form, Interaction &interaction, const char *name, const QString &caption,
                    const QRect &geometry, Handler handler)
{
    auto *button = place(new QPushButton(caption, form), name, geometry);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, form, [form, &interaction, handler] {
        guarded(interaction, [&] { std::invoke(handler, form); });
    });
    return button;
}

// A label sized to its caption, its top-left corner at the position.
QLabel *label(QWidget *parent, const char *name, const QString &caption, QPoint position);

// A tooltip's text that wraps to a readable width: plain text shows as one line, however long.
QString toolTip(const QString &plainText);

// Keeps the window's size, frame included, at `outer` and forbids resizing it. The client
// area is what the window manager's frame leaves (ScreenFit), which also keeps the window on
// the screen.
void keepOuterSize(QWidget *window, QSize outer);

} // namespace FormDesign
