#include "mapper/view/image_export.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>

#include "mapper/view/cairo_dc.h"
#include "mapper/view/map_paint.h"

ImageFormat ImageFormatOf(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos)
        return ImageFormat::Unknown;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == "png")
        return ImageFormat::Png;
    if (ext == "svg")
        return ImageFormat::Svg;
    if (ext == "pdf")
        return ImageFormat::Pdf;
    return ImageFormat::Unknown;
}

bool ExportMapImage(CVorMapperDoc& doc, CViewState& view, int w, int h, const std::string& path, std::string& error)
{
    const ImageFormat format = ImageFormatOf(path);
    cairo_surface_t* surface = nullptr;
    switch (format) {
    case ImageFormat::Png:
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        break;
    case ImageFormat::Svg:
        surface = cairo_svg_surface_create(path.c_str(), w, h);
        break;
    case ImageFormat::Pdf:
        surface = cairo_pdf_surface_create(path.c_str(), w, h);
        break;
    case ImageFormat::Unknown:
        error = "unknown image type (use .png, .svg or .pdf): " + path;
        return false;
    }
    bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        CCairoDC dc(surface, w, h);
        PaintMapView(doc, view, dc);
        ok = dc.Ok(error);
    } else {
        error = cairo_status_to_string(cairo_surface_status(surface));
    }
    if (ok && format == ImageFormat::Png) {
        const cairo_status_t st = cairo_surface_write_to_png(surface, path.c_str());
        if (st != CAIRO_STATUS_SUCCESS) {
            error = cairo_status_to_string(st);
            ok = false;
        }
    }
    cairo_surface_finish(surface);
    if (ok && cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(cairo_surface_status(surface));
        ok = false;
    }
    cairo_surface_destroy(surface);
    if (!ok)
        error = "cannot write " + path + ": " + error;
    return ok;
}
