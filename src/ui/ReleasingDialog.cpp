#include "ReleasingDialog.h"

#include <QHideEvent>

void ReleasingDialog::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    // Hidden by the window system (minimised), the window stays; and the toolkit is still
    // hiding it, so it goes once that is done, unless it has been shown again by then.
    if (event->spontaneous())
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isHidden() && windowHandle())
                destroy();
        },
        Qt::QueuedConnection);
}
