#pragma once

#include "msg/MsgTypes.h"

#include <QColor>

#include <cstdint>

// Colour references (0x00BBGGRR) to and from what Qt paints with.
inline QColor ToQColor(ColorRef colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

inline ColorRef ToColorRef(const QColor& colour)
{
    return MakeColorRef(static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                        static_cast<std::uint8_t>(colour.blue()));
}
