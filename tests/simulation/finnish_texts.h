// The Finnish texts as built from the translation file, installed for one test.
#pragma once

#include <QCoreApplication>
#include <QTranslator>

namespace torvex::test {

class FinnishTexts {
public:
    FinnishTexts() {
        loaded_ = translator_.load(QStringLiteral(TORVEX_FINNISH_QM));
        if (loaded_) QCoreApplication::installTranslator(&translator_);
    }
    ~FinnishTexts() { QCoreApplication::removeTranslator(&translator_); }
    FinnishTexts(const FinnishTexts&) = delete;
    FinnishTexts& operator=(const FinnishTexts&) = delete;

    bool loaded() const { return loaded_; }

private:
    QTranslator translator_;
    bool loaded_ = false;
};

}  // namespace torvex::test
