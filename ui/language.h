// The language of the user texts, fixed once when the program starts.
#pragma once

#include <QTranslator>

namespace torvex {

// True when the system's language is Finnish.
bool SystemWantsFinnish();

// The Finnish texts (ours and those of Qt's own dialogs), installed in the application for
// as long as this object lives. The program keeps one in main(); tests make their own.
class FinnishTranslation {
public:
    FinnishTranslation() = default;
    ~FinnishTranslation() { remove(); }
    FinnishTranslation(const FinnishTranslation&) = delete;
    FinnishTranslation& operator=(const FinnishTranslation&) = delete;

    // False when our texts cannot be loaded; then nothing is installed.
    bool install();
    void remove();

private:
    QTranslator ours_;
    QTranslator qt_;
    bool oursInstalled_ = false;
    bool qtInstalled_ = false;
};

}  // namespace torvex
