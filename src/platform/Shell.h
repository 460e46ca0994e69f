#pragma once

#include <QString>

// Opens what an entry names: a program with its parameters, a document, a folder, an address.
class Shell
{
public:
    virtual ~Shell();

    // Raises an Error with a clear message when the target cannot be opened at all.
    virtual void open(const QString &target, const QString &parameters) = 0;
    // Opens the target as open() does, with the file as its one parameter, blanks and all.
    virtual void openWithFile(const QString &target, const QString &file) = 0;

    // A web or other address: a scheme of two letters or more before a colon, so that a
    // drive letter such as C: is no address.
    static bool isAddress(const QString &target);
    // The file manager, which the special items open on a shell folder.
    static bool isFileManager(const QString &target);
};
