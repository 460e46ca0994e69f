#include "IconMarker.h"

#include "ui/ProgramIcon.h"

#include <QLabel>

IconMarker::IconMarker(AppContext &context)
    : SkinMarker(context)
{
    setObjectName(QStringLiteral("iconMarker"));
    setWindowTitle(QStringLiteral("アイコン"));
    setFixedOuterSize(40, 40);
}

void IconMarker::buildContents()
{
    setPalette(QPalette(Qt::blue));
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setGeometry(0, 0, 32, 32);
    picture->setPixmap(programIcon().pixmap(32, 32));
    makeInert(*picture);
}
