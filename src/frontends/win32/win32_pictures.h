#pragma once
// Pictures decoded by the Windows imaging component (BMP, GIF, JPEG, ICO,
// PNG) into premultiplied 32-bit bitmaps, drawn with their transparency.

#include <cstdint>
#include <span>
#include <string>

#include "frontends/win32/win32_api.h"
#include "platform/controls.h"

namespace zindle {

class Win32Picture : public Picture {
public:
    Win32Picture(HBITMAP bitmap, int width, int height, std::string source);
    ~Win32Picture() override;
    Win32Picture(const Win32Picture&) = delete;
    Win32Picture& operator=(const Win32Picture&) = delete;

    int WidthPixels() const override { return width_; }
    int HeightPixels() const override { return height_; }
    const std::string& Source() const override { return source_; }
    // Draws the picture into target at (x, y), scaled from 96 DPI to dpi.
    void Draw(HDC target, int x, int y, int dpi) const;

private:
    HBITMAP bitmap_;
    int width_;
    int height_;
    std::string source_;
};

// Null when the file is missing or not a picture the imaging component reads.
PicturePtr DecodePictureFile(const std::string& path);
PicturePtr DecodePictureBytes(std::span<const unsigned char> bytes, const std::string& name);

}  // namespace zindle
