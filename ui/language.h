// The language of the user texts, fixed once when the program starts.
#pragma once

class QTranslator;

namespace torvex {

// True when the system's language is Finnish.
bool SystemWantsFinnish();

// Installs the Finnish texts (ours and Qt's own dialogs'); false when ours cannot be loaded.
// The translators live until RemoveFinnishTexts or the end of the program.
bool InstallFinnishTexts();
void RemoveFinnishTexts();

}  // namespace torvex
