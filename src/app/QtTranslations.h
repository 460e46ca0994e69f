#pragma once

class QCoreApplication;

// Qt's own texts (the input line's edit menu, the choosers, the standard buttons, the
// reasons in file errors) in Japanese, whatever the locale, so that every window speaks the
// program's one language. Installed before the first window is made: the catalogue is
// mapped, not read, and only the texts looked up are ever touched.
void installJapaneseQtTranslations(QCoreApplication &application);
