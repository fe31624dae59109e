#include "ux/graphics/UxDeviceImagePool.h"

UxDeviceImage* UxDeviceImagePool::Use(int32_t handle)
{
    UxDeviceImage* image = Find(handle);
    if (!image || !image->Realize())
        return nullptr;
    image->SetLastUse(m_epoch);
    return image;
}

void UxDeviceImagePool::RequestDrop()
{
    ++m_epoch;
    m_dropRequested = true;
}

void UxDeviceImagePool::DropUnused()
{
    if (!m_dropRequested)
        return;
    m_dropRequested = false;
    ForEach([this](UxDeviceImage& image) {
        if (image.GetLastUse() != m_epoch)
            image.Drop();
    });
}
