#include "controls/xpbutton_palette.h"

#include <algorithm>

namespace controls {

QColor offsetColor(const QColor& color, int amount) {
    auto channel = [amount](int value) { return std::clamp(value + amount, 0, 255); };
    return QColor(channel(color.red()), channel(color.green()), channel(color.blue()));
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
