// Tiny pictures as text: one character per pixel, one string per row.
#pragma once

#include "platform/Canvas.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

inline const std::map<char, TColor>& AsciiColours()
{
    static const std::map<char, TColor> colours = {
        {'#', 0x000000}, {'.', 0xFFFFFF}, {'o', 0x0000FF}, {'b', 0xFF0000}, {'g', 0x00FF00},
    };
    return colours;
}

inline Canvas CanvasFromAscii(const std::vector<std::string>& rows)
{
    Canvas canvas(static_cast<int>(rows.at(0).size()), static_cast<int>(rows.size()));
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            canvas.setPixel(x, y, AsciiColours().at(rows[y].at(x)));
    return canvas;
}

inline std::string AsciiFromCanvas(const Canvas& canvas)
{
    std::string text;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            char c = '?';
            for (const auto& [ch, colour] : AsciiColours())
                if (colour == canvas.pixel(x, y))
                    c = ch;
            text += c;
        }
        text += '\n';
    }
    return text;
}

inline std::string Join(const std::vector<std::string>& rows)
{
    std::string text;
    for (const auto& row : rows)
        text += row + '\n';
    return text;
}
