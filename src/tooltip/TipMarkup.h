#pragma once

#include <QColor>
#include <QString>

#include <filesystem>

// The markup of a grid tip made ready for Qt's rich text: the background
// effect it names is taken out, and its "icon" and "bmp" tags become images
// from the program's folder.
//
//   <effect name="hgradient" color="#ffffe1" color2="#d8d0a0">
//   <icon src="road.ico">   a 16 × 16 picture
//   <bmp src="town.png">    a picture at its own size (at most 256 × 256)
//
// Effects: "solid" (the default), "hgradient", "vgradient", "noise", "metal".
// A picture outside the folder, missing or unreadable is left out; the rest of
// the markup is handed on as it is.
class TipMarkup {
public:
    enum class Effect { Solid, HGradient, VGradient, Noise, Metal };

    static TipMarkup Parse(const QString& markup, const std::filesystem::path& imageFolder);

    const QString& Html() const { return html_; }
    Effect BackgroundEffect() const { return effect_; }
    QColor Colour() const { return colour_; }
    QColor Colour2() const { return colour2_; }

private:
    QString html_;
    Effect effect_ = Effect::Solid;
    QColor colour_{0xff, 0xff, 0xe1};
    QColor colour2_{0xe6, 0xdc, 0xa8};
};
