#pragma once

#include <QPixmap>
#include <QString>

// Takes an icon out of a file by its zero-based number, as the entry icons name them: a
// program's or document's own icon, or one of the system's (shell32.dll, mydocs.dll).
class Icons
{
public:
    // Edge of the square picture, in logical pixels.
    static constexpr int Size = 32;

    virtual ~Icons();

    // A Size x Size pixmap drawn for the device pixel ratio (so that it stays sharp on a
    // scaled display), or a null pixmap when the file holds no such icon.
    virtual QPixmap extract(const QString &file, int index, qreal devicePixelRatio) = 0;
};
