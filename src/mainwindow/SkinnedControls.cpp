#include "SkinnedControls.h"

#include "EntryDisplay.h"

#include "skins/SkinColours.h"
#include "skins/WindowShape.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

SkinnedControls::SkinnedControls(QWidget &window, QComboBox &keywordBox, EntryDisplay &display,
                                 bool maskCutsDrawing)
    : m_window(window)
    , m_shape(*new WindowShape(&window))
    , m_keywordBox(keywordBox)
    , m_display(display)
{
    m_shape.setObjectName(QStringLiteral("windowShape"));
    m_shape.setTransparentColour(SkinColours::White);
    m_shape.lower();
    if (!maskCutsDrawing)
        m_shape.drawCutAwayTransparent();
}

void SkinnedControls::lay(const Layout &layout)
{
    m_window.resize(layout.window);
    m_display.icon().setGeometry(layout.icon);
    m_keywordBox.setGeometry(layout.keywordBox);
    m_display.description().setGeometry(layout.description);
}

void SkinnedControls::paint(Colour colour, quint32 value)
{
    const bool line = colour != Colour::DescriptionText;
    QWidget &control =
        line ? static_cast<QWidget &>(*m_keywordBox.lineEdit()) : m_display.description();
    const QPalette::ColorRole role = !line                        ? QPalette::WindowText
                                     : colour == Colour::LineText ? QPalette::Text
                                                                  : QPalette::Base;
    QPalette palette = control.palette();
    const QColor shown = SkinColours::toColor(value, palette);
    if (!shown.isValid())
        return;
    palette.setColor(role, shown);
    control.setPalette(palette);
}

void SkinnedControls::setDescriptionWidth(int width)
{
    QLabel &description = m_display.description();
    description.resize(width, description.height());
}

void SkinnedControls::setTransparentColour(quint32 colour)
{
    m_shape.setTransparentColour(colour);
}

void SkinnedControls::showPicture(const QString &bitmapPath)
{
    m_shape.loadPicture(bitmapPath);
    m_shape.buildRegion();
    m_shape.show();
    m_window.resize(m_shape.size());
}

void SkinnedControls::place(QPoint icon, QRect keywordBox, QPoint description)
{
    m_display.icon().move(icon);
    m_keywordBox.setGeometry(keywordBox.x(), keywordBox.y(), keywordBox.width(),
                             m_keywordBox.height());
    m_display.description().move(description);
    m_shape.applyRegion();
    m_window.update();
}

void SkinnedControls::showPlain()
{
    m_shape.hide();
    m_shape.clearPicture();
    // Rectangular again; the window stays where it is, with the focus it has.
    m_window.clearMask();
}
