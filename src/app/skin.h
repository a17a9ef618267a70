#pragma once

#include <QColor>
#include <QString>
#include <string_view>

namespace qm {

// The program's look: a Qt style sheet kept inside the program. Its colours
// are written as @name@ and filled from a palette around 0x7E6B5C, every
// colour turned by `hue` degrees (-180 ... 180) and its saturation moved by
// `saturation` percent (-100 ... 100); values beyond are clamped.
extern const std::string_view kSkin;

QColor AdjustHsv(const QColor& colour, int hue, int saturation);
QString SkinStyleSheet(std::string_view skin, int hue = 0, int saturation = 0);
// Applies the skin to every window of the program.
void ApplySkin(std::string_view skin = kSkin, int hue = 0, int saturation = 0);

}  // namespace qm
