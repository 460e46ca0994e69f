#include "ReleasingDialog.h"

#include "base/HeapTrim.h"

#include <QHideEvent>
#include <QTimer>

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
            if (!isHidden() || !windowHandle())
                return;
            destroy();
            // Once what the dialog let go of with its closing (deleted later) is gone too.
            QTimer::singleShot(100, this, &HeapTrim::giveBackFreePages);
        },
        Qt::QueuedConnection);
}
