#pragma once

#include "ui/ReleasingDialog.h"

class Interaction;

// The version box: the program's name, its file version as the running executable's version
// record gives it, and where to reach its maker. Made at start-up with the other windows, it
// reads the version then and builds its controls only when first shown, so that a box
// perhaps never opened costs start-up no layout and no font. A click on its picture closes it.
// Below the design's lines it says where the keywords are kept, when it has been told.
class AboutDialog : public ReleasingDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(Interaction &interaction, QWidget *parent = nullptr);

    // Shows the box modally, where it stood last (at first at its design position).
    void openModal();

    // Where the running program keeps its data: beside the executable, or in the user's
    // folders as an installed program. Grows the box by two lines.
    void setDataLocation(bool portable, const QString &folder);

    void setVisible(bool visible) override;

private:
    void buildControls();

    Interaction &m_interaction;
    QString m_version;
    QString m_locationKind;
    QString m_locationFolder;
    bool m_built = false;
};
