#pragma once
// The picture the view would show, written as PNG, SVG or PDF (chosen by the
// file's extension).
#include <string>

class CVorMapperDoc;
struct CViewState;

enum class ImageFormat { Png, Svg, Pdf, Unknown };
ImageFormat ImageFormatOf(const std::string& path);

// Paints the map at w × h and writes it; false with a one-line reason.
bool ExportMapImage(CVorMapperDoc& doc, CViewState& view, int w, int h, const std::string& path, std::string& error);
