// Cairo and Pango are loaded when something first draws, not when the
// program starts. An unattended conversion never draws; linking the forty
// libraries behind them would make every start several times slower and
// bigger. Every Cairo, Pango and GObject call of the drawing layer goes
// through one table that is filled on first use.
//
// Include this header after the Cairo and Pango headers and after any
// header that declares the names below: from here on each name stands for
// its table entry, so the drawing code calls the functions by their own
// names. A function the drawing layer starts to use is added to its list.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#define BRIVEN_CAIRO_FUNCTIONS(X) \
  X(cairo_append_path) \
  X(cairo_arc) \
  X(cairo_clip) \
  X(cairo_close_path) \
  X(cairo_copy_path) \
  X(cairo_create) \
  X(cairo_destroy) \
  X(cairo_fill_preserve) \
  X(cairo_identity_matrix) \
  X(cairo_image_surface_create) \
  X(cairo_image_surface_get_data) \
  X(cairo_image_surface_get_format) \
  X(cairo_image_surface_get_height) \
  X(cairo_image_surface_get_stride) \
  X(cairo_image_surface_get_width) \
  X(cairo_line_to) \
  X(cairo_matrix_init_translate) \
  X(cairo_move_to) \
  X(cairo_new_path) \
  X(cairo_paint) \
  X(cairo_path_destroy) \
  X(cairo_pattern_create_for_surface) \
  X(cairo_pattern_destroy) \
  X(cairo_pattern_set_extend) \
  X(cairo_pattern_set_filter) \
  X(cairo_pattern_set_matrix) \
  X(cairo_rectangle) \
  X(cairo_region_contains_point) \
  X(cairo_region_copy) \
  X(cairo_region_create) \
  X(cairo_region_create_rectangle) \
  X(cairo_region_destroy) \
  X(cairo_region_equal) \
  X(cairo_region_get_extents) \
  X(cairo_region_get_rectangle) \
  X(cairo_region_intersect) \
  X(cairo_region_intersect_rectangle) \
  X(cairo_region_is_empty) \
  X(cairo_region_num_rectangles) \
  X(cairo_region_subtract) \
  X(cairo_region_subtract_rectangle) \
  X(cairo_region_translate) \
  X(cairo_region_union) \
  X(cairo_region_union_rectangle) \
  X(cairo_region_xor) \
  X(cairo_restore) \
  X(cairo_save) \
  X(cairo_scale) \
  X(cairo_set_antialias) \
  X(cairo_set_dash) \
  X(cairo_set_fill_rule) \
  X(cairo_set_line_cap) \
  X(cairo_set_line_join) \
  X(cairo_set_line_width) \
  X(cairo_set_operator) \
  X(cairo_set_source) \
  X(cairo_set_source_rgb) \
  X(cairo_set_source_surface) \
  X(cairo_stroke) \
  X(cairo_surface_destroy) \
  X(cairo_surface_flush) \
  X(cairo_surface_get_type) \
  X(cairo_surface_mark_dirty) \
  X(cairo_surface_mark_dirty_rectangle) \
  X(cairo_surface_reference) \
  X(cairo_surface_write_to_png) \
  X(cairo_translate)

#define BRIVEN_PANGO_FUNCTIONS(X) \
  X(pango_attr_list_insert) \
  X(pango_attr_list_new) \
  X(pango_attr_list_unref) \
  X(pango_attr_strikethrough_new) \
  X(pango_attr_underline_new) \
  X(pango_cairo_font_map_get_type) \
  X(pango_cairo_font_map_new) \
  X(pango_cairo_font_map_set_resolution) \
  X(pango_cairo_show_layout) \
  X(pango_context_get_metrics) \
  X(pango_font_description_free) \
  X(pango_font_description_get_size) \
  X(pango_font_description_new) \
  X(pango_font_description_set_absolute_size) \
  X(pango_font_description_set_family) \
  X(pango_font_description_set_style) \
  X(pango_font_description_set_weight) \
  X(pango_font_map_create_context) \
  X(pango_font_metrics_get_approximate_char_width) \
  X(pango_font_metrics_get_ascent) \
  X(pango_font_metrics_get_descent) \
  X(pango_font_metrics_unref) \
  X(pango_layout_copy) \
  X(pango_layout_get_baseline) \
  X(pango_layout_get_extents) \
  X(pango_layout_new) \
  X(pango_layout_set_attributes) \
  X(pango_layout_set_font_description) \
  X(pango_layout_set_text)

#define BRIVEN_GOBJECT_FUNCTIONS(X) \
  X(g_object_unref) \
  X(g_type_check_instance_cast)

