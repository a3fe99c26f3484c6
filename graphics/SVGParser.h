#pragma once

#include "NSVGImage.h"

// Parses an SVG document into NSVGimage records (NSVGImage.h). [any-thread]; no shared state.
//
// Understood: path (all commands of the path data, absolute and relative, implicit repeats, arcs turned
// into cubics), rect (with rx/ry), circle, ellipse, line, polyline, polygon; g, a, switch and nested
// svg as groups (a nested svg moved to its x, y; its own viewBox is not applied); use (the referenced
// element or symbol drawn with the use's x, y and transform; cycles and chains deeper than 16 are
// skipped); transform (matrix, translate, scale, rotate with or without a centre, skewX, skewY);
// presentation attributes, <style> sheets (rules whose selectors are an element name, classes and an
// id; see SVGStyleSheet.h) and style attributes, each overriding the one before; fill, stroke, color,
// opacity, fill-opacity, stroke-opacity, stroke-width, stroke-linecap, stroke-linejoin,
// stroke-miterlimit, stroke-dasharray, stroke-dashoffset, fill-rule, display, visibility; colours as
// #rgb, #rrggbb, rgb()/rgba() with numbers or percentages, the named colours of SVG 1.1, "none",
// "transparent" and "currentColor"; linearGradient and radialGradient with gradientUnits,
// gradientTransform, spreadMethod, x1 y1 x2 y2, cx cy r fx fy, xlink:href (or href) inheritance of
// attributes and stops, stop-color and stop-opacity; the root svg's width, height, viewBox and
// preserveAspectRatio; lengths in px, pt, pc, mm, cm, in, %, em (16 px) and ex (8 px).
//
// Skipped without failing the document (they draw nothing): text, image, pattern, mask, filter,
// clipPath, marker, foreignObject, symbol outside use, elements nested deeper than 256 levels and
// everything after the 262144th element visited (each copy a use makes counts). A
// paint that refers to anything but a gradient takes its fallback colour, or none. Entity and DOCTYPE
// declarations are not expanded.

// Parses the NUL-terminated text input (not modified despite the signature) into a new image whose
// coordinates are in units ("px", "pt", "pc", "mm", "cm", "in"; null or unknown means "px"), with dpi
// (clamped to at least 1) pixels per inch. Returns null for null input, text that is not well-formed
// XML, a root element other than svg, or a document with neither a usable size nor any shape. The
// caller owns the result and frees it with nsvgDelete. [any-thread]
NSVGimage* nsvgParse(char* input, const char* units, float dpi);

// Frees an image from nsvgParse with all its shapes, paths and gradients; null is ignored. [any-thread]
void nsvgDelete(NSVGimage* image);
