#pragma once
// The application speaks Brazilian Portuguese throughout: numbers, dates and
// Qt's own widgets and dialogs.

class QFileDialog;

namespace host::ui {

// Makes pt_BR the default locale (every spin box, date edit and calendar
// reads and shows "1.234,56" and "dd/MM/yyyy") and loads Qt's own
// Portuguese texts. Call once, right after the application object is made;
// false when Qt's translations are not installed (the locale is set anyway).
bool useBrazilianPortuguese();

// The file list of a file dialog in Portuguese: Qt's file model names types
// ("Folder", "txt File") and dates ("8 Dec 2026") through texts and a system
// locale its translations do not reach.
void portugueseFileList(QFileDialog& dialog);

} // namespace host::ui
