#ifndef CATALIX_CATALOGUE_TRACE_H_
#define CATALIX_CATALOGUE_TRACE_H_

// What the readers tell a listener about the file as they read it: each
// piece with the byte offsets it took, so that a tool (catalix-check) can say
// where a catalogue is not read as written without a second reader of its
// own that could disagree with the program's.

namespace input {

// The pieces of a catalogue, in the order the readers meet them.
enum class piece : unsigned char {
  none,
  // a spectrum: its opening byte, the white space after it, the name up to
  // '$', the byte after the '$', the label, the white space after it
  spectrum_open, name_gap, qso_name, label_gap, qso_label, label_end_gap,
  // a header block: its opening byte, then a note-only block's note, or the
  // first interval (from wv_min to the '$' after s_to_n), z_em and caption,
  // then further intervals and notes, each with the white space after it
  header_open, note_only, wv_min, range_separator, wv_max, equals_before_r, resolution,
  s_to_n_label, s_to_n, dollar_after_interval, equals_before_z_em, z_em, dollar_after_z_em,
  caption, note, header_gap,
  // the '%' that ends the header, and the white space before the line list
  header_close, list_gap,
  // a line record: the redshift column, a marker line's white space, the
  // '$', the name, the numbers and the brace, the remark; a damped
  // Lyman-alpha line's two skipped bytes and blanks
  blank_redshift, z_abs, marker_gap, dollar_after_z, ion_name, rest_wv, brace, obs_wv,
  obs_wv_err, eq_width, eq_width_err, remark, dla_gap, dla_blanks,
  // the byte after a line list ('%' or '_'), the white space between
  // spectra, the '#'
  list_end, catalogue_gap, catalogue_end,
};

class listener {
 public:
  virtual ~listener() = default;
  // Each block of the file as it is read, from offset `base`.
  virtual void filled(long long base, const unsigned char* data, unsigned long size) = 0;
  // A piece read from `begin` up to `end`.  `result`: for a number 1 when
  // it converted, else 0; for a text the bytes kept; for a search the reads
  // made; for the label before S/N 1 when it marks a minimum width.
  virtual void read(piece what, long long begin, long long end, int result) = 0;
};

}  // namespace input

#endif  // CATALIX_CATALOGUE_TRACE_H_
