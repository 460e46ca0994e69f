#pragma once

#include <QString>

// Where the user sees the skins and picks one (the menu's skin submenu): the default
// layout's check and one checkable item per skin.
class SkinList
{
public:
    virtual bool defaultSkin() const = 0;
    virtual void setDefaultSkin(bool on) = 0;
    // A skin on top of the list.
    virtual void addSkin(const QString &name) = 0;
    // Checks the skin's item, which unchecks "default" and every other skin.
    virtual void checkSkin(const QString &name) = 0;

protected:
    ~SkinList() = default;
};
