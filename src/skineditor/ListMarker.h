#pragma once

#include "SkinMarker.h"

#include "skins/SkinColours.h"

class QComboBox;
class QMenu;

// Marks the main window's input line: a combo box as wide as the marker's client area, the
// marker 28 high with its frame; the marker's menu sets the box's background and text colours.
class ListMarker : public SkinMarker
{
    Q_OBJECT

public:
    explicit ListMarker(AppContext &context);

    // The combo box's colours as SkinColours values.
    quint32 backgroundColour() const { return m_background; }
    quint32 textColour() const { return m_text; }
    void setColours(quint32 background, quint32 text);

    // The menu's commands: the colour dialog, then the chosen colour on the combo box.
    void chooseBackgroundColour();
    void chooseTextColour();

protected:
    void buildContents() override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void showColours();

    quint32 m_background = SkinColours::Window;
    quint32 m_text = SkinColours::WindowText;
    QComboBox *m_sample = nullptr;
    QMenu *m_menu = nullptr;
};
