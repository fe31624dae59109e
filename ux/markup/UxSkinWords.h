#pragma once

#include "ux/markup/UxScrollIndicatorSettings.h"

#include <cstdint>
#include <string>

class UxXmlNode;

// Bit sets: every listed word found anywhere in the text adds its bits.
uint32_t ParseFontEffects(const std::wstring& text); // Bold 1, Italic 2, Underline 4, StrikeOut 8
uint32_t ParseEditStyles(const std::wstring& text); // ReadOnly 1, NumberOnly 2, Password 4, SingleLine 8
// Left 1, HCenter 2, Right 3; Top 16, VCenter 32, Bottom 48.
uint32_t ParseAligns(const std::wstring& text);

// Enumerations: the whole text compared exactly; anything else gives the last value,
// with a trace line when the text is not empty.
int32_t ParseDrawMethod(
    const std::wstring& text); // BitBlt, TransparentBlt, AlphaBlend, AlphaBlendPerPixel; 4
int32_t ParseKeyboardType(const std::wstring& text); // Native, Hangeul, English, DoNotChange; 4
int32_t ParseDirection(const std::wstring& text); // LeftToRight, RightToLeft, TopToBottom, BottomToTop; 4
int32_t ParseAnimationMode(const std::wstring& text); // OneWay, TwoWay; 2

// Reads "Enabled", "Thick" and "Margin" of node; a missing child keeps its value.
void LoadScrollIndicator(UxScrollIndicatorSettings& settings, const UxXmlNode* node);
