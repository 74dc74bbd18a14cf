#include "dialogs/preset_value.h"

#include <QLocale>
#include <cmath>

namespace torvex {

namespace {

QLocale StrictC() {
    QLocale c = QLocale::c();
    // "1,000" is not a thousand here: a comma can only be a decimal point.
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    return c;
}

}  // namespace

std::optional<float> SecondsFromText(const QString& text) {
    QString s = text.trimmed();
    // Finnish writes the decimal point as a comma.
    if (!s.contains(QLatin1Char('.')) && s.count(QLatin1Char(',')) == 1)
        s.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const float value = StrictC().toFloat(s, &ok);
    // "inf" and "nan" are words, not seconds.
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

int32_t PresetMilliseconds(float seconds) {
    return static_cast<int32_t>(std::trunc(static_cast<double>(seconds) * 1000.0 + 0.5));
}

QString SecondsText(int32_t milliseconds) {
    return QString::number(milliseconds / 1000.0, 'g', QLocale::FloatingPointShortest);
}

std::optional<int32_t> WholeFromText(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

}  // namespace torvex
