// The presses on the tray icon read from the X events that the toolkit gets:
// a core ButtonPress and the input extension's ButtonPress (what the toolkit
// asks for where the X server has that extension) both name the button and
// the window; other events, the extension's other ones included, are none.
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include <gtest/gtest.h>

#include "TrayClickFilter.h"

namespace reversi {
namespace {

constexpr std::uint32_t IconWindow = 0x600024;

// A 32-byte X event of `type` with the given fields written at their offsets.
struct Event {
    std::array<unsigned char, 40> bytes{};
    explicit Event(std::uint8_t type) { bytes[0] = type; }
    template <class T>
    Event& At(std::size_t offset, T value) {
        std::memcpy(bytes.data() + offset, &value, sizeof value);
        return *this;
    }
};

// A core event: detail at byte 1, event window at 12.
Event Core(std::uint8_t type, std::uint8_t detail) {
    return Event(type).At<std::uint8_t>(1, detail).At(12, IconWindow);
}

// An input extension event: a generic event (35) with the extension's event
// type at byte 8, the button at 16 and the event window at 24.
Event Extension(std::uint16_t eventType, std::uint32_t button) {
    return Event(35).At<std::uint8_t>(1, 131).At(8, eventType).At(16, button).At(24, IconWindow);
}

TEST(TrayClickFilter, PressesAreReadFromCoreAndInputExtensionEvents) {
    struct Case {
        const char* what;
        Event event;
        std::optional<TXButtonPress> press;
    };
    const Case cases[] = {
        {"core press of the left button", Core(4, 1), TXButtonPress{1, IconWindow}},
        {"core press sent by another client", Core(4 | 0x80, 1), TXButtonPress{1, IconWindow}},
        {"core press of the right button", Core(4, 3), TXButtonPress{3, IconWindow}},
        {"core release", Core(5, 1), std::nullopt},
        {"core key press", Core(2, 38), std::nullopt},
        {"extension press of the left button", Extension(4, 1), TXButtonPress{1, IconWindow}},
        {"extension release", Extension(5, 1), std::nullopt},
        {"extension motion", Extension(6, 0), std::nullopt},
        {"extension enter", Extension(7, 0), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<TXButtonPress> press = XButtonPressIn(c.event.bytes.data());
        ASSERT_EQ(press.has_value(), c.press.has_value());
        if (press) {
            EXPECT_EQ(*press, *c.press);
        }
    }
}

}  // namespace
}  // namespace reversi
