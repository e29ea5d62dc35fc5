#pragma once

#include <QString>

#include <string>

struct UiText;

// Texts of the model are GB18030 bytes; windows show and take QStrings.
// The conversion happens here and nowhere else.
QString FromModelText(const std::string& text);
std::string ToModelText(const QString& text);

// A text the model built for the windows, in the windows' language.
QString Translated(const UiText& text);
