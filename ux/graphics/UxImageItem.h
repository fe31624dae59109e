#pragma once

#include "platform/gdi/GdiTypes.h"
#include "ux/graphics/UxImageDesc.h"

#include <cstdint>

class UxDeviceContext;
class UxDeviceImage;
class UxXmlNode;

// A picture a widget draws, held through the image pool.
class UxImageItem {
public:
    UxImageItem() = default;
    virtual ~UxImageItem(); // gives the picture back
    UxImageItem(const UxImageItem&) = delete;
    UxImageItem& operator=(const UxImageItem&) = delete;

    // Gives the current picture back and takes the descriptor's. An empty ImageCoord
    // becomes the whole picture (once its size is known: the picture of a file is read
    // when first drawn). False when the picture cannot be loaded.
    bool Load(const UxImageDesc& desc);
    void Unload();
    // "File", "ImageCoord", "TargetSize", "DrawMethod", "ColorKey" and "ConstantAlpha"
    // (which wins over ColorKey), then Load.
    bool ApplySkin(const UxXmlNode* node);
    // Draws into dest (a rect of dc) the part of ImageCoord that part (a rect of the
    // widget's client space, whose size is targetSize) covers, so a partial repaint
    // takes the matching part of the picture. Nothing is drawn for an empty size or a
    // part outside the picture.
    bool Draw(
        UxDeviceContext& dc, const plat::RECT& dest, const plat::RECT& part, const plat::POINT& targetSize);

    // The descriptor, with the whole picture's coordinates when Load was given none.
    const UxImageDesc& GetDesc();
    // The part of the picture shown, e.g. a progress bar's filled share.
    void SetImageCoord(const plat::RECT& coord)
    {
        m_desc.ImageCoord = coord;
        m_wholePicture = false;
    }
    int32_t GetHandle() const { return m_handle; }

private:
    // Sets ImageCoord to the whole picture when that is still owed.
    void ResolveWholePicture(UxDeviceImage& image);

    UxImageDesc m_desc;
    int32_t m_handle = -1;
    bool m_wholePicture = false; // ImageCoord is to become the whole picture
};
