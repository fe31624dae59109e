#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstdint>

class UxDeviceContext;

// Draws one frame of a transition onto dest: the leaving window's picture (source) and
// the arriving one's (target), both the size of source, combined by an effect kind 0-5
// and direction 0-3 of UxTransitionRequest at progress p, which runs from 1 (only the
// source shows) to 0 (only the target). origin is the source window's screen position.
// Parts with no width or height are skipped; false for an unknown kind or a failed draw.
bool UxDrawTransitionEffect(UxDeviceContext& dest, UxDeviceContext& source, UxDeviceContext& target,
    plat::POINT origin, float p, int32_t kind, int32_t parameter);

// Whether the frame drawn at progress p shows the target at point (relative to the
// window's top-left) where it will stay: the part an uncover has bared, the target of a
// slide that has arrived, all around a shrinking source.
bool UxTransitionShowsTargetAt(
    plat::POINT point, int32_t width, int32_t height, float p, int32_t kind, int32_t parameter);
