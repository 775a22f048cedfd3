#pragma once
#include <map>
#include <string>

#include "raster_image.h"

namespace bake {

// Per-frame placement of the drawing inside its canvas, about the canvas
// centre: rotation in degrees, uniform and per-axis scale, offset in pixels.
struct FrameTransform {
  double angle = 0;
  double scale = 1;
  double sx = 1;
  double sy = 1;
  double dx = 0;
  double dy = 0;
};

// Replaces every ${name} in the SVG text with its value. Unknown names are
// reported through error and left in place.
std::string substituteParameters(const std::string& svg, const std::map<std::string, double>& values,
                                 std::string& error);

// Renders the SVG document scaled into a width x height canvas. Returns an
// empty image (width 0) and fills error when the SVG cannot be read.
RgbaImage renderSvg(const std::string& svg, int width, int height, const FrameTransform& transform,
                    std::string& error);

}  // namespace bake
