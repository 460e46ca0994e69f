#pragma once

#include "keywords/SpecialItems.h"

#include "ui/ReleasingDialog.h"

#include <array>

class QCheckBox;
class QLineEdit;
class Settings;
struct AppContext;

// The special items dialog: a tick and a name for each of the five items, as the settings
// model holds them when the dialog is made. The rules live in SpecialItems. The names take
// effect (for Enter to recognise shutdown and reboot, for the menu to refuse deleting an
// item) once loaded or registered, never while merely typed: a name the user is still
// choosing, or declined to take over a keyword with, powers nothing off.
class SpecialItemsDialog : public ReleasingDialog
{
    Q_OBJECT

public:
    SpecialItemsDialog(AppContext &context, KeywordStore &store, Settings &settings,
                       QWidget *parent = nullptr);
    ~SpecialItemsDialog() override;

    // Shows the dialog modally, with the ticks and names as the user left them.
    void openItems();

    // Registers the items as ticked and named. When the user declines to write an item over
    // a keyword of theirs, nothing is written and the dialog stays open on that item's name.
    void registerItems();

private:
    struct Row
    {
        QCheckBox *tick;
        QLineEdit *name;
    };

    AppContext &m_context;
    SpecialItems m_items;
    std::array<Row, SpecialItemCount> m_rows{};
};
