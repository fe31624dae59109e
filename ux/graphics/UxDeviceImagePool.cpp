#include "ux/graphics/UxDeviceImagePool.h"

#include "platform/system/Memory.h"

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
    bool dropped = false;
    ForEach([this, &dropped](UxDeviceImage& image) {
        if (image.GetLastUse() != m_epoch && image.IsRealized()) {
            image.Drop();
            dropped = dropped || !image.IsRealized();
        }
    });
    // The frames were scattered through the heap, which would keep their pages.
    if (dropped)
        plat::ReleaseFreeMemory();
}
