#pragma once

#include "ux/core/UxSingleton.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxDeviceContextInfo.h"
#include "ux/graphics/UxResourcePoolGrowable.h"

// Window surfaces: memory contexts with a screen-compatible bitmap of the asked size.
class UxDeviceContextPool : public UxSingleton<UxDeviceContextPool>,
                            public UxResourcePoolGrowable<UxDeviceContextInfo, UxDeviceContext> {
protected:
    bool Create(const UxDeviceContextInfo& info, UxDeviceContext& context) override;
    void Destroy(UxDeviceContext& context) override;
};