namespace ui::internal {

struct DrawingLibraries {
#define BRIVEN_DECLARE_ENTRY(name) decltype(&::name) name = nullptr;
  BRIVEN_CAIRO_FUNCTIONS(BRIVEN_DECLARE_ENTRY)
  BRIVEN_PANGO_FUNCTIONS(BRIVEN_DECLARE_ENTRY)
  BRIVEN_GOBJECT_FUNCTIONS(BRIVEN_DECLARE_ENTRY)
#undef BRIVEN_DECLARE_ENTRY
};

// The table; the first call loads the libraries (once, from any thread).
// A library or function that cannot be had ends the program with the
// reason, as the dynamic linker would have at start-up.
const DrawingLibraries& Drawing();

}  // namespace ui::internal

#ifndef BRIVEN_DRAWING_LIBRARIES_TABLE
#define cairo_append_path (::ui::internal::Drawing().cairo_append_path)
#define cairo_arc (::ui::internal::Drawing().cairo_arc)
#define cairo_clip (::ui::internal::Drawing().cairo_clip)
#define cairo_close_path (::ui::internal::Drawing().cairo_close_path)
#define cairo_copy_path (::ui::internal::Drawing().cairo_copy_path)
#define cairo_create (::ui::internal::Drawing().cairo_create)
#define cairo_destroy (::ui::internal::Drawing().cairo_destroy)
#define cairo_fill_preserve (::ui::internal::Drawing().cairo_fill_preserve)
#define cairo_identity_matrix (::ui::internal::Drawing().cairo_identity_matrix)
#define cairo_image_surface_create (::ui::internal::Drawing().cairo_image_surface_create)
#define cairo_image_surface_get_data (::ui::internal::Drawing().cairo_image_surface_get_data)
#define cairo_image_surface_get_format (::ui::internal::Drawing().cairo_image_surface_get_format)
#define cairo_image_surface_get_height (::ui::internal::Drawing().cairo_image_surface_get_height)
#define cairo_image_surface_get_stride (::ui::internal::Drawing().cairo_image_surface_get_stride)
#define cairo_image_surface_get_width (::ui::internal::Drawing().cairo_image_surface_get_width)
#define cairo_line_to (::ui::internal::Drawing().cairo_line_to)
#define cairo_matrix_init_translate (::ui::internal::Drawing().cairo_matrix_init_translate)
#define cairo_move_to (::ui::internal::Drawing().cairo_move_to)
#define cairo_new_path (::ui::internal::Drawing().cairo_new_path)
#define cairo_paint (::ui::internal::Drawing().cairo_paint)
#define cairo_path_destroy (::ui::internal::Drawing().cairo_path_destroy)
#define cairo_pattern_create_for_surface (::ui::internal::Drawing().cairo_pattern_create_for_surface)
#define cairo_pattern_destroy (::ui::internal::Drawing().cairo_pattern_destroy)
#define cairo_pattern_set_extend (::ui::internal::Drawing().cairo_pattern_set_extend)
#define cairo_pattern_set_filter (::ui::internal::Drawing().cairo_pattern_set_filter)
#define cairo_pattern_set_matrix (::ui::internal::Drawing().cairo_pattern_set_matrix)
#define cairo_rectangle (::ui::internal::Drawing().cairo_rectangle)
#define cairo_region_contains_point (::ui::internal::Drawing().cairo_region_contains_point)
#define cairo_region_copy (::ui::internal::Drawing().cairo_region_copy)
#define cairo_region_create (::ui::internal::Drawing().cairo_region_create)
#define cairo_region_create_rectangle (::ui::internal::Drawing().cairo_region_create_rectangle)
#define cairo_region_destroy (::ui::internal::Drawing().cairo_region_destroy)
#define cairo_region_equal (::ui::internal::Drawing().cairo_region_equal)
#define cairo_region_get_extents (::ui::internal::Drawing().cairo_region_get_extents)
#define cairo_region_get_rectangle (::ui::internal::Drawing().cairo_region_get_rectangle)
#define cairo_region_intersect (::ui::internal::Drawing().cairo_region_intersect)
#define cairo_region_intersect_rectangle (::ui::internal::Drawing().cairo_region_intersect_rectangle)
#define cairo_region_is_empty (::ui::internal::Drawing().cairo_region_is_empty)
#define cairo_region_num_rectangles (::ui::internal::Drawing().cairo_region_num_rectangles)
#define cairo_region_subtract (::ui::internal::Drawing().cairo_region_subtract)
#define cairo_region_subtract_rectangle (::ui::internal::Drawing().cairo_region_subtract_rectangle)
#define cairo_region_translate (::ui::internal::Drawing().cairo_region_translate)
#define cairo_region_union (::ui::internal::Drawing().cairo_region_union)
#define cairo_region_union_rectangle (::ui::internal::Drawing().cairo_region_union_rectangle)
#define cairo_region_xor (::ui::internal::Drawing().cairo_region_xor)
#define cairo_restore (::ui::internal::Drawing().cairo_restore)
#define cairo_save (::ui::internal::Drawing().cairo_save)
#define cairo_scale (::ui::internal::Drawing().cairo_scale)
#define cairo_set_antialias (::ui::internal::Drawing().cairo_set_antialias)
#define cairo_set_dash (::ui::internal::Drawing().cairo_set_dash)
#define cairo_set_fill_rule (::ui::internal::Drawing().cairo_set_fill_rule)
#define cairo_set_line_cap (::ui::internal::Drawing().cairo_set_line_cap)
#define cairo_set_line_join (::ui::internal::Drawing().cairo_set_line_join)
#define cairo_set_line_width (::ui::internal::Drawing().cairo_set_line_width)
#define cairo_set_operator (::ui::internal::Drawing().cairo_set_operator)
#define cairo_set_source (::ui::internal::Drawing().cairo_set_source)
#define cairo_set_source_rgb (::ui::internal::Drawing().cairo_set_source_rgb)
#define cairo_set_source_surface (::ui::internal::Drawing().cairo_set_source_surface)
#define cairo_stroke (::ui::internal::Drawing().cairo_stroke)
#define cairo_surface_destroy (::ui::internal::Drawing().cairo_surface_destroy)
#define cairo_surface_flush (::ui::internal::Drawing().cairo_surface_flush)
#define cairo_surface_get_type (::ui::internal::Drawing().cairo_surface_get_type)
#define cairo_surface_mark_dirty (::ui::internal::Drawing().cairo_surface_mark_dirty)
#define cairo_surface_mark_dirty_rectangle (::ui::internal::Drawing().cairo_surface_mark_dirty_rectangle)
#define cairo_surface_reference (::ui::internal::Drawing().cairo_surface_reference)
#define cairo_surface_write_to_png (::ui::internal::Drawing().cairo_surface_write_to_png)
#define cairo_translate (::ui::internal::Drawing().cairo_translate)
#define g_object_unref (::ui::internal::Drawing().g_object_unref)
#define g_type_check_instance_cast (::ui::internal::Drawing().g_type_check_instance_cast)
#define pango_attr_list_insert (::ui::internal::Drawing().pango_attr_list_insert)
#define pango_attr_list_new (::ui::internal::Drawing().pango_attr_list_new)
#define pango_attr_list_unref (::ui::internal::Drawing().pango_attr_list_unref)
#define pango_attr_strikethrough_new (::ui::internal::Drawing().pango_attr_strikethrough_new)
#define pango_attr_underline_new (::ui::internal::Drawing().pango_attr_underline_new)
#define pango_cairo_font_map_get_type (::ui::internal::Drawing().pango_cairo_font_map_get_type)
#define pango_cairo_font_map_new (::ui::internal::Drawing().pango_cairo_font_map_new)
#define pango_cairo_font_map_set_resolution (::ui::internal::Drawing().pango_cairo_font_map_set_resolution)
#define pango_cairo_show_layout (::ui::internal::Drawing().pango_cairo_show_layout)
#define pango_context_get_metrics (::ui::internal::Drawing().pango_context_get_metrics)
#define pango_font_description_free (::ui::internal::Drawing().pango_font_description_free)
#define pango_font_description_get_size (::ui::internal::Drawing().pango_font_description_get_size)
#define pango_font_description_new (::ui::internal::Drawing().pango_font_description_new)
#define pango_font_description_set_absolute_size (::ui::internal::Drawing().pango_font_description_set_absolute_size)
#define pango_font_description_set_family (::ui::internal::Drawing().pango_font_description_set_family)
#define pango_font_description_set_style (::ui::internal::Drawing().pango_font_description_set_style)
#define pango_font_description_set_weight (::ui::internal::Drawing().pango_font_description_set_weight)
#define pango_font_map_create_context (::ui::internal::Drawing().pango_font_map_create_context)
#define pango_font_metrics_get_approximate_char_width (::ui::internal::Drawing().pango_font_metrics_get_approximate_char_width)
#define pango_font_metrics_get_ascent (::ui::internal::Drawing().pango_font_metrics_get_ascent)
#define pango_font_metrics_get_descent (::ui::internal::Drawing().pango_font_metrics_get_descent)
#define pango_font_metrics_unref (::ui::internal::Drawing().pango_font_metrics_unref)
#define pango_layout_copy (::ui::internal::Drawing().pango_layout_copy)
#define pango_layout_get_baseline (::ui::internal::Drawing().pango_layout_get_baseline)
#define pango_layout_get_extents (::ui::internal::Drawing().pango_layout_get_extents)
#define pango_layout_new (::ui::internal::Drawing().pango_layout_new)
#define pango_layout_set_attributes (::ui::internal::Drawing().pango_layout_set_attributes)
#define pango_layout_set_font_description (::ui::internal::Drawing().pango_layout_set_font_description)
#define pango_layout_set_text (::ui::internal::Drawing().pango_layout_set_text)
#endif
