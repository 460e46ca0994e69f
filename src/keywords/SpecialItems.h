#pragma once

#include "settings/SpecialItem.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class KeywordStore;
class Settings;

// The special items: my computer, my documents, the recycle bin, shutdown and reboot, each
// registered as an ordinary keyword under a name of the user's choice while ticked. The
// settings model keeps the ticks and the names.
class SpecialItems
{
public:
    // One item as the user sets it: ticked or not, and its name.
    struct Choice
    {
        bool ticked = false;
        QString name;
    };
    using Choices = std::array<Choice, SpecialItemCount>;

    SpecialItems(KeywordStore &store, Settings &settings);

    // Registers every ticked item, removes what this registered for an item now unticked,
    // and records the ticks and names in the settings, which then take effect. Unsound
    // names are refused before anything is written; entries are written before data.lst,
    // the deletions come last. A ticked name that is already another keyword, listed or only
    // a file in the store folder, is registered over it only when `mayOverwrite` says so;
    // when it does not, nothing at all is written and the item is answered, for the user to
    // choose another name.
    std::optional<SpecialItem>
    save(const Choices &choices,
         const std::function<bool(const QString &name)> &mayOverwrite) const;

    // One item with the name the settings record it as registered under (none when it is
    // not registered).
    struct State
    {
        QString name;
        bool ticked = false;
        std::optional<QString> registeredAs;
    };
    using States = std::array<State, SpecialItemCount>;

    struct Changes
    {
        QStringList rows;    // the new keyword list
        QStringList removed; // entry files to delete
    };

    // The entry file's bytes: the three folders open through the file manager with the
    // shell folder's class id; shutdown and reboot are recognised by name, so their files
    // are empty and only list them.
    static QByteArray entryBytes(SpecialItem item);
    // Names that would break data.lst, an entry file or the settings file are refused.
    static void checkNames(const States &items);
    // A ticked item is appended unless an equal row exists. An unticked one is removed only
    // if it was registered, and under the name it was registered with: a keyword the user
    // made, even one bearing an item's name, stays. A name a ticked item now bears stays too.
    static Changes plan(QStringList rows, const States &items);

private:
    // A keyword that no item registered, listed or only a file in the store folder: the
    // user's own.
    bool isOtherKeyword(const QString &name, const States &items) const;

    KeywordStore &m_store;
    Settings &m_settings;
};
