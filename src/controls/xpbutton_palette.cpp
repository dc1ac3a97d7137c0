#include "controls/xpbutton_palette.h"

#include <algorithm>
#include <cmath>

namespace controls {

QColor offsetColor(const QColor& color, int amount) {
    auto channel = [amount](int value) { return std::clamp(value + amount, 0, 255); };
    return QColor(channel(color.red()), channel(color.green()), channel(color.blue()));
}

namespace {

// Relative luminance of an sRGB colour.
double luminance(const QColor& c) {
    auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

// Normal text needs 4.5:1 to be read comfortably.
constexpr double kLegible = 4.5;

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor legibleOn(const QColor& text, const QColor& ground) {
    if (contrastRatio(text, ground) >= kLegible)
        return text;
    const QColor black(0, 0, 0), white(255, 255, 255);
    return contrastRatio(black, ground) >= contrastRatio(white, ground) ? black : white;
}

XPButtonPalette schemePalette(int scheme, const QColor& back, const QColor& fore,
                              const QPalette& system) {
    switch (scheme) {
        case 2:
            return {back,
                    offsetColor(back, -64),
                    offsetColor(back, 31),
                    offsetColor(back, -192),
                    offsetColor(back, 47),
                    fore};
        case 3:
            return {QColor(192, 192, 192), QColor(128, 128, 128), QColor(223, 223, 223),
                    QColor(0, 0, 0),       QColor(255, 255, 255), QColor(0, 0, 0)};
        default: {
            // Active colours, as the system's button colours do not vary with focus;
            // 8 bits a channel, as every other colour of the face.
            auto role = [&system](QPalette::ColorRole r) {
                return QColor(system.color(QPalette::Active, r).rgb());
            };
            return {role(QPalette::Button), role(QPalette::Dark),  role(QPalette::Midlight),
                    role(QPalette::Shadow), role(QPalette::Light), role(QPalette::ButtonText)};
        }
    }
}

}  // namespace controls
