#include "svg_renderer.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cstdio>
#include <cstring>

namespace bake {
namespace {

const char kOpen[] = "${";

std::string formatValue(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", value);
  return text;
}

RgbaImage copySurface(cairo_surface_t* surface, int width, int height) {
  cairo_surface_flush(surface);
  RgbaImage image;
  image.width = width;
  image.height = height;
  image.argb.resize(size_t(width) * height);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y)
    std::memcpy(&image.argb[size_t(y) * width], data + size_t(y) * stride, size_t(width) * 4);
  return image;
}

void applyTransform(cairo_t* cr, int width, int height, const FrameTransform& t) {
  const double kDegreesToRadians = 3.14159265358979323846 / 180.0;
  cairo_translate(cr, width / 2.0 + t.dx, height / 2.0 + t.dy);
  cairo_rotate(cr, t.angle * kDegreesToRadians);
  cairo_scale(cr, t.scale * t.sx, t.scale * t.sy);
  cairo_translate(cr, -width / 2.0, -height / 2.0);
}

}  // namespace

std::string substituteParameters(const std::string& svg, const std::map<std::string, double>& values,
                                 std::string& error) {
  std::string out;
  size_t pos = 0;
  while (true) {
    size_t start = svg.find(kOpen, pos);
    size_t end = start == std::string::npos ? start : svg.find('}', start);
    if (end == std::string::npos) break;
    std::string name = svg.substr(start + 2, end - start - 2);
    out.append(svg, pos, start - pos);
    auto found = values.find(name);
    if (found == values.end()) {
      if (error.empty()) error = "no parameter '" + name + "' for ${" + name + "}";
      out.append(svg, start, end + 1 - start);
    } else {
      out += formatValue(found->second);
    }
    pos = end + 1;
  }
  out.append(svg, pos, std::string::npos);
  return out;
}

RgbaImage renderSvg(const std::string& svg, int width, int height, const FrameTransform& transform,
                    std::string& error) {
  GError* gerror = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &gerror);
  if (!handle) {
    error = std::string("cannot read SVG: ") + (gerror ? gerror->message : "unknown fault");
    if (gerror) g_error_free(gerror);
    return RgbaImage();
  }
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  applyTransform(cr, width, height, transform);
  RsvgRectangle viewport = {0, 0, double(width), double(height)};
  RgbaImage image;
  if (rsvg_handle_render_document(handle, cr, &viewport, &gerror)) {
    image = copySurface(surface, width, height);
  } else {
    error = std::string("cannot render SVG: ") + (gerror ? gerror->message : "unknown fault");
    if (gerror) g_error_free(gerror);
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  g_object_unref(handle);
  return image;
}

}  // namespace bake
