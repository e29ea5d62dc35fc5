#include "view/QtText.h"

#include "platform/UiText.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringEncoder>

QString FromModelText(const std::string& text)
{
    QStringDecoder decode("GB18030");
    return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string ToModelText(const QString& text)
{
    QStringEncoder encode("GB18030");
    const QByteArray bytes = encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString Translated(const UiText& text)
{
    const QString pattern = QCoreApplication::translate(text.context, text.source);
    return FromModelText(FillPlaces(ToModelText(pattern), text.args));
}
