#pragma once

#include <QString>

#include <cstdint>
#include <utility>

// A material of the site: rooms refer to it by index and are filled with its colour.
namespace plantrek {

// 0x00BBGGRR: red in the low byte, then green, then blue. Settings, files and the palette all
// use this layout.
using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xff) | (static_cast<Colour>(green & 0xff) << 8) |
           (static_cast<Colour>(blue & 0xff) << 16);
}
constexpr int RedOf(Colour colour) {
    return static_cast<int>(colour & 0xff);
}
constexpr int GreenOf(Colour colour) {
    return static_cast<int>((colour >> 8) & 0xff);
}
constexpr int BlueOf(Colour colour) {
    return static_cast<int>((colour >> 16) & 0xff);
}

class Material {
public:
    Material(QString name, int index, Colour colour)
        : name_(std::move(name)), index_(index), colour_(colour) {}

    const QString& GetName() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    // The key rooms use; it never changes once the material is in a site.
    int GetIndex() const { return index_; }
    Colour GetColour() const { return colour_; }
    void SetColour(Colour colour) { colour_ = colour; }

    // For ordering a covering: the waste allowance in percent and the area one pack covers (m²);
    // 0 for either means none.
    double GetWastePercent() const { return wastePercent_; }
    void SetWastePercent(double percent) { wastePercent_ = percent; }
    double GetPackArea() const { return packArea_; }
    void SetPackArea(double area) { packArea_ = area; }

private:
    QString name_;
    int index_;
    Colour colour_;
    double wastePercent_ = 0.0;
    double packArea_ = 0.0;
};

}  // namespace plantrek
