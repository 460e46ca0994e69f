#pragma once

#include "launcher/SpecialItems.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
struct AppContext;
struct LiveSettings;

// The special items dialog: a tick and a name for each of the five items. The rules live in
// SpecialItems; the shutdown and reboot names are published to the live settings as they
// change, for Enter to recognise.
class SpecialItemsDialog : public QDialog
{
    Q_OBJECT

public:
    SpecialItemsDialog(AppContext &context, KeywordStore &store, LiveSettings &liveSettings,
                       QWidget *parent = nullptr);
    ~SpecialItemsDialog() override;

    // Start-up: the ticks and names from the settings file. The dialog never reloads them.
    void load();
    // Shows the dialog modally, with the ticks and names as the user left them.
    void openItems();

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
