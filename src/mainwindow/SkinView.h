#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QtGlobal>

// The main window as a skin changes it, step by step in the order SkinLook takes: colours
// from skin.ini (SkinColours values; one that names no colour leaves the control's own),
// the skin's picture and shape, the controls' places.
class SkinView
{
public:
    // The window's size and its controls' rectangles, without a skin.
    struct Layout
    {
        QSize window;
        QRect icon;
        QRect keywordBox;
        QRect description;
    };
    enum class Colour { LineBackground, LineText, DescriptionText };

    virtual void lay(const Layout &layout) = 0;
    virtual void paint(Colour colour, quint32 value) = 0;
    virtual void setDescriptionWidth(int width) = 0;
    virtual void setTransparentColour(quint32 colour) = 0;
    // Loads the bitmap (raising when it cannot) and gives the window its shape and size.
    virtual void showPicture(const QString &bitmapPath) = 0;
    // The controls where the skin puts them (the keyword box keeps its height, the icon and
    // the description their sizes); then the window is cut to the picture's shape.
    virtual void place(QPoint icon, QRect keywordBox, QPoint description) = 0;
    // No picture, no shape: the plain rectangular window.
    virtual void showPlain() = 0;

protected:
    ~SkinView() = default;
};
