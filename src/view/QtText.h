#pragma once

#include <QString>

#include <string>

// Texts of the model are GB18030 bytes; windows show and take QStrings.
// The conversion happens here and nowhere else.
QString FromModelText(const std::string& text);
std::string ToModelText(const QString& text);
